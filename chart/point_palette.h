// The automatic point colours: a point added with the automatic colour takes entry
// (index mod 16) when its series colours each point.
#pragma once

#include "chart/chart_color.h"

#include <array>

namespace tallyrun {

constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
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

constexpr std::array<TColor, 16> DefaultPalette = {
    clRed,  clGreen,  clYellow, clBlue,   clWhiteColor, clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive,  clPurple,     clSilver, clAqua,    clBlackColor,
};

} // namespace tallyrun
