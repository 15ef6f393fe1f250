// The chart's drawing surface: one paint's frame (target, off-screen buffer, projection set
// from the view options) and the projected primitives. Owned by its panel.
#pragma once

#include "chart/canvas3d.h"
#include "chart/chart_rect.h"
#include "chart/projection.h"
#include "chart/repaint_owner.h"

#include <QImage>

#include <memory>

class QPainter;

namespace tallyrun {

class TView3DOptions;

class TChartCanvas3D : public TCanvas3D
{
public:
    // `owner` (may be null) is asked to repaint when the monochrome flag changes.
    explicit TChartCanvas3D(TChartRepaintOwner* owner);
    ~TChartCanvas3D() override;

    // Starts one paint onto `target`: the projection from `options` (may be null) and, when
    // buffered, the off-screen buffer of the rectangle's size as the target. Returns the
    // rectangle to draw into. `colour` is not used.
    TChartRect BeginFrame(QPainter* target, const TView3DOptions* options, TColor colour,
                          const TChartRect& userRect, bool is3D);
    // The projection's fixed point: the plot rectangle's centre at half of `depth`.
    void SetProjectionCentre(std::int32_t depth, const TChartRect& panelBounds,
                             const TChartRect& plotRect);
    // Ends the paint: when buffered, the whole buffer goes to `window` at the rectangle's
    // top-left corner in one copy and the drawing is clean. `defaultTarget` becomes the target.
    void PresentFrame(QPainter* window, QPainter* defaultTarget, const TChartRect& userRect);
    // When nothing changed since the last frame: the whole buffer copied to the target at
    // (0, 0), and true.
    bool RepaintFromBuffer();
    void MarkDirty() { dirty_ = true; }
    bool Dirty() const { return dirty_; }

    bool Buffered() const { return buffered_; }
    // Turning buffering off frees the buffer; either way the drawing becomes dirty.
    void SetBuffered(bool buffered);
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool monochrome);
    // The off-screen buffer; null until the first buffered paint.
    const QImage& Buffer() const { return buffer_; }

    const TProjection& Projection() const { return projection_; }

    TScreenPoint ProjectPoint(std::int32_t x, std::int32_t y, std::int32_t z) const override
    {
        return projection_.Project(x, y, z);
    }
    TScreenPoint UnprojectPoint(std::int32_t x, std::int32_t y, std::int32_t z) const override
    {
        return projection_.Unproject(x, y, z);
    }
    void SolidPieSlice(std::int32_t xCentre, std::int32_t yCentre, std::int32_t xRadius,
                       std::int32_t yRadius, std::int32_t baseZ, std::int32_t capZ,
                       double startAngle, double endAngle, TSliceShading shading,
                       TSliceSides sides) override;
    void ProjectedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                       std::int32_t z) override;
    void BeginFlatDrawing() override;
    void EndFlatDrawing() override;

private:
    void EndBufferPainter();
    TColor FillColour() const;
    void SetFillColour(TColor colour);
    // The steps of SolidPieSlice (solid_pie_slice.cpp).
    struct TSliceArcs;
    TSliceArcs ProjectSliceArcs(std::int32_t xCentre, std::int32_t yCentre, std::int32_t xRadius,
                                std::int32_t yRadius, std::int32_t baseZ, std::int32_t capZ,
                                double startAngle, double endAngle) const;
    void ShadeSide(TColor fill, TSliceShading shading);
    void DrawSliceSides(const TSliceArcs& arcs, TColor fill, TSliceShading shading);
    void DrawSliceCap(const TSliceArcs& arcs);
    void DrawRimBands(const TSliceArcs& arcs, TColor fill, TSliceShading shading);

    TChartRepaintOwner* owner_;
    const TView3DOptions* options_ = nullptr;
    TProjection projection_;
    bool savedProjectionOn_ = false;
    QImage buffer_;
    std::unique_ptr<QPainter> bufferPainter_;
    bool buffered_ = true;
    bool monochrome_ = false;
    bool dirty_ = true;
};

} // namespace tallyrun
