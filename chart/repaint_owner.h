// What the chart's parts (view options, canvas) need of the panel that owns them: a repaint
// request, which only marks the drawing dirty and invalidates the window.
#pragma once

namespace tallyrun {

class TChartRepaintOwner
{
public:
    virtual ~TChartRepaintOwner() = default;
    virtual void RequestChartRepaint() = 0;
};

// The setters' rule: an equal value does nothing; a new one is stored and `owner` (when
// there is one) asked to repaint.
template <typename T> void StoreAndRepaint(T& field, const T& value, TChartRepaintOwner* owner)
{
    if (field == value)
        return;
    field = value;
    if (owner)
        owner->RequestChartRepaint();
}

} // namespace tallyrun
