#include "base/handler_errors.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tallyrun {

void ShowHandlerErrorLater(const QString& message)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        ShowHandlerError(message);
        return;
    }
    QMetaObject::invokeMethod(
        application, [message] { ShowHandlerError(message); }, Qt::QueuedConnection);
}

QString CurrentErrorMessage() noexcept
{
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace tallyrun
