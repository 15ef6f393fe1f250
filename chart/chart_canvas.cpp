#include "chart/chart_canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tallyrun {

namespace {

// Angle in degrees, counter-clockwise from three o'clock, of the ellipse point that lies on the
// radial from the centre through (x, y); parametric, as QPainterPath::arcTo takes it.
double RadialAngle(double cx, double cy, double rx, double ry, int x, int y)
{
    const double ux = rx > 0 ? (x - cx) / rx : x - cx;
    const double uy = ry > 0 ? (cy - y) / ry : cy - y;
    if (ux == 0 && uy == 0)
        return 0;
    return std::atan2(uy, ux) * 180 / std::numbers::pi;
}

} // namespace

TChartCanvas::TChartCanvas()
{
    ResetDrawingState();
}

void TChartCanvas::ApplyState(TStateParts parts) const
{
    const bool withPen = parts == TStateParts::Pen || parts == TStateParts::PenAndBrush;
    const bool withBrush = parts == TStateParts::Brush || parts == TStateParts::PenAndBrush;
    QPainter& p = *target_;
    p.setRenderHint(QPainter::Antialiasing, false);
    if (withPen && pen_.style != Qt::NoPen) {
        QPen qpen(ColorToQColor(pen_.color));
        qpen.setWidth(pen_.width > 1 ? pen_.width : 1);
        qpen.setCapStyle(Qt::FlatCap);
        qpen.setJoinStyle(Qt::MiterJoin);
        if (pen_.style == Qt::CustomDashLine) {
            qpen.setCosmetic(true);
            qpen.setDashPattern({1, 1});
        } else {
            qpen.setStyle(pen_.style);
        }
        p.setPen(qpen);
    } else {
        p.setPen(Qt::NoPen);
    }
    if (withBrush && brush_.style != Qt::NoBrush)
        p.setBrush(QBrush(ColorToQColor(brush_.color), brush_.style));
    else
        p.setBrush(Qt::NoBrush);
    p.setBackgroundMode(backgroundMode_ == bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    p.setBackground(ColorToQColor(backgroundColour_));
}

void TChartCanvas::FlatPieSlice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (!target_)
        return;
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right - left < 1 || bottom - top < 1)
        return;
    // The outline of a box (l, t, w - 1, h - 1) covers l..r-1 with a one-pixel pen.
    const QRectF box(left, top, right - left - 1, bottom - top - 1);
    const QPointF centre = box.center();
    const double rx = box.width() / 2, ry = box.height() / 2;
    const double start = RadialAngle(centre.x(), centre.y(), rx, ry, x3, y3);
    const double span = RadialAngle(centre.x(), centre.y(), rx, ry, x4, y4) - start;
    QPainterPath path;
    if (span == 0) {
        path.addEllipse(box);
    } else {
        path.moveTo(centre);
        path.arcTo(box, start, span < 0 ? span + 360 : span);
        path.closeSubpath();
    }
    ApplyState(TStateParts::PenAndBrush);
    target_->drawPath(path);
}

void TChartCanvas::StraightLine(int x0, int y0, int x1, int y1)
{
    if (!target_ || (x0 == x1 && y0 == y1))
        return;
    // The line runs from (x0, y0) up to the pixel before (x1, y1) along its major axis, in
    // either direction; the painter's own flat cap would drop the pixel at the lower end.
    const std::int64_t dx = std::int64_t{x1} - x0, dy = std::int64_t{y1} - y0;
    std::int64_t lastX, lastY;
    if (std::abs(dx) >= std::abs(dy)) {
        lastX = x1 - (dx > 0 ? 1 : -1);
        lastY = y0 + static_cast<std::int64_t>(
                         std::llround(static_cast<double>(lastX - x0) * static_cast<double>(dy) /
                                      static_cast<double>(dx)));
    } else {
        lastY = y1 - (dy > 0 ? 1 : -1);
        lastX = x0 + static_cast<std::int64_t>(
                         std::llround(static_cast<double>(lastY - y0) * static_cast<double>(dx) /
                                      static_cast<double>(dy)));
    }
    ApplyState(TStateParts::Pen);
    QPen pen = target_->pen();
    pen.setCapStyle(Qt::SquareCap);
    target_->setPen(pen);
    target_->drawLine(QPoint(x0, y0), QPoint(static_cast<int>(lastX), static_cast<int>(lastY)));
}

