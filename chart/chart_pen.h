// The pen of a chart object (a wall, the frame, a slice outline, the legend frame): what the
// canvas copies into its drawing pen through ApplyChartPen.
#pragma once

#include "chart/chart_color.h"

#include <Qt>

namespace tallyrun {

struct TChartPen
{
    bool Visible = true;
    TColor Color = clBlack;
    int Width = 1;
    Qt::PenStyle Style = Qt::SolidLine;
    // With width 1, every other pixel is set.
    bool SmallDots = false;

    friend bool operator==(const TChartPen&, const TChartPen&) = default;
};

} // namespace tallyrun
