// A small stand-in for the desktop portal's global shortcuts, for tests on a private session
// bus: it owns org.freedesktop.portal.Desktop on a connection of its own, in a thread of its
// own (as the real portal is another process, the program may wait for it), answers
// CreateSession and BindShortcuts by the request/response rules, records every call it gets,
// and sends each Response before the method's reply, so a client that subscribed only after
// the reply misses it,
// and can press a shortcut, change the triggers, close the session or leave the bus.
#pragma once

#include <QList>
#include <QString>
#include <QThread>
#include <QVariantMap>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace tallyrun::test {

struct TFakePortalBehaviour
{
    unsigned version = 1;                                  // 0: the interface is missing
    unsigned sessionResponse = 0;                          // Response code of CreateSession
    unsigned bindResponse = 0;                             // Response code of BindShortcuts
    std::optional<QString> trigger = QStringLiteral("F5"); // nothing: the shortcut is left out
};

struct TFakeShortcut
{
    QString id;
    QString description;
    QString preferredTrigger;
};

// One method call the portal received.
struct TPortalCall
{
    QString interface;
    QString member;
    QString sender;       // the caller's unique name
    QString requestPath;  // the request object the portal answered on
    QVariantMap options;  // the call's a{sv} options
    QString session;      // BindShortcuts: the session handle; Session.Close: its path
    QString parentWindow; // BindShortcuts
    QString shortcutsSignature;
    std::vector<TFakeShortcut> shortcuts;
};

class TFakePortal
{
public:
    TFakePortal(const std::string& busAddress, TFakePortalBehaviour behaviour = {});
    ~TFakePortal();
    TFakePortal(const TFakePortal&) = delete;
    TFakePortal& operator=(const TFakePortal&) = delete;

    bool Registered() const;
    std::vector<TPortalCall> Calls() const;
    // The calls of one method.
    std::vector<TPortalCall> Calls(const QString& member) const;
    // The session handle the portal gave out last; empty before.
    QString Session() const;

    // Signals, sent from the portal's connection; each returns when it has gone out.
    void Activate(const QString& id, const QString& activationToken = {},
                  const QString& session = {});
    void ChangeTriggers(const QString& id, const QString& trigger);
    void CloseSession();
    // Leaves the bus, as a portal that stops or crashes does.
    void Leave();

private:
    class TWorker;
    QThread thread_;
    TWorker* worker_ = nullptr;
};

} // namespace tallyrun::test
