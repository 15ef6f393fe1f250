// Colours of the chart engine: 32-bit values whose low three bytes are red, green and blue,
// red in the lowest byte (0x00BBGGRR), with two reserved values.
#pragma once

#include "base/color_value.h"

#include <array>

namespace tallyrun {

// A point added with this colour takes its series' automatic colour; a wall, pen or
// background with it has no colour of its own.
constexpr TColor clAutomatic = 0x20000000;
// A point with this colour is a null point: no mark and no legend symbol.
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor clGreen = 0x008000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clGray = 0x808080;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clTeal = 0x808000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clOlive = 0x008080;
constexpr TColor clPurple = 0x800080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clAqua = 0xFFFF00;

// The automatic point colours, in the order points take them.
constexpr std::array<TColor, 16> DefaultPalette = {
    clRed,  clGreen,  clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack,
};

// TColor, the basic and system colours and ColorToQColor come from base/color_value.h.
// The reserved values above have no RGB meaning and must be resolved by the caller before
// conversion.

// The 0x00BBGGRR value of a colour, system colours resolved from the application's palette.
TColor ColorToRGB(TColor c);

// The chart colour of a QColor; alpha is dropped.
TColor QColorToColor(const QColor& color);

// Each of red, green and blue lowered by `amount`, floored at 0; system colours are resolved
// first.
TColor DarkenColor(TColor c, int amount);

} // namespace tallyrun
