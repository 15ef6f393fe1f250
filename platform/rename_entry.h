// Renaming a file or folder without ever replacing an existing entry.
#pragma once

#include <string>

namespace tallyrun::platform {

enum class TRenameResult
{
    Renamed,
    TargetExists,
    Failed
};

// Renames with RENAME_NOREPLACE. Where the file system does not support that flag, the
// rename is refused when the target exists and done plainly otherwise.
TRenameResult RenameNoReplace(const std::string& from, const std::string& to);

} // namespace tallyrun::platform
