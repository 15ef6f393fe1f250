// What a folder object says about one item: attributes, display name, icon, and renaming.
#include "shelltree/sh_folder.h"

#include "platform/file_status.h"
#include "platform/folder_entries.h"
#include "platform/mount_table.h"
#include "platform/rename_entry.h"
#include "platform/user_dirs.h"
#include "shelltree/icon_list.h"
#include "shelltree/item_id.h"
#include "shelltree/item_types.h"

#include <QCoreApplication>

namespace tallyrun {
namespace {

constexpr std::uint32_t kFileSystemFolder = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;

std::string ParentPath(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FindMount(const std::string& mountPoint, platform::TMountEntry& found)
{
    for (const auto& entry : platform::ReadBlockMounts()) {
        if (entry.mountPoint == mountPoint) {
            found = entry;
            return true;
        }
    }
    return false;
}

// The attributes that need a look at the file system, asked only when the mask wants them.
std::uint32_t FileSystemAttributes(const TShLocation& location, std::uint32_t mask)
{
    std::uint32_t flags = 0;
    const bool isFolder = location.kind != TShLocationKind::File;
    const bool isEntry =
        location.kind == TShLocationKind::Folder || location.kind == TShLocationKind::File;
    if (isFolder && (mask & SFGAO_HASSUBFOLDER) && platform::HasSubfolder(location.path))
        flags |= SFGAO_HASSUBFOLDER;
    if (isFolder && (mask & SFGAO_DROPTARGET) && platform::IsWritableFolder(location.path))
        flags |= SFGAO_DROPTARGET;
    if (isEntry && (mask & (SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE)) &&
        platform::IsWritableFolder(ParentPath(location.path)))
        flags |= SFGAO_CANRENAME | SFGAO_CANMOVE | SFGAO_CANDELETE;
    if (mask & (SFGAO_READONLY | SFGAO_LINK)) {
        const platform::TPathStatus status = platform::StatPath(location.path);
        flags |= (status.readOnly ? SFGAO_READONLY : 0) | (status.isLink ? SFGAO_LINK : 0);
    }
    if ((mask & SFGAO_COMPRESSED) && platform::IsCompressed(location.path))
        flags |= SFGAO_COMPRESSED;
    if (isEntry && NameOf(location.path).starts_with('.'))
        flags |= SFGAO_HIDDEN;
    if (location.kind == TShLocationKind::Drive && (mask & SFGAO_REMOVABLE)) {
        platform::TMountEntry mount;
        if (FindMount(location.driveMount, mount) && mount.removable)
            flags |= SFGAO_REMOVABLE;
    }
    return flags;
}

std::uint32_t AttributesOfLocation(const TShLocation& location, std::uint32_t mask)
{
    switch (location.kind) {
    case TShLocationKind::Desktop:
        return kFileSystemFolder | SFGAO_HASSUBFOLDER;
    case TShLocationKind::Computer:
        return SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER;
    case TShLocationKind::Trash:
    case TShLocationKind::Network:
        return SFGAO_FOLDER;
    case TShLocationKind::Home:
    case TShLocationKind::Drive:
        return kFileSystemFolder | FileSystemAttributes(location, mask);
    case TShLocationKind::Folder:
        return kFileSystemFolder | SFGAO_CANCOPY | SFGAO_CANLINK |
               FileSystemAttributes(location, mask);
    case TShLocationKind::File:
        return SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK |
               FileSystemAttributes(location, mask);
    }
    return 0;
}

} // namespace

std::uint32_t AttributesOfLocation(const TShLocation& location)
{
    return AttributesOfLocation(location, 0xFFFFFFFF);
}

std::string DisplayNameOfLocation(const TShLocation& location)
{
    switch (location.kind) {
    case TShLocationKind::Desktop:
        return QCoreApplication::translate("TQorShTreeView", "デスクトップ").toStdString();
    case TShLocationKind::Computer:
        return QCoreApplication::translate("TQorShTreeView", "コンピューター").toStdString();
    case TShLocationKind::Home:
        return QCoreApplication::translate("TQorShTreeView", "ホーム").toStdString();
    case TShLocationKind::Trash:
        return QCoreApplication::translate("TQorShTreeView", "ゴミ箱").toStdString();
    case TShLocationKind::Network:
        return QCoreApplication::translate("TQorShTreeView", "ネットワーク").toStdString();
    case TShLocationKind::Drive: {
        platform::TMountEntry mount;
        const std::string point = DisplayTextOfName(location.driveMount);
        if (FindMount(location.driveMount, mount) && !mount.label.empty())
            return DisplayTextOfName(mount.label) + " (" + point + ")";
        return point;
    }
    case TShLocationKind::Folder:
    case TShLocationKind::File:
        return DisplayTextOfName(NameOf(location.path));
    }
    return {};
}

int IconOfLocation(const TShLocation& location, bool open)
{
    switch (location.kind) {
    case TShLocationKind::Desktop:
        return iiDesktop;
    case TShLocationKind::Computer:
        return iiComputer;
    case TShLocationKind::Home:
        return iiHome;
    case TShLocationKind::Trash:
        return iiTrash;
    case TShLocationKind::Network:
        return iiNetwork;
    case TShLocationKind::Drive: {
        platform::TMountEntry mount;
        if (!FindMount(location.driveMount, mount))
            return iiDriveHarddisk;
        return mount.optical     ? iiDriveOptical
               : mount.removable ? iiDriveRemovable
                                 : iiDriveHarddisk;
    }
    case TShLocationKind::Folder:
        if (location.path == platform::DesktopDirectory())
            return iiDesktop;
        if (location.path == platform::HomeDirectory())
            return iiHome;
        return open ? iiFolderOpen : iiFolder;
    case TShLocationKind::File:
        return platform::StatPath(location.path).isLink ? iiSymlink : iiFile;
    }
    return -1;
}

bool TShFolder::GetAttributesOf(PCItemIDList relative, std::uint32_t mask,
                                std::uint32_t& flags) const
{
    flags = 0;
    TShLocation location;
    if (!ResolveChild(relative, location))
        return false;
    flags = AttributesOfLocation(location, mask) & mask;
    return true;
}

bool TShFolder::GetDisplayNameOf(PCItemIDList relative, std::string& name) const
{
    name.clear();
    TShLocation location;
    if (!ResolveChild(relative, location))
        return false;
    name = DisplayNameOfLocation(location);
    return true;
}

int TShFolder::GetIconOf(PCItemIDList relative, std::uint32_t flags) const
{
    TShLocation location;
    if (!ResolveChild(relative, location))
        return -1;
    return IconOfLocation(location, flags & GIL_OPENICON);
}

bool TShFolder::SetNameOf(PCItemIDList relative, const std::string& name, TIDListPtr& renamed) const
{
    renamed.reset();
    TShLocation location;
    if (!IsValidEntryName(name) || !ResolveChild(relative, location) ||
        (location.kind != TShLocationKind::Folder && location.kind != TShLocationKind::File))
        return false;
    const TShIDKind kind =
        location.kind == TShLocationKind::Folder ? TShIDKind::Folder : TShIDKind::File;
    TIDListPtr item(MakeItemID(kind, name));
    TIDListPtr parent(TQorShID::ParentOfIDList(relative));
    TIDListPtr result(item && parent ? TQorShID::ConcatIDLists(parent.get(), item.get()) : nullptr);
    const std::string target = ParentPath(location.path) + "/" + name;
    if (!result ||
        platform::RenameNoReplace(location.path, target) != platform::TRenameResult::Renamed)
        return false;
    renamed = std::move(result);
    return true;
}

int TQorShID::SystemIconIndex(PCItemIDList list, TShIconSize /*size*/, TShIconState state)
{
    TShLocation location;
    return ResolveIDList(list, location) ? IconOfLocation(location, state == TShIconState::Open)
                                         : -1;
}

} // namespace tallyrun
