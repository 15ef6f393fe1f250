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
    if (item->HasAttribute(saFileSystem))
        NoteExpandedFolder(item->AbsoluteIDList());
    UpdateShownFolders();
}

void TCustomQorShTreeView::NoteExpandedFolder(PCItemIDList list)
{
    // While '*' opens a whole subtree, the lists already noted are looked up by their bytes,
    // not compared one by one for every node opened.
    if (holdShownFolders_ && list) {
        const std::string key(reinterpret_cast<const char*>(list), TQorShID::IDListSize(list));
        if (heldExpandedKeys_.insert(key).second)
            expandedFolders_.emplace_back(TQorShID::CopyIDList(list));
        return;
    }
    const auto same = [list](const TIDListPtr& entry) {
        return TQorShID::SameIDList(entry.get(), list);
    };
    if (std::none_of(expandedFolders_.begin(), expandedFolders_.end(), same))
        expandedFolders_.emplace_back(TQorShID::CopyIDList(list));
}

void TCustomQorShTreeView::AfterCollapse(TQorShTreeNode* node)
{
    if (destroying_ || !TQorShTreeNode::IsValid(node))
        return;
    // Closing the node '*' opens, or a node above it, ends the opening.
    for (const QTreeWidgetItem* above = subtreeTop_; above; above = above->parent())
        if (above == node) {
            EndExpandingSubtree();
            break;
        }
    // Only the node's own entry goes; the entries of its descendants stay. The subtree's
    // nodes stay too, even tens of thousands after '*': expanding the node again shows them
    // as they were, as the toolkit's own tree does, and the watcher keeps watching none of
    // them meanwhile.
    ForgetExpandedFolder(node->Item()->AbsoluteIDList());
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

namespace {

// The list past its first `levels` items, or its end when it is shorter.
PCItemIDList SkipLevels(PCItemIDList id, int levels)
{
    for (; levels > 0 && ItemIDSize(id) != 0; --levels)
        id += ItemIDSize(id);
    return id;
}

// Where `node` stands against the first item of `id` among its siblings.
TShCompareResult CompareWithFirstID(const TQorShTreeNode* node, PCItemIDList id)
{
    TIDListPtr item(TQorShID::FirstID(id));
    const std::shared_ptr<TShFolder> folder = node->Item()->ParentFolder();
    return TQorShID::CompareIDs(folder.get(), node->Item()->RelativeID(), item.get());
}

} // namespace

bool TCustomQorShTreeView::RefreshAround(TQorShTreeNode* node)
{
    findWatch_ = node;
    RefreshChildren(node->ParentNode());
    const bool kept = findWatch_ != nullptr;
    findWatch_ = nullptr;
    return kept;
}

TQorShTreeNode* TCustomQorShTreeView::WalkBefore(TQorShTreeNode* node, bool& refreshed)
{
    TQorShTreeNode* parentNode = node->ParentNode();
    if (refreshed || !parentNode)
        return nullptr;
    refreshed = true;
    if (!RefreshAround(node))
        return nullptr;
    const int row = parentNode->indexOfChild(node);
    return row > 0 ? parentNode->ChildNode(row - 1) : nullptr;
}

TQorShTreeNode* TCustomQorShTreeView::WalkAfter(TQorShTreeNode* node, bool& refreshed)
{
    TQorShTreeNode* parentNode = node->ParentNode();
    if (!parentNode)
        return nullptr;
    TQorShTreeNode* next = parentNode->ChildNode(parentNode->indexOfChild(node) + 1);
    if (next || refreshed)
        return next;
    refreshed = true;
    if (!RefreshAround(node))
        return nullptr;
    return parentNode->ChildNode(parentNode->indexOfChild(node) + 1);
}

TQorShTreeNode* TCustomQorShTreeView::WalkToNode(PCItemIDList list)
{
    TQorShTreeNode* root = RootNode();
    if (!TQorShTreeNode::IsValid(root) || !list)
        return root;
    PCItemIDList id = SkipLevels(list, root->Level());
    if (ItemIDSize(id) == 0)
        return root;

    TQorShTreeNode* c = root->ChildNode(0);
    // Each level's children are listed again at most once while the item is looked for
    // there: it may have been made since the level was listed.
    bool refreshed = false;
    while (TQorShTreeNode::IsValid(c)) {
        switch (CompareWithFirstID(c, id)) {
        case TShCompareResult::crEqual:
            id += ItemIDSize(id);
            if (ItemIDSize(id) == 0)
                return c;
            ExpandNode(c);
            c = c->ChildNode(0);
            refreshed = false;
            break;
        case TShCompareResult::crAfter:
            c = WalkBefore(c, refreshed);
            break;
        case TShCompareResult::crBefore:
            c = WalkAfter(c, refreshed);
            break;
        case TShCompareResult::crFailure:
            c = nullptr;
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
