#include "chart/chart_canvas3d.h"

#include "chart/view3d_options.h"

#include <QPainter>

#include <algorithm>

namespace tallyrun {

TChartCanvas3D::TChartCanvas3D(TChartRepaintOwner* owner) : owner_(owner) {}

TChartCanvas3D::~TChartCanvas3D()
{
    EndBufferPainter();
}

void TChartCanvas3D::EndBufferPainter()
{
    if (!bufferPainter_)
        return;
    if (Target() == bufferPainter_.get())
        SetTarget(nullptr);
    bufferPainter_->end();
    bufferPainter_.reset();
}

TChartRect TChartCanvas3D::BeginFrame(QPainter* target, const TView3DOptions* options, TColor,
                                      const TChartRect& userRect, bool is3D)
{
    options_ = options;
    projection_.Begin(options, is3D);
    EndBufferPainter();
    if (!buffered_) {
        SetTarget(target);
        return userRect;
    }
    const int w = std::max(0, userRect.Width());
    const int h = std::max(0, userRect.Height());
    if (!buffer_.isNull() && (buffer_.width() != w || buffer_.height() != h))
        buffer_ = QImage();
    if (buffer_.isNull() && w > 0 && h > 0) {
        buffer_ = QImage(w, h, monochrome_ ? QImage::Format_Mono : QImage::Format_RGB32);
        buffer_.fill(Qt::white);
    }
    if (!buffer_.isNull()) {
        bufferPainter_ = std::make_unique<QPainter>(&buffer_);
        SetTarget(bufferPainter_.get());
    } else {
        // An empty window has nothing to draw into.
        SetTarget(nullptr);
    }
    return {0, 0, w, h};
}

void TChartCanvas3D::SetProjectionCentre(std::int32_t depth, const TChartRect&,
                                         const TChartRect& plotRect)
{
    projection_.SetCentre(depth, plotRect.left, plotRect.top, plotRect.right, plotRect.bottom,
                          options_);
}

void TChartCanvas3D::PresentFrame(QPainter* window, QPainter* defaultTarget,
                                  const TChartRect& userRect)
{
    if (buffered_) {
        EndBufferPainter();
        SetTarget(window);
        CopyImage(userRect.left, userRect.top, buffer_);
        dirty_ = false;
    }
    SetTarget(defaultTarget);
}

bool TChartCanvas3D::RepaintFromBuffer()
{
    if (dirty_ || buffer_.isNull())
        return false;
    CopyImage(0, 0, buffer_);
    return true;
}

void TChartCanvas3D::SetBuffered(bool buffered)
{
    buffered_ = buffered;
    if (!buffered) {
        EndBufferPainter();
        buffer_ = QImage();
    }
    dirty_ = true;
}

void TChartCanvas3D::SetMonochrome(bool monochrome)
{
    if (monochrome_ == monochrome)
        return;
    monochrome_ = monochrome;
    EndBufferPainter();
    buffer_ = QImage();
    dirty_ = true;
    if (owner_)
        owner_->RequestChartRepaint();
}

void TChartCanvas3D::ProjectedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1,
                                   std::int32_t y1, std::int32_t z)
{
    const TScreenPoint a = ProjectPoint(x0, y0, z);
    const TScreenPoint b = ProjectPoint(x1, y1, z);
    StraightLine(a.x, a.y, b.x, b.y);
}

void TChartCanvas3D::BeginFlatDrawing()
{
    savedProjectionOn_ = projection_.projectionOn;
    projection_.projectionOn = false;
}

void TChartCanvas3D::EndFlatDrawing()
{
    projection_.projectionOn = savedProjectionOn_;
}

} // namespace tallyrun
