// What running an item needs to know about a path: whether it is a link, where it leads, and
// whether what it leads to is a folder or something that could be started as a program.
#pragma once

#include <cstddef>
#include <string>

namespace tallyrun::platform {

struct TPathProbe
{
    bool isLink = false;       // the path itself is a symbolic link
    bool exists = false;       // the path, with every link followed, names an entry
    bool isFolder = false;     // ... and that entry is a directory
    bool isExecutable = false; // ... a regular file with an execute bit
    bool hasShebang = false;   // ... a regular file starting with "#!"
    std::string resolved;      // the absolute path with every link followed; empty when none
};

// Looks at `path` without opening anything but regular files (a fifo is never opened).
TPathProbe ProbePath(const std::string& path);

// Reads a regular file of at most `limit` bytes; false for anything else or a larger file.
bool ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes);

} // namespace tallyrun::platform
