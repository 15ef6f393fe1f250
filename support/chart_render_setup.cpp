#include "support/chart_render_setup.h"

#include "app/main_chart_settings.h"

namespace tallyrun {

void SetUpRenderedChart(TMainChart& chart, TMainPieSeries& series,
                        const TChartRenderSettings& settings, const std::vector<TSliceLine>& slices)
{
    ApplyMainChartSettings(chart, series);
    chart.resize(settings.width, settings.height);
    chart.Legend().SetVisible(settings.legend);
    chart.View3DOptions().SetZoom(settings.zoom);
    series.Marks().SetStyle(settings.style);
    for (const TSliceLine& slice : slices)
        series.AddPoint(slice.label, clAutomatic, slice.value);
}

} // namespace tallyrun
