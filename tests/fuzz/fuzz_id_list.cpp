// Feeds arbitrary bytes to the identifier-list reader and, when they hold a list, runs every
// operation that walks a list's bytes on it.
#include "shelltree/id_list.h"
#include "shelltree/item_id.h"
#include "shelltree/sh_folder.h"
#include "shelltree/sh_location.h"

#include <cstdint>
#include <string>

using namespace tallyrun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TIDListPtr list(TQorShID::IDListFromBytes(data, size));
    if (!list)
        return 0;
    PCItemIDList p = list.get();
    (void)TQorShID::IDListSize(p);
    const int count = TQorShID::IDListCount(p);
    (void)TQorShID::NextID(p);
    (void)TQorShID::LastID(p);
    TIDListPtr copy(TQorShID::CopyIDList(p));
    TIDListPtr first(TQorShID::FirstID(p));
    TIDListPtr parent(TQorShID::ParentOfIDList(p));
    TIDListPtr joined(TQorShID::ConcatIDLists(p, parent.get()));
    if (!TQorShID::SameIDList(p, copy.get()))
        __builtin_trap();
    if (count > 0 && !TQorShID::IsAncestorIDList(parent.get(), p))
        __builtin_trap();
    (void)TQorShID::IsAncestorIDList(first.get(), joined.get());
    for (PCItemIDList item = p; ItemIDSize(item) != 0; item += ItemIDSize(item)) {
        TShItemView view;
        (void)DecodeItemID(item, view);
        (void)CompareItemIDs(item, p);
    }
    std::string path;
    TQorShID::PathFromIDList(p, path);
    TShLocation location;
    if (ResolveIDList(p, location))
        (void)DisplayNameOfLocation(location);
    (void)TQorShID::SystemIconIndex(p, TShIconSize::Small, TShIconState::Open);
    return 0;
}
