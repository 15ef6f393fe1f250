// How TPictureButton turns mouse, keys, focus and its accelerator into its pressed state.
#include "widgets/picture_button.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

#include <utility>

namespace tallyrun {

namespace {

// Runs `f` when it goes out of scope, also when a click handler throws.
template <typename F> class TOnExit
{
public:
    explicit TOnExit(F f) : f_(std::move(f)) {}
    ~TOnExit() { f_(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    F f_;
};

} // namespace

void TPictureButton::ApplyPressedLook(TPressedLook look)
{
    SetPressedLook(buttonStyle_, look, mouseInside_, bevels_);
}

void TPictureButton::Click()
{
    down_ = 0;
    ApplyPressedLook(TPressedLook::Released);
    update();
    emit OnClick();
}

void TPictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        captured_ = true;
        setFocus(Qt::MouseFocusReason);
        ApplyPressedLook(TPressedLook::Pressed);
        down_ = 1;
        repaint();
    }
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const bool click = captured_ && rect().contains(pos);
        captured_ = false;
        if (click)
            Click();
        ApplyPressedLook(TPressedLook::Released);
        down_ = 0;
        pressedOutside_ = 0;
        repaint();
    }
    emit OnMouseUp(event->button(), event->modifiers(), pos);
}

void TPictureButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    // While the left button holds the mouse, Qt sends no enter or leave events, so crossing
    // the edge is found here.
    if (captured_) {
        const bool inside = rect().contains(pos);
        if (inside && !mouseInside_)
            MouseEntered(pos, event->buttons());
        else if (!inside && mouseInside_)
            MouseLeft(pos, event->buttons());
    }
    emit OnMouseMove(event->buttons(), event->modifiers(), pos);
}

void TPictureButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (!mouseInside_)
        MouseEntered(event->position().toPoint(), QGuiApplication::mouseButtons());
}

void TPictureButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (mouseInside_)
        MouseLeft(mapFromGlobal(QCursor::pos()), QGuiApplication::mouseButtons());
}

void TPictureButton::MouseEntered(QPoint pos, Qt::MouseButtons buttons)
{
    mouseInside_ = true;
    emit OnMouseEnter(QGuiApplication::queryKeyboardModifiers(), buttons, pos);
    if (buttonStyle_ == bsIELike || buttonStyle_ == bsSpBtnLike) {
        bevels_.outer = (buttons & Qt::LeftButton) ? bvLowered : bvRaised;
        pressedOutside_ = 0;
        repaint();
    } else if (buttonStyle_ == bsStdButton && captured_) {
        pressedOutside_ = 0;
        repaint();
    }
    if (colorChange_) {
        displayColor_ = inColor_;
        update();
    }
}

void TPictureButton::MouseLeft(QPoint pos, Qt::MouseButtons buttons)
{
    mouseInside_ = false;
    emit OnMouseLeave(QGuiApplication::queryKeyboardModifiers(), buttons, pos);
    if (buttonStyle_ == bsIELike)
        bevels_.outer = bvNone;
    else if (buttonStyle_ == bsSpBtnLike)
        bevels_.outer = (buttons & Qt::LeftButton) ? bvRaised : bvNone;
    if (buttonStyle_ == bsIELike || buttonStyle_ == bsSpBtnLike || buttonStyle_ == bsStdButton) {
        pressedOutside_ = -down_;
        repaint();
    }
    if (colorChange_) {
        displayColor_ = color_;
        update();
    }
}

bool TPictureButton::KeyDown(int key)
{
    if (key == Qt::Key_Space) {
        if (!down_) {
            down_ = 1;
            ApplyPressedLook(TPressedLook::Pressed);
            update();
        }
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ApplyPressedLook(TPressedLook::Pressed);
        down_ = 1;
        update();
        const TOnExit release([this] {
            ApplyPressedLook(TPressedLook::Released);
            down_ = 0;
            update();
        });
        Click();
        return true;
    }
    if (down_) {
        // Any other key lets a held button up without clicking it.
        down_ = 0;
        ApplyPressedLook(TPressedLook::Released);
        update();
    }
    return false;
}

bool TPictureButton::KeyUp(int key)
{
    if (key != Qt::Key_Space)
        return false;
    if (down_) {
        down_ = 0;
        ApplyPressedLook(TPressedLook::Released);
        update();
        Click();
        update();
    }
    return true;
}

void TPictureButton::keyPressEvent(QKeyEvent* event)
{
    QWidget::keyPressEvent(event); // ignores the key, so unused keys reach the parent
    if (isEnabled() && KeyDown(event->key()))
        event->accept();
}

void TPictureButton::keyReleaseEvent(QKeyEvent* event)
{
    QWidget::keyReleaseEvent(event);
    // Holding Space repeats press and release pairs; only the real release clicks.
    if (event->isAutoRepeat())
        return;
    if (isEnabled() && KeyUp(event->key()))
        event->accept();
}

void TPictureButton::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
    emit OnEnter();
}

void TPictureButton::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
    emit OnExit();
}

bool TPictureButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        const QWidget* parent = parentWidget();
        if (shortcut->shortcutId() == acceleratorId_ && isEnabled() && isVisible() &&
            (!parent || parent->isVisible())) {
            Click();
            return true;
        }
    }
    if (event->type() == QEvent::FontChange)
        update();
    return QWidget::event(event);
}

} // namespace tallyrun
