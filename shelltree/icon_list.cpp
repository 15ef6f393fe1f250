#include "shelltree/icon_list.h"

#include <QApplication>
#include <QStyle>

namespace tallyrun {
namespace {

struct TIconSource
{
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

constexpr TIconSource kSources[iiCount] = {
    {"folder", QStyle::SP_DirClosedIcon},
    {"folder-open", QStyle::SP_DirOpenIcon},
    {"text-x-generic", QStyle::SP_FileIcon},
    {"drive-harddisk", QStyle::SP_DriveHDIcon},
    {"drive-optical", QStyle::SP_DriveCDIcon},
    {"drive-removable-media", QStyle::SP_DriveFDIcon},
    {"computer", QStyle::SP_ComputerIcon},
    {"user-trash", QStyle::SP_TrashIcon},
    {"network-workgroup", QStyle::SP_DriveNetIcon},
    {"user-home", QStyle::SP_DirHomeIcon},
    {"user-desktop", QStyle::SP_DesktopIcon},
    {"emblem-symbolic-link", QStyle::SP_FileLinkIcon},
};

} // namespace

QIcon TShIconList::Icon(int index) const
{
    if (index < 0 || index >= iiCount ||
        !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    const TIconSource& source = kSources[index];
    QIcon fallback;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        fallback = QApplication::style()->standardIcon(source.fallback);
    return QIcon::fromTheme(QString::fromLatin1(source.themeName), fallback);
}

const TShIconList& SystemIconList()
{
    static const TShIconList list;
    return list;
}

} // namespace tallyrun
