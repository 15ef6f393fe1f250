#include "shelltree/folder_locations.h"

#include "platform/user_dirs.h"
#include "shelltree/id_list.h"
#include "shelltree/item_id.h"
#include "shelltree/item_types.h"

namespace tallyrun {

bool SpecialFolderIDList(TShSpecialFolderID id, PItemIDList& list)
{
    list = nullptr;
    switch (id) {
    case sfidDeskTop:
        list = TQorShID::AllocIDList(2);
        break;
    case sfidDrives:
        list = MakeItemID(TShIDKind::Computer, {});
        break;
    case sfidPersonal:
        list = MakeItemID(TShIDKind::Home, {});
        break;
    case sfidBitBucket:
        list = MakeItemID(TShIDKind::Trash, {});
        break;
    case sfidNetWork:
        list = MakeItemID(TShIDKind::Network, {});
        break;
    case sfidDeskTopFolder:
        // The desktop directory as a file-system path under Computer; false when it is missing.
        return TQorShID::IDListFromPath(platform::DesktopDirectory(), list);
    default:
        return false;
    }
    return list != nullptr;
}

} // namespace tallyrun
