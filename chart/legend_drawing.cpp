// One paint's legend: its texts, its layout, the framed box with its shadow, the items and
// the room it takes from the plot area.
#include "chart/chart_legend.h"
#include "chart/chart_panel.h"
#include "chart/legend_items.h"

#include <optional>

namespace tallyrun {

namespace {

// The item texts of one paint, worded and measured only when the layout or the drawing
// needs them: a vertical legend of a series with thousands of points words only the rows it
// shows.
class TLegendTexts
{
public:
    TLegendTexts(const TLegendItems& items, const TChartLegend& legend, const TLegendEvents& events,
                 const TChartCanvas& canvas)
        : items_(items), legend_(legend), events_(events), canvas_(canvas),
          texts_(static_cast<size_t>(items.Count())), widths_(texts_.size(), -1)
    {
    }

    // Text of item k, k counting from FirstValue.
    const std::string& Text(int k)
    {
        std::optional<std::string>& text = texts_[static_cast<size_t>(k)];
        if (!text) {
            const int item = legend_.FirstValue() + k;
            text = items_.Text(item, legend_.TextStyle());
            if (events_.OnGetLegendText)
                events_.OnGetLegendText(items_.Style(), item, *text);
        }
        return *text;
    }

    int Width(int k)
    {
        int& width = widths_[static_cast<size_t>(k)];
        if (width < 0)
            width = canvas_.MeasureWidth(Text(k));
        return width;
    }

private:
    const TLegendItems& items_;
    const TChartLegend& legend_;
    const TLegendEvents& events_;
    const TChartCanvas& canvas_;
    std::vector<std::optional<std::string>> texts_;
    std::vector<int> widths_;
};

// The frame, the shadow right of and below it, and the filled box.
void DrawBox(const TChartLegend& legend, TChartCanvas& canvas, const TChartRect& r)
{
    const TChartPen& frame = legend.Frame();
    const int shadow = legend.ShadowSize();
    canvas.ApplyChartPen(frame);
    TChartRect box = r;
    int extent = shadow - 1; // how far the shadow reaches beyond the right and bottom edges
    if (frame.Visible) {
        if (frame.Color == clAutomatic)
            canvas.Pen().color = clBlack;
        const int f = frame.Width;
        box = {r.left - f, r.top - f, r.right + f, r.bottom + f};
        extent = shadow + f + (f - 1) / 2;
    }
    if (shadow > 0) {
        canvas.Brush() = {legend.ShadowColor(), Qt::SolidPattern};
        canvas.FillArea({r.left + shadow, r.top + shadow, r.right + extent, r.bottom + extent});
    }
    const TChartBrush& brush = legend.Brush();
    if (brush.Style == Qt::SolidPattern) {
        canvas.Brush() = {legend.Color(), Qt::SolidPattern};
        canvas.SetBackgroundMode(bkTransparent);
    } else {
        // A hatch is drawn over the legend's colour.
        canvas.Brush() = {brush.Color == clAutomatic ? clBlack : brush.Color, brush.Style};
        canvas.SetBackgroundMode(bkOpaque);
        canvas.SetBackgroundColour(legend.Color());
    }
    canvas.BoxRect(box);
}

// The items in their grid, each text with its colour box to the left, and the dividing lines
// between neighbouring items.
void DrawItems(const TChartLegend& legend, const TLegendGeometry& g, const TLegendItems& items,
               TLegendTexts& texts, const TLegendEvents& events, TCustomChartPanel& panel)
{
    TChartCanvas3D& canvas = panel.Canvas();
    const TCanvasPen symbolPen{legend.Color() == clBlack ? clWhite : clBlack, 1, Qt::SolidLine};
    const TChartRect& r = g.LegendRect;
    const int h = g.ItemHeight;
    const int first = legend.FirstValue();
    const int last = std::min(items.Count(), g.Slots) + first - 1;
    for (int p = 0; first + p <= last; ++p) {
        // With Inverted the last item takes the first place.
        const int item = legend.Inverted() ? last - p : first + p;
        const int column = legend.Vertical() ? 0 : p % g.Columns;
        const int row = legend.Vertical() ? p : p / g.Columns;
        int x = g.TextX + column * (g.TextWidth + g.SymbolWidth + 4);
        int y = r.top + 1 + row * h;
        if (events.OnGetLegendPos)
            events.OnGetLegendPos(item, x, y);
        // A line comes before every item but the first: in a horizontal legend also before
        // the first item of each later row, at the legend's left edge.
        if (legend.DividingLines().Visible && p > 0) {
            canvas.ApplyChartPen(legend.DividingLines());
            canvas.SetBackgroundMode(bkTransparent);
            if (legend.Vertical())
                canvas.HorizontalLine(r.left, r.right, y);
            else
                canvas.VerticalLine(x - 4 - g.SymbolWidth - 4, r.top, r.bottom);
        }
        const std::string& text = texts.Text(item - first);
        canvas.Brush().style = Qt::NoBrush;
        canvas.SetBackgroundMode(bkTransparent);
        canvas.PutText(x, y, text);
        if (text.empty())
            continue;
        canvas.Pen() = symbolPen;
        items.DrawSymbol(item, {x - 4 - g.SymbolWidth, y + 2, x - 4, y + h - 2}, panel);
    }
}

} // namespace

void TChartLegend::Draw(TCustomChartPanel& panel, const std::vector<TChartSeries*>& active,
                        const TLegendEvents& events)
{
    drawn_ = false;
    const TLegendItems items(active, legendStyle_, firstValue_);
    effectiveStyle_ = items.Style();
    TChartCanvas3D& canvas = panel.Canvas();
    panel.SetLegendColor(color_);
    canvas.Font() = font_;
    canvas.FontColor() = fontColor_;
    canvas.SetTextAlignment(taLeft | taTop);

    TLegendTexts texts(items, *this, events, canvas);
    const TLegendSpace space{panel.PanelBounds(), panel.PlotRect(), panel.PlotWidth(),
                             panel.PlotCentreX()};
    geometry_ = LayoutLegend(*this, space, canvas.LineHeight(), items.Count(),
                             [&texts](int k) { return texts.Width(k); });
    if (events.OnGetLegendRect)
        events.OnGetLegendRect(geometry_.LegendRect);
    if (geometry_.Slots < 1)
        return;
    DrawBox(*this, canvas, geometry_.LegendRect);
    DrawItems(*this, geometry_, items, texts, events, panel);
    drawn_ = true;

    TakeLegendRoom(*this, geometry_.LegendRect, panel.PlotRect(), panel.PlotWidth(),
                   panel.PlotHeight());
    panel.RecalcPlot();
}

} // namespace tallyrun
