// The 3D pie slice: two sides, the filled cap at the back depth and the rim bands where the
// cap's arc runs left to right on the screen.
#include "chart/chart_canvas3d.h"
#include "chart/chart_math.h"

#include <cmath>
#include <vector>

namespace tallyrun {

namespace {

constexpr int kSideShade = 32;

// The rim bands are found on the cap's arc, whose points are one-based (index 0 is unused)
// and run from 1 to n. A band is drawn along a run of points where the arc moves right on
// the screen.
using TArcPoints = std::vector<TScreenPoint>;

// Whether the arc moves right on the screen from point i-1 to point i.
bool MovesRight(const TArcPoints& cap, int i)
{
    return cap[i].x > cap[i - 1].x;
}

// The point from which the arc first moves right; 0 when it never does.
int FirstBandStart(const TArcPoints& cap, int n)
{
    int next = 2;
    while (next <= n && !MovesRight(cap, next))
        ++next;
    return next > n ? 0 : next - 1;
}

// Where the first band ends: the first point, from two past `start` on, after which the arc
// moves left; else the last point when the arc's last step does not move left; else 0.
int FirstBandEnd(const TArcPoints& cap, int n, int start)
{
    for (int j = start + 2; j <= n - 1; ++j) {
        const bool turnsLeft = cap[j + 1].x < cap[j].x;
        if (turnsLeft)
            return j;
    }
    const bool lastStepNotLeft = cap[n].x >= cap[n - 1].x;
    return lastStepNotLeft ? n : 0;
}

// Where the run of rightward steps that ends at the last point begins, walking back from
// n-1; 1 when it reaches the first point.
int LastBandStart(const TArcPoints& cap, int n)
{
    int k = n - 1;
    while (k != 1 && MovesRight(cap, k))
        --k;
    return k;
}

// A band's outline: the cap's points from `from` to `to`, then the base's back again.
std::vector<TScreenPoint> BandOutline(const TArcPoints& cap, const TArcPoints& base, int from,
                                      int to)
{
    std::vector<TScreenPoint> points;
    points.reserve(static_cast<std::size_t>(2 * (to - from + 1)));
    for (int i = from; i <= to; ++i)
        points.push_back(cap[i]);
    for (int i = to; i >= from; --i)
        points.push_back(base[i]);
    return points;
}

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

// The slice's arc projected at the cap's and at the base's depth, with the projected centres.
struct TChartCanvas3D::TSliceArcs
{
    // One-based, as the rim rules count them; index 0 is unused.
    TArcPoints cap, base;
    int n = 0;
    std::int32_t xCentre = 0;
    TScreenPoint centre, baseCentre;
};

TChartCanvas3D::TSliceArcs
TChartCanvas3D::ProjectSliceArcs(std::int32_t xCentre, std::int32_t yCentre, std::int32_t xRadius,
                                 std::int32_t yRadius, std::int32_t baseZ, std::int32_t capZ,
                                 double startAngle, double endAngle) const
{
    TSliceArcs arcs;
    const int n = ArcPointCount(startAngle, endAngle);
    arcs.n = n;
    arcs.xCentre = xCentre;
    arcs.centre = ProjectPoint(xCentre, yCentre, capZ);
    arcs.baseCentre = ProjectPoint(xCentre, yCentre, baseZ);
    arcs.cap.resize(static_cast<std::size_t>(n + 1));
    arcs.base.resize(static_cast<std::size_t>(n + 1));
    const double step = (endAngle - startAngle) / (n - 1);
    double angle = startAngle;
    for (int i = 1; i <= n; ++i) {
        const std::int32_t x =
            ClampToInt32(std::int64_t{xCentre} + RoundHalfEven(xRadius * std::cos(angle)));
        const std::int32_t y =
            ClampToInt32(std::int64_t{yCentre} - RoundHalfEven(yRadius * std::sin(angle)));
        arcs.cap[i] = ProjectPoint(x, y, capZ);
        arcs.base[i] = ProjectPoint(x, y, baseZ);
        angle += step;
    }
    return arcs;
}

void TChartCanvas3D::ShadeSide(TColor fill, TSliceShading shading)
{
    if (shading == TSliceShading::DarkSides)
        SetFillColour(DarkenColor(fill, kSideShade));
}

// The flat sides from the centre to the arc's ends, where they face the viewer.
void TChartCanvas3D::DrawSliceSides(const TSliceArcs& arcs, TColor fill, TSliceShading shading)
{
    const TArcPoints& cap = arcs.cap;
    const TArcPoints& base = arcs.base;
    const int n = arcs.n;
    if (cap[n].x < arcs.xCentre) {
        ShadeSide(fill, shading);
        Polygon({arcs.centre, cap[n], base[n], arcs.baseCentre});
    }
    if (cap[1].x > arcs.xCentre) {
        ShadeSide(fill, shading);
        Polygon({arcs.centre, cap[1], base[1], arcs.baseCentre});
    }
}

void TChartCanvas3D::DrawSliceCap(const TSliceArcs& arcs)
{
    std::vector<TScreenPoint> capPolygon(arcs.cap.begin() + 1, arcs.cap.end());
    capPolygon.insert(capPolygon.begin(), arcs.centre);
    Polygon(capPolygon);
}

// The rim: a band where the arc first runs right on the screen and, when the arc turns and
// runs right again up to its last point, a second one there.
void TChartCanvas3D::DrawRimBands(const TSliceArcs& arcs, TColor fill, TSliceShading shading)
{
    const TArcPoints& cap = arcs.cap;
    const int n = arcs.n;
    const auto drawBand = [&](int from, int to) {
        ShadeSide(fill, shading);
        Polygon(BandOutline(cap, arcs.base, from, to));
    };
    const int firstStart = FirstBandStart(cap, n);
    if (firstStart == 0)
        return;
    const int firstEnd = FirstBandEnd(cap, n, firstStart);
    if (firstEnd != 0)
        drawBand(firstStart, firstEnd);
    if (firstEnd != n && MovesRight(cap, n)) {
        const int lastStart = LastBandStart(cap, n);
        if (lastStart > 1)
            drawBand(lastStart, n);
    }
}

void TChartCanvas3D::SolidPieSlice(std::int32_t xCentre, std::int32_t yCentre, std::int32_t xRadius,
                                   std::int32_t yRadius, std::int32_t baseZ, std::int32_t capZ,
                                   double startAngle, double endAngle, TSliceShading shading,
                                   TSliceSides sides)
{
    const TSliceArcs arcs =
        ProjectSliceArcs(xCentre, yCentre, xRadius, yRadius, baseZ, capZ, startAngle, endAngle);
    const TColor fill = FillColour();
    if (sides == TSliceSides::Drawn)
        DrawSliceSides(arcs, fill, shading);
    SetFillColour(fill);
    DrawSliceCap(arcs);
    DrawRimBands(arcs, fill, shading);
}

} // namespace tallyrun
