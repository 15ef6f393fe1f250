// What kind of file system a folder lives on, asked by path: the folder tree's '*' leaves the
// kernel's pseudo file systems closed, as the analysis run's walk does not enter them.
#pragma once

#include <string>

namespace tallyrun::platform {

// True when the folder at `path` (a link is not followed) lies on one of the kernel's pseudo
// file systems (proc, sysfs, devtmpfs, cgroup, ...); false for any other, and for a path that
// cannot be opened (its listing then fails on its own, as for any folder).
bool IsOnPseudoFileSystem(const std::string& path);

} // namespace tallyrun::platform
