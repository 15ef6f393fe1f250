#include "platform/portal_shortcuts.h"

#include "base/handler_errors.h"
#include "platform/portal_request.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include <vector>

namespace tallyrun::platform {

namespace {

constexpr char kRegistryInterface[] = "org.freedesktop.host.portal.Registry";
constexpr char kShortcutListSignature[] = "a(sa{sv})";

QString Str(const char* text)
{
    return QString::fromLatin1(text);
}

void RegisterTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<TPortalShortcut>();
        qDBusRegisterMetaType<QList<TPortalShortcut>>();
        return true;
    }();
    (void)registered;
}

QDBusMessage PortalCall(const char* interface, const char* method)
{
    return QDBusMessage::createMethodCall(Str(kPortalService), Str(kPortalPath), Str(interface),
                                          QString::fromLatin1(method));
}

// A string-valued entry of a portal answer; an entry of another type counts as absent. The
// session handle is a string in some portals' answers and an object path in others'.
QString TextEntry(const QVariantMap& map, const QString& key)
{
    const QVariant value = map.value(key);
    if (value.metaType() == QMetaType::fromType<QString>())
        return value.toString();
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return {};
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& out, const TPortalShortcut& shortcut)
{
    out.beginStructure();
    out << shortcut.id << shortcut.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, TPortalShortcut& shortcut)
{
    in.beginStructure();
    in >> shortcut.id >> shortcut.properties;
    in.endStructure();
    return in;
}

QList<TPortalTrigger> PortalTriggers(const QVariant& shortcuts)
{
    QList<TPortalTrigger> triggers;
    if (shortcuts.metaType() != QMetaType::fromType<QDBusArgument>())
        return triggers;
    const auto argument = shortcuts.value<QDBusArgument>();
    // The signature is checked first: demarshalling a value of another shape would read
    // nonsense.
    if (argument.currentSignature() != Str(kShortcutListSignature))
        return triggers;
    RegisterTypes();
    QList<TPortalShortcut> entries;
    argument >> entries;
    for (const TPortalShortcut& entry : entries)
        triggers.push_back({entry.id, TextEntry(entry.properties, Str("trigger_description"))});
    return triggers;
}

unsigned GlobalShortcutsVersion(const QDBusConnection& connection, int timeoutMs)
{
    if (!connection.isConnected())
        return 0;
    QDBusMessage get = QDBusMessage::createMethodCall(
        Str(kPortalService), Str(kPortalPath), Str("org.freedesktop.DBus.Properties"), Str("Get"));
    get << Str(kGlobalShortcutsInterface) << Str("version");
    const QDBusMessage reply = connection.call(get, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return 0;
    const QVariant value = reply.arguments().constFirst().value<QDBusVariant>().variant();
    return value.metaType() == QMetaType::fromType<uint>() ? value.toUInt() : 0;
}

// The requests in flight; each is deleted when its answer has been handled.
class TPortalShortcuts::TRequests
{
public:
    std::vector<std::unique_ptr<TPortalRequest>> list;
    void Remove(TPortalRequest* request)
    {
        std::erase_if(list, [&](const auto& r) { return r.get() == request; });
    }
};

TPortalShortcuts::TPortalShortcuts(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection)), requests_(std::make_unique<TRequests>())
{
    RegisterTypes();
}

TPortalShortcuts::~TPortalShortcuts()
{
    SubscribeSignals(false);
    if (!session_.isEmpty() && !failed_) {
        connection_.call(QDBusMessage::createMethodCall(Str(kPortalService), session_,
                                                        Str(kPortalSessionInterface), Str("Close")),
                         QDBus::NoBlock);
    }
}

void TPortalShortcuts::Bind(const QString& appId, const QList<TPortalShortcut>& shortcuts,
                            const QString& parentWindow)
{
    if (started_)
        return;
    started_ = true;
    shortcuts_ = shortcuts;
    parentWindow_ = parentWindow;
    if (!connection_.isConnected()) {
        Fail();
        return;
    }
    // The portal's registry tells it which program a caller outside a sandbox is; it must
    // come before the first request. Older portals have no registry: the error is of no
    // consequence, so nobody waits for the answer.
    if (!appId.isEmpty()) {
        QDBusMessage registration = PortalCall(kRegistryInterface, "Register");
        registration << appId << QVariantMap();
        connection_.call(registration, QDBus::NoBlock);
    }
    SubscribeSignals(true);
    // Any change of the portal's owner ends the session: a portal that left took it along,
    // and a new one does not know it. (Watching for every change, not only for the owner
    // leaving, also keeps Qt's record of the owner, by which it lets the portal's signals
    // through, up to date.)
    watcher_ = new QDBusServiceWatcher(Str(kPortalService), connection_,
                                       QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this] { RunHandler([this] { Fail(); }); });
    CreateSession();
}

