// Locations of the special folders this namespace has: the Desktop, Computer, the home folder,
// Trash, Network and the desktop directory. The others are not available here.
#pragma once

#include "shelltree/id_list.h"
#include "shelltree/item_types.h"

namespace tallyrun {

// The absolute list of the special folder; false (and none) when it is not available.
bool SpecialFolderIDList(TShSpecialFolderID id, PItemIDList& list);

} // namespace tallyrun
