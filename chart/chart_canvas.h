// The screen-space drawing of the chart: thin covers of the drawing calls on the current
// target (a QPainter on the window, the off-screen buffer or an export bitmap). They keep the
// conventions the chart's geometry is written for: a rectangle covers left..right-1 and
// top..bottom-1, a line leaves out its end point, a pen of width 1 is one pixel, text is placed
// by its top-left corner, and nothing is antialiased.
#pragma once

#include "chart/chart_color.h"
#include "chart/chart_pen.h"
#include "chart/chart_rect.h"
#include "chart/projection.h"
#include "chart/text_cache.h"

#include <QFont>
#include <Qt>

#include <string>
#include <vector>

class QImage;
class QPainter;

namespace tallyrun {

enum TBackgroundMode
{
    bkTransparent = 1,
    bkOpaque = 2
};

// Text alignment flags, as the drawing platform numbers them.
constexpr int taLeft = 0;
constexpr int taRight = 2;
constexpr int taCenter = 6;
constexpr int taTop = 0;
constexpr int taBottom = 8;
constexpr int taBaseline = 24;

// The drawing pen. Qt::NoPen is the clear pen; Qt::CustomDashLine here means every other pixel.
struct TCanvasPen
{
    TColor color = clBlack;
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;
};

// The drawing brush. Qt::NoBrush is the clear brush; hatch styles draw over the background
// colour when the background mode is opaque.
struct TCanvasBrush
{
    TColor color = clWhite;
    Qt::BrushStyle style = Qt::SolidPattern;
};

class TChartCanvas
{
public:
    TChartCanvas();
    virtual ~TChartCanvas() = default;
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;

    // The painter every primitive draws on; null between paints (then only measuring works).
    QPainter* Target() const { return target_; }
    void SetTarget(QPainter* target) { target_ = target; }

    TCanvasPen& Pen() { return pen_; }
    TCanvasBrush& Brush() { return brush_; }
    const TCanvasBrush& Brush() const { return brush_; }
    QFont& Font() { return font_; }
    TColor& FontColor() { return fontColor_; }
    TColor BackgroundColour() const { return backgroundColour_; }
    TBackgroundMode BackgroundMode() const { return backgroundMode_; }

    // The elliptic wedge in the box (x1, y1)-(x2, y2) from the radial through (x3, y3)
    // counter-clockwise to the radial through (x4, y4); the whole ellipse when both radials
    // fall on the same angle.
    void FlatPieSlice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void StraightLine(int x0, int y0, int x1, int y1);
    void HorizontalLine(int x0, int x1, int y) { StraightLine(x0, y, x1, y); }
    void VerticalLine(int x, int y0, int y1) { StraightLine(x, y0, x, y1); }
    // Filled with the brush and outlined with the pen.
    void BoxRect(const TChartRect& rect);
    void BoxRect(int left, int top, int right, int bottom) { BoxRect({left, top, right, bottom}); }
    // Filled with the brush; no outline.
    void FillArea(const TChartRect& rect);
    // A closed polygon filled with the brush (alternate filling) and outlined with the pen.
    void Polygon(const std::vector<TScreenPoint>& points);
    // The text (UTF-8) in the font colour at (x, y) by the text alignment.
    void PutText(int x, int y, const std::string& text);
    int MeasureWidth(const std::string& text) const;
    int MeasureHeight(const std::string& text) const;
    int LineHeight() const { return MeasureHeight("W"); }
    // Forgets every measured and laid-out text (for measuring the cost of new texts).
    void ResetTextCache() { textCache_ = TTextCache(); }
    void SetBackgroundMode(TBackgroundMode mode) { backgroundMode_ = mode; }
    void SetBackgroundColour(TColor colour) { backgroundColour_ = ColorToRGB(colour); }
    void SetTextAlignment(int flags) { textAlignment_ = flags; }
    void ApplyChartPen(const TChartPen& pen);
    // Pen black, width 1, solid; brush white, solid; font black, 10 points; background
    // white and transparent.
    void ResetDrawingState();
    // `image` copied unscaled with its top-left corner at (x, y): one block copy.
    void CopyImage(int x, int y, const QImage& image);

private:
    // Which of the current pen and brush a drawing call uses; the one left out is off.
    enum class TStateParts
    {
        Neither,
        Pen,
        Brush,
        PenAndBrush
    };
    void ApplyState(TStateParts parts) const;

    QPainter* target_ = nullptr;
    TCanvasPen pen_;
    TCanvasBrush brush_;
    QFont font_;
    // Texts measured and laid out in earlier calls and paints.
    mutable TTextCache textCache_;
    TColor fontColor_ = clBlack;
    TColor backgroundColour_ = clWhite;
    TBackgroundMode backgroundMode_ = bkTransparent;
    int textAlignment_ = taLeft | taTop;
};

} // namespace tallyrun