void TPortalShortcuts::CreateSession()
{
    const QString sessionToken = NewPortalToken();
    auto request = std::make_unique<TPortalRequest>(
        connection_, NewPortalToken(),
        [this](unsigned response, const QVariantMap& results, const QString& sender) {
            SessionCreated(response, results, sender);
        });
    QDBusMessage call = PortalCall(kGlobalShortcutsInterface, "CreateSession");
    call << QVariantMap{{Str("handle_token"), request->Token()},
                        {Str("session_handle_token"), sessionToken}};
    Send(call, std::move(request));
}

void TPortalShortcuts::Send(const QDBusMessage& call, std::unique_ptr<TPortalRequest> request)
{
    TPortalRequest* follower = request.get();
    requests_->list.push_back(std::move(request));
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, follower](QDBusPendingCallWatcher* self) {
                RunHandler([&] { Replied(*self, follower); });
            });
}

void TPortalShortcuts::Replied(QDBusPendingCallWatcher& call, TPortalRequest* follower)
{
    call.deleteLater();
    const QDBusPendingReply<QDBusObjectPath> reply = call;
    if (reply.isError()) {
        requests_->Remove(follower);
        Fail();
        return;
    }
    follower->Follow(reply.value().path());
}

void TPortalShortcuts::SessionCreated(unsigned response, const QVariantMap& results,
                                      const QString& sender)
{
    session_ = TextEntry(results, Str("session_handle"));
    owner_ = sender;
    if (response != prSuccess || session_.isEmpty()) {
        session_.clear();
        Fail();
        return;
    }
    SubscribeSignals(true);
    BindShortcuts();
}

void TPortalShortcuts::BindShortcuts()
{
    auto request = std::make_unique<TPortalRequest>(
        connection_, NewPortalToken(),
        [this](unsigned response, const QVariantMap& results, const QString&) {
            ShortcutsBound(response, results);
        });
    QDBusMessage call = PortalCall(kGlobalShortcutsInterface, "BindShortcuts");
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts_)
         << parentWindow_ << QVariantMap{{Str("handle_token"), request->Token()}};
    Send(call, std::move(request));
}

void TPortalShortcuts::ShortcutsBound(unsigned response, const QVariantMap& results)
{
    if (response != prSuccess) {
        Fail();
        return;
    }
    emit Bound(PortalTriggers(results.value(Str("shortcuts"))));
}

void TPortalShortcuts::SubscribeSignals(bool subscribe)
{
    using TChange =
        bool (QDBusConnection::*)(const QString&, const QString&, const QString&, const QString&,
                                  const QString&, QObject*, const char*);
    const TChange change =
        subscribe ? TChange(&QDBusConnection::connect) : TChange(&QDBusConnection::disconnect);
    const QString service = Str(kPortalService);
    const QString interface = Str(kGlobalShortcutsInterface);
    if (!subscribe || session_.isEmpty()) {
        // Subscribed before the session exists, so that no press after the bind is missed.
        // The slots take the whole message: a slot with typed D-Bus arguments (an object path)
        // can fail to connect while Qt's D-Bus thread is still registering those types.
        // The sender is checked here against the portal that made the session, rather than
        // by Qt against the owner of the portal's name: Qt learns a new owner of a name some
        // time after it changed, and drops what the new owner sends until then. Presses of
        // other sessions are told apart by their session handle.
        (connection_.*change)(QString(), Str(kPortalPath), interface, Str("Activated"),
                              Str("osta{sv}"), this, SLOT(OnActivated(QDBusMessage)));
        (connection_.*change)(QString(), Str(kPortalPath), interface, Str("ShortcutsChanged"),
                              Str("oa(sa{sv})"), this, SLOT(OnShortcutsChanged(QDBusMessage)));
    }
    if (!session_.isEmpty()) {
        (connection_.*change)(service, session_, Str(kPortalSessionInterface), Str("Closed"),
                              Str("a{sv}"), this, SLOT(OnSessionClosed(QVariantMap)));
    }
}

void TPortalShortcuts::OnActivated(const QDBusMessage& message)
{
    // Read from the message itself, each argument checked: the signature of the subscription
    // filtered the shape already.
    const QVariantList arguments = message.arguments();
    if (failed_ || session_.isEmpty() || message.service() != owner_ || arguments.size() != 4 ||
        arguments[0].value<QDBusObjectPath>().path() != session_)
        return;
    const QString id = arguments[1].toString();
    const QVariantMap options = qdbus_cast<QVariantMap>(arguments[3]);
    RunHandler([&] { emit Activated(id, TextEntry(options, Str("activation_token"))); });
}

void TPortalShortcuts::OnShortcutsChanged(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (failed_ || session_.isEmpty() || message.service() != owner_ || arguments.size() != 2 ||
        arguments[0].value<QDBusObjectPath>().path() != session_)
        return;
    RunHandler([&] { emit Bound(PortalTriggers(arguments[1])); });
}

void TPortalShortcuts::OnSessionClosed(const QVariantMap& /*details*/)
{
    RunHandler([this] { Fail(); });
}

void TPortalShortcuts::Fail()
{
    if (failed_)
        return;
    failed_ = true;
    SubscribeSignals(false);
    emit Failed();
}

} // namespace tallyrun::platform
