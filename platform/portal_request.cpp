#include "platform/portal_request.h"

#include "base/handler_errors.h"

#include <QRandomGenerator>

#include <atomic>

namespace tallyrun::platform {

QString PortalSenderPart(const QString& uniqueName)
{
    QString part = uniqueName.startsWith(QLatin1Char(':')) ? uniqueName.mid(1) : uniqueName;
    part.replace(QLatin1Char('.'), QLatin1Char('_'));
    return part;
}

QString PortalRequestPath(const QString& uniqueName, const QString& token)
{
    return QString::fromLatin1(kPortalPath) + QStringLiteral("/request/") +
           PortalSenderPart(uniqueName) + QLatin1Char('/') + token;
}

QString PortalSessionPath(const QString& uniqueName, const QString& token)
{
    return QString::fromLatin1(kPortalPath) + QStringLiteral("/session/") +
           PortalSenderPart(uniqueName) + QLatin1Char('/') + token;
}

QString NewPortalToken()
{
    // The counter keeps the tokens of one process apart; the random part keeps apart those
    // of two connections of one process, and of a program started again on the same name.
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("tallyrun%1_%2")
        .arg(++counter)
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

TPortalRequest::TPortalRequest(QDBusConnection connection, const QString& token, TDone done,
                               QObject* parent)
    : QObject(parent), connection_(std::move(connection)), token_(token), done_(std::move(done))
{
    Subscribe(PortalRequestPath(connection_.baseService(), token_));
}

TPortalRequest::~TPortalRequest()
{
    Unsubscribe();
}

void TPortalRequest::Follow(const QString& path)
{
    if (!done_ || path.isEmpty() || path == path_)
        return;
    Unsubscribe();
    Subscribe(path);
}

bool TPortalRequest::Subscribe(const QString& path)
{
    path_ = path;
    return connection_.connect(
        QString::fromLatin1(kPortalService), path_, QString::fromLatin1(kPortalRequestInterface),
        QStringLiteral("Response"), this, SLOT(Response(uint, QVariantMap, QDBusMessage)));
}

void TPortalRequest::Unsubscribe()
{
    if (path_.isEmpty())
        return;
    connection_.disconnect(QString::fromLatin1(kPortalService), path_,
                           QString::fromLatin1(kPortalRequestInterface), QStringLiteral("Response"),
                           this, SLOT(Response(uint, QVariantMap, QDBusMessage)));
    path_.clear();
}

void TPortalRequest::Response(uint response, const QVariantMap& results,
                              const QDBusMessage& message)
{
    if (!done_)
        return;
    Unsubscribe();
    // Taken out first: `done` may delete this request.
    TDone done = std::move(done_);
    done_ = nullptr;
    RunHandler([&] { done(response, results, message.service()); });
}

} // namespace tallyrun::platform
