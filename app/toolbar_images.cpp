// The pictures are drawn with QPainter rather than loaded from files: ten small shapes cost a
// few lines each, need no image plug-in at run time and scale to any size for the icon theme.
#include "app/toolbar_images.h"

#include "toolbar/tb_image_list.h"

#include <QPainter>
#include <QPainterPath>

namespace tallyrun {

namespace {

constexpr int kSide = 16;

void DrawEnd(QPainter& p)
{
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(180, 130, 70));
    p.drawRect(QRectF(2.5, 1.5, 7, 13)); // the door
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.drawLine(QPointF(7, 8), QPointF(14, 8)); // the way out
    p.drawLine(QPointF(11, 5), QPointF(14, 8));
    p.drawLine(QPointF(11, 11), QPointF(14, 8));
}

void DrawView3D(QPainter& p)
{
    p.setPen(QPen(QColor(40, 60, 120), 1));
    p.setBrush(QColor(150, 180, 230));
    p.drawPolygon(QPolygonF({{2.5, 5.5}, {10.5, 5.5}, {10.5, 13.5}, {2.5, 13.5}}));
    p.setBrush(QColor(110, 140, 200));
    p.drawPolygon(QPolygonF({{2.5, 5.5}, {6.5, 1.5}, {14.5, 1.5}, {10.5, 5.5}}));
    p.setBrush(QColor(80, 110, 170));
    p.drawPolygon(QPolygonF({{10.5, 5.5}, {14.5, 1.5}, {14.5, 9.5}, {10.5, 13.5}}));
}

void DrawPie(QPainter& p)
{
    const QRectF box(1.5, 1.5, 13, 13);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(220, 40, 40));
    p.drawPie(box, 0, 200 * 16);
    p.setBrush(QColor(40, 160, 60));
    p.drawPie(box, 200 * 16, 100 * 16);
    p.setBrush(QColor(240, 200, 40));
    p.drawPie(box, 300 * 16, 60 * 16);
}

void DrawSave(QPainter& p)
{
    p.setPen(QPen(QColor(20, 30, 80), 1));
    p.setBrush(QColor(50, 80, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13)); // the disk
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5)); // the label
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(4.5, 9.5, 7, 5)); // the shutter
}

void DrawStop(QPainter& p)
{
    QPolygonF octagon;
    for (const QPointF& c :
         {QPointF(5, 1), {11, 1}, {15, 5}, {15, 11}, {11, 15}, {5, 15}, {1, 11}, {1, 5}})
        octagon << c;
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(210, 30, 30));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 7, 8, 2));
}

void DrawPercent(QPainter& p)
{
    p.setPen(QPen(QColor(30, 30, 140), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 4, 4));
    p.drawEllipse(QRectF(10, 10, 4, 4));
    p.drawLine(QPointF(13, 2), QPointF(3, 14));
}

void DrawSize(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    const struct
    {
        double x, h;
        QColor colour;
    } bars[] = {{1.5, 5, QColor(40, 160, 60)},
                {6.5, 9, QColor(240, 200, 40)},
                {11.5, 13, QColor(220, 40, 40)}};
    for (const auto& bar : bars) {
        p.setBrush(bar.colour);
        p.drawRect(QRectF(bar.x, 14.5 - bar.h, 3, bar.h));
    }
}

void DrawVersion(QPainter& p)
{
    p.setPen(QPen(QColor(20, 50, 130), 1));
    p.setBrush(QColor(50, 110, 210));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.5, 2, 2)); // the dot of the "i"
    p.drawRect(QRectF(7, 7, 2, 6));      // its stem
}

void DrawFolder(QPainter& p)
{
    p.setPen(QPen(QColor(140, 100, 20), 1));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6.5, 3.5);
    path.lineTo(8.5, 5.5);
    path.lineTo(14.5, 5.5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
}

void DrawLegend(QPainter& p)
{
    const QColor colours[] = {QColor(220, 40, 40), QColor(40, 160, 60), QColor(240, 200, 40)};
    for (int row = 0; row < 3; ++row) {
        const double y = 1.5 + row * 5;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(colours[row]);
        p.drawRect(QRectF(1.5, y, 3, 3));
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(7, y + 1.5), QPointF(15, y + 1.5));
    }
}

} // namespace

QImage DrawToolbarImage(TMainToolbarImage image)
{
    QImage result(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case tiEnd:
        DrawEnd(p);
        break;
    case tiView3D:
        DrawView3D(p);
        break;
    case tiPie:
        DrawPie(p);
        break;
    case tiSave:
        DrawSave(p);
        break;
    case tiStop:
        DrawStop(p);
        break;
    case tiPercent:
        DrawPercent(p);
        break;
    case tiSize:
        DrawSize(p);
        break;
    case tiVersion:
        DrawVersion(p);
        break;
    case tiFolder:
        DrawFolder(p);
        break;
    case tiLegend:
        DrawLegend(p);
        break;
    case tiImageCount:
        break;
    }
    return result;
}

void AddMainToolbarImages(TTBImageList& list)
{
    for (int i = 0; i < tiImageCount; ++i)
        list.Add(DrawToolbarImage(static_cast<TMainToolbarImage>(i)));
}

} // namespace tallyrun
