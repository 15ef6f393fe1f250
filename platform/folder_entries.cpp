#include "platform/folder_entries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

namespace tallyrun::platform {
namespace {

constexpr int kSubfolderProbeLimit = 4096;

bool IsDotOrDotDot(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// d_type is not filled by every file system; fall back to a stat that does not follow links.
void Classify(DIR* dir, const dirent* entry, TFolderEntry& out)
{
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
        struct stat st;
        if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
    }
    out.isDir = type == DT_DIR;
    out.isLink = type == DT_LNK;
}

} // namespace

bool ReadFolderEntries(const std::string& folder, std::vector<TFolderEntry>& entries)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir)) {
        if (IsDotOrDotDot(entry->d_name))
            continue;
        TFolderEntry item;
        item.name = entry->d_name;
        Classify(dir, entry, item);
        entries.push_back(std::move(item));
    }
    closedir(dir);
    return true;
}

bool HasSubfolder(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    bool found = false;
    for (int seen = 0; !found; ++seen) {
        const dirent* entry = readdir(dir);
        if (!entry)
            break;
        if (seen >= kSubfolderProbeLimit) {
            found = true;
            break;
        }
        if (IsDotOrDotDot(entry->d_name))
            continue;
        TFolderEntry item;
        Classify(dir, entry, item);
        // A link to a folder is listed as a folder, so it counts as one here too.
        struct stat target;
        found = item.isDir || (item.isLink && fstatat(dirfd(dir), entry->d_name, &target, 0) == 0 &&
                               S_ISDIR(target.st_mode));
    }
    closedir(dir);
    return found;
}

} // namespace tallyrun::platform
