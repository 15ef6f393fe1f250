// What a series needs of the chart that draws it. The chart panel implements it; a series
// only refers to its chart and never owns it.
#pragma once

#include "chart/repaint_owner.h"

namespace tallyrun {

class TChartSeries;

// RequestChartRepaint (from the repaint owner) marks the drawing dirty and invalidates the
// window; the chart paints once at the next paint event however many requests came before.
class TChartParent : public TChartRepaintOwner
{
public:
    // True while the chart is being destroyed: series then leave it without asking it for
    // anything more.
    virtual bool IsChartDestroying() const = 0;
    // The chart's list of series. A series adds and removes itself when its parent changes.
    virtual void AttachSeries(TChartSeries* series) = 0;
    virtual void DetachSeries(TChartSeries* series) = 0;
};

} // namespace tallyrun
