#include "tests/support/fake_portal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>

#include <atomic>

namespace tallyrun::test {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

// The portal's own reading of the rules: ":1.42" and "tok" -> .../request/1_42/tok.
QString ObjectFor(const QString& kind, const QString& sender, const QString& token)
{
    QString part = sender.mid(sender.startsWith(QLatin1Char(':')) ? 1 : 0);
    part.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QLatin1Char('/') + kind + QLatin1Char('/') + part + QLatin1Char('/') + token;
}

std::vector<TFakeShortcut> ReadShortcuts(const QDBusArgument& in)
{
    std::vector<TFakeShortcut> shortcuts;
    in.beginArray();
    while (!in.atEnd()) {
        TFakeShortcut shortcut;
        QVariantMap properties;
        in.beginStructure();
        in >> shortcut.id >> properties;
        in.endStructure();
        shortcut.description = properties.value(QStringLiteral("description")).toString();
        shortcut.preferredTrigger =
            properties.value(QStringLiteral("preferred_trigger")).toString();
        shortcuts.push_back(shortcut);
    }
    in.endArray();
    return shortcuts;
}

} // namespace

// A shortcut entry (sa{sv}) as the portal sends it.
struct TWireShortcut
{
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const TWireShortcut& shortcut)
{
    out.beginStructure();
    out << shortcut.id << shortcut.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, TWireShortcut& shortcut)
{
    in.beginStructure();
    in >> shortcut.id >> shortcut.properties;
    in.endStructure();
    return in;
}

} // namespace tallyrun::test

Q_DECLARE_METATYPE(tallyrun::test::TWireShortcut)

namespace tallyrun::test {

namespace {

QVariant TriggerList(const QString& id, const std::optional<QString>& trigger)
{
    static const bool registered = [] {
        qDBusRegisterMetaType<TWireShortcut>();
        qDBusRegisterMetaType<QList<TWireShortcut>>();
        return true;
    }();
    (void)registered;
    QList<TWireShortcut> list;
    if (trigger)
        list.push_back({id,
                        {{QStringLiteral("description"), QStringLiteral("-")},
                         {QStringLiteral("trigger_description"), *trigger}}});
    return QVariant::fromValue(list);
}

} // namespace

class TFakePortal::TWorker : public QDBusVirtualObject
{
public:
    TWorker(const std::string& address, TFakePortalBehaviour behaviour)
        : address_(QString::fromStdString(address)),
          name_(QStringLiteral("fake-portal-%1").arg(++count_)), connection_(QString()),
          behaviour_(behaviour)
    {
    }

    // In the portal's thread.
    void Start()
    {
        connection_ = QDBusConnection::connectToBus(address_, name_);
        registered_ = connection_.registerVirtualObject(kPath, this, QDBusConnection::SubPath) &&
                      connection_.registerService(kService);
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        if (message.interface() == QStringLiteral("org.freedesktop.DBus.Properties"))
            return Properties(message, connection);
        TPortalCall call{
            message.interface(), message.member(), message.service(), {}, {}, {}, {}, {}, {}};
        const QVariantList args = message.arguments();
        if (call.member == QStringLiteral("CreateSession") && args.size() == 1) {
            call.options = qdbus_cast<QVariantMap>(args[0]);
            CreateSession(message, call);
        } else if (call.member == QStringLiteral("BindShortcuts") && args.size() == 4) {
            call.session = args[0].value<QDBusObjectPath>().path();
            const auto shortcuts = args[1].value<QDBusArgument>();
            call.shortcutsSignature = shortcuts.currentSignature();
            if (call.shortcutsSignature == QStringLiteral("a(sa{sv})"))
                call.shortcuts = ReadShortcuts(shortcuts);
            call.parentWindow = args[2].toString();
            call.options = qdbus_cast<QVariantMap>(args[3]);
            BindShortcuts(message, call);
        } else {
            if (message.interface() == kSession)
                call.session = message.path();
            connection_.send(message.createReply());
        }
        Record(call);
        return true;
    }

    void Signal(const QString& path, const QString& interface, const QString& name,
                const QVariantList& arguments)
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
        signal.setArguments(arguments);
        connection_.send(signal);
    }

    void Leave()
    {
        if (!connection_.isConnected())
            return;
        connection_.unregisterService(kService);
        connection_.unregisterObject(kPath, QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(name_);
        connection_ = QDBusConnection(QString());
    }

    mutable std::mutex mutex;
    std::vector<TPortalCall> calls;
    QString session;
    std::atomic<bool> registered_{false};

private:
    bool Properties(const QDBusMessage& message, const QDBusConnection&)
    {
        const QVariantList args = message.arguments();
        if (message.member() == QStringLiteral("Get") && args.size() == 2 &&
            args[0].toString() == kShortcuts && args[1].toString() == QStringLiteral("version") &&
            behaviour_.version > 0) {
            connection_.send(
                message.createReply(QVariant::fromValue(QDBusVariant(behaviour_.version))));
        } else {
            connection_.send(message.createErrorReply(
                QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), "No such property"));
        }
        return true;
    }

