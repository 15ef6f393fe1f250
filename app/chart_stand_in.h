// Stand-ins for the chart panel and the pie series until the chart engine's own land. They
// keep the engine's contract: the series only marks the chart dirty, and the chart sorts the
// pie's points and draws once per paint event.
#pragma once

#include "chart/chart_parent.h"
#include "chart/chart_series.h"

#include <QWidget>

#include <vector>

namespace tallyrun::standin {

// The pie series as the main window sets it up: one automatic colour per point, values named
// "円" and ordered largest first before every paint, red as the series colour.
class TPieSeries : public TChartSeries
{
public:
    TPieSeries();
    TChartValueList& PieValues() const { return YValues(); }
    // Largest first and renumbered before each paint, as the pie orders its slices.
    void PrepareForPaint() override;
};

// A chart that draws its pie series flat, biggest slice first from three o'clock
// counter-clockwise.
class TChart : public QWidget, public TChartParent
{
    Q_OBJECT

public:
    explicit TChart(QWidget* parent = nullptr);
    ~TChart() override;

    void RequestChartRepaint() override;
    bool IsChartDestroying() const override { return destroying_; }
    void AttachSeries(TChartSeries* series) override;
    void DetachSeries(TChartSeries* series) override;

    int SeriesCount() const { return static_cast<int>(series_.size()); }
    // Paint events handled so far; many repaint requests between two paints count once.
    int PaintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TChartSeries*> series_;
    bool destroying_ = false;
    int paintCount_ = 0;
};

} // namespace tallyrun::standin
