// What the chart panel needs of a series to paint it: whether it takes part, the hooks of the
// drawing sequence, and the depth band the panel gives it. The series reaches the panel's
// canvas and plot rectangle through its own chart reference.
#pragma once

#include <QCursor>
#include <cstdint>

namespace tallyrun {

class TPaintedSeries
{
public:
    virtual ~TPaintedSeries() = default;

    virtual bool Active() const = 0;
    // A z-order of its own, or -1 to take the next free one at each paint.
    virtual int FixedZOrder() const { return -1; }

    // Before legend and titles (the pie sorts its points here).
    virtual void PrepareForPaint() {}
    // False when no point lies in the visible range: then nothing of the series is drawn.
    virtual bool HasVisiblePoints() const = 0;
    virtual void BeginDrawValues() {}
    virtual void DrawPoints() = 0;
    virtual bool MarksVisible() const { return false; }
    // The marks ask to be clipped to the plot rectangle.
    virtual bool MarksClipped() const { return false; }
    virtual void DrawPointMarks() {}
    virtual void EndDrawValues() {}

    // The point under the screen point (x, y), or -1; for the panel's mouse handling.
    virtual int Clicked(int /*x*/, int /*y*/) const { return -1; }
    // The cursor shown over the series; the default shape leaves the panel's own.
    virtual QCursor Cursor() const { return QCursor(); }
    // The panel is being destroyed: forget it.
    virtual void ChartDestroyed() {}

    // Set by the panel at each paint: the series' place in depth, in pixels, 0 at the front.
    std::int32_t ZOrder = 0;
    std::int32_t StartZ = 0;
    std::int32_t EndZ = 0;
    std::int32_t MiddleZ = 0;
    std::int32_t MarksDepth = 0;
};

} // namespace tallyrun
