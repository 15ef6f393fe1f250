// TPictureButton's properties and painting; mouse and keyboard are in picture_button_input.cpp.
#include "widgets/picture_button.h"

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

template <typename T> void TPictureButton::Store(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void TPictureButton::SetButtonStyle(TButtonStyle style)
{
    if (style == m_buttonStyle)
        return;
    m_buttonStyle = style;
    m_bevels = RestBevels(style);
    update();
}

void TPictureButton::SetColorChange(bool on)
{
    Store(m_colorChange, on);
}
void TPictureButton::SetFocusStyle(TFocusStyle style)
{
    Store(m_focusStyle, style);
}
void TPictureButton::SetInColor(TColor color)
{
    Store(m_inColor, color);
}
void TPictureButton::SetPictureLeft(int x)
{
    Store(m_pictureLeft, x);
}
void TPictureButton::SetPictureTop(int y)
{
    Store(m_pictureTop, y);
}
void TPictureButton::SetCaptionLeft(int x)
{
    Store(m_captionLeft, x);
}
void TPictureButton::SetCaptionTop(int y)
{
    Store(m_captionTop, y);
}
void TPictureButton::SetStretch(bool on)
{
    Store(m_stretch, on);
}
void TPictureButton::SetFontColor(TColor color)
{
    Store(m_fontColor, color);
}

void TPictureButton::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
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
    if (caption == m_caption)
        return;
    m_caption = caption;
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
