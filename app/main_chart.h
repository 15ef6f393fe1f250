// The types of the main window's chart and pie series. Stand-ins fill them until the chart
// engine's panel and pie series are built; then only these two lines change.
#pragma once

#include "app/chart_stand_in.h"

namespace tallyrun {

using TMainChart = standin::TChart;
using TMainPieSeries = standin::TPieSeries;

} // namespace tallyrun
