#include "platform/rename_entry.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>

namespace tallyrun::platform {

TRenameResult RenameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return TRenameResult::Renamed;
    if (errno == EEXIST)
        return TRenameResult::TargetExists;
    if (errno != EINVAL && errno != ENOSYS)
        return TRenameResult::Failed;
    struct stat st;
    if (lstat(to.c_str(), &st) == 0)
        return TRenameResult::TargetExists;
    return rename(from.c_str(), to.c_str()) == 0 ? TRenameResult::Renamed : TRenameResult::Failed;
}

} // namespace tallyrun::platform
