// The settings the main window gives its chart and pie series: the one set-up that the
// program, the chart's tests and its benchmarks draw with.
#pragma once

#include "app/main_chart.h"

namespace tallyrun {

// The chart's size in pixels in the main window as it opens.
constexpr int kMainChartWidth = 590;
constexpr int kMainChartHeight = 364;

// A 3D pie chart seen from 45 degrees above, without axes, walls, frame or title, the chart's
// own zoom and panning off, the legend in "ＭＳ Ｐ明朝" 12 pixels high.
void ApplyMainChartSettings(TMainChart& chart);

// The pie series, put on `chart`: red as its colour, the slices largest first, and marks with
// label and percentage in "ＭＳ Ｐ明朝" 12 pixels high.
void ApplyMainSeriesSettings(TMainChart& chart, TMainPieSeries& series);

// Both of the above.
void ApplyMainChartSettings(TMainChart& chart, TMainPieSeries& series);

} // namespace tallyrun
