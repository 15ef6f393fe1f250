// TPictureButton: an owner-drawn push button with an optional picture and caption, one of
// eight bevel looks, a face colour that follows the mouse and a focus mark. It draws itself
// off screen through PaintPictureButton; this class holds the state and turns mouse and keys
// into that state.
#pragma once

#include "base/color_value.h"
#include "widgets/button_look.h"
#include "widgets/picture_button_paint.h"

#include <QImage>
#include <QWidget>

namespace tallyrun {

class TPictureButton : public QWidget
{
    Q_OBJECT
public:
    explicit TPictureButton(QWidget* parent = nullptr);

    TButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TButtonStyle style);
    bool ColorChange() const { return colorChange_; }
    void SetColorChange(bool on);
    TFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TFocusStyle style);
    // The owned picture, already made transparent.
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    TColor InColor() const { return inColor_; }
    void SetInColor(TColor color);
    TColor Color() const { return color_; }
    void SetColor(TColor color); // also becomes the displayed colour
    int PictureLeft() const { return pictureLeft_; }
    void SetPictureLeft(int x);
    int PictureTop() const { return pictureTop_; }
    void SetPictureTop(int y);
    int CaptionLeft() const { return captionLeft_; }
    void SetCaptionLeft(int x);
    int CaptionTop() const { return captionTop_; }
    void SetCaptionTop(int y);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    // A '&' marks the accelerator character.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);

    int Down() const { return down_; }
    int PressedOutside() const { return pressedOutside_; }
    TColor DisplayedColor() const { return displayColor_; }
    TBevels Bevels() const { return bevels_; }

    // Lets the button up and raises OnClick, as a mouse click, Enter, Space or the accelerator do.
    void Click();

    // The state the next paint draws, with system colours from the application's palette.
    TPictureButtonFace Face() const;

signals:
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void OnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    // The mouse entered or left the button; shift state and position in client pixels.
    void OnMouseEnter(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos);
    void OnMouseLeave(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos);
    void OnEnter();
    void OnExit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ApplyPressedLook(TPressedLook look);
    void MouseEntered(QPoint pos, Qt::MouseButtons buttons);
    void MouseLeft(QPoint pos, Qt::MouseButtons buttons);
    bool KeyDown(int key);
    bool KeyUp(int key);
    void UpdateAccelerator();

    TButtonStyle buttonStyle_ = bsStdButton;
    bool colorChange_ = true;
    TFocusStyle focusStyle_ = bfsStdButton;
    QImage picture_;
    TColor inColor_ = cl3DLight;
    TColor color_ = clBtnFace;
    TColor displayColor_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    int pictureLeft_ = -1, pictureTop_ = -1;
    int captionLeft_ = -1, captionTop_ = -1;
    bool stretch_ = false;
    QString caption_;
    TBevels bevels_;

    int down_ = 0;
    int pressedOutside_ = 0;
    bool mouseInside_ = false; // the mouse is over the button
    bool captured_ = false;    // the left button went down on the button and is still down
    int acceleratorId_ = 0;
};

} // namespace tallyrun
