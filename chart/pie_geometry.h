// The arithmetic of a pie, apart from any drawing: the circle inside the plot rectangle, the
// slice angles, the explode offsets, the depth order of exploded slices and where a mark's
// box goes. Angles are radians counter-clockwise from three o'clock; screen y grows downwards.
#pragma once

#include "chart/chart_rect.h"
#include "chart/projection.h"

#include <vector>

namespace tallyrun {

struct TPieCircle
{
    TChartRect CircleBox;
    int CircleWidth = 0;
    int CircleHeight = 0;
    int CenterX = 0;
    int CenterY = 0;
    int RadiusX = 0;
    int RadiusY = 0;

    // Even width and height of at least 4, and the centre between the edges.
    void NormalizeCircleRect();
    // The radii from the custom ones (when not 0) or half the width and height, and the box
    // around the centre that they span.
    void ComputeRadii(int customXRadius, int customYRadius);
    // Narrows the longer side so that the circle looks round on pixels `aspect` times as high
    // as wide (screen pixels per millimetre across over down).
    void MakeCircular(double aspect);
    // The point of the ellipse of radii (rx, ry) around the centre at `angle` + `rotation`,
    // rounded halves to even.
    TScreenPoint PointAtAngle(double angle, int rx, int ry, double rotation) const;
};

struct TSliceAngles
{
    double Start = 0;
    double Middle = 0;
    double End = 0;
};

// Each slice spans its |value| / total of the circle, following each other counter-clockwise
// from 0 in index order; the last closes exactly at 2 pi. A total of 0 gives the first slice
// the whole circle. Slices folded into the other slice have zero width.
std::vector<TSliceAngles> ComputeSliceAngles(const std::vector<double>& values,
                                             const std::vector<bool>& inOtherSlice, double total);

// How far an exploded slice moves along its middle angle: `percent` of the radii, (0, 0) for
// a percentage of 0 or less. y is up (the caller subtracts it from screen y).
TScreenPoint ExplodeOffset(double middle, double rotation, int radiusX, int radiusY, int percent);

// The slices' drawing order for an exploded 3D pie: by the angular distance of their middles
// (rotated) from straight up, the back of the tilted pie, smallest first, with the engine's
// quicksort.
std::vector<int> DepthOrder(const std::vector<TSliceAngles>& angles, double rotation);

// The left-top corner of a mark's box that grows away from the circle from the arrow's tip.
TScreenPoint MarkBoxLeftTop(TScreenPoint arrowTip, int centerX, int centerY, int width, int height);

} // namespace tallyrun
