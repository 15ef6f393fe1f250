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
    bevels_ = RestBevels(buttonStyle_);
}

void TPictureButton::SetButtonStyle(TButtonStyle style)
{
    if (!StoreIfChanged(buttonStyle_, style))
        return;
    bevels_ = RestBevels(style);
    update();
}

void TPictureButton::SetColorChange(bool on)
{
    if (StoreIfChanged(colorChange_, on))
        update();
}

void TPictureButton::SetFocusStyle(TFocusStyle style)
{
    if (StoreIfChanged(focusStyle_, style))
        update();
}

void TPictureButton::SetInColor(TColor color)
{
    if (StoreIfChanged(inColor_, color))
        update();
}

void TPictureButton::SetPictureLeft(int x)
{
    if (StoreIfChanged(pictureLeft_, x))
        update();
}

void TPictureButton::SetPictureTop(int y)
{
    if (StoreIfChanged(pictureTop_, y))
        update();
}

void TPictureButton::SetCaptionLeft(int x)
{
    if (StoreIfChanged(captionLeft_, x))
        update();
}

void TPictureButton::SetCaptionTop(int y)
{
    if (StoreIfChanged(captionTop_, y))
        update();
}

void TPictureButton::SetStretch(bool on)
{
    if (StoreIfChanged(stretch_, on))
        update();
}

void TPictureButton::SetFontColor(TColor color)
{
    if (StoreIfChanged(fontColor_, color))
        update();
}

void TPictureButton::SetColor(TColor color)
{
    if (!StoreIfChanged(color_, color))
        return;
    displayColor_ = color;
    update();
}

void TPictureButton::SetPicture(const QImage& picture)
{
    // Any change of the picture repaints; the owned copy is made transparent.
    picture_ = MakeTransparent(picture);
    update();
}

void TPictureButton::SetCaption(const QString& caption)
{
    if (!StoreIfChanged(caption_, caption))
        return;
    UpdateAccelerator();
    update();
}

void TPictureButton::UpdateAccelerator()
{
    if (acceleratorId_ != 0)
        releaseShortcut(acceleratorId_);
    acceleratorId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        acceleratorId_ = grabShortcut(key);
}

TPictureButtonFace TPictureButton::Face() const
{
    const QPalette palette = QGuiApplication::palette();
    TPictureButtonFace face;
    face.size = size();
    face.style = buttonStyle_;
    face.bevels = bevels_;
    face.down = down_;
    face.pressedOutside = pressedOutside_;
    face.displayColor = ColorToQColor(displayColor_, palette);
    face.color = ColorToQColor(color_, palette);
    face.inColor = ColorToQColor(inColor_, palette);
    face.focusStyle = focusStyle_;
    face.focused = hasFocus();
    face.picture = picture_;
    face.stretch = stretch_;
    face.pictureLeft = pictureLeft_;
    face.pictureTop = pictureTop_;
    face.caption = caption_;
    face.captionLeft = captionLeft_;
    face.captionTop = captionTop_;
    face.font = font();
    face.fontColor = ColorToQColor(fontColor_, palette);
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
