// A rectangle of chart pixels as the chart engine keeps it: left, top, right, bottom, where
// right and bottom lie just outside (a rectangle covers left..right-1 and top..bottom-1).
#pragma once

#include <cstdint>

namespace tallyrun {

struct TChartRect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const TChartRect&, const TChartRect&) = default;
};

} // namespace tallyrun
