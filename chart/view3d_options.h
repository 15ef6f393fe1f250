// The view options of a chart panel: rotation, elevation, tilt, perspective, zoom and
// offsets of the 3D projection. Every setter compares, stores, and asks its owner to repaint.
#pragma once

#include "chart/repaint_owner.h"

#include <cstdint>

namespace tallyrun {

class TView3DOptions
{
public:
    // The owner may be null (options not attached to a panel): changes then repaint nothing.
    explicit TView3DOptions(TChartRepaintOwner* owner) : owner_(owner) {}

    std::int32_t Elevation() const { return elevation_; }
    std::int32_t HorizOffset() const { return horizOffset_; }
    bool Orthogonal() const { return orthogonal_; }
    std::int32_t Perspective() const { return perspective_; }
    std::int32_t Rotation() const { return rotation_; }
    std::int32_t Tilt() const { return tilt_; }
    std::int32_t VertOffset() const { return vertOffset_; }
    std::int32_t Zoom() const { return zoom_; }
    bool ZoomText() const { return zoomText_; }

    // No range checks: every integer is accepted.
    void SetElevation(std::int32_t value) { Store(elevation_, value); }
    void SetHorizOffset(std::int32_t value) { Store(horizOffset_, value); }
    void SetOrthogonal(bool value) { Store(orthogonal_, value); }
    void SetPerspective(std::int32_t value) { Store(perspective_, value); }
    void SetRotation(std::int32_t value) { Store(rotation_, value); }
    void SetTilt(std::int32_t value) { Store(tilt_, value); }
    void SetVertOffset(std::int32_t value) { Store(vertOffset_, value); }
    void SetZoom(std::int32_t value) { Store(zoom_, value); }
    void SetZoomText(bool value) { Store(zoomText_, value); }

    // Copies all nine values from `other` without a repaint; the owner stays.
    void Assign(const TView3DOptions& other);

private:
    template <typename T> void Store(T& field, const T& value)
    {
        StoreAndRepaint(field, value, owner_);
    }

    TChartRepaintOwner* owner_;
    std::int32_t elevation_ = 345;
    std::int32_t horizOffset_ = 0;
    bool orthogonal_ = true;
    std::int32_t perspective_ = 15;
    std::int32_t rotation_ = 345;
    std::int32_t tilt_ = 0;
    std::int32_t vertOffset_ = 0;
    std::int32_t zoom_ = 100;
    bool zoomText_ = true;
};

} // namespace tallyrun
