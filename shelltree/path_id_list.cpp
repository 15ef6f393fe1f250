// Conversions between absolute identifier lists and file-system paths.
#include "platform/file_status.h"
#include "platform/mount_table.h"
#include "shelltree/id_list.h"
#include "shelltree/item_id.h"
#include "shelltree/sh_location.h"

#include <vector>

namespace tallyrun {
namespace {

// The path's components; false for a relative path or one that climbs with "..".
bool SplitAbsolutePath(const std::string& path, std::vector<std::string>& parts)
{
    if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos)
        return false;
    size_t pos = 1;
    while (pos <= path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(pos, end - pos);
        if (part == "..")
            return false;
        if (!part.empty() && part != ".")
            parts.push_back(part);
        pos = end + 1;
    }
    return true;
}

// How many leading components of the path the mount point covers; -1 when it is not a prefix.
int MountDepth(const std::string& mountPoint, const std::vector<std::string>& parts)
{
    std::vector<std::string> mountParts;
    if (!SplitAbsolutePath(mountPoint, mountParts) || mountParts.size() > parts.size())
        return -1;
    for (size_t i = 0; i < mountParts.size(); ++i)
        if (mountParts[i] != parts[i])
            return -1;
    return static_cast<int>(mountParts.size());
}

// Appends one item to an owned list, freeing the pieces.
bool Append(PItemIDList& list, PItemIDList item)
{
    PItemIDList joined = item ? TQorShID::ConcatIDLists(list, item) : nullptr;
    TQorShID::FreeIDList(item);
    TQorShID::FreeIDList(list);
    list = joined;
    return list != nullptr;
}

} // namespace

bool TQorShID::PathFromIDList(PCItemIDList list, std::string& path)
{
    path.clear();
    TShLocation location;
    return ResolveIDList(list, location) && PathOfLocation(location, path);
}

bool TQorShID::IDListFromPath(const std::string& path, PItemIDList& list)
{
    list = nullptr;
    std::vector<std::string> parts;
    if (!SplitAbsolutePath(path, parts))
        return false;
    // The drive with the longest mount point that holds the path.
    std::string mount;
    int depth = -1;
    for (const auto& entry : platform::ReadBlockMounts()) {
        const int d = MountDepth(entry.mountPoint, parts);
        if (d > depth) {
            depth = d;
            mount = entry.mountPoint;
        }
    }
    if (depth < 0)
        return false;
    PItemIDList result = MakeItemID(TShIDKind::Computer, {});
    bool ok = result && Append(result, MakeItemID(TShIDKind::Drive, mount));
    std::string walked = mount == "/" ? "" : mount;
    for (size_t i = static_cast<size_t>(depth); ok && i < parts.size(); ++i) {
        walked += "/" + parts[i];
        // A path given by name leads through links to folders (a linked home, a linked
        // desktop directory), so those count as folders here, as they do in listings.
        const bool isFolder = platform::IsExistingDirectory(walked);
        ok = (isFolder || platform::StatPath(walked).exists) &&
             Append(result, MakeItemID(isFolder ? TShIDKind::Folder : TShIDKind::File, parts[i]));
    }
    if (!ok) {
        FreeIDList(result);
        return false;
    }
    list = result;
    return true;
}

} // namespace tallyrun
