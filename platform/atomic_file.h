// Writing a whole file so that a failure leaves whatever was there before untouched: the bytes
// go to a new file in the target's folder, which then replaces the target in one rename.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyrun::platform {

// The file-creation error: "ファイル <name> を作成できません".
class EFCreateError : public std::runtime_error
{
public:
    explicit EFCreateError(const std::string& fileName);
};

// Writes `bytes` as the file `path` (raw bytes, as the file system has them). The target must
// be absent or a regular file its owner may write; a read-only file, a folder, a fifo, a
// device or a symbolic link is never replaced. A replaced file keeps its mode. Raises
// EFCreateError on any failure, leaving the target and the folder as they were.
void SaveFileAtomically(const std::string& path, std::string_view bytes);

} // namespace tallyrun::platform
