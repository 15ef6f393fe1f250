// The one thing running an item reads from a desktop entry file (.desktop): where a link entry
// leads.
#pragma once

#include <string>
#include <string_view>

namespace tallyrun {

// True for a name ending in ".desktop".
bool IsDesktopEntryName(std::string_view path);

// The local path of a link entry: the [Desktop Entry] group's Type=Link with a URL= that is a
// local file URL (as in a dropped file list). False for any other entry, which may start a
// program and so is never opened without the user's consent.
bool DesktopLinkTarget(std::string_view text, std::string& path);

} // namespace tallyrun
