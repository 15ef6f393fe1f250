#include "widgets/bevel_drawing.h"

namespace tallyrun {

void Frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    if (r > l && b > t) {
        painter.fillRect(QRect(QPoint(l, t), QPoint(r - 1, t)), topLeft);
        painter.fillRect(QRect(QPoint(l, t), QPoint(l, b - 1)), topLeft);
    }
    painter.fillRect(QRect(QPoint(l, b), QPoint(r, b)), bottomRight);
    painter.fillRect(QRect(QPoint(r, t), QPoint(r, b)), bottomRight);
    painter.restore();
    rect.adjust(1, 1, -1, -1);
}

void DrawFocusRect(QPainter& painter, const QRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            painter.drawPoint(x, y);
    };
    // Each outline pixel is visited once, so no corner is inverted twice.
    for (int x = l; x <= r; ++x) {
        dot(x, t);
        if (b != t)
            dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        dot(l, y);
        if (r != l)
            dot(r, y);
    }
    painter.restore();
}

} // namespace tallyrun
