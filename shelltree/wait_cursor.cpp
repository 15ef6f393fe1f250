#include "shelltree/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace tallyrun {

TWaitCursor::TWaitCursor()
{
    const QCursor* current = QGuiApplication::overrideCursor();
    if (current && current->shape() == Qt::WaitCursor)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    shown_ = true;
}

TWaitCursor::~TWaitCursor()
{
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace tallyrun
