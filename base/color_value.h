// Colour values as the program keeps them: 0x00BBGGRR, red in the lowest byte, plus the
// system colours (button face, shadows, tooltip background...) that are resolved from the
// application's palette only when something is drawn.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace tallyrun {

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;

// A colour value with this bit set names a system colour by its index in the low byte.
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

// The RGB colour of `color`; system colours come from `palette` (the application's palette
// when none is given). An unknown system colour index reads as black.
QColor ColorToQColor(TColor color);
QColor ColorToQColor(TColor color, const QPalette& palette);

// The 0x00BBGGRR value of an RGB colour (alpha is dropped).
constexpr TColor ColorFromRgb(int red, int green, int blue)
{
    return static_cast<TColor>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

} // namespace tallyrun
