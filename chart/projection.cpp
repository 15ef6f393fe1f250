#include "chart/projection.h"

#include "chart/chart_math.h"
#include "chart/view3d_options.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tallyrun {

namespace {

constexpr double kMinimumScale = 0.00001;

// Division truncating toward zero, on 64 bits so the sum of two coordinates cannot overflow.
std::int32_t HalfOfSum(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>((static_cast<std::int64_t>(a) + b) / 2);
}

} // namespace

TProjectionCoefficients ComputeCoefficients(std::int32_t rotation, std::int32_t elevation,
                                            std::int32_t tilt)
{
    constexpr long double toRadians = std::numbers::pi_v<long double> / 180.0L;
    const long double r1 = rotation * toRadians, r2 = elevation * toRadians, r3 = tilt * toRadians;
    const long double s1 = std::sin(r1), c1 = std::cos(r1);
    const long double s2 = std::sin(r2), c2 = std::cos(r2);
    const long double s3 = std::sin(r3), c3 = std::cos(r3);
    TProjectionCoefficients m;
    m.mxx = std::max(static_cast<double>(s1 * s2 * s3 + c1 * c3), kMinimumScale);
    m.mxy = static_cast<double>(c2 * s3);
    m.mxz = static_cast<double>(c1 * s2 * s3 - c3 * s1);
    m.myx = static_cast<double>(c3 * s1 * s2 - c1 * s3);
    m.myy = std::max(static_cast<double>(c2 * c3), kMinimumScale);
    m.myz = static_cast<double>(c1 * c3 * s2 + s1 * s3);
    m.px = static_cast<double>(c2 * s1);
    m.py = static_cast<double>(s2);
    m.pz = static_cast<double>(c1 * c2);
    return m;
}

void TProjection::Begin(const TView3DOptions* options, bool is3D)
{
    projectionOn = is3D;
    obliqueOn = false;
    zoomFactor = 1;
    if (!is3D)
        return;
    if (options) {
        obliqueOn = options->Orthogonal();
        zoomFactor = options->Zoom() * 0.01;
    }
    if (!obliqueOn) {
        perspectiveFactor = 0;
        m = options
                ? ComputeCoefficients(options->Rotation(), options->Elevation(), options->Tilt())
                : ComputeCoefficients(345, 345, 0);
    }
}

void TProjection::SetCentre(std::int32_t depth, std::int32_t plotLeft, std::int32_t plotTop,
                            std::int32_t plotRight, std::int32_t plotBottom,
                            const TView3DOptions* options)
{
    centreX = HalfOfSum(plotLeft, plotRight);
    centreY = HalfOfSum(plotTop, plotBottom);
    centreZ = depth / 2;
    originX = centreX;
    originY = centreY;
    if (!options)
        return;
    originX = ClampToInt32(static_cast<std::int64_t>(centreX) + options->HorizOffset());
    originY = ClampToInt32(static_cast<std::int64_t>(centreY) + options->VertOffset());
    if (options->Perspective() > 0)
        perspectiveFactor = options->Perspective() / 35000.0;
}

TScreenPoint TProjection::Project(std::int32_t x, std::int32_t y, std::int32_t z) const
{
    const double dx = static_cast<double>(x) - centreX;
    const double dy = static_cast<double>(y) - centreY;
    if (obliqueOn) {
        return {ClampToInt32(std::int64_t{RoundHalfEven((dx + z) * zoomFactor)} + originX),
                ClampToInt32(std::int64_t{RoundHalfEven((dy - z) * zoomFactor)} + originY)};
    }
    if (!projectionOn)
        return {x, y};
    const double dz = static_cast<double>(z) - centreZ;
    double f = zoomFactor;
    if (perspectiveFactor > 0)
        f = zoomFactor * (1 - perspectiveFactor * (dx * m.px - dy * m.py + dz * m.pz));
    const double sx = (dx * m.mxx + dy * m.mxy + dz * m.mxz) * f;
    const double sy = (dx * m.myx + dy * m.myy + dz * m.myz) * f;
    return {ClampToInt32(std::int64_t{RoundHalfEven(sx)} + originX),
            ClampToInt32(std::int64_t{RoundHalfEven(sy)} + originY)};
}

TScreenPoint TProjection::Unproject(std::int32_t x, std::int32_t y, std::int32_t z) const
{
    if (zoomFactor == 0)
        return {x, y};
    const double g = 1 / zoomFactor;
    if (obliqueOn) {
        return {ClampToInt32(std::int64_t{RoundHalfEven((static_cast<double>(x) - originX) * g)} -
                             z + centreX),
                ClampToInt32(std::int64_t{RoundHalfEven((static_cast<double>(y) - originY) * g)} +
                             z + centreY)};
    }
    if (!projectionOn || m.mxx == 0 || m.myy == 0)
        return {x, y};
    // As the inverse has always done: the cross terms take the screen values minus the centre.
    const double dz = static_cast<double>(z) - centreZ;
    const double sx = ((static_cast<double>(x) - originX) * g - dz * m.mxz -
                       (static_cast<double>(y) - centreY) * m.mxy) /
                      m.mxx;
    const double sy = ((static_cast<double>(y) - originY) * g - dz * m.myz -
                       (static_cast<double>(x) - centreX) * m.myx) /
                      m.myy;
    return {ClampToInt32(std::int64_t{RoundHalfEven(sx)} + centreX),
            ClampToInt32(std::int64_t{RoundHalfEven(sy)} + centreY)};
}

int ArcPointCount(double startAngle, double endAngle)
{
    const double degrees = std::fabs(endAngle - startAngle) * 180 / std::numbers::pi / 10;
    return std::min(30, std::max(0, RoundHalfEven(degrees))) + 2;
}

} // namespace tallyrun
