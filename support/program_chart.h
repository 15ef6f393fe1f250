// Code shared by the tests and the benchmarks; it never depends on GoogleTest.
// Sets a chart up as the main window shows it, for tests and benchmarks that paint one alone.
#pragma once

#include "chart/chart.h"

namespace tallyrun::support {

// The chart of the main window: 590 x 364, lowered outer and raised inner bevel, seen from
// 45 degrees above.
void SetUpProgramChart(TChart& chart);

} // namespace tallyrun::support
