// TPictureButton: an owner-drawn push button with an optional picture and caption, one of
// eight bevel looks, a face colour that follows the mouse and a focus mark. It draws itself
// off screen through PaintPictureButton; this class holds the state and turns mouse and keys
// into that state.
#pragma once

#include "platform/color_value.h"
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

    TButtonStyle ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(TButtonStyle style);
    bool ColorChange() const { return m_colorChange; }
    void SetColorChange(bool on);
    TFocusStyle FocusStyle() const { return m_focusStyle; }
    void SetFocusStyle(TFocusStyle style);
    // The owned picture, already made transparent.
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);
    TColor InColor() const { return m_inColor; }
    void SetInColor(TColor color);
    TColor Color() const { return m_color; }
    void SetColor(TColor color); // also becomes the displayed colour
    int PictureLeft() const { return m_pictureLeft; }
    void SetPictureLeft(int x);
    int PictureTop() const { return m_pictureTop; }
    void SetPictureTop(int y);
    int CaptionLeft() const { return m_captionLeft; }
    void SetCaptionLeft(int x);
    int CaptionTop() const { return m_captionTop; }
    void SetCaptionTop(int y);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool on);
    // A '&' marks the accelerator character.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);

    int Down() const { return m_down; }
    int PressedOutside() const { return m_pressedOutside; }
    TColor DisplayedColor() const { return m_displayColor; }
    TBevels Bevels() const { return m_bevels; }

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

    TButtonStyle m_buttonStyle = bsStdButton;
    bool m_colorChange = true;
    TFocusStyle m_focusStyle = bfsStdButton;
    QImage m_picture;
    TColor m_inColor = cl3DLight;
    TColor m_color = clBtnFace;
    TColor m_displayColor = clBtnFace;
    TColor m_fontColor = clWindowText;
    int m_pictureLeft = -1, m_pictureTop = -1;
    int m_captionLeft = -1, m_captionTop = -1;
    bool m_stretch = false;
    QString m_caption;
    TBevels m_bevels;

    int m_down = 0;
    int m_pressedOutside = 0;
    bool m_mouseInside = false; // the mouse is over the button
    bool m_captured = false;    // the left button went down on the button and is still down
    int m_acceleratorId = 0;
};

} // namespace tallyrun
