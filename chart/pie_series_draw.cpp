// Drawing the pie's slices: the explode, the 3D slices through the canvas's solid slice, and
// the flat wedges that share their edge pixels.
#include "chart/pie_series.h"

#include "chart/axis_panel.h"

#include <cstdlib>

namespace tallyrun {

Qt::BrushStyle PieSliceHatch(int valueIndex)
{
    static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                 Qt::FDiagPattern, Qt::BDiagPattern,
                                                 Qt::CrossPattern, Qt::DiagCrossPattern};
    return hatches[valueIndex % 6];
}

void TPieSeries::DrawPoints()
{
    TCustomAxisPanel* chart = Chart();
    if (!chart)
        return;
    ApplyExplodeBiggest();
    mostExploded_ = -1;
    for (int i = 0; i < PointCount(); ++i)
        if (ExplodedSlice(i) > 0 &&
            (mostExploded_ < 0 || ExplodedSlice(i) > ExplodedSlice(mostExploded_)))
            mostExploded_ = i;
    ComputeSliceAngles();

    TPieCircle& circle = MutableCircle();
    if (mostExploded_ >= 0) {
        // The whole pie gets smaller so that the slice pushed out furthest stays inside.
        const TScreenPoint d = SliceOffset(mostExploded_);
        circle.CircleBox.left += std::abs(d.x) / 2;
        circle.CircleBox.right -= std::abs(d.x) / 2;
        circle.CircleBox.top += std::abs(d.y) / 2;
        circle.CircleBox.bottom -= std::abs(d.y) / 2;
        circle.NormalizeCircleRect();
        circle.ComputeRadii(CustomXRadius(), CustomYRadius());
    }
    runningStart_ = PointAtAngle(0, circle.RadiusX, circle.RadiusY);

    if (chart->View3D() && mostExploded_ >= 0) {
        for (const int i : DepthOrder(angles_, RotationRadians()))
            DrawSlice(i);
    } else {
        for (int i = 0; i < PointCount(); ++i)
            DrawSlice(i);
    }
}

void TPieSeries::DrawSlice(int valueIndex)
{
    const TPieCircle& circle = Circle();
    if (circle.CircleWidth < 5 || circle.CircleHeight < 5 || InOtherSlice(valueIndex))
        return;
    TCustomAxisPanel& chart = *Chart();
    TChartCanvas3D& canvas = chart.Canvas();
    chart.PrepareBrush(PointColor(valueIndex),
                       UsePatterns() ? PieSliceHatch(valueIndex) : Qt::SolidPattern,
                       ResolvedCircleBackColor());
    canvas.ApplyChartPen(PiePen());

    const TSliceAngles& angles = SliceAngles()[static_cast<std::size_t>(valueIndex)];
    const TScreenPoint d = SliceOffset(valueIndex);
    const double rotation = RotationRadians();
    if (chart.View3D()) {
        canvas.SolidPieSlice(circle.CenterX + d.x, circle.CenterY - d.y, circle.RadiusX,
                             circle.RadiusY, Depth.StartZ, Depth.EndZ, angles.Start + rotation,
                             angles.End + rotation,
                             Dark3D() ? TSliceShading::DarkSides : TSliceShading::Plain,
                             mostExploded_ >= 0 ? TSliceSides::Drawn : TSliceSides::Omitted);
        return;
    }
    const TScreenPoint end = PointAtAngle(angles.End, circle.RadiusX, circle.RadiusY);
    // Two edges on one pixel are either an empty slice or, for a slice of nearly the whole
    // circle, a full one.
    const bool draw = !(end == runningStart_) || PointCount() == 1 || angles.End - angles.Start > 1;
    if (!draw)
        return;
    const TChartRect& box = circle.CircleBox;
    canvas.FlatPieSlice(box.left + d.x, box.top - d.y, box.right + d.x, box.bottom - d.y,
                        runningStart_.x + d.x, runningStart_.y - d.y, end.x + d.x, end.y - d.y);
    runningStart_ = end;
}

} // namespace tallyrun
