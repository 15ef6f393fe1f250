// The first step of every paint: the panel's background and its bevels.
#include "chart/chart_panel.h"

#include <QLinearGradient>
#include <QPainter>

namespace tallyrun {

namespace {

// A three-dimensional frame `width` pixels wide drawn inward from `rect`, which shrinks by
// that width: the top and left edges in `topColour`, the bottom and right edges (with both of
// their corners) in `bottomColour`.
void DrawFrame3D(TChartCanvas& canvas, TChartRect& rect, TColor topColour, TColor bottomColour,
                 int width)
{
    for (int ring = 0; ring < width; ++ring) {
        if (rect.Width() <= 0 || rect.Height() <= 0)
            return;
        const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
        // Each line leaves out its end point, as a polyline does.
        canvas.Pen().color = topColour;
        canvas.StraightLine(l, b, l, t);
        canvas.StraightLine(l, t, r, t);
        canvas.Pen().color = bottomColour;
        canvas.StraightLine(r, t, r, b);
        canvas.StraightLine(r, b, l - 1, b);
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
}

void DrawBevel(TChartCanvas& canvas, TChartRect& rect, TBevelCut cut, int width)
{
    switch (cut) {
    case bvNone:
        return;
    case bvLowered:
        DrawFrame3D(canvas, rect, clBtnShadow, clBtnHighlight, width);
        return;
    case bvRaised:
        DrawFrame3D(canvas, rect, clBtnHighlight, clBtnShadow, width);
        return;
    case bvSpace:
        DrawFrame3D(canvas, rect, clBtnHighlight, clBtnHighlight, width);
        return;
    }
}

} // namespace

void TCustomChartPanel::DrawPanelBackground()
{
    TChartCanvas3D& canvas = Canvas();
    const TChartRect& bounds = PanelBounds();
    if (gradient_.Visible && canvas.Target()) {
        QLinearGradient fill(0, bounds.top, 0, bounds.bottom);
        fill.setColorAt(0, ColorToQColor(gradient_.StartColor));
        fill.setColorAt(1, ColorToQColor(gradient_.EndColor));
        canvas.Target()->fillRect(QRect(bounds.left, bounds.top, bounds.Width(), bounds.Height()),
                                  fill);
    } else {
        canvas.Brush() = {color_, Qt::SolidPattern};
        canvas.FillArea(bounds);
    }
    canvas.Pen() = {clBlack, 1, Qt::SolidLine};
    canvas.Brush().style = Qt::NoBrush;
    TChartRect rect = bounds;
    DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
    DrawFrame3D(canvas, rect, color_, color_, borderWidth_);
    DrawBevel(canvas, rect, bevelInner_, bevelWidth_);
}

} // namespace tallyrun
