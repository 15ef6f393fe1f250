#include "chart/axis_panel.h"

#include "chart/chart_math.h"

#include <QPainter>

#include <algorithm>

namespace tallyrun {

TCustomAxisPanel::TCustomAxisPanel(QWidget* parent)
    : TCustomChartPanelExtended(parent), backWall_(this, clAutomatic), leftWall_(this, 0x80FFFF),
      bottomWall_(this, clWhite)
{
    backWall_.SetBrushStyle(Qt::NoBrush);
    axes_[axDepth].Visible = false;
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    destroying_ = true;
    const std::vector<TChartSeries*> attached = series_;
    for (TChartSeries* series : attached)
        series->SetParentChart(nullptr);
}

void TCustomAxisPanel::AttachSeries(TChartSeries* series)
{
    if (!series || std::find(series_.begin(), series_.end(), series) != series_.end())
        return;
    series_.push_back(series);
    RequestChartRepaint();
}

void TCustomAxisPanel::DetachSeries(TChartSeries* series)
{
    const auto it = std::find(series_.begin(), series_.end(), series);
    if (it == series_.end())
        return;
    series_.erase(it);
    if (!destroying_)
        RequestChartRepaint();
}

void TCustomAxisPanel::SetBackColor(TColor value)
{
    backWall_.SetColor(value);
    backWall_.SetBrushStyle(Qt::SolidPattern);
}

std::vector<TChartSeries*> TCustomAxisPanel::ActiveSeries() const
{
    std::vector<TChartSeries*> active;
    for (TChartSeries* series : series_)
        if (series->Active())
            active.push_back(series);
    return active;
}

void TCustomAxisPanel::AssignZOrders(const std::vector<TChartSeries*>& active)
{
    maxZOrder_ = -1;
    for (TChartSeries* series : active) {
        if (!View3D()) {
            series->Depth.ZOrder = 0;
        } else if (series->FixedZOrder() >= 0) {
            series->Depth.ZOrder = series->FixedZOrder();
            maxZOrder_ = std::max(maxZOrder_, series->Depth.ZOrder);
        } else {
            series->Depth.ZOrder = ++maxZOrder_;
        }
    }
    if (!View3D())
        maxZOrder_ = 0;
}

void TCustomAxisPanel::ComputeDepth()
{
    if (!View3D()) {
        seriesDepth_ = depthWidth_ = depthHeight_ = 0;
        return;
    }
    const double k = View3DOptions().Orthogonal() ? 1 : 2;
    seriesDepth_ = RoundHalfEven(PlotWidth() * Chart3DPercent() * 0.001 * k);
    depthWidth_ = depthHeight_ = seriesDepth_ * std::max(1, maxZOrder_ + 1);
}

void TCustomAxisPanel::DrawChart()
{
    TChartCanvas3D& canvas = Canvas();
    DrawPanelBackground();
    const std::vector<TChartSeries*> active = ActiveSeries();
    for (TChartSeries* series : active)
        series->PrepareForPaint();

    canvas.BeginFlatDrawing();
    DrawTitlesAndLegend();
    canvas.EndFlatDrawing();

    AssignZOrders(active);
    ComputeDepth();
    if (View3D() && View3DOptions().Orthogonal()) {
        const int wall = view3DWalls_ ? backWall_.Size() : 0;
        PlotRect().right -= depthWidth_ + wall;
        PlotRect().top += depthHeight_ + wall;
    }
    // Axes are not drawn by this program, so they take no room for labels.
    RecalcPlot();

    for (TChartSeries* series : active) {
        const int slot = View3D() ? maxZOrder_ - series->Depth.ZOrder : 0;
        TChartSeries::TDepthBand& band = series->Depth;
        band.StartZ = seriesDepth_ * slot;
        band.EndZ = band.StartZ + seriesDepth_;
        band.MiddleZ = (band.StartZ + band.EndZ) / 2;
        band.MarksDepth = band.MiddleZ;
    }
    canvas.SetProjectionCentre(depthWidth_, PanelBounds(), PlotRect());
    DrawBackWall();
    if (axisVisible_ && OnBeforeDrawAxes)
        OnBeforeDrawAxes(*this);
    if (OnBeforeDrawSeries)
        OnBeforeDrawSeries(*this);
    for (TChartSeries* series : active)
        DrawSeries(*series);
    canvas.ResetDrawingState();
    if (OnAfterDraw)
        OnAfterDraw(*this);
}

void TCustomAxisPanel::DrawBackWall()
{
    // Walls in 3D are drawn only with View3DWalls, which this program turns off.
    if (View3D())
        return;
    TChartCanvas3D& canvas = Canvas();
    canvas.ApplyChartPen(backWall_.Pen());
    if (backWall_.Color() == clAutomatic && backWall_.BrushStyle() == Qt::SolidPattern)
        canvas.Brush().style = Qt::NoBrush;
    else
        PrepareBrush(backWall_.Color(), backWall_.BrushStyle(), backWall_.BrushColor());
    const TChartRect& plot = PlotRect();
    canvas.BoxRect(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
}

void TCustomAxisPanel::DrawSeries(TChartSeries& series)
{
    if (!series.HasVisiblePoints())
        return;
    TChartCanvas3D& canvas = Canvas();
    QPainter* target = canvas.Target();
    const TChartRect& plot = PlotRect();
    const QRect clip(plot.left, plot.top, plot.Width(), plot.Height());
    const auto clipTo = [target, clip](bool on) {
        if (target)
            target->setClipRect(clip, on ? Qt::ReplaceClip : Qt::NoClip);
    };
    series.BeginDrawValues();
    clipTo(clipPoints_);
    series.DrawPoints();
    clipTo(false);
    if (series.MarksVisible()) {
        clipTo(series.MarksClipped());
        series.DrawPointMarks();
        clipTo(false);
    }
    series.EndDrawValues();
}

} // namespace tallyrun
