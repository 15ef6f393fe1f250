// Where the legend goes in one paint: its box, the grid of its items and the room it takes
// from the plot area. Pure geometry on the widths the canvas measured, so it is tested
// without a window.
#pragma once

#include "chart/chart_rect.h"

#include <functional>

namespace tallyrun {

class TChartLegend;

enum TLegendAlignment
{
    laLeft,
    laRight,
    laTop,
    laBottom
};

// What the items are: lsAuto lists the points of a single active series and the series when
// there are several.
enum TLegendStyle
{
    lsAuto,
    lsSeries,
    lsValues,
    lsLastValues
};

// The panel's geometry the legend is laid out in.
struct TLegendSpace
{
    TChartRect PanelBounds;
    TChartRect PlotRect;
    int PlotWidth = 0;
    int PlotCentreX = 0;
};

struct TLegendGeometry
{
    // The box without frame and shadow.
    TChartRect LegendRect;
    // Height of one item row: the line height of the legend font.
    int ItemHeight = 0;
    // Widest item text + 4 (W): the text column of a horizontal legend.
    int TextWidth = 0;
    int SymbolWidth = 0;
    int Columns = 0;
    int Rows = 0;
    // Left edges of the first item's text and colour box.
    int TextX = 0;
    int SymbolX = 0;
    // Items there is room for; below 1 the legend is neither drawn nor given room.
    int Slots = 0;
};

// The measured width of item k's text, k counting from the legend's FirstValue.
using TLegendTextWidth = std::function<int(int k)>;

// Lays out a legend of `count` items. Only the widths the layout needs are asked for: a
// vertical legend measures the rows it shows, a horizontal one every item.
TLegendGeometry LayoutLegend(const TChartLegend& legend, const TLegendSpace& space, int lineHeight,
                             int count, const TLegendTextWidth& textWidth);

// Gives the series the room the legend leaves: the plot rectangle stops at the legend box
// (when the legend resizes the chart) and keeps a gap to it. `plotWidth` and `plotHeight`
// are the plot's before this step. The caller recalculates the plot afterwards.
void TakeLegendRoom(const TChartLegend& legend, const TChartRect& legendRect, TChartRect& plot,
                    int plotWidth, int plotHeight);

} // namespace tallyrun
