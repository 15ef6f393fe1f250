#include "scan/file_listing.h"

#include "platform/dir_handle.h"
#include "platform/dir_reader.h"
#include "platform/entry_info.h"
#include "platform/find_file.h"
#include "scan/dir_cursor.h"
#include "scan/file_list.h"
#include "scan/pump_events.h"
#include "scan/tree_listing.h"

namespace tallyrun {

using platform::TFindData;

void ListFiles(const std::string& mask, TFileKinds kinds, TFileList& list, TListCallback callback)
{
    const std::string folder = platform::SplitSearchMask(mask).folder;
    TFindData data;
    platform::TFindHandle search = platform::FindFirst(mask, platform::famAnyFile, data);
    for (bool found = search != nullptr; found; found = platform::FindNext(search, data)) {
        if (MatchesFileKinds(kinds, data.attributes))
            list.Add(folder + data.name);
        if (callback)
            callback(data.name);
    }
    platform::FindClose(search);
}

void ListSubfolders(const std::string& path, std::vector<std::string>& list)
{
    const std::string folder = platform::SplitSearchMask(path).folder;
    ListSubfoldersIn(platform::OpenDirectory(folder.empty() ? "." : folder), folder, list);
}

// Reads the entry types the listing gives and asks the file system only where it gives none:
// a folder of many files is listed by its directory reads alone, where one stat per entry would
// cost several times more. The result is the same: every real directory (links never count)
// whose name is not hidden. A folder of many entries lets events run now and then.
void ListSubfoldersIn(platform::TDirHandle dir, const std::string& folder,
                      std::vector<std::string>& list)
{
    if (!dir.IsOpen())
        return;
    platform::TDirReader reader(dir.Fd());
    platform::TRawEntry entry;
    for (unsigned read = 1; reader.Next(entry); ++read) {
        if (read % kAbandonCheck == 0)
            PumpEvents();
        if (entry.name.empty() || entry.name.front() == '.')
            continue; // hidden, "." and ".." included
        platform::TEntryType type = entry.type;
        if (type == platform::TEntryType::etUnknown) {
            const auto info = platform::StatEntry(dir.Fd(), entry.name.data());
            if (!info)
                continue; // gone already
            type = info->type;
        }
        if (type == platform::TEntryType::etDirectory)
            list.push_back(folder + std::string(entry.name) + "/");
    }
}

// A file last written before 1980 is measured like any other: the date has nothing to do with
// whether the file exists.
std::uint64_t GetFileSize64(const std::string& path)
{
    const platform::TSearchMask parts = platform::SplitSearchMask(path);
    if (parts.pattern.empty() || parts.pattern.find('\0') != std::string::npos)
        return 0;
    const platform::TDirHandle dir =
        platform::OpenDirectory(parts.folder.empty() ? "." : parts.folder);
    return dir.IsOpen() ? platform::FileSizeAt(dir.Fd(), parts.pattern.c_str()) : 0;
}

// Walks relative to open folder handles rather than by full paths, so trees deeper than the
// longest path the system accepts are listed too, and enters no folder twice.
void ListFilesRecursive(const std::string& mask, TFileKinds kinds, TFileList& list,
                        TListCallback callback)
{
    const platform::TSearchMask parts = platform::SplitSearchMask(mask);
    TTreeListing listing(parts.folder);
    TDirCursor cursor(listing, platform::OpenDirectory(parts.folder.empty() ? "." : parts.folder));
    TWalkOptions options;
    options.kinds = kinds;
    options.pattern = parts.pattern;
    std::string folderPath;
    if (callback) {
        options.onFolder = [&](std::uint32_t folder) {
            folderPath.clear();
            listing.AppendFolderPath(folder, folderPath);
            callback(folderPath + parts.pattern);
        };
    }
    ListTree(listing, cursor, options);
    std::uint32_t lastFolder = UINT32_MAX;
    for (const TListedFile& file : listing.files) {
        if (file.folder != lastFolder) {
            folderPath.clear();
            listing.AppendFolderPath(file.folder, folderPath);
            lastFolder = file.folder;
        }
        list.Add(folderPath + std::string(listing.Name(file.nameOffset, file.nameLength)));
    }
}

} // namespace tallyrun
