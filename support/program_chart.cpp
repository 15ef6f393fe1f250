#include "support/program_chart.h"

#include "app/main_chart_settings.h"

namespace tallyrun::support {

void SetUpProgramChart(TMainChart& chart)
{
    ApplyMainChartSettings(chart);
    chart.resize(kMainChartWidth, kMainChartHeight);
}

void SetUpProgramChart(TMainChart& chart, TMainPieSeries& series)
{
    ApplyMainChartSettings(chart, series);
    chart.resize(kMainChartWidth, kMainChartHeight);
}

} // namespace tallyrun::support
