// The projection of the chart's 3D view: chart-space points (x, y in panel pixels, z a depth
// in pixels, 0 at the front) to screen points, and its approximate inverse. Plain arithmetic,
// no drawing: the canvas holds one and calls it for every projected primitive.
#pragma once

#include <cstdint>

namespace tallyrun {

class TView3DOptions;

struct TScreenPoint
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

struct TProjectionCoefficients
{
    double mxx = 1, mxy = 0, mxz = 0;
    double myx = 0, myy = 1, myz = 0;
    double px = 0, py = 0, pz = 0;
};

// The rotation matrix and perspective vector for the three angles in degrees. mxx and myy
// never fall below 0.00001, so the inverse always divides by a positive number.
TProjectionCoefficients ComputeCoefficients(std::int32_t rotation, std::int32_t elevation,
                                            std::int32_t tilt);

class TProjection
{
public:
    // Starts a paint: 3D or not, oblique from the options, zoom, and the coefficients when the
    // paint is 3D and not oblique. `options` may be null (then no oblique view, zoom 1).
    void Begin(const TView3DOptions* options, bool is3D);

    // The chart-space point that stays fixed (the plot rectangle's centre at half the depth),
    // the screen point it lands on (moved by the offsets) and the perspective strength.
    void SetCentre(std::int32_t depth, std::int32_t plotLeft, std::int32_t plotTop,
                   std::int32_t plotRight, std::int32_t plotBottom, const TView3DOptions* options);

    TScreenPoint Project(std::int32_t x, std::int32_t y, std::int32_t z) const;

    // Screen point back to chart x, y at depth z; perspective is ignored.
    TScreenPoint Unproject(std::int32_t x, std::int32_t y, std::int32_t z) const;

    bool projectionOn = false;
    bool obliqueOn = false;
    std::int32_t centreX = 0, centreY = 0, centreZ = 0;
    std::int32_t originX = 0, originY = 0;
    double zoomFactor = 1;
    double perspectiveFactor = 0;
    TProjectionCoefficients m;
};

// Points on the arc of a solid pie slice: one per ten degrees, at least 2, at most 32.
int ArcPointCount(double startAngle, double endAngle);

} // namespace tallyrun
