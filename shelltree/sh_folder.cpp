#include "shelltree/sh_folder.h"

#include "platform/file_status.h"
#include "platform/folder_entries.h"
#include "platform/mount_table.h"
#include "platform/user_dirs.h"
#include "shelltree/item_id.h"
#include "shelltree/item_types.h"

namespace tallyrun {
namespace {

bool IsContainer(const TShLocation& location)
{
    switch (location.kind) {
    case TShLocationKind::File:
        return false;
    case TShLocationKind::Desktop:
    case TShLocationKind::Computer:
    case TShLocationKind::Trash:
    case TShLocationKind::Network:
        return true;
    default:
        return platform::IsExistingDirectory(location.path);
    }
}

std::string_view WithoutTrailingSlashes(std::string_view path)
{
    while (path.size() > 1 && path.ends_with('/'))
        path.remove_suffix(1);
    return path;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    return WithoutTrailingSlashes(a) == WithoutTrailingSlashes(b);
}

void AddChild(std::vector<TIDListPtr>& children, TShIDKind kind, std::string_view name)
{
    if (PItemIDList item = MakeItemID(kind, name))
        children.emplace_back(item);
}

} // namespace

TShFolder::TShFolder(TIDListPtr absolute, const TShLocation& location)
    : absolute_(std::move(absolute)), location_(location)
{
}

std::shared_ptr<TShFolder> TShFolder::Desktop()
{
    TIDListPtr empty(TQorShID::AllocIDList(2));
    TShLocation location;
    if (!empty || !ResolveIDList(empty.get(), location))
        return nullptr;
    return std::shared_ptr<TShFolder>(new TShFolder(std::move(empty), location));
}

bool TShFolder::ResolveChild(PCItemIDList relative, TShLocation& location) const
{
    TIDListPtr absolute(TQorShID::ConcatIDLists(absolute_.get(), relative));
    return absolute && ResolveIDList(absolute.get(), location);
}

std::shared_ptr<TShFolder> TShFolder::BindToObject(PCItemIDList relative) const
{
    TIDListPtr absolute(TQorShID::ConcatIDLists(absolute_.get(), relative));
    TShLocation location;
    if (!absolute || !ResolveIDList(absolute.get(), location) || !IsContainer(location))
        return nullptr;
    return std::shared_ptr<TShFolder>(new TShFolder(std::move(absolute), location));
}

bool TShFolder::EnumObjects(std::uint32_t flags, std::vector<TIDListPtr>& children) const
{
    switch (location_.kind) {
    case TShLocationKind::Desktop:
        EnumDesktop(flags, children);
        return true;
    case TShLocationKind::Computer:
        if (flags & SHCONTF_FOLDERS)
            EnumDrives(children);
        return true;
    case TShLocationKind::Trash:
    case TShLocationKind::Network:
        return true;
    case TShLocationKind::File:
        return false;
    default:
        return EnumFileSystem(location_.path, flags, children);
    }
}

void TShFolder::EnumDesktop(std::uint32_t flags, std::vector<TIDListPtr>& children) const
{
    if (flags & SHCONTF_FOLDERS) {
        AddChild(children, TShIDKind::Computer, {});
        AddChild(children, TShIDKind::Home, {});
        AddChild(children, TShIDKind::Trash, {});
        AddChild(children, TShIDKind::Network, {});
    }
    // Without a desktop directory the home folder stands in for it; its entries are already
    // under the home item, so they are not listed a second time here.
    const std::string directory = platform::DesktopDirectory();
    if (!SameFolder(directory, platform::HomeDirectory()))
        EnumFileSystem(directory, flags, children);
}

void TShFolder::EnumDrives(std::vector<TIDListPtr>& children) const
{
    for (const auto& mount : platform::ReadBlockMounts())
        AddChild(children, TShIDKind::Drive, mount.mountPoint);
}

bool TShFolder::EnumFileSystem(const std::string& path, std::uint32_t flags,
                               std::vector<TIDListPtr>& children) const
{
    std::vector<platform::TFolderEntry> entries;
    const bool listed = platform::ReadFolderEntries(path, entries);
    for (const auto& entry : entries) {
        if (!(flags & SHCONTF_INCLUDEHIDDEN) && entry.name[0] == '.')
            continue;
        // A link to a folder is a folder, as it is when a path leads through it, so that one
        // folder never has two different identifier lists.
        const bool isFolder =
            entry.isDir ||
            (entry.isLink && platform::IsExistingDirectory(JoinPath(path, entry.name)));
        if (isFolder ? (flags & SHCONTF_FOLDERS) : (flags & SHCONTF_NONFOLDERS))
            AddChild(children, isFolder ? TShIDKind::Folder : TShIDKind::File, entry.name);
    }
    return listed;
}

} // namespace tallyrun
