// The types of the main window's chart and pie series. The pie series is a stand-in until the
// chart engine's own lands; then only its line changes.
#pragma once

#include "app/chart_stand_in.h"
#include "chart/chart.h"

namespace tallyrun {

using TMainChart = TChart;
using TMainPieSeries = standin::TPieSeries;

} // namespace tallyrun
