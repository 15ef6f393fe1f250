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
    explicit TOnExit(F f) : m_f(std::move(f)) {}
    ~TOnExit() { m_f(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    F m_f;
};

} // namespace

void TPictureButton::ApplyPressedLook(TPressedLook look)
{
    SetPressedLook(m_buttonStyle, look, m_mouseInside, m_bevels);
}

void TPictureButton::Click()
{
    m_down = 0;
    ApplyPressedLook(TPressedLook::Released);
    update();
    emit OnClick();
}

void TPictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_captured = true;
        setFocus(Qt::MouseFocusReason);
        ApplyPressedLook(TPressedLook::Pressed);
        m_down = 1;
        repaint();
    }
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const bool click = m_captured && rect().contains(pos);
        m_captured = false;
        if (click)
            Click();
        ApplyPressedLook(TPressedLook::Released);
        m_down = 0;
        m_pressedOutside = 0;
        repaint();
    }
    emit OnMouseUp(event->button(), event->modifiers(), pos);
}

void TPictureButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    // While the left button holds the mouse, Qt sends no enter or leave events, so crossing
    // the edge is found here.
    if (m_captured) {
        const bool inside = rect().contains(pos);
        if (inside && !m_mouseInside)
            MouseEntered(pos, event->buttons());
        else if (!inside && m_mouseInside)
            MouseLeft(pos, event->buttons());
    }
    emit OnMouseMove(event->buttons(), event->modifiers(), pos);
}

void TPictureButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (!m_mouseInside)
        MouseEntered(event->position().toPoint(), QGuiApplication::mouseButtons());
}

void TPictureButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (m_mouseInside)
        MouseLeft(mapFromGlobal(QCursor::pos()), QGuiApplication::mouseButtons());
}

void TPictureButton::MouseEntered(QPoint pos, Qt::MouseButtons buttons)
{
    m_mouseInside = true;
    emit OnMouseEnter(QGuiApplication::queryKeyboardModifiers(), buttons, pos);
    if (m_buttonStyle == bsIELike || m_buttonStyle == bsSpBtnLike) {
        m_bevels.outer = (buttons & Qt::LeftButton) ? bvLowered : bvRaised;
        m_pressedOutside = 0;
        repaint();
    } else if (m_buttonStyle == bsStdButton && m_captured) {
        m_pressedOutside = 0;
        repaint();
    }
    if (m_colorChange) {
        m_displayColor = m_inColor;
        update();
    }
}

void TPictureButton::MouseLeft(QPoint pos, Qt::MouseButtons buttons)
{
    m_mouseInside = false;
    emit OnMouseLeave(QGuiApplication::queryKeyboardModifiers(), buttons, pos);
    if (m_buttonStyle == bsIELike)
        m_bevels.outer = bvNone;
    else if (m_buttonStyle == bsSpBtnLike)
        m_bevels.outer = (buttons & Qt::LeftButton) ? bvRaised : bvNone;
    if (m_buttonStyle == bsIELike || m_buttonStyle == bsSpBtnLike || m_buttonStyle == bsStdButton) {
        m_pressedOutside = -m_down;
        repaint();
    }
    if (m_colorChange) {
        m_displayColor = m_color;
        update();
    }
}

bool TPictureButton::KeyDown(int key)
{
    if (key == Qt::Key_Space) {
        if (!m_down) {
            m_down = 1;
            ApplyPressedLook(TPressedLook::Pressed);
            update();
        }
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ApplyPressedLook(TPressedLook::Pressed);
        m_down = 1;
        update();
        const TOnExit release([this] {
            ApplyPressedLook(TPressedLook::Released);
            m_down = 0;
            update();
        });
        Click();
        return true;
    }
    if (m_down) {
        // Any other key lets a held button up without clicking it.
        m_down = 0;
        ApplyPressedLook(TPressedLook::Released);
        update();
    }
    return false;
}

bool TPictureButton::KeyUp(int key)
{
    if (key != Qt::Key_Space)
        return false;
    if (m_down) {
        m_down = 0;
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
        if (shortcut->shortcutId() == m_acceleratorId && isEnabled() && isVisible() &&
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
