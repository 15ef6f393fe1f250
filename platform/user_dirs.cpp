#include "platform/user_dirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallyrun::platform {

std::string HomeDirectory()
{
    return QFile::encodeName(QDir::homePath()).toStdString();
}

std::string DesktopDirectory()
{
    // As the user-dirs convention says, a desktop directory that does not exist means the
    // home directory; without that, a machine without ~/Desktop would have no Desktop item.
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return HomeDirectory();
    return QFile::encodeName(path).toStdString();
}

} // namespace tallyrun::platform
