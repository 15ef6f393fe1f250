// The two frame primitives the owner-drawn controls share: the one-pixel 3D frame and the
// dotted focus rectangle. Both draw on whole pixels, so results are exact for pixel tests.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

namespace tallyrun {

// Draws a one-pixel frame just inside `rect` (whose right and bottom are inclusive, as QRect's
// are): the top row and left column in `topLeft`, the bottom row and right column in
// `bottomRight`, which also owns the two corners where they meet. Then shrinks `rect` by one
// pixel on every side.
void Frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight);

// Draws the dotted focus rectangle on the outline of `rect`: every other pixel of the outline
// (those whose x + y is even) is inverted, the others are left alone, so drawing it twice
// removes it again.
void DrawFocusRect(QPainter& painter, const QRect& rect);

} // namespace tallyrun
