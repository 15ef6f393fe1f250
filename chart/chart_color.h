// Colour values of the chart engine: 0x00BBGGRR (red in the lowest byte), two reserved values
// and the system colours that are resolved from the application's palette when drawn.
#pragma once

#include <QColor>
#include <cstdint>

namespace tallyrun {

using TColor = std::uint32_t;

// A point, pen, wall or background in this colour has no colour of its own.
constexpr TColor clAutomaticColor = 0x20000000;
// A point in this colour is a null point.
constexpr TColor clNoneColor = 0x1FFFFFFF;

constexpr TColor clBlackColor = 0x000000;
constexpr TColor clWhiteColor = 0xFFFFFF;

// System colours: the high bit set, the low byte names the palette role.
constexpr TColor clSystemColorFlag = 0x80000000;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor cl3DDkShadow = 0x80000015;
constexpr TColor cl3DLight = 0x80000016;
constexpr TColor clInfoBk = 0x80000018;

// The 0x00BBGGRR value of a colour; system colours come from the application's palette.
TColor ColorToRGB(TColor color);

// The one conversion of a chart colour to a QColor (system colours resolved, opaque).
QColor ChartColorToQColor(TColor color);

// The chart colour of a QColor (alpha dropped).
TColor QColorToChartColor(const QColor& color);

// Each of red, green and blue lowered by `amount`, floored at 0; the colour is resolved to RGB
// first.
TColor DarkenColor(TColor color, int amount);

} // namespace tallyrun
