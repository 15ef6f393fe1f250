// The chart panel's base: a widget that owns the view options and the drawing surface, keeps
// the painting properties and the geometry of one paint, and paints itself through the
// off-screen buffer. Screen, buffer and bitmap export all go through PaintTo.
#pragma once

#include "chart/chart_canvas3d.h"
#include "chart/chart_color.h"
#include "chart/chart_rect.h"
#include "chart/repaint_owner.h"
#include "chart/view3d_options.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <string>

namespace tallyrun {

enum TBevelCut
{
    bvNone,
    bvLowered,
    bvRaised,
    bvSpace
};

// A background gradient from StartColor at the top to EndColor at the bottom.
struct TChartGradient
{
    bool Visible = false;
    TColor StartColor = clWhite;
    TColor EndColor = 0x00FFFF; // yellow
    friend bool operator==(const TChartGradient&, const TChartGradient&) = default;
};

class TCustomChartPanel : public QWidget, public TChartRepaintOwner
{
public:
    explicit TCustomChartPanel(QWidget* parent = nullptr);
    ~TCustomChartPanel() override;

    TView3DOptions& View3DOptions() { return *view3DOptions_; }
    TChartCanvas3D& Canvas() { return *canvas_; }

    TColor Color() const { return color_; }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    TBevelCut BevelInner() const { return bevelInner_; }
    int BevelWidth() const { return bevelWidth_; }
    int BorderWidth() const { return borderWidth_; }
    int MarginLeft() const { return marginLeft_; }
    int MarginTop() const { return marginTop_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    bool View3D() const { return view3D_; }
    int Chart3DPercent() const { return chart3DPercent_; }
    bool Monochrome() const { return canvas_->Monochrome(); }
    const TChartGradient& Gradient() const { return gradient_; }

    void SetColor(TColor value) { SetProperty(color_, value); }
    void SetBevelOuter(TBevelCut value) { SetProperty(bevelOuter_, value); }
    void SetBevelInner(TBevelCut value) { SetProperty(bevelInner_, value); }
    void SetBevelWidth(int value) { SetProperty(bevelWidth_, value); }
    void SetBorderWidth(int value) { SetProperty(borderWidth_, value); }
    void SetMarginLeft(int value) { SetProperty(marginLeft_, value); }
    void SetMarginTop(int value) { SetProperty(marginTop_, value); }
    void SetMarginRight(int value) { SetProperty(marginRight_, value); }
    void SetMarginBottom(int value) { SetProperty(marginBottom_, value); }
    void SetView3D(bool value) { SetProperty(view3D_, value); }
    // 1 to 100; any other value raises ChartException and keeps the old one.
    void SetChart3DPercent(int value);
    void SetMonochrome(bool value) { canvas_->SetMonochrome(value); }
    void SetGradient(const TChartGradient& value) { SetProperty(gradient_, value); }

    // Geometry of the current paint, valid until the next one.
    const TChartRect& PanelBounds() const { return panelBounds_; }
    TChartRect& PlotRect() { return plotRect_; }
    int PlotWidth() const { return plotWidth_; }
    int PlotHeight() const { return plotHeight_; }
    int PlotCentreX() const { return plotCentreX_; }
    int PlotCentreY() const { return plotCentreY_; }
    // Holds the plot rectangle inside the panel and derives width, height and centre; run
    // after every change of the plot rectangle.
    void RecalcPlot();
    // The legend's background colour in the current paint, which the series' colour boxes
    // in the legend fall back to. The legend sets it before it draws.
    TColor LegendColor() const { return legendColor_; }
    void SetLegendColor(TColor value) { legendColor_ = value; }

    // Marks the drawing dirty and invalidates the window; many requests between two paints
    // cost one paint. Nothing while the panel is being built.
    void RequestChartRepaint() override;

    // Paints the whole chart for `userRect` onto `target`.
    void PaintTo(QPainter* target, const TChartRect& userRect);
    // What the window's paint request does: one copy of the buffer when nothing changed,
    // else PaintTo. `window` paints on the client area.
    void PaintRequest(QPainter* window);

    // The brush for a slice or wall: hatches of the background colour become black (white on
    // black) so they stay visible; a hatch gets an opaque background.
    void PrepareBrush(TColor colour, Qt::BrushStyle style, TColor backgroundColour);

    // A new image of `rect`'s size with the whole chart drawn straight into it.
    QImage RenderBitmap(TColor colour, const TChartRect& rect);
    // The client area as a BMP file; raises EFCreateError when the file cannot be written,
    // leaving any existing file as it was.
    void ExportBitmapFile(const std::string& fileName);

protected:
    // The drawing sequence over PanelBounds; the axis panel fills it in.
    virtual void DrawChart() = 0;
    // Background, back image and bevels: the first step of the drawing sequence.
    void DrawPanelBackground();
    // Compares, stores and requests a repaint.
    template <typename T> void SetProperty(T& field, const T& value)
    {
        StoreAndRepaint(field, value, static_cast<TChartRepaintOwner*>(this));
    }
    // Turned on when the most derived panel is complete.
    void EnableRepaints() { repaintsEnabled_ = true; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<TView3DOptions> view3DOptions_;
    std::unique_ptr<TChartCanvas3D> canvas_;
    bool repaintsEnabled_ = false;
    // True while DrawChart runs.
    bool painting_ = false;
    // True from a paint event whose drawing failed to the next repaint request.
    bool paintFailed_ = false;

    TColor color_ = clBtnFace;
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    int marginLeft_ = 3, marginTop_ = 4, marginRight_ = 3, marginBottom_ = 4;
    bool view3D_ = true;
    int chart3DPercent_ = 15;
    TChartGradient gradient_;

    TChartRect panelBounds_;
    TChartRect plotRect_;
    int plotWidth_ = 0, plotHeight_ = 0, plotCentreX_ = 0, plotCentreY_ = 0;
    TColor legendColor_ = clWhite;
};

} // namespace tallyrun