void TChartCanvas::BoxRect(const TChartRect& rect)
{
    if (!target_ || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    if (brush_.style != Qt::NoBrush) {
        ApplyState(TStateParts::Brush);
        target_->drawRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
    }
    if (pen_.style == Qt::SolidLine && pen_.width <= 1) {
        // The same pixels as the outline below, as four filled strips: the painter strokes
        // an outline far more slowly, and a chart draws one box per mark.
        const QColor colour = ColorToQColor(pen_.color);
        const int w = rect.Width(), h = rect.Height();
        target_->fillRect(QRect(rect.left, rect.top, w, 1), colour);
        target_->fillRect(QRect(rect.left, rect.bottom - 1, w, 1), colour);
        target_->fillRect(QRect(rect.left, rect.top, 1, h), colour);
        target_->fillRect(QRect(rect.right - 1, rect.top, 1, h), colour);
    } else if (pen_.style != Qt::NoPen) {
        ApplyState(TStateParts::Pen);
        target_->drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
    }
}

void TChartCanvas::FillArea(const TChartRect& rect)
{
    if (!target_ || rect.Width() <= 0 || rect.Height() <= 0 || brush_.style == Qt::NoBrush)
        return;
    ApplyState(TStateParts::Brush);
    target_->drawRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void TChartCanvas::Polygon(const std::vector<TScreenPoint>& points)
{
    if (!target_ || points.empty())
        return;
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const TScreenPoint& point : points)
        polygon.append(QPoint(point.x, point.y));
    ApplyState(TStateParts::PenAndBrush);
    target_->drawPolygon(polygon, Qt::OddEvenFill);
}

void TChartCanvas::PutText(int x, int y, const std::string& text)
{
    if (!target_)
        return;
    QPainter& p = *target_;
    ApplyState(TStateParts::Neither);
    p.setFont(font_);
    p.setPen(ColorToQColor(fontColor_));
    const QFontMetrics& metrics = textCache_.Metrics(font_, p.device());
    const TCachedText& cached = textCache_.Text(font_, p.device(), text);
    const int width = cached.width;
    if ((textAlignment_ & taCenter) == taCenter)
        x -= width / 2;
    else if (textAlignment_ & taRight)
        x -= width;
    if ((textAlignment_ & taBaseline) == taBaseline)
        y -= metrics.ascent();
    else if (textAlignment_ & taBottom)
        y -= metrics.height();
    if (backgroundMode_ == bkOpaque)
        p.fillRect(QRect(x, y, width, metrics.height()), ColorToQColor(backgroundColour_));
    // Laid out once: drawn with its top-left corner at (x, y), the baseline one ascent lower.
    p.drawStaticText(QPoint(x, y), cached.layout);
}

int TChartCanvas::MeasureWidth(const std::string& text) const
{
    return textCache_.Text(font_, target_ ? target_->device() : nullptr, text).width;
}

int TChartCanvas::MeasureHeight(const std::string&) const
{
    return textCache_.Metrics(font_, target_ ? target_->device() : nullptr).height();
}

void TChartCanvas::ApplyChartPen(const TChartPen& pen)
{
    if (!pen.Visible) {
        pen_.style = Qt::NoPen;
        return;
    }
    pen_.color = pen.Color;
    if (pen.SmallDots && pen.Width == 1) {
        pen_.width = 1;
        pen_.style = Qt::CustomDashLine;
        return;
    }
    pen_.width = pen.Width;
    pen_.style = pen.Style;
}

void TChartCanvas::ResetDrawingState()
{
    pen_ = TCanvasPen{};
    brush_ = TCanvasBrush{};
    font_ = QFont();
    font_.setPointSize(10);
    fontColor_ = clBlack;
    backgroundColour_ = clWhite;
    backgroundMode_ = bkTransparent;
}

void TChartCanvas::CopyImage(int x, int y, const QImage& image)
{
    if (!target_ || image.isNull())
        return;
    target_->setCompositionMode(QPainter::CompositionMode_Source);
    target_->drawImage(QPoint(x, y), image);
    target_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace tallyrun