    void CreateSession(const QDBusMessage& message, TPortalCall& call)
    {
        const QString token = call.options.value(QStringLiteral("handle_token")).toString();
        const QString sessionToken =
            call.options.value(QStringLiteral("session_handle_token")).toString();
        const QString sessionPath = ObjectFor(QStringLiteral("session"), call.sender, sessionToken);
        {
            std::lock_guard lock(mutex);
            session = sessionPath;
        }
        Answer(message, call, token, behaviour_.sessionResponse,
               {{QStringLiteral("session_handle"), sessionPath}});
    }

    void BindShortcuts(const QDBusMessage& message, TPortalCall& call)
    {
        const QString token = call.options.value(QStringLiteral("handle_token")).toString();
        const QString id = call.shortcuts.empty() ? QString() : call.shortcuts.front().id;
        Answer(message, call, token, behaviour_.bindResponse,
               {{QStringLiteral("shortcuts"), TriggerList(id, behaviour_.trigger)}});
    }

    // The reply names the request object; the Response on it carries the answer, and goes
    // out first.
    void Answer(const QDBusMessage& message, TPortalCall& call, const QString& token,
                unsigned response, const QVariantMap& results)
    {
        call.requestPath = ObjectFor(QStringLiteral("request"), call.sender, token);
        QDBusMessage signal = QDBusMessage::createTargetedSignal(
            call.sender, call.requestPath, QStringLiteral("org.freedesktop.portal.Request"),
            QStringLiteral("Response"));
        signal << response << (response == 0 ? results : QVariantMap());
        const QDBusMessage reply =
            message.createReply(QVariant::fromValue(QDBusObjectPath(call.requestPath)));
        connection_.send(signal);
        connection_.send(reply);
    }

    void Record(const TPortalCall& call)
    {
        std::lock_guard lock(mutex);
        calls.push_back(call);
    }

    static inline std::atomic<int> count_{0};
    QString address_;
    QString name_;
    QDBusConnection connection_;
    const TFakePortalBehaviour behaviour_;
};

TFakePortal::TFakePortal(const std::string& busAddress, TFakePortalBehaviour behaviour)
{
    // The worker lives in the portal's thread, so that the bus calls it there.
    worker_ = new TWorker(busAddress, behaviour);
    worker_->moveToThread(&thread_);
    thread_.start();
    QMetaObject::invokeMethod(
        worker_, [this] { worker_->Start(); }, Qt::BlockingQueuedConnection);
}

TFakePortal::~TFakePortal()
{
    Leave();
    thread_.quit();
    thread_.wait();
    delete worker_;
}

bool TFakePortal::Registered() const
{
    return worker_->registered_;
}

std::vector<TPortalCall> TFakePortal::Calls() const
{
    std::lock_guard lock(worker_->mutex);
    return worker_->calls;
}

std::vector<TPortalCall> TFakePortal::Calls(const QString& member) const
{
    std::vector<TPortalCall> chosen;
    for (const TPortalCall& call : Calls()) {
        if (call.member == member)
            chosen.push_back(call);
    }
    return chosen;
}

QString TFakePortal::Session() const
{
    std::lock_guard lock(worker_->mutex);
    return worker_->session;
}

void TFakePortal::Activate(const QString& id, const QString& activationToken,
                           const QString& session)
{
    QVariantMap options;
    if (!activationToken.isEmpty())
        options.insert(QStringLiteral("activation_token"), activationToken);
    const QString path = session.isEmpty() ? Session() : session;
    QMetaObject::invokeMethod(
        worker_,
        [&] {
            worker_->Signal(kPath, kShortcuts, QStringLiteral("Activated"),
                            {QVariant::fromValue(QDBusObjectPath(path)), id,
                             QVariant::fromValue(qulonglong(1)), options});
        },
        Qt::BlockingQueuedConnection);
}

void TFakePortal::ChangeTriggers(const QString& id, const QString& trigger)
{
    const QString path = Session();
    QMetaObject::invokeMethod(
        worker_,
        [&] {
            worker_->Signal(kPath, kShortcuts, QStringLiteral("ShortcutsChanged"),
                            {QVariant::fromValue(QDBusObjectPath(path)), TriggerList(id, trigger)});
        },
        Qt::BlockingQueuedConnection);
}

void TFakePortal::CloseSession()
{
    const QString path = Session();
    QMetaObject::invokeMethod(
        worker_,
        [&] { worker_->Signal(path, kSession, QStringLiteral("Closed"), {QVariantMap()}); },
        Qt::BlockingQueuedConnection);
}

void TFakePortal::Leave()
{
    QMetaObject::invokeMethod(
        worker_, [this] { worker_->Leave(); }, Qt::BlockingQueuedConnection);
}

} // namespace tallyrun::test
