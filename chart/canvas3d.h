// The projected part of the chart's drawing surface: what the pie, its marks, the legend and
// the panel call to draw in chart space (x, y in panel pixels, z a depth in pixels).
#pragma once

#include "chart/chart_canvas.h"
#include "chart/projection.h"

namespace tallyrun {

// Whether a 3D pie slice's sides and rim are drawn darker than its cap.
enum class TSliceShading
{
    Plain,
    DarkSides
};
// Whether a 3D pie slice draws its two flat sides, which show when slices stand apart.
enum class TSliceSides
{
    Omitted,
    Drawn
};

// This surface draws no text with a projected, zoom-scaled font and turns no shape fully in
// 3D: texts are drawn flat at projected positions, boxes and the legend flat, the panel's
// bevels always and titles and legend once.
class TCanvas3D : public TChartCanvas
{
public:
    virtual TScreenPoint ProjectPoint(std::int32_t x, std::int32_t y, std::int32_t z) const = 0;
    virtual TScreenPoint UnprojectPoint(std::int32_t x, std::int32_t y, std::int32_t z) const = 0;
    virtual void SolidPieSlice(std::int32_t xCentre, std::int32_t yCentre, std::int32_t xRadius,
                               std::int32_t yRadius, std::int32_t baseZ, std::int32_t capZ,
                               double startAngle, double endAngle, TSliceShading shading,
                               TSliceSides sides) = 0;
    virtual void ProjectedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                               std::int32_t z) = 0;
    virtual void BeginFlatDrawing() = 0;
    virtual void EndFlatDrawing() = 0;
};

} // namespace tallyrun
