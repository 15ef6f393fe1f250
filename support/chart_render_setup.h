// A chart set up as the main window's, showing a given list of slices: what the render tool
// draws and what the chart's reference images are made from.
#pragma once

#include "app/main_chart.h"
#include "app/main_chart_settings.h"
#include "support/slice_file.h"

#include <vector>

namespace tallyrun {

struct TChartRenderSettings
{
    int width = kMainChartWidth;
    int height = kMainChartHeight;
    bool legend = true;
    int zoom = 100;
    TSeriesMarksStyle style = smsLabelPercent;
};

// The main window's chart and series settings, then the size, legend, zoom and mark style,
// then the slices added in order with their automatic colours.
void SetUpRenderedChart(TMainChart& chart, TMainPieSeries& series,
                        const TChartRenderSettings& settings,
                        const std::vector<TSliceLine>& slices);

} // namespace tallyrun
