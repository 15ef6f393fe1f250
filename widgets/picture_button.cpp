// TPictureButton's properties and painting; mouse and keyboard are in picture_button_input.cpp.
#include "widgets/picture_button.h"

#include "widgets/store_if_changed.h"
#include "widgets/transparent_picture.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QPainter>

namespace tallyrun {

TPictureButton::TPictureButton(QWidget* parent) : QWidget(parent)
{
    resize(36, 36);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The face is drawn completely by paintEvent, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_bevels = RestBevels(m_buttonStyle);
}

void TPictureButton::SetButtonStyle(TButtonStyle style)
{
    if (!StoreIfChanged(m_buttonStyle, style))
        return;
    m_bevels = RestBevels(style);
    update();
}

void TPictureButton::SetColorChange(bool on)
{
    if (StoreIfChanged(m_colorChange, on))
        update();
}

void TPictureButton::SetFocusStyle(TFocusStyle style)
{
    if (StoreIfChanged(m_focusStyle, style))
        update();
}

void TPictureButton::SetInColor(TColor color)
{
    if (StoreIfChanged(m_inColor, color))
        update();
}

void TPictureButton::SetPictureLeft(int x)
{
    if (StoreIfChanged(m_pictureLeft, x))
        update();
}

void TPictureButton::SetPictureTop(int y)
{
    if (StoreIfChanged(m_pictureTop, y))
        update();
}

void TPictureButton::SetCaptionLeft(int x)
{
    if (StoreIfChanged(m_captionLeft, x))
        update();
}

void TPictureButton::SetCaptionTop(int y)
{
    if (StoreIfChanged(m_captionTop, y))
        update();
}

void TPictureButton::SetStretch(bool on)
{
    if (StoreIfChanged(m_stretch, on))
        update();
}

void TPictureButton::SetFontColor(TColor color)
{
    if (StoreIfChanged(m_fontColor, color))
        update();
}

void TPictureButton::SetColor(TColor color)
{
    if (!StoreIfChanged(m_color, color))
        return;
    m_displayColor = color;
    update();
}

void TPictureButton::SetPicture(const QImage& picture)
{
    // Any change of the picture repaints; the owned copy is made transparent.
    m_picture = MakeTransparent(picture);
    update();
}

void TPictureButton::SetCaption(const QString& caption)
{
    if (!StoreIfChanged(m_caption, caption))
        return;
    UpdateAccelerator();
    update();
}

void TPictureButton::UpdateAccelerator()
{
    if (m_acceleratorId != 0)
        releaseShortcut(m_acceleratorId);
    m_acceleratorId = 0;
    const QKeySequence key = QKeySequence::mnemonic(m_caption);
    if (!key.isEmpty())
        m_acceleratorId = grabShortcut(key);
}

TPictureButtonFace TPictureButton::Face() const
{
    const QPalette palette = QGuiApplication::palette();
    TPictureButtonFace face;
    face.size = size();
    face.style = m_buttonStyle;
    face.bevels = m_bevels;
    face.down = m_down;
    face.pressedOutside = m_pressedOutside;
    face.displayColor = ColorToQColor(m_displayColor, palette);
    face.color = ColorToQColor(m_color, palette);
    face.inColor = ColorToQColor(m_inColor, palette);
    face.focusStyle = m_focusStyle;
    face.focused = hasFocus();
    face.picture = m_picture;
    face.stretch = m_stretch;
    face.pictureLeft = m_pictureLeft;
    face.pictureTop = m_pictureTop;
    face.caption = m_caption;
    face.captionLeft = m_captionLeft;
    face.captionTop = m_captionTop;
    face.font = font();
    face.fontColor = ColorToQColor(m_fontColor, palette);
    face.system = TButtonSystemColors::FromPalette(palette);
    return face;
}

void TPictureButton::paintEvent(QPaintEvent*)
{
    // Drawn off screen first, then copied, so the face never flickers half drawn.
    const QImage buffer = RenderPictureButton(Face());
    QPainter(this).drawImage(0, 0, buffer);
}

} // namespace tallyrun
