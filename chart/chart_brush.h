// The fill of a chart object such as the legend box: a style and a colour. The automatic
// colour leaves the owner to choose.
#pragma once

#include "chart/chart_color.h"

#include <Qt>

namespace tallyrun {

struct TChartBrush
{
    Qt::BrushStyle Style = Qt::SolidPattern;
    TColor Color = clAutomatic;

    friend bool operator==(const TChartBrush&, const TChartBrush&) = default;
};

} // namespace tallyrun
