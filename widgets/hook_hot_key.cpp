#include "widgets/hook_hot_key.h"

#include "base/handler_errors.h"
#include "platform/portal_shortcuts.h"
#include "platform/x11_key_grab.h"
#include "platform/x11_keysym.h"
#include "widgets/hot_key_modifiers.h"

#include <QCoreApplication>
#include <QDBusConnection>
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

bool QtOnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

THotKeySession FindSession(xcb_connection_t* connection)
{
    THotKeySession session;
    session.x11Connection = connection != nullptr;
    session.waylandSession = QtOnWayland() || IsWaylandSession([](const char* name) {
                                 return qEnvironmentVariable(name);
                             });
    session.portalVersion = platform::GlobalShortcutsVersion(QDBusConnection::sessionBus());
    return session;
}

// The portal's id of the key registered under `number`; the desktop keeps the user's choice
// of trigger under it from one start to the next.
QString PortalId(int number)
{
    return QStringLiteral("hot-key-%1").arg(number);
}

} // namespace

THookHotKey::THookHotKey(QWidget* owner)
    : QObject(owner), owner_(owner), connection_(QtX11Connection()),
      session_(FindSession(connection_)), route_(ChooseHotKeyRoute(session_))
{
    if (route_ == THotKeyRoute::hkrX11Grab)
        UseX11Grabs();
    else if (route_ == THotKeyRoute::hkrPortal)
        StartPortal();
}

THookHotKey::~THookHotKey()
{
    if (grabs_)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    grabs_.reset();
    // Closes the portal's session now, while this object is whole.
    delete portal_;
}

void THookHotKey::UseX11Grabs()
{
    grabs_ = std::make_unique<platform::TX11KeyGrabs>(connection_);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool THookHotKey::RegisterShortCut(int number, QKeyCombination shortCut, const QString& description)
{
    if (route_ == THotKeyRoute::hkrPortal && portal_ && !portalBindSent_) {
        // Bound on the next turn of the event loop, together with the keys registered after
        // this one in the same go. The key works in the program's windows meanwhile.
        if (portalKeys_.empty())
            QMetaObject::invokeMethod(
                this, [this] { RunHandler([this] { BindThroughPortal(); }); },
                Qt::QueuedConnection);
        portalKeys_[number] = {shortCut, description};
        AddApplicationKey(number, shortCut);
        return true;
    }
    const bool grabbed = Grab(number, shortCut);
    if (!grabbed)
        AddApplicationKey(number, shortCut);
    return grabbed;
}

bool THookHotKey::Grab(int number, QKeyCombination shortCut)
{
    return grabs_ && grabs_->Grab(number, platform::KeySymForQtKey(shortCut.key()),
                                  HotKeyModifiers(shortCut.keyboardModifiers()));
}

std::optional<THotKeyBinding> THookHotKey::Binding(int number) const
{
    const auto it = bindings_.find(number);
    if (it != bindings_.end())
        return it->second;
    const bool registered = std::any_of(applicationKeys_.begin(), applicationKeys_.end(),
                                        [&](const auto& key) { return key.first == number; });
    if (route_ == THotKeyRoute::hkrPortal || !registered)
        return std::nullopt; // the desktop has not answered, or there is no such key
    return THotKeyBinding{THotKeyBindingState::hbsNone, {}};
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
        return;
    }
    // A Wayland compositor lets a window take the focus only with a token from the desktop
    // (xdg-activation); the portal hands one over with the press. Qt's Wayland plugin takes
    // it from the variable the freedesktop launch convention uses, and clears it.
    if (QtOnWayland() && !activationToken_.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken_.toUtf8());
    activationToken_.clear();
    window->raise();
    window->activateWindow();
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

void THookHotKey::StartPortal()
{
    portal_ = new platform::TPortalShortcuts(QDBusConnection::sessionBus());
    connect(portal_, &platform::TPortalShortcuts::Bound, this,
            [this](const QList<platform::TPortalTrigger>& triggers) {
                RunHandler([&] { PortalBound(triggers); });
            });
    connect(portal_, &platform::TPortalShortcuts::Failed, this,
            [this] { RunHandler([this] { PortalFailed(); }); });
    connect(portal_, &platform::TPortalShortcuts::Activated, this,
            [this](const QString& id, const QString& token) {
                RunHandler([&] { PortalActivated(id, token); });
            });
}

void THookHotKey::BindThroughPortal()
{
    if (!portal_ || portalBindSent_)
        return;
    portalBindSent_ = true;
    QList<platform::TPortalShortcut> shortcuts;
    for (const auto& [number, key] : portalKeys_) {
        const QString trigger = PortalTriggerText(key.shortCut);
        shortcuts.push_back({PortalId(number),
                             {{QStringLiteral("description"),
                               key.description.isEmpty() ? trigger : key.description},
                              {QStringLiteral("preferred_trigger"), trigger}}});
    }
    // Under X11 the desktop may place a dialog of its own over the window; a Wayland window
    // has no identifier without a protocol Qt does not offer, so none is given there.
    QString parent;
    if (connection_ && owner_)
        parent = QStringLiteral("x11:%1").arg(owner_->window()->winId(), 0, 16);
    portal_->Bind(QGuiApplication::desktopFileName(), shortcuts, parent);
}

void THookHotKey::PortalBound(const QList<platform::TPortalTrigger>& triggers)
{
    for (const auto& [number, key] : portalKeys_) {
        QString trigger;
        for (const platform::TPortalTrigger& bound : triggers) {
            if (bound.id == PortalId(number))
                trigger = bound.trigger;
        }
        SetBinding(number, ClassifyTrigger(trigger, key.shortCut));
    }
}

void THookHotKey::PortalFailed()
{
    // Called from the portal's own signal: it goes at the next turn of the event loop.
    if (portal_)
        portal_->deleteLater();
    portal_ = nullptr;
    THotKeySession withoutPortal = session_;
    withoutPortal.portalVersion = 0;
    route_ = ChooseHotKeyRoute(withoutPortal);
    if (route_ == THotKeyRoute::hkrX11Grab && !grabs_)
        UseX11Grabs();
    for (const auto& [number, key] : portalKeys_) {
        const bool grabbed = Grab(number, key.shortCut);
        SetBinding(number, grabbed ? THotKeyBinding{THotKeyBindingState::hbsAsAsked,
                                                    PortalTriggerText(key.shortCut)}
                                   : THotKeyBinding{THotKeyBindingState::hbsNone, {}});
    }
}

void THookHotKey::PortalActivated(const QString& id, const QString& activationToken)
{
    for (const auto& entry : portalKeys_) {
        if (PortalId(entry.first) == id) {
            activationToken_ = activationToken;
            HotKeyMessage(entry.first);
            return;
        }
    }
}

void THookHotKey::SetBinding(int number, const THotKeyBinding& binding)
{
    const auto it = bindings_.find(number);
    if (it != bindings_.end() && it->second == binding)
        return;
    bindings_[number] = binding;
    if (onBindingChanged_)
        onBindingChanged_(this, number, binding);
}

} // namespace tallyrun
