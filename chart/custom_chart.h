// The chart panel with its title, foot and legend, laid out before the series in each paint.
#pragma once

#include "chart/axis_panel.h"
#include "chart/chart_legend.h"
#include "chart/chart_title.h"

namespace tallyrun {

class TCustomChart : public TCustomAxisPanel
{
public:
    explicit TCustomChart(QWidget* parent = nullptr);

    TChartTitle& Title() { return title_; }
    TChartTitle& Foot() { return foot_; }
    TChartLegend& Legend() { return legend_; }
    const TChartLegend& Legend() const { return legend_; }

    // The chart's events around the legend (its texts, rectangle and item positions); none
    // is assigned in this program.
    TLegendEvents LegendEvents;

protected:
    void DrawTitlesAndLegend() override;
    // Each drawn in its turn; the legend only with a visible legend and an active series.
    virtual void DrawTitle() { title_.Draw(*this, TTitleEdge::Top); }
    virtual void DrawFoot() { foot_.Draw(*this, TTitleEdge::Bottom); }
    virtual void DrawLegend() { legend_.Draw(*this, ActiveSeries(), LegendEvents); }
    bool ClickedLegend(int x, int y) override { return legend_.Contains(x, y); }

private:
    TChartTitle title_;
    TChartTitle foot_;
    TChartLegend legend_;
};

} // namespace tallyrun
