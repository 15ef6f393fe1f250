#include "widgets/link_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace tallyrun {

void OpenWithDesktopHandler(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return;
    QDesktopServices::openUrl(url);
}

} // namespace tallyrun
