#include "widgets/hook_hot_key.h"

#include "platform/handler_errors.h"
#include "platform/x11_key_grab.h"
#include "platform/x11_keysym.h"
#include "widgets/hot_key_modifiers.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tallyrun {

namespace {

// Qt's X connection, or null on any other platform. The offscreen platform still hands out
// the X11 interface, with a null connection, so the connection is what is checked.
xcb_connection_t* QtX11Connection()
{
    const auto* app =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

} // namespace

THookHotKey::THookHotKey(QWidget* owner)
    : QObject(owner), owner_(owner), connection_(QtX11Connection())
{
    if (connection_) {
        grabs_ = std::make_unique<platform::TX11KeyGrabs>(connection_);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

THookHotKey::~THookHotKey()
{
    if (connection_)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    grabs_.reset();
}

bool THookHotKey::RegisterShortCut(int number, QKeyCombination shortCut)
{
    const bool grabbed = grabs_ && grabs_->Grab(number, platform::KeySymForQtKey(shortCut.key()),
                                                HotKeyModifiers(shortCut.keyboardModifiers()));
    if (!grabbed)
        AddApplicationKey(number, shortCut);
    return grabbed;
}

void THookHotKey::DoHotKey(int index)
{
    if (!onHotKey_)
        return;
    if (activate_)
        BringOwnerToFront();
    onHotKey_(this, index);
}

bool THookHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!grabs_ || eventType != "xcb_generic_event_t")
        return false;
    const auto match = grabs_->Match(message);
    if (!match)
        return false;
    // The handler runs from the event queue, not inside the X event dispatch, so that a
    // message box it opens (or an error box) may run its own event loop.
    if (match->press) {
        QMetaObject::invokeMethod(
            this, [this, index = match->id] { HotKeyMessage(index); }, Qt::QueuedConnection);
    }
    return true; // presses and releases of our keys are ours alone
}

void THookHotKey::HotKeyMessage(int index)
{
    RunHandler([&] { DoHotKey(index); });
}

void THookHotKey::BringOwnerToFront()
{
    QWidget* window = owner_ ? owner_->window() : nullptr;
    if (!window || !window->isVisible())
        return;
    if (connection_) {
        platform::X11ActivateWindow(connection_, static_cast<std::uint32_t>(window->winId()));
    } else {
        window->raise();
        window->activateWindow();
    }
}

void THookHotKey::AddApplicationKey(int number, QKeyCombination shortCut)
{
    if (!owner_)
        return; // the key is taken in the owner's program; without an owner there is none
    if (applicationKeys_.empty())
        QCoreApplication::instance()->installEventFilter(this);
    applicationKeys_.emplace_back(number, shortCut);
}

bool THookHotKey::eventFilter(QObject* watched, QEvent* event)
{
    // A key press reaches the window first and then each widget it propagates to; only the
    // widgets' are looked at, and a matching press is taken so that it is handled once.
    // Unlike a window shortcut this also works while the owner's window is disabled, for
    // example while a dialog without a modal loop has locked it.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    for (const auto& [number, shortCut] : applicationKeys_) {
        if (key->keyCombination() == shortCut) {
            HotKeyMessage(number);
            return true;
        }
    }
    return false;
}

} // namespace tallyrun
