// The 3D pie slice: two sides, the filled cap at the back depth and the rim bands where the
// cap's arc runs left to right on the screen.
#include "chart/chart_canvas3d.h"

#include "chart/chart_math.h"

#include <cmath>
#include <vector>

namespace tallyrun {

namespace {

constexpr int kSideShade = 32;

} // namespace

// The colour the slice is filled with: the brush colour, or for a hatch the colour behind it.
TColor TChartCanvas3D::FillColour() const
{
    return Brush().style == Qt::SolidPattern ? Brush().color : BackgroundColour();
}

void TChartCanvas3D::SetFillColour(TColor colour)
{
    if (Brush().style == Qt::SolidPattern)
        Brush().color = colour;
    else
        SetBackgroundColour(colour);
}

void TChartCanvas3D::SolidPieSlice(std::int32_t xCentre, std::int32_t yCentre, std::int32_t xRadius,
                                   std::int32_t yRadius, std::int32_t baseZ, std::int32_t capZ,
                                   double startAngle, double endAngle, bool shadeSides,
                                   bool withSides)
{
    const int n = ArcPointCount(startAngle, endAngle);
    const TScreenPoint centre = ProjectPoint(xCentre, yCentre, capZ);
    // One-based, as the rim rules below count them; index 0 is unused.
    std::vector<TScreenPoint> cap(n + 1), base(n + 1);
    const double step = (endAngle - startAngle) / (n - 1);
    double angle = startAngle;
    for (int i = 1; i <= n; ++i) {
        const std::int32_t x =
            ClampToInt32(std::int64_t{xCentre} + RoundHalfEven(xRadius * std::cos(angle)));
        const std::int32_t y =
            ClampToInt32(std::int64_t{yCentre} - RoundHalfEven(yRadius * std::sin(angle)));
        cap[i] = ProjectPoint(x, y, capZ);
        base[i] = ProjectPoint(x, y, baseZ);
        angle += step;
    }

    const TColor fill = FillColour();
    const auto shade = [&] {
        if (shadeSides)
            SetFillColour(DarkenColor(fill, kSideShade));
    };
    if (withSides) {
        const TScreenPoint baseCentre = ProjectPoint(xCentre, yCentre, baseZ);
        if (cap[n].x < xCentre) {
            shade();
            Polygon({centre, cap[n], base[n], baseCentre});
        }
        if (cap[1].x > xCentre) {
            shade();
            Polygon({centre, cap[1], base[1], baseCentre});
        }
    }
    SetFillColour(fill);

    std::vector<TScreenPoint> capPolygon(cap.begin() + 1, cap.end());
    capPolygon.insert(capPolygon.begin(), centre);
    Polygon(capPolygon);

    const auto band = [&](int s, int e) {
        shade();
        std::vector<TScreenPoint> points;
        points.reserve(static_cast<std::size_t>(2 * (e - s + 1)));
        for (int i = s; i <= e; ++i)
            points.push_back(cap[i]);
        for (int i = e; i >= s; --i)
            points.push_back(base[i]);
        Polygon(points);
    };

    int i = 2;
    while (i <= n && !(cap[i].x > cap[i - 1].x))
        ++i;
    if (i > n)
        return;
    const int start = i - 1;
    int end = 0; // 0: unset
    for (int j = i + 1; j <= n - 1; ++j) {
        if (cap[j + 1].x < cap[j].x) {
            end = j;
            break;
        }
    }
    if (end == 0 && cap[n].x >= cap[n - 1].x)
        end = n;
    if (end != 0)
        band(start, end);
    if (end != n && cap[n].x > cap[n - 1].x) {
        int k = n - 1;
        while (k != 1 && cap[k].x > cap[k - 1].x)
            --k;
        if (k > 1)
            band(k, n);
    }
}

} // namespace tallyrun
