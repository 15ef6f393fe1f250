// The pie's marks: each slice's mark placed outside the circle along the slice's middle angle,
// with the box growing away from the circle from the arrow's tip.
#include "chart/axis_panel.h"
#include "chart/chart_math.h"
#include "chart/pie_series.h"

#include <algorithm>

namespace tallyrun {

namespace {

// The marks' font at this paint: in 3D with zoomed text, scaled by the zoom (never below 1).
QFont MarksFont(const TSeriesMarks& marks, TCustomAxisPanel& chart)
{
    QFont font = marks.Font();
    const TView3DOptions& view = chart.View3DOptions();
    if (!chart.View3D() || !view.ZoomText())
        return font;
    const double zoom = view.Zoom() * 0.01;
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, RoundHalfEven(font.pixelSize() * zoom)));
    else
        font.setPointSizeF(std::max(1, RoundHalfEven(font.pointSizeF() * zoom)));
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
