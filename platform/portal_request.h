// The desktop portal's request/response pattern: a portal method that asks the desktop
// something returns at once with the object path of a request, and the answer comes later as
// that request's Response signal. The path is known before the call,
// /org/freedesktop/portal/desktop/request/SENDER/TOKEN, SENDER being the caller's unique bus
// name without its leading ':' and with every '.' replaced by '_', and TOKEN the handle_token
// the caller passed; so the caller subscribes to Response first and calls second, and cannot
// miss an answer that comes quickly. Sessions follow the same rule under .../session/.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace tallyrun::platform {

inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kPortalRequestInterface[] = "org.freedesktop.portal.Request";
inline constexpr char kPortalSessionInterface[] = "org.freedesktop.portal.Session";

// The answer codes of a Response.
enum TPortalResponse : unsigned
{
    prSuccess = 0,
    prCancelled = 1, // the user said no
    prOther = 2,     // the desktop ended the request otherwise
};

// ":1.42" -> "1_42".
QString PortalSenderPart(const QString& uniqueName);
// The request object for `token` of the caller `uniqueName`.
QString PortalRequestPath(const QString& uniqueName, const QString& token);
// The session object for the session token `token` of the caller `uniqueName`.
QString PortalSessionPath(const QString& uniqueName, const QString& token);
// A token not used before by this process, made of letters, digits and '_' only, as an
// object path element must be.
QString NewPortalToken();

// Follows one request: subscribed to the Response of the path the request will have before
// the call goes out; Follow moves the subscription when the portal names another path (as
// portals before version 0.9 did). `done` runs once, with the answer, on this object's thread.
class TPortalRequest : public QObject
{
    Q_OBJECT

public:
    // `sender` is the unique name of the portal that answered.
    using TDone =
        std::function<void(unsigned response, const QVariantMap& results, const QString& sender)>;

    TPortalRequest(QDBusConnection connection, const QString& token, TDone done,
                   QObject* parent = nullptr);
    ~TPortalRequest() override;

    // The options entry the call must carry, and the path subscribed to.
    const QString& Token() const { return token_; }
    const QString& Path() const { return path_; }
    // The call's reply named `path` as the request's object.
    void Follow(const QString& path);

private slots:
    // Slots named in a D-Bus subscription: Qt's D-Bus module takes slot names only.
    void Response(uint response, const QVariantMap& results, const QDBusMessage& message);

private:
    bool Subscribe(const QString& path);
    void Unsubscribe();

    QDBusConnection connection_;
    QString token_;
    QString path_;
    TDone done_;
};

} // namespace tallyrun::platform
