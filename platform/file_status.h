// What the namespace asks of one path: does it exist and as what, may it be written, is it
// marked compressed. Symbolic links are looked at themselves, never followed, except where
// a function says so.
#pragma once

#include <string>

namespace tallyrun::platform {

struct TPathStatus
{
    bool exists = false;
    bool isDir = false; // a real directory (not a link to one)
    bool isLink = false;
    bool isRegular = false;
    bool readOnly = false; // the owner has no write permission
};

TPathStatus StatPath(const std::string& path);

// True when the path (links followed) names an existing directory.
bool IsExistingDirectory(const std::string& path);

// True when this process may create and rename entries in the folder.
bool IsWritableFolder(const std::string& folder);

// True when the file system marks the directory or regular file as compressed.
bool IsCompressed(const std::string& path);

} // namespace tallyrun::platform
