// Shapes only, no text: the build's icon writer draws it without fonts.
#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tallyrun {

QImage DrawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The pie seen from above at an angle: its side first, then the slices on top.
    const QRectF top(4, 10, 56, 36);
    const double depth = 10;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 20, 20));
    p.drawRect(QRectF(top.left(), top.center().y(), top.width(), depth));
    p.drawEllipse(top.translated(0, depth));
    const struct
    {
        int start, span;
        QColor colour;
    } slices[] = {
        {90, 200, QColor(220, 40, 40)},
        {290, 110, QColor(240, 190, 40)},
        {40, 50, QColor(50, 150, 70)},
    };
    p.setPen(QPen(QColor(60, 20, 20), 1.5));
    for (const auto& slice : slices) {
        p.setBrush(slice.colour);
        p.drawPie(top, slice.start * 16, slice.span * 16);
    }
    return image;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return icon;
}

} // namespace tallyrun
