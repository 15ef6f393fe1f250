#include "chart/custom_chart.h"

namespace tallyrun {

TCustomChart::TCustomChart(QWidget* parent)
    : TCustomAxisPanel(parent), title_(this), foot_(this), legend_(this)
{
}

void TCustomChart::DrawTitlesAndLegend()
{
    if (!legend_.Visible() || ActiveSeries().empty()) {
        DrawTitle();
        DrawFoot();
    } else if (legend_.Vertical()) {
        DrawLegend();
        DrawTitle();
        DrawFoot();
    } else {
        DrawTitle();
        DrawFoot();
        DrawLegend();
    }
}

} // namespace tallyrun
