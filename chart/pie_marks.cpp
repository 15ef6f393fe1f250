// The pie's marks: each slice's mark placed outside the circle along the slice's middle angle,
// with the box growing away from the circle from the arrow's tip.
#include "chart/axis_panel.h"
#include "chart/chart_math.h"
#include "chart/pie_series.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace tallyrun {

namespace {

// Points per inch of a font size, and the resolution assumed when the device does not say.
constexpr int kPointsPerInch = 72;
constexpr int kScreenDpi = 96;

// The marks' font at this paint: in 3D with zoomed text, its size in points scaled by the zoom
// and rounded (never below 1 point). A font given in pixels is first turned into points at the
// drawing device's resolution, as the platform states a font's size: the program's 12-pixel
// font is 9 points at 96 dpi, so the wheel's zooms of 50, 80, 120 and 150 % draw it 5, 9, 15
// and 19 pixels high.
//
// The marks are the one text that follows the zoom. They do so while the view's ZoomText is
// on, as it is by default and always in this program, which never turns it off; the setting's
// other use, text drawn with a projected font, never happens on this canvas (every text is
// drawn flat at its projected place). So the view's text-zoom setting has no visible effect in
// this program.
QFont MarksFont(const TSeriesMarks& marks, TCustomAxisPanel& chart)
{
    QFont font = marks.Font();
    const TView3DOptions& view = chart.View3DOptions();
    if (!chart.View3D() || !view.ZoomText())
        return font;
    const double zoom = view.Zoom() * 0.01;
    if (font.pixelSize() <= 0) {
        font.setPointSizeF(std::max(1, RoundHalfEven(font.pointSizeF() * zoom)));
        return font;
    }
    const QPainter* target = chart.Canvas().Target();
    int dpi = target && target->device() ? target->device()->logicalDpiY() : 0;
    if (dpi <= 0)
        dpi = kScreenDpi;
    const int points = MulDiv(font.pixelSize(), kPointsPerInch, dpi);
    const int zoomed = std::max(1, RoundHalfEven(points * zoom));
    font.setPixelSize(std::max(1, MulDiv(zoomed, dpi, kPointsPerInch)));
    return font;
}

} // namespace

TSeriesMarkPosition TPieSeries::PlaceMark(int valueIndex, int width, int height)
{
    TChartCanvas3D& canvas = Chart()->Canvas();
    const TPieCircle& circle = Circle();
    const double grow = 1 + ExplodedSlice(valueIndex) / 100.0;
    const int rx = RoundHalfEven(circle.RadiusX * grow);
    const int ry = RoundHalfEven(circle.RadiusY * grow);
    const double middle = SliceAngles()[static_cast<std::size_t>(valueIndex)].Middle;
    const int arrow = Marks().ArrowLength();

    TSeriesMarkPosition position;
    position.ArrowTo =
        PointAtAngle(middle, ClampToInt32(std::int64_t{rx} + canvas.MeasureWidth("W") + arrow),
                     ClampToInt32(std::int64_t{ry} + canvas.LineHeight() + arrow));
    position.ArrowFrom = PointAtAngle(middle, rx, ry);
    position.LeftTop =
        MarkBoxLeftTop(position.ArrowTo, circle.CenterX, circle.CenterY, width, height);
    position.Width = width;
    position.Height = height;
    return position;
}

void TPieSeries::DrawPointMarks()
{
    TCustomAxisPanel* chart = Chart();
    if (!chart || SliceAngles().size() != static_cast<std::size_t>(PointCount()))
        return;
    TChartCanvas3D& canvas = chart->Canvas();
    TSeriesMarks& marks = Marks();
    Depth.MarksDepth = Depth.EndZ;
    const TMarkDrawContext context{chart->View3D(), ColorToRGB(chart->Color()), Depth.MarksDepth};
    const QFont font = MarksFont(marks, *chart);
    for (int i = 0; i < PointCount(); ++i) {
        if (IsNullPoint(i) || InOtherSlice(i))
            continue;
        const std::string text = BuildMarkText(i);
        if (text.empty())
            continue;
        canvas.Font() = font;
        canvas.FontColor() = marks.FontColor();
        int width = 0, height = 0;
        marks.MeasureBox(canvas, text, width, height);
        TSeriesMarkPosition& stored = marks.Positions().At(i);
        if (!stored.Custom)
            stored = PlaceMark(i, width, height);
        marks.DrawMark(canvas, context, stored, PointColor(i), text);
    }
}

} // namespace tallyrun
