// The user's home and desktop directories as raw byte paths, read on every call so that a
// change of the user-dirs file (or of HOME in tests) is seen at once.
#pragma once

#include <string>

namespace tallyrun::platform {

std::string HomeDirectory();
// The XDG desktop directory (from the user-dirs file, else ~/Desktop); the home directory
// when that does not exist.
std::string DesktopDirectory();

} // namespace tallyrun::platform
