// Draws a picture button's whole face from a snapshot of its state, so the look can be
// checked pixel by pixel without a window.
#pragma once

#include "widgets/button_look.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QSize>
#include <QString>

#include <algorithm>

class QPainter;

namespace tallyrun {

// The system colours a button face is drawn with, resolved to RGB.
struct TButtonSystemColors
{
    QColor btnFace, btnHighlight, btnShadow, light3D, darkShadow3D;
    static TButtonSystemColors FromPalette(const QPalette& palette);
};

struct TPictureButtonFace
{
    QSize size{36, 36};
    TButtonStyle style = bsStdButton;
    TBevels bevels;
    int down = 0;           // 1 while held down by the mouse or the keyboard
    int pressedOutside = 0; // -1 while held down with the mouse outside
    QColor displayColor, color, inColor;
    TFocusStyle focusStyle = bfsStdButton;
    bool focused = false;
    QImage picture; // drawn with its alpha channel
    bool stretch = false;
    int pictureLeft = -1, pictureTop = -1; // -1 centres
    QString caption;
    int captionLeft = -1, captionTop = -1; // -1 centres
    QFont font;
    QColor fontColor;
    TButtonSystemColors system;

    // 1 while the button is held down with the mouse over it, else 0. A key can let the button
    // up while the mouse still holds it outside (down 0, pressedOutside -1); that must not
    // shift the face up and left, so the offset never goes below 0.
    int PressOffset() const { return std::max(0, down + pressedOutside); }
};

// Draws the face onto `painter`, whose device is at least `face.size` large, at (0, 0).
void PaintPictureButton(QPainter& painter, const TPictureButtonFace& face);

// The face drawn off screen.
QImage RenderPictureButton(const TPictureButtonFace& face);

// Where a picture or caption of `content` pixels starts on a face of `extent` pixels: `pinned`
// when it is not -1, else centred with halves to even (pictures) or truncated (captions).
int CentredPicturePos(int pinned, int extent, int content);
int CentredCaptionPos(int pinned, int extent, int content);

} // namespace tallyrun
