#include "platform/drop_entries.h"

#include "platform/copy_tree.h"
#include "platform/dir_handle.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tallyrun::platform {
namespace {

using platform::TDirHandle;

// The folder part and the last name of an absolute path; trailing separators are ignored.
bool SplitPath(const std::string& path, std::string& folder, std::string& name)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('/');
    if (trimmed.empty() || trimmed.front() != '/' || slash == std::string::npos)
        return false;
    folder = slash == 0 ? "/" : trimmed.substr(0, slash);
    name = trimmed.substr(slash + 1);
    return !name.empty() && name != "." && name != "..";
}

// True when the folder open as `target` is the folder `source` or lies below it: its chain of
// parents is walked up to the root, comparing device and inode, so bind mounts and links on the
// way cannot hide the relation.
bool IsSameOrBelow(int target, const struct stat& source)
{
    TDirHandle current = platform::DuplicateHandle(target);
    while (current.IsOpen()) {
        struct stat here;
        if (::fstat(current.Fd(), &here) != 0)
            return false;
        if (here.st_dev == source.st_dev && here.st_ino == source.st_ino)
            return true;
        TDirHandle parent(::openat(current.Fd(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat up;
        if (!parent.IsOpen() || ::fstat(parent.Fd(), &up) != 0)
            return false;
        if (up.st_dev == here.st_dev && up.st_ino == here.st_ino)
            return false; // the root is its own parent
        current = std::move(parent);
    }
    return false;
}

TDropItemOutcome Outcome(const std::string& source, int error)
{
    TDropItemOutcome outcome{source, TDropItemResult::driDone, error};
    if (error == EEXIST || error == ENOTEMPTY)
        outcome.result = TDropItemResult::driNameExists;
    else if (error == ENOSPC || error == EFBIG || error == EDQUOT)
        outcome.result = TDropItemResult::driNoSpace;
    else if (error != 0)
        outcome.result = TDropItemResult::driFailed;
    return outcome;
}

bool NameTaken(int dir, const char* name)
{
    struct stat st;
    return ::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

int MoveEntry(int fromDir, const char* name, int toDir, bool& crossed)
{
    crossed = false;
    if (::renameat2(fromDir, name, toDir, name, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno == EXDEV) {
        crossed = true;
        return platform::CopyEntryAt(fromDir, name, toDir);
    }
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the no-replace flag: refuse a taken name, rename otherwise.
    if (NameTaken(toDir, name))
        return EEXIST;
    return ::renameat(fromDir, name, toDir, name) == 0 ? 0 : errno;
}

TDropItemOutcome DropOne(const std::string& source, int target, TDropEffect effect)
{
    std::string folder, name;
    if (!SplitPath(source, folder, name))
        return Outcome(source, EINVAL);
    TDirHandle from = platform::OpenDirectory(folder);
    if (!from.IsOpen())
        return Outcome(source, errno);
    struct stat st;
    if (::fstatat(from.Fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Outcome(source, errno);
    if (S_ISDIR(st.st_mode) && IsSameOrBelow(target, st))
        return {source, TDropItemResult::driIntoItself, EINVAL};
    if (NameTaken(target, name.c_str()))
        return Outcome(source, EEXIST);
    switch (effect) {
    case TDropEffect::deLink:
        return Outcome(source, ::symlinkat(source.c_str(), target, name.c_str()) == 0 ? 0 : errno);
    case TDropEffect::deCopy:
        return Outcome(source, platform::CopyEntryAt(from.Fd(), name.c_str(), target));
    case TDropEffect::deMove:
        break;
    }
    bool crossed = false;
    const int error = MoveEntry(from.Fd(), name.c_str(), target, crossed);
    if (error || !crossed)
        return Outcome(source, error);
    if (const int removeError = platform::RemoveEntryAt(from.Fd(), name.c_str()))
        return {source, TDropItemResult::driSourceKept, removeError};
    return Outcome(source, 0);
}

} // namespace

std::vector<TDropItemOutcome> DropEntries(const std::vector<std::string>& sources,
                                          const std::string& targetFolder, TDropEffect effect)
{
    std::vector<TDropItemOutcome> outcomes;
    TDirHandle target = platform::OpenDirectory(targetFolder);
    const int openError = target.IsOpen() ? 0 : (errno ? errno : ENOENT);
    for (const std::string& source : sources)
        outcomes.push_back(openError ? Outcome(source, openError)
                                     : DropOne(source, target.Fd(), effect));
    return outcomes;
}

} // namespace tallyrun::platform
