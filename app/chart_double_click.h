// Tells a double-click on the chart from a drag. The chart is dragged with any button, so a
// quick press, drag and release followed by another press arrives as a double-click; only a
// double-click whose two presses both stayed where they went down counts, and it counts when
// its second button is released, so that a press that goes on into a drag never drills down.
#pragma once

#include <optional>

namespace tallyrun {

struct TChartPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const TChartPoint&) const = default;
};

class TChartDoubleClick
{
public:
    // Every press, the second press of a double-click included.
    void Press(TChartPoint point);
    // A mouse move while a button is held.
    void Move(TChartPoint point);
    // The toolkit's double-click, reported after the Press of its second press.
    void DoubleClick(TChartPoint point);
    // The button went up: the point of a completed double-click, or nothing.
    std::optional<TChartPoint> Release();

private:
    TChartPoint pressPoint_;
    bool moved_ = false;         // the current press has moved
    bool previousMoved_ = false; // the press before it had moved
    std::optional<TChartPoint> armed_;
};

} // namespace tallyrun
