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

} // namespace tallyrun
