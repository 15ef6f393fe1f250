#include "shelltree/item_launcher.h"

#include "shelltree/drop_uri_list.h"

#include <QProcess>
#include <QStringList>

namespace tallyrun {

bool TXdgOpenLauncher::Open(const std::string& path)
{
    if (path.empty() || path.front() != '/')
        return false;
    const std::string encoded = FileUrlOfPath(path);
    const QString url = QString::fromLatin1(encoded.data(), static_cast<qsizetype>(encoded.size()));
    return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{url});
}

} // namespace tallyrun
