// Listing the children of an item: the enumeration flags, the kind filters of the first two
// levels, the events that may refuse a child, and the folder's order.
#include "shelltree/tree_view.h"

#include "shelltree/sh_folder.h"

#include <algorithm>

namespace tallyrun {
namespace {

bool IsVirtualKind(TShItemIDType kind)
{
    return kind == itBitBucket || kind == itNetWork || kind == itVirtual || kind == itInterNet;
}

bool IsComputerVirtualKind(TShItemIDType kind)
{
    return kind == itVirtual || kind == itControls;
}

} // namespace

bool TCustomQorShTreeView::ListsChild(TQorShFolderData& parent, TQorShFolderData& child)
{
    // Only the first two levels hold items outside the file system; deeper children need no
    // look at their kind.
    const int level = parent.Level();
    if (level == 0) {
        const TShItemIDType kind = child.ItemType();
        return !IsVirtualKind(kind) || virtuaItems_.contains(kind);
    }
    if (level == 1) {
        const TShItemIDType parentKind = parent.ItemType();
        if (parentKind == itMyComputer) {
            const TShItemIDType kind = child.ItemType();
            return !IsComputerVirtualKind(kind) || virtuaItems_.contains(kind);
        }
        if (parentKind == itNetWork)
            return virtuaItems_.contains(itNetWork);
    }
    return true;
}

int TCustomQorShTreeView::EnumerateChildren(const std::shared_ptr<TShFolder>& folder,
                                            TQorShFolderData& parent, TItemList& list)
{
    std::uint32_t flags = SHCONTF_FOLDERS;
    if (includeFiles_)
        flags |= SHCONTF_NONFOLDERS;
    if (includeHidden_)
        flags |= SHCONTF_INCLUDEHIDDEN;
    std::vector<TIDListPtr> ids;
    folder->EnumObjects(flags, ids);
    const bool atDesktop = parent.Level() == 0;
    const std::size_t first = list.size();
    for (TIDListPtr& id : ids) {
        PItemIDList absolute = atDesktop
                                   ? TQorShID::CopyIDList(id.get())
                                   : TQorShID::ConcatIDLists(parent.AbsoluteIDList(), id.get());
        if (!absolute)
            continue;
        auto child = std::make_unique<TQorShFolderData>(absolute, id.release());
        child->SetParentFolder(folder);
        if (ListsChild(parent, *child))
            list.push_back(std::move(child));
    }
    std::stable_sort(list.begin() + static_cast<std::ptrdiff_t>(first), list.end(),
                     [&folder](const auto& a, const auto& b) {
                         return folder->CompareIDs(a->RelativeID(), b->RelativeID()) ==
                                TShCompareResult::crBefore;
                     });
    return static_cast<int>(list.size());
}

bool TCustomQorShTreeView::AcceptsItem(TQorShFolderData& item)
{
    bool accept = true;
    if (OnShAddData)
        OnShAddData(this, &item, accept);
    // The kind is looked at only when someone asks, as it costs a look at the disk.
    if (accept && OnShFilter && item.ItemType() == itFile)
        OnShFilter(this, &item, accept);
    return accept;
}

} // namespace tallyrun
