// The entries of one folder as raw byte names, for the shell namespace. A folder that cannot
// be read lists nothing.
#pragma once

#include <string>
#include <vector>

namespace tallyrun::platform {

struct TFolderEntry
{
    std::string name;    // raw bytes, never re-encoded
    bool isDir = false;  // a real directory; a symbolic link is never one
    bool isLink = false; // a symbolic link
};

// False when the folder cannot be opened; entries read before a failure are kept.
bool ReadFolderEntries(const std::string& folder, std::vector<TFolderEntry>& entries);

// True when the folder holds a subfolder or a link to a folder. Looks at a bounded number of
// entries and answers true beyond them, so a huge folder costs no more than a small one.
bool HasSubfolder(const std::string& folder);

} // namespace tallyrun::platform
