// What a series needs of the chart that draws it. The chart panel implements it; a series
// only refers to its chart and never owns it.
#pragma once

namespace tallyrun {

class TChartSeries;

class TChartParent
{
public:
    virtual ~TChartParent() = default;
    // Marks the drawing dirty and invalidates the window; the chart paints once at the next
    // paint event however many requests came before. Never paints synchronously.
    virtual void RequestChartRepaint() = 0;
    // True while the chart is being destroyed: series then leave it without asking it for
    // anything more.
    virtual bool IsChartDestroying() const = 0;
    // The chart's list of series. A series adds and removes itself when its parent changes.
    virtual void AttachSeries(TChartSeries* series) = 0;
    virtual void DetachSeries(TChartSeries* series) = 0;
};

} // namespace tallyrun
