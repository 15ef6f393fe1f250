// The settings the main window gives its chart and pie series.
#pragma once

#include "app/main_chart.h"

namespace tallyrun {

// A 3D pie seen from 45 degrees above, without axes, walls, frame or title, the chart's own
// zoom and panning off; the series puts it on the chart with red as its colour, the slices
// largest first, and marks with label and percentage in "ＭＳ Ｐ明朝" 12 pixels high.
void ApplyMainChartSettings(TMainChart& chart, TMainPieSeries& series);

} // namespace tallyrun
