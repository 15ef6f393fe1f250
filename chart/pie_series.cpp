#include "chart/pie_series.h"

#include "chart/axis_panel.h"

#include <cmath>
#include <numbers>

namespace tallyrun {

void TPieOtherSlice::SetStyle(TPieOtherStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    owner_.RequestRepaint();
}

void TPieOtherSlice::SetText(const std::string& value)
{
    if (value == text_)
        return;
    text_ = value;
    owner_.RequestRepaint();
}

void TPieOtherSlice::SetValue(double value)
{
    if (value == value_)
        return;
    value_ = value;
    owner_.RequestRepaint();
}

TPieSeries::TPieSeries()
{
    XValues().SetName("");
    PieValues().SetName("円");
    SetColorEachPoint(true);
    Marks().SetVisible(true);
    Marks().SetArrowLength(8);
}

void TPieSeries::SetExplodeBiggest(int value)
{
    if (value == explodeBiggest_)
        return;
    explodeBiggest_ = value;
    ApplyExplodeBiggest();
    RequestRepaint();
}

void TPieSeries::ApplyExplodeBiggest()
{
    if (explodeBiggest_ <= 0)
        return;
    const int biggest = PieValues().IndexOfValue(PieValues().HighestValue());
    if (biggest >= 0)
        SetExplodedSlice(biggest, explodeBiggest_);
}

int TPieSeries::ExplodedSlice(int valueIndex) const
{
    if (valueIndex < 0 || static_cast<std::size_t>(valueIndex) >= exploded_.size())
        return 0;
    return exploded_[static_cast<std::size_t>(valueIndex)];
}

void TPieSeries::SetExplodedSlice(int valueIndex, int percent)
{
    if (valueIndex < 0)
        return;
    const auto at = static_cast<std::size_t>(valueIndex);
    if (at >= exploded_.size())
        exploded_.resize(at + 1, 0);
    SetAndRepaint(exploded_[at], percent);
}

void TPieSeries::PointRemoved(int valueIndex)
{
    if (static_cast<std::size_t>(valueIndex) < exploded_.size())
        exploded_.erase(exploded_.begin() + valueIndex);
}

void TPieSeries::PointsExchanged(int a, int b)
{
    if (exploded_.size() < static_cast<std::size_t>(PointCount()))
        exploded_.resize(static_cast<std::size_t>(PointCount()), 0);
    std::swap(exploded_[static_cast<std::size_t>(a)], exploded_[static_cast<std::size_t>(b)]);
}

bool TPieSeries::InOtherSlice(int valueIndex) const
{
    return XValues().ValueAt(valueIndex) == -1;
}

int TPieSeries::LegendItemCount() const
{
    int count = 0;
    for (int i = 0; i < PointCount(); ++i)
        count += !InOtherSlice(i);
    return count;
}

int TPieSeries::LegendItemToPoint(int row) const
{
    int seen = -1;
    for (int i = 0; i < PointCount(); ++i)
        if (!InOtherSlice(i) && ++seen == row)
            return i;
    return row;
}

void TPieSeries::AdjustLegendSymbolFill(int valueIndex, TLegendSymbolFill& fill) const
{
    fill.Background = CircleBackColor();
    if (UsePatterns() && valueIndex >= 0)
        fill.Style = PieSliceHatch(valueIndex);
}

void TPieSeries::PrepareForPaint()
{
    if (PieValues().Order() != loNone)
        PieValues().SortByOrder();
    for (int i = 0; i < PointCount(); ++i)
        if (XValues().ValueAt(i) == kOtherSliceX) {
            RemovePoint(i);
            break;
        }
    XValues().Renumber();
    if (otherSlice_.Style() != poNone)
        BuildOtherSlice();
}

void TPieSeries::BuildOtherSlice()
{
    const double total = PieValues().AbsValueSum();
    if (!(total > 0))
        return;
    double sum = 0;
    for (int i = 0; i < PointCount(); ++i) {
        double value = PieValues().ValueAt(i);
        if (otherSlice_.Style() == poBelowPercent)
            value = value * 100 / total;
        if (value < otherSlice_.Value()) {
            XValues().SetValue(i, -1);
            sum += PieValues().ValueAt(i);
        }
    }
    if (sum == 0)
        return;
    InsertPoint(kOtherSliceX, sum, otherSlice_.Text(), clAutomatic);
    // The grouped points are already in the total.
    PieValues().SetCachedAbsValueSum(PieValues().AbsValueSum() - sum);
}

void TPieSeries::ComputeSliceAngles()
{
    std::vector<double> values(static_cast<std::size_t>(PointCount()));
    std::vector<bool> folded(values.size());
    for (int i = 0; i < PointCount(); ++i) {
        values[static_cast<std::size_t>(i)] = PieValues().ValueAt(i);
        folded[static_cast<std::size_t>(i)] = InOtherSlice(i);
    }
    angles_ = tallyrun::ComputeSliceAngles(values, folded, PieValues().AbsValueSum());
}

TScreenPoint TPieSeries::SliceOffset(int valueIndex) const
{
    if (mostExploded_ < 0 || static_cast<std::size_t>(valueIndex) >= angles_.size())
        return {};
    return ExplodeOffset(angles_[static_cast<std::size_t>(valueIndex)].Middle, RotationRadians(),
                         Circle().RadiusX, Circle().RadiusY, ExplodedSlice(valueIndex));
}

int TPieSeries::SliceAtPoint(int x, int y) const
{
    TCustomAxisPanel* chart = Chart();
    if (!chart || angles_.size() != static_cast<std::size_t>(PointCount()))
        return -1;
    const TScreenPoint p = chart->Canvas().UnprojectPoint(x, y, 0);
    const TPieCircle& c = Circle();
    constexpr double pi = std::numbers::pi;
    double angle;
    if (p.x == c.CenterX)
        angle = p.y > c.CenterY ? -pi / 2 : pi / 2;
    else if (c.RadiusX == 0 || c.RadiusY == 0)
        angle = 0;
    else
        angle =
            std::atan2(double(c.CenterY - p.y) / c.RadiusY, double(p.x - c.CenterX) / c.RadiusX);
    if (angle < 0)
        angle += 2 * pi;
    angle -= RotationRadians();
    if (angle < 0)
        angle += 2 * pi;
    for (int i = 0; i < PointCount(); ++i) {
        const TScreenPoint d = SliceOffset(i);
        const TSliceAngles& a = angles_[static_cast<std::size_t>(i)];
        if (std::abs(p.x - c.CenterX) < c.RadiusX + d.x &&
            std::abs(p.y - c.CenterY) < c.RadiusY + d.y && a.Start <= angle && angle <= a.End)
            return i;
    }
    return -1;
}

} // namespace tallyrun
