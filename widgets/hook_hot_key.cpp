#include "widgets/hook_hot_key.h"

#include "platform/x11_key_grab.h"
#include "platform/x11_keysym.h"
#include "widgets/handler_errors.h"
#include "widgets/hot_key_modifiers.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QShortcut>
#include <QWidget>

namespace tallyrun {

namespace {

// Qt's X connection, or null on any other platform. The offscreen platform still hands out
// the X11 interface, with a null connection, so the connection is what is checked.
xcb_connection_t* QtX11Connection()
{
    const auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                              : nullptr;
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
    for (const QPointer<QShortcut>& shortcut : shortcuts_)
        delete shortcut.data();
}

bool THookHotKey::RegisterShortCut(int number, QKeyCombination shortCut)
{
    if (!grabs_) {
        AddApplicationShortcut(number, shortCut);
        return false;
    }
    return grabs_->Grab(number, platform::KeySymForQtKey(shortCut.key()),
                        HotKeyModifiers(shortCut.keyboardModifiers()));
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
    return true;  // presses and releases of our keys are ours alone
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

void THookHotKey::AddApplicationShortcut(int number, QKeyCombination shortCut)
{
    if (!owner_)
        return;  // a shortcut lives in a window; without an owner there is none
    auto* shortcut = new QShortcut(QKeySequence(shortCut), owner_);
    shortcut->setContext(Qt::ApplicationShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, number] { HotKeyMessage(number); });
    shortcuts_.emplace_back(shortcut);
}

} // namespace tallyrun
