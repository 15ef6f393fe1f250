#include "chart/pie_geometry.h"

#include "chart/chart_math.h"
#include "chart/position_sort.h"

#include <cmath>
#include <numbers>
#include <numeric>

namespace tallyrun {

namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

void TPieCircle::NormalizeCircleRect()
{
    TChartRect& r = CircleBox;
    if ((std::int64_t{r.right} - r.left) % 2 != 0)
        r.right -= 1;
    if ((std::int64_t{r.bottom} - r.top) % 2 != 0)
        r.bottom -= 1;
    if (std::int64_t{r.right} - r.left < 4)
        r.right = ClampToInt32(std::int64_t{r.left} + 4);
    if (std::int64_t{r.bottom} - r.top < 4)
        r.bottom = ClampToInt32(std::int64_t{r.top} + 4);
    CircleWidth = ClampToInt32(std::int64_t{r.right} - r.left);
    CircleHeight = ClampToInt32(std::int64_t{r.bottom} - r.top);
    // Halves rounded down, also for negative coordinates.
    CenterX = static_cast<int>(std::floor((std::int64_t{r.left} + r.right) / 2.0));
    CenterY = static_cast<int>(std::floor((std::int64_t{r.top} + r.bottom) / 2.0));
}

void TPieCircle::ComputeRadii(int customXRadius, int customYRadius)
{
    // 64-bit sums held in range: a custom radius may be any integer.
    if (customXRadius != 0) {
        RadiusX = customXRadius;
        CircleWidth = ClampToInt32(2 * std::int64_t{customXRadius});
    } else {
        RadiusX = CircleWidth / 2;
    }
    if (customYRadius != 0) {
        RadiusY = customYRadius;
        CircleHeight = ClampToInt32(2 * std::int64_t{customYRadius});
    } else {
        RadiusY = CircleHeight / 2;
    }
    CircleBox = {ClampToInt32(std::int64_t{CenterX} - RadiusX),
                 ClampToInt32(std::int64_t{CenterY} - RadiusY),
                 ClampToInt32(std::int64_t{CenterX} + RadiusX),
                 ClampToInt32(std::int64_t{CenterY} + RadiusY)};
}

void TPieCircle::MakeCircular(double aspect)
{
    const int roundY = RoundHalfEven(RadiusY * aspect);
    if (RadiusX > roundY) {
        const int d = RadiusX - roundY;
        CircleBox.left += d;
        CircleBox.right -= d;
    } else {
        const int d = RadiusY - RoundHalfEven(RadiusX / aspect);
        CircleBox.top += d;
        CircleBox.bottom -= d;
    }
    NormalizeCircleRect();
}

TScreenPoint TPieCircle::PointAtAngle(double angle, int rx, int ry, double rotation) const
{
    const double a = angle + rotation;
    return {ClampToInt32(std::int64_t{CenterX} + RoundHalfEven(std::cos(a) * rx)),
            ClampToInt32(std::int64_t{CenterY} - RoundHalfEven(std::sin(a) * ry))};
}

std::vector<TSliceAngles> ComputeSliceAngles(const std::vector<double>& values,
                                             const std::vector<bool>& inOtherSlice, double total)
{
    const double f = total != 0 ? 2 * kPi / total : 0;
    double sum = 0;
    std::vector<TSliceAngles> angles(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        TSliceAngles& slice = angles[i];
        slice.Start = i == 0 ? 0 : angles[i - 1].End;
        if (total == 0) {
            slice.End = 2 * kPi;
        } else {
            if (i >= inOtherSlice.size() || !inOtherSlice[i])
                sum += std::fabs(values[i]);
            slice.End = sum != total ? sum * f : 2 * kPi;
            if (slice.End - slice.Start > 2 * kPi)
                slice.End = slice.Start + 2 * kPi;
        }
        slice.Middle = (slice.Start + slice.End) / 2;
    }
    return angles;
}

TScreenPoint ExplodeOffset(double middle, double rotation, int radiusX, int radiusY, int percent)
{
    if (percent <= 0)
        return {};
    const double a = middle + rotation;
    return {RoundHalfEven(radiusX * percent / 100.0 * std::cos(a)),
            RoundHalfEven(radiusY * percent / 100.0 * std::sin(a))};
}

std::vector<int> DepthOrder(const std::vector<TSliceAngles>& angles, double rotation)
{
    std::vector<double> keys(angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        double a = angles[i].Middle + rotation;
        if (a > 2 * kPi)
            a -= 2 * kPi;
        if (a <= kPi / 2) {
            keys[i] = kPi / 2 - a;
        } else {
            const double b = a - kPi / 2;
            keys[i] = b <= kPi ? b : 2 * kPi - b;
        }
    }
    std::vector<int> order(angles.size());
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&](int position) {
        return keys[static_cast<std::size_t>(order[static_cast<std::size_t>(position)])];
    };
    QuickSortPositions(
        0, static_cast<int>(order.size()) - 1,
        [&](int a, int b) { return key(a) < key(b) ? -1 : (key(a) > key(b) ? 1 : 0); },
        [&](int a, int b) {
            std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
        });
    return order;
}

TScreenPoint MarkBoxLeftTop(TScreenPoint arrowTip, int centerX, int centerY, int width, int height)
{
    return {arrowTip.x > centerX ? arrowTip.x : arrowTip.x - width,
            arrowTip.y > centerY ? arrowTip.y : arrowTip.y - height};
}

} // namespace tallyrun
