// A client of the desktop portal's global shortcuts (org.freedesktop.portal.GlobalShortcuts,
// version 1 or later): one session in which the program's shortcuts are bound once, with the
// trigger the program would like; the desktop decides the trigger (and may ask the user), and
// reports each press of a bound shortcut as Activated. Everything goes through Qt's D-Bus
// module, asynchronously: nothing here waits for the desktop but the version probe.
#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <memory>

class QDBusMessage;
class QDBusObjectPath;
class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace tallyrun::platform {

class TPortalRequest;

inline constexpr char kGlobalShortcutsInterface[] = "org.freedesktop.portal.GlobalShortcuts";

// One entry of a shortcut list, (sa{sv}) on the bus: the program's id for the shortcut and its
// properties ("description" and "preferred_trigger" going out, "description" and
// "trigger_description" coming back).
struct TPortalShortcut
{
    QString id;
    QVariantMap properties;
};
QDBusArgument& operator<<(QDBusArgument& out, const TPortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& in, TPortalShortcut& shortcut);

// A shortcut as the desktop bound it: its id and the desktop's text of its trigger, empty
// when the desktop bound no trigger.
struct TPortalTrigger
{
    QString id;
    QString trigger;
    bool operator==(const TPortalTrigger&) const = default;
};
// The "shortcuts" value of a portal answer (a(sa{sv})); entries of another shape, or a value
// of another type, give nothing.
QList<TPortalTrigger> PortalTriggers(const QVariant& shortcuts);

// The version of the global-shortcuts interface on `connection`'s portal; 0 when there is no
// bus, no portal or no such interface. Waits up to `timeoutMs` for the answer (the portal may
// have to be started first).
unsigned GlobalShortcutsVersion(const QDBusConnection& connection, int timeoutMs = 3000);

class TPortalShortcuts : public QObject
{
    Q_OBJECT

public:
    explicit TPortalShortcuts(QDBusConnection connection, QObject* parent = nullptr);
    // Closes the session, so the desktop drops the bindings.
    ~TPortalShortcuts() override;

    // Registers the program as `appId` (its desktop file's name) with the portal, creates the
    // session and binds `shortcuts` in it; "description" and "preferred_trigger" are taken
    // from each entry. `parentWindow` is the portal's window identifier ("x11:<hex id>") for
    // a dialog the desktop may show, or empty. Once per object; later calls do nothing.
    void Bind(const QString& appId, const QList<TPortalShortcut>& shortcuts,
              const QString& parentWindow);

signals:
    // The desktop's answer to the bind, and every later change the user made to the triggers.
    void Bound(const QList<TPortalTrigger>& triggers);
    // The session could not be made, the bind was refused, or the portal closed the session
    // or left the bus: no shortcut of this object works any more.
    void Failed();
    // A bound shortcut was pressed. `activationToken` (portal version 2), when given, lets the
    // program bring its window to the front on Wayland.
    void Activated(const QString& id, const QString& activationToken);

private slots:
    // Slots named in D-Bus subscriptions: Qt's D-Bus module takes slot names only.
    void OnActivated(const QDBusMessage& message);
    void OnShortcutsChanged(const QDBusMessage& message);
    void OnSessionClosed(const QVariantMap& details);

private:
    class TRequests;
    void CreateSession();
    // Calls the portal with `call`, whose answer `request` (already subscribed) takes.
    void Send(const QDBusMessage& call, std::unique_ptr<TPortalRequest> request);
    // The reply of a call that started `follower`'s request.
    void Replied(QDBusPendingCallWatcher& call, TPortalRequest* follower);
    void SessionCreated(unsigned response, const QVariantMap& results, const QString& sender);
    void BindShortcuts();
    void ShortcutsBound(unsigned response, const QVariantMap& results);
    void SubscribeSignals(bool subscribe);
    void Fail();

    QDBusConnection connection_;
    std::unique_ptr<TRequests> requests_;
    QDBusServiceWatcher* watcher_ = nullptr;
    QList<TPortalShortcut> shortcuts_;
    QString parentWindow_;
    QString session_;
    // The unique name of the portal that made the session: only its signals count.
    QString owner_;
    bool started_ = false;
    bool failed_ = false;
};

} // namespace tallyrun::platform

Q_DECLARE_METATYPE(tallyrun::platform::TPortalShortcut)
