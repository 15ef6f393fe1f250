#include "chart/view3d_options.h"

namespace tallyrun {

void TView3DOptions::Assign(const TView3DOptions& other)
{
    elevation_ = other.elevation_;
    horizOffset_ = other.horizOffset_;
    orthogonal_ = other.orthogonal_;
    perspective_ = other.perspective_;
    rotation_ = other.rotation_;
    tilt_ = other.tilt_;
    vertOffset_ = other.vertOffset_;
    zoom_ = other.zoom_;
    zoomText_ = other.zoomText_;
}

} // namespace tallyrun
