#include "base/handler_errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>

namespace tallyrun {

namespace {

void ShowErrorBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

// The display in use; handlers run on the UI thread only.
TErrorDisplay& CurrentDisplay()
{
    static TErrorDisplay display = ShowErrorBox;
    return display;
}

} // namespace

TErrorDisplay SetHandlerErrorDisplay(TErrorDisplay display)
{
    TErrorDisplay previous = std::move(CurrentDisplay());
    CurrentDisplay() = display ? std::move(display) : TErrorDisplay(ShowErrorBox);
    return previous;
}

void ShowHandlerError(const QString& message)
{
    try {
        CurrentDisplay()(message);
    } catch (...) {
        // A display that fails itself has nowhere left to report to.
    }
}

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
