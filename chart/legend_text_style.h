// How a point's legend row is worded: the label alone, or with its value or percentage
// before or after it, or the x value.
#pragma once

namespace tallyrun {

enum TLegendTextStyle
{
    ltsPlain = 0,
    ltsLeftValue = 1,
    ltsRightValue = 2,
    ltsLeftPercent = 3,
    ltsRightPercent = 4,
    ltsXValue = 5,
};

} // namespace tallyrun
