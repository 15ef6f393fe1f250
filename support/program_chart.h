// Code shared by the tests and the benchmarks; it never depends on GoogleTest.
// The main window's chart for tests and benchmarks that paint one alone: the program's own
// chart and series set-up, at the chart's size in the main window.
#pragma once

#include "app/main_chart.h"

namespace tallyrun::support {

// The main window's chart settings at 590 x 364, for a series of the test's own.
void SetUpProgramChart(TMainChart& chart);

// The main window's chart and pie series settings at 590 x 364; the series is on the chart.
void SetUpProgramChart(TMainChart& chart, TMainPieSeries& series);

} // namespace tallyrun::support
