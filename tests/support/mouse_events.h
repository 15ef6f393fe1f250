// Sends the mouse events a user's hand would to a widget, straight to it, so tests run the
// same on every platform plugin.
#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tallyrun::test {

inline void SendEnter(QWidget& w, QPoint pos)
{
    QEnterEvent event(pos, pos, w.mapToGlobal(pos));
    QApplication::sendEvent(&w, &event);
}

inline void SendLeave(QWidget& w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&w, &event);
}

// `held` are the buttons down after the event.
inline void SendMouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, w.mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

inline void Press(QWidget& w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseButtonPress, pos, button, button);
}

// A move with no button held.
inline void Hover(QWidget& w, QPoint pos)
{
    SendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

inline void DragTo(QWidget& w, QPoint pos)
{
    SendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}

inline void Release(QWidget& w, QPoint pos)
{
    SendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

} // namespace tallyrun::test
