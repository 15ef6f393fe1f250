#include "chart/legend_layout.h"

#include "chart/chart_legend.h"
#include "chart/chart_math.h"

#include <algorithm>

namespace tallyrun {

namespace {

// The widest text of the first `n` items; 0 when there are none.
int WidestOf(const TLegendTextWidth& textWidth, int n)
{
    int widest = 0;
    for (int k = 0; k < n; ++k)
        widest = std::max(widest, textWidth(k));
    return widest;
}

// Round(value x percent x 0.01), in floating point so that no product overflows.
int Percent(int value, int percent)
{
    return RoundHalfEven(static_cast<double>(value) * percent * 0.01);
}

// Rows of a vertical legend: as many as fit between its top and the plot's bottom.
void LayoutVertical(const TChartLegend& legend, const TLegendSpace& space, int count,
                    int frameWidth, TLegendGeometry& g)
{
    TChartRect& r = g.LegendRect;
    const int h = g.ItemHeight;
    r.top = space.PanelBounds.top + Percent(legend.TopPos(), space.PanelBounds.Height());
    g.Columns = 1;
    // The frame's width counts here even when the frame is hidden.
    if (space.PlotRect.bottom <= r.top || h <= 0)
        g.Rows = 0;
    else
        g.Rows = std::max(0, std::min((space.PlotRect.bottom - 2 * frameWidth - r.top) / h, count));
    r.bottom = r.top + g.Rows * h + 2;
    g.Slots = g.Rows;
}

// Columns and rows of a horizontal legend: as many items side by side as the plot's width
// holds, and at most MaxNumRows rows of them.
void LayoutGrid(const TChartLegend& legend, const TLegendSpace& space, int count, int frameWidth,
                TLegendGeometry& g)
{
    const int itemWidth = g.TextWidth + g.SymbolWidth + 8;
    if (space.PlotRect.right <= 8 || itemWidth <= 0)
        g.Columns = 0;
    else
        g.Columns = std::min((space.PlotWidth - 2 * frameWidth - 8) / itemWidth, count);
    if (g.Columns <= 0) {
        g.Columns = std::max(g.Columns, 0);
        g.Rows = 0;
    } else {
        g.Rows = std::min(count / g.Columns + (count % g.Columns ? 1 : 0), legend.MaxNumRows());
        g.Rows = std::max(g.Rows, 0);
    }
    g.Slots = g.Columns * g.Rows;
}

// What the legend's frame and shadow take around the box.
struct TFrameRoom
{
    int width = 0;
    // The gap a visible frame needs between the box and the plot's edge.
    int gap = 0;
    int shadow = 0;
};

TFrameRoom FrameRoom(const TChartLegend& legend)
{
    const TChartPen& frame = legend.Frame();
    return {frame.Width, frame.Visible ? frame.Width + 1 : 0, legend.ShadowSize()};
}

// A horizontal legend's text column is as wide as the widest of all items.
void MeasureGridText(const TChartLegend& legend, int count, const TLegendTextWidth& textWidth,
                     TLegendGeometry& g)
{
    g.TextWidth = WidestOf(textWidth, count) + 4;
    g.SymbolWidth = Percent(g.TextWidth, legend.ColorWidth());
}

// The rows, and the box's top and bottom.
void PlaceRows(const TChartLegend& legend, const TLegendSpace& space, int count,
               const TFrameRoom& room, TLegendGeometry& g)
{
    TChartRect& r = g.LegendRect;
    switch (legend.Alignment()) {
    case laLeft:
    case laRight:
        LayoutVertical(legend, space, count, room.width, g);
        break;
    case laTop:
        r.top = space.PlotRect.top + room.gap;
        LayoutGrid(legend, space, count, room.width, g);
        r.bottom = r.top + 2 + g.Rows * g.ItemHeight;
        break;
    case laBottom:
        r.bottom = space.PlotRect.bottom - room.shadow - room.gap;
        LayoutGrid(legend, space, count, room.width, g);
        r.top = r.bottom - 2 - g.Rows * g.ItemHeight;
        break;
    }
}

// A vertical legend's text column is as wide as the rows it shows; the box stands against
// the plot's left or right edge.
void PlaceColumn(const TChartLegend& legend, const TLegendSpace& space,
                 const TLegendTextWidth& textWidth, const TFrameRoom& room, TLegendGeometry& g)
{
    TChartRect& r = g.LegendRect;
    const int shown = WidestOf(textWidth, g.Rows);
    g.TextWidth = shown + 4;
    g.SymbolWidth = Percent(shown + 10, legend.ColorWidth());
    if (legend.Alignment() == laLeft) {
        r.left = space.PlotRect.left + room.gap;
        g.SymbolX = r.left + 4;
        g.TextX = g.SymbolX + g.SymbolWidth + 4;
        r.right = g.TextX + shown + 2;
    } else {
        r.right = space.PlotRect.right - room.gap - room.shadow;
        g.TextX = r.right - shown - 2;
        g.SymbolX = g.TextX - g.SymbolWidth - 4;
        r.left = g.SymbolX - 4;
    }
}

// A horizontal legend's box is centred on the plot, shifted by TopPos percent of the room
// the panel leaves beside it.
void CentreGrid(const TChartLegend& legend, const TLegendSpace& space, const TFrameRoom& room,
                TLegendGeometry& g)
{
    TChartRect& r = g.LegendRect;
    const int width = std::min(space.PlotWidth,
                               2 * room.shadow + (g.SymbolWidth + g.TextWidth + 4) * g.Columns + 8);
    const int shift = Percent(legend.TopPos(), space.PanelBounds.Width() - width);
    r.left = space.PlotCentreX - width / 2 + shift;
    r.right = space.PlotCentreX + width / 2 + shift;
    g.SymbolX = r.left + 4;
    g.TextX = g.SymbolX + g.SymbolWidth + 4;
}

} // namespace

TLegendGeometry LayoutLegend(const TChartLegend& legend, const TLegendSpace& space, int lineHeight,
                             int count, const TLegendTextWidth& textWidth)
{
    TLegendGeometry g;
    count = std::max(count, 0);
    const TFrameRoom room = FrameRoom(legend);
    g.ItemHeight = lineHeight;
    // A vertical legend's text width is known only after its rows.
    if (!legend.Vertical())
        MeasureGridText(legend, count, textWidth, g);
    PlaceRows(legend, space, count, room, g);
    if (legend.Vertical())
        PlaceColumn(legend, space, textWidth, room, g);
    else
        CentreGrid(legend, space, room, g);
    return g;
}

void TakeLegendRoom(const TChartLegend& legend, const TChartRect& legendRect, TChartRect& plot,
                    int plotWidth, int plotHeight)
{
    const bool resize = legend.ResizeChart();
    const int horizGap = legend.HorizMargin() ? legend.HorizMargin() : MulDiv(3, plotWidth, 100);
    const int vertGap = legend.VertMargin() ? legend.VertMargin() : MulDiv(4, plotHeight, 100);
    switch (legend.Alignment()) {
    case laLeft:
        if (resize)
            plot.left = legendRect.right;
        plot.left += horizGap;
        break;
    case laRight:
        if (resize)
            plot.right = legendRect.left;
        plot.right -= horizGap;
        break;
    case laTop:
        if (resize)
            plot.top = legendRect.bottom + legend.ShadowSize();
        plot.top += vertGap;
        break;
    case laBottom:
        if (resize)
            plot.bottom = legendRect.top;
        plot.bottom -= vertGap;
        break;
    }
}

} // namespace tallyrun
