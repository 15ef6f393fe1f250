// Expanding and collapsing nodes, the list of folders the user has expanded, and finding the
// node of an identifier list by walking down from the root.
#include "shelltree/tree_view.h"

#include "shelltree/sh_folder.h"

#include <algorithm>

namespace tallyrun {

void TCustomQorShTreeView::BeforeExpand(TQorShTreeNode* node)
{
    if (destroying_ || !TQorShTreeNode::IsValid(node))
        return;
    // A drive without a medium expands unpopulated, so no error about it is shown.
    if (node->Level() == 2 && node->Item()->ItemType() == itRootDrive && !IsVolumeReady(node))
        return;
    if (node->childCount() == 0) {
        RefreshChildren(node);
        node->SetHasChildren(node->childCount() > 0);
    }
}

void TCustomQorShTreeView::AfterExpand(TQorShTreeNode* node)
{
    if (destroying_ || !TQorShTreeNode::IsValid(node))
        return;
    TQorShFolderData* item = node->Item();
    if (item->HasAttribute(saFileSystem)) {
        const auto same = [item](const TIDListPtr& entry) {
            return TQorShID::SameIDList(entry.get(), item->AbsoluteIDList());
        };
        if (std::none_of(expandedFolders_.begin(), expandedFolders_.end(), same))
            expandedFolders_.emplace_back(TQorShID::CopyIDList(item->AbsoluteIDList()));
    }
    UpdateShownFolders();
}

void TCustomQorShTreeView::AfterCollapse(TQorShTreeNode* node)
{
    if (destroying_ || !TQorShTreeNode::IsValid(node))
        return;
    // Only the node's own entry goes; the entries of its descendants stay.
    PCItemIDList list = node->Item()->AbsoluteIDList();
    std::erase_if(expandedFolders_, [list](const TIDListPtr& entry) {
        return TQorShID::SameIDList(entry.get(), list);
    });
    UpdateShownFolders();
}

void TCustomQorShTreeView::ExpandNode(TQorShTreeNode* node)
{
    Busy([this, node] {
        if (!TQorShTreeNode::IsValid(node))
            return;
        BeforeExpand(node);
        if (node->isExpanded())
            return;
        // The expansion signal of this call is handled here, not by the view's handler.
        TQorShTreeNode* outer = expandingNode_;
        expandingNode_ = node;
        node->setExpanded(true);
        expandingNode_ = outer;
        AfterExpand(node);
    });
}

TQorShTreeNode* TCustomQorShTreeView::FindNode(PCItemIDList list)
{
    TQorShTreeNode* found = nullptr;
    Busy([this, list, &found] { found = WalkToNode(list); });
    return found;
}

TQorShTreeNode* TCustomQorShTreeView::WalkToNode(PCItemIDList list)
{
    TQorShTreeNode* root = RootNode();
    if (!TQorShTreeNode::IsValid(root) || !list)
        return root;
    PCItemIDList id = list;
    for (int skip = root->Level(); skip > 0 && ItemIDSize(id) != 0; --skip)
        id += ItemIDSize(id);
    if (ItemIDSize(id) == 0)
        return root;

    TQorShTreeNode* c = root->ChildNode(0);
    // Each level's children are listed again at most once while the item is looked for
    // there: it may have been made since the level was listed. False when `c` went with it.
    bool refreshed = false;
    const auto refreshAround = [this, &refreshed](TQorShTreeNode* node) {
        refreshed = true;
        findWatch_ = node;
        RefreshChildren(node->ParentNode());
        const bool kept = findWatch_ != nullptr;
        findWatch_ = nullptr;
        return kept;
    };
    while (TQorShTreeNode::IsValid(c)) {
        TIDListPtr item(TQorShID::FirstID(id));
        const std::shared_ptr<TShFolder> folder = c->Item()->ParentFolder();
        const TShCompareResult order =
            TQorShID::CompareIDs(folder.get(), c->Item()->RelativeID(), item.get());
        TQorShTreeNode* parentNode = c->ParentNode();
        if (order == TShCompareResult::crEqual) {
            PCItemIDList next = id + ItemIDSize(id);
            if (ItemIDSize(next) == 0)
                return c;
            ExpandNode(c);
            id = next;
            c = c->ChildNode(0);
            refreshed = false;
        } else if (order == TShCompareResult::crAfter) {
            // A new item would now be just before this node.
            if (refreshed || !parentNode || !refreshAround(c))
                break;
            const int row = parentNode->indexOfChild(c);
            c = row > 0 ? parentNode->ChildNode(row - 1) : nullptr;
        } else if (order == TShCompareResult::crBefore && parentNode) {
            TQorShTreeNode* next = parentNode->ChildNode(parentNode->indexOfChild(c) + 1);
            if (!next && !refreshed) {
                if (!refreshAround(c))
                    break;
                next = parentNode->ChildNode(parentNode->indexOfChild(c) + 1);
            }
            c = next;
        } else {
            break;
        }
    }
    return root;
}

void TCustomQorShTreeView::SelectIDList(PCItemIDList list)
{
    TQorShTreeNode* root = RootNode();
    if (!list || !root || !root->Item())
        return;
    PCItemIDList rootList = root->Item()->AbsoluteIDList();
    if (root->Level() != 0 && !TQorShID::SameIDList(rootList, list) &&
        !TQorShID::IsAncestorIDList(rootList, list))
        return;
    TQorShTreeNode* selected = SelectedNode();
    if (TQorShTreeNode::IsValid(selected) &&
        TQorShID::SameIDList(selected->Item()->AbsoluteIDList(), list))
        return;
    // The node is selected before the report can run the host's handler.
    Busy([this, list] { SelectNode(WalkToNode(list)); });
}

} // namespace tallyrun
