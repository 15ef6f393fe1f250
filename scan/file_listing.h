// Lists of paths from the file system: the files of one folder or of a whole tree through an
// attribute filter, the direct subfolders of a folder, and the size of one file. Nothing
// here reports an error: a folder that cannot be listed yields no entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tallyrun {

namespace platform {
class TDirHandle;
}

// The set of file kinds a listing lets through, one bit each.
enum TFileKind : std::uint8_t
{
    fkReadOnly = 0x01,
    fkHidden = 0x02,
    fkSystem = 0x04,
    fkArchive = 0x08,
    fkNormal = 0x10,
};
using TFileKinds = std::uint8_t;
constexpr TFileKinds fkAll = fkReadOnly | fkHidden | fkSystem | fkArchive | fkNormal;

bool MatchesFileKinds(TFileKinds kinds, std::uint32_t attributes);

using TListCallback = void (*)(const std::string& text);

class TFileList; // sorted, duplicates ignored; declared in scan/file_list.h

void ListFiles(const std::string& mask, TFileKinds kinds, TFileList& list,
               TListCallback callback = nullptr);
void ListFilesRecursive(const std::string& mask, TFileKinds kinds, TFileList& list,
                        TListCallback callback = nullptr);
// Appends folder part + name + "/" for every direct subfolder that is not hidden or system,
// in enumeration order.
void ListSubfolders(const std::string& path, std::vector<std::string>& list);
// The same for the open folder `dir`, whose path `folder` ends in "/".
void ListSubfoldersIn(platform::TDirHandle dir, const std::string& folder,
                      std::vector<std::string>& list);
// Size of one file; 0 when the path names no file. The name is taken as it is: "*", "?" and
// "[" are ordinary characters of a file name here, not wildcards.
std::uint64_t GetFileSize64(const std::string& path);

} // namespace tallyrun
