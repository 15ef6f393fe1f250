#include "widgets/picture_button_paint.h"

#include "widgets/bevel_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace tallyrun {

TButtonSystemColors TButtonSystemColors::FromPalette(const QPalette& palette)
{
    const auto c = [&](QPalette::ColorRole role) { return palette.color(QPalette::Active, role); };
    return {c(QPalette::Button), c(QPalette::Light), c(QPalette::Dark), c(QPalette::Midlight),
            c(QPalette::Shadow)};
}

int CentredPicturePos(int pinned, int extent, int content)
{
    if (pinned != -1)
        return pinned;
    return static_cast<int>(std::nearbyint((extent - content) * 0.5)); // halves to even
}

int CentredCaptionPos(int pinned, int extent, int content)
{
    return pinned != -1 ? pinned : (extent - content) / 2; // truncates toward zero
}

namespace {

void DrawBevel(QPainter& painter, QRect& rect, TBevelCut cut, const TButtonSystemColors& sys)
{
    if (cut == bvRaised)
        Frame3D(painter, rect, sys.btnHighlight, sys.btnShadow);
    else if (cut == bvLowered)
        Frame3D(painter, rect, sys.btnShadow, sys.btnHighlight);
}

QColor BrushColor(const TPictureButtonFace& face)
{
    if (face.focusStyle == bfsInColor && face.focused)
        return face.inColor;
    if (!face.down)
        return face.displayColor;
    return face.pressedOutside == -1 ? face.color : face.inColor;
}

void DrawPicture(QPainter& painter, const TPictureButtonFace& face, const QColor& brush, int o)
{
    const QImage& pic = face.picture;
    if (pic.isNull())
        return;
    const int w = face.size.width(), h = face.size.height();
    if (!face.stretch) {
        const int x = CentredPicturePos(face.pictureLeft, w, pic.width());
        const int y = CentredPicturePos(face.pictureTop, h, pic.height());
        painter.drawImage(x + o, y + o, pic);
        return;
    }
    // The picture is first laid on its own background (the button's erase colour, which is
    // the displayed colour and covers the brush), then that bitmap is stretched opaquely.
    QImage canvas(pic.size(), QImage::Format_RGB32);
    canvas.fill(brush);
    canvas.fill(face.displayColor);
    {
        QPainter p(&canvas);
        p.drawImage(0, 0, pic);
    }
    const QRect target(QPoint(2 + o, 2 + o), QPoint(w - 4 - 1, h - 4 - 1));
    if (target.isValid())
        painter.drawImage(target, canvas); // no smoothing: nearest pixels, as a blit stretches
}

void DrawCaption(QPainter& painter, const TPictureButtonFace& face, int o)
{
    if (face.caption.isEmpty())
        return;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
    const QSize text = QFontMetrics(face.font).size(Qt::TextShowMnemonic, face.caption);
    const int w = face.size.width(), h = face.size.height();
    const int x = CentredCaptionPos(face.captionLeft, w, text.width()) + o;
    const int y = CentredCaptionPos(face.captionTop, h, text.height()) + o;
    if (x >= w || y >= h)
        return;
    painter.save();
    painter.setFont(face.font);
    painter.setPen(face.fontColor);
    painter.drawText(QRect(QPoint(x, y), QPoint(w - 1, h - 1)), flags, face.caption);
    painter.restore();
}

} // namespace

void PaintPictureButton(QPainter& painter, const TPictureButtonFace& face)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const TButtonSystemColors& sys = face.system;
    const int o = face.PressOffset();

    QRect r(QPoint(0, 0), face.size);
    DrawBevel(painter, r, face.bevels.outer, sys);
    DrawBevel(painter, r, face.bevels.inner, sys);
    const QColor brush = BrushColor(face);
    painter.fillRect(r, brush);

    DrawPicture(painter, face, brush, o);
    DrawCaption(painter, face, o);

    r = QRect(QPoint(0, 0), face.size);
    if (face.style == bsStdButton) {
        if (o == 1) {
            Frame3D(painter, r, sys.btnShadow, sys.btnShadow);
            Frame3D(painter, r, sys.btnFace, sys.btnFace);
        } else {
            Frame3D(painter, r, sys.light3D, sys.darkShadow3D);
            Frame3D(painter, r, sys.btnHighlight, sys.btnShadow);
        }
    } else {
        r.adjust(o, o, -o, -o);
    }
    if (face.focusStyle == bfsStdButton && face.focused)
        DrawFocusRect(painter, r.adjusted(2, 2, -2, -2));
}

QImage RenderPictureButton(const TPictureButtonFace& face)
{
    QImage image(face.size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintPictureButton(painter, face);
    return image;
}

} // namespace tallyrun
