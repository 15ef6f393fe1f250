// Where an absolute identifier list leads in our namespace: Desktop; Computer, home, Trash and
// Network at level 1 (then the desktop directory's entries); drives under Computer; folders and
// files below the drives, the home folder and the desktop entries.
#pragma once

#include "shelltree/id_list.h"

#include <string>

namespace tallyrun {

enum class TShLocationKind
{
    Desktop,
    Computer,
    Home,
    Trash,
    Network,
    Drive,
    Folder,
    File
};

struct TShLocation
{
    TShLocationKind kind = TShLocationKind::Desktop;
    std::string path;       // file-system path without trailing separator ("/" stays); empty
                            // for Computer, Trash and Network
    std::string driveMount; // the mount point of the drive the list passes, if any
    bool underComputer = false;
    int level = 0;
};

// False when the list is none or its items do not make a path of the namespace.
bool ResolveIDList(PCItemIDList list, TShLocation& location);

// The same as ResolveIDList(list, location) for a list that may extend `parentList` by one
// item, given `parentLocation`, what `parentList` resolved to: then only that item is resolved.
// Any other list is resolved whole.
bool ResolveIDListBelow(PCItemIDList parentList, const TShLocation& parentLocation,
                        PCItemIDList list, TShLocation& location);

// The path PathFromIDList gives for a resolved location: false when it has none; a drive's
// ends with the separator.
bool PathOfLocation(const TShLocation& location, std::string& path);

// `folder` and `name` joined by one separator.
std::string JoinPath(const std::string& folder, std::string_view name);

// The display text of raw name bytes: valid UTF-8 stays, every other byte becomes U+FFFD.
std::string DisplayTextOfName(std::string_view name);

} // namespace tallyrun
