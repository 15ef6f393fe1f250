// The types of the main window's chart and pie series.
#pragma once

#include "chart/chart.h"
#include "chart/pie_series.h"

namespace tallyrun {

using TMainChart = TChart;
using TMainPieSeries = TPieSeries;

} // namespace tallyrun
