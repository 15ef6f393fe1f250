// The chart's legend as far as the panel's drawing sequence needs it: whether it is drawn and
// on which side. FIXME: the legend's layout and drawing come with the legend itself; until then
// it draws nothing and takes no room from the plot area.
#pragma once

#include "chart/repaint_owner.h"

namespace tallyrun {

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };

class TChartLegend
{
public:
    explicit TChartLegend(TChartRepaintOwner* owner) : owner_(owner) {}

    bool Visible() const { return visible_; }
    TLegendAlignment Alignment() const { return alignment_; }
    // laLeft and laRight make a vertical legend.
    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }

    void SetVisible(bool value) { Store(visible_, value); }
    void SetAlignment(TLegendAlignment value) { Store(alignment_, value); }

private:
    template <typename T> void Store(T& field, const T& value)
    {
        StoreAndRepaint(field, value, owner_);
    }

    TChartRepaintOwner* owner_;
    bool visible_ = true;
    TLegendAlignment alignment_ = laRight;
};

} // namespace tallyrun
