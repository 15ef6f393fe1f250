// Deleting nodes safely: the pointers the tree keeps into a subtree are forgotten first, and a
// selection that Qt moves meanwhile is reported once the operation is over.
#include "shelltree/tree_view.h"

namespace tallyrun {

void TCustomQorShTreeView::Busy(const std::function<void()>& operation)
{
    ++busy_;
    try {
        operation();
    } catch (...) {
        --busy_;
        throw;
    }
    if (--busy_ == 0 && reportAfterBusy_) {
        reportAfterBusy_ = false;
        SelectionChanged();
    }
}

namespace {

// Whether `item` is `top` or lies below it; with no `top`, every item does.
bool IsInside(const QTreeWidgetItem* item, const QTreeWidgetItem* top)
{
    for (; item; item = item->parent())
        if (!top || item == top)
            return true;
    return false;
}

void ForgetIfInside(TQorShTreeNode*& node, const QTreeWidgetItem* top)
{
    if (node && IsInside(node, top))
        node = nullptr;
}

} // namespace

void TCustomQorShTreeView::ForgetSubtree(const QTreeWidgetItem* top)
{
    ExpandingSubtreeLoses(top);
    RefreshWalkLoses(top);
    RemoveShown(top);
    for (TQorShTreeNode** node :
         {&dropHighlighted_, &selectedNode_, &findWatch_, &expandingNode_, &dragOverNode_,
          &editingNode_, &subtreeOpening_, &refreshMerging_})
        ForgetIfInside(*node, top);
    // A pending delayed report of a node that goes is dropped, never reported.
    if (changeDelayThread_) {
        auto* pending = static_cast<TQorShTreeNode*>(changeDelayThread_->PendingNode());
        if (pending && IsInside(pending, top))
            changeDelayThread_->CancelChange(pending);
    }
}

void TCustomQorShTreeView::ExpandingSubtreeLoses(const QTreeWidgetItem* gone)
{
    if (!subtreeTop_)
        return;
    if (IsInside(subtreeTop_, gone)) {
        // The shown folders are worked out once the nodes have gone, not from those going.
        EndExpandingSubtree(TShownFoldersUpdate::Later);
        return;
    }
    // Only a deletion inside the subtree being opened can take nodes still to open.
    if (IsInside(gone, subtreeTop_))
        std::erase_if(subtreePending_,
                      [gone](const TQorShTreeNode* node) { return IsInside(node, gone); });
}

void TCustomQorShTreeView::RefreshWalkLoses(const QTreeWidgetItem* gone)
{
    if (refreshPending_.empty())
        return;
    if (!gone) {
        refreshPending_.clear();
        return;
    }
    // The children of the node the walk merges are queued only after its merge: the nodes its
    // merge deletes hold none of the queue, and a big merge costs no scans of it.
    if (refreshMerging_ && gone->parent() == refreshMerging_)
        return;
    std::erase_if(refreshPending_,
                  [gone](const TQorShTreeNode* node) { return IsInside(node, gone); });
}

void TCustomQorShTreeView::DeleteNode(TQorShTreeNode* node)
{
    ForgetSubtree(node);
    QTreeWidgetItem* parentNode = node->parent();
    if (parentNode)
        delete parentNode->takeChild(parentNode->indexOfChild(node));
    else
        delete takeTopLevelItem(indexOfTopLevelItem(node));
}

void TCustomQorShTreeView::ClearNodes()
{
    ForgetSubtree(nullptr);
    clear();
}

} // namespace tallyrun
