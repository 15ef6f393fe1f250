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

void TCustomQorShTreeView::ForgetSubtree(const QTreeWidgetItem* top)
{
    const auto inside = [top](const QTreeWidgetItem* item) {
        for (; item; item = item->parent())
            if (!top || item == top)
                return true;
        return false;
    };
    if (dropHighlighted_ && inside(dropHighlighted_))
        dropHighlighted_ = nullptr;
    if (selectedNode_ && inside(selectedNode_))
        selectedNode_ = nullptr;
    if (findWatch_ && inside(findWatch_))
        findWatch_ = nullptr;
    if (expandingNode_ && inside(expandingNode_))
        expandingNode_ = nullptr;
    if (dragOverNode_ && inside(dragOverNode_))
        dragOverNode_ = nullptr;
    if (editingNode_ && inside(editingNode_))
        editingNode_ = nullptr;
    // A pending delayed report of a node that goes is dropped, never reported.
    if (changeDelayThread_) {
        auto* pending = static_cast<QTreeWidgetItem*>(
            static_cast<TQorShTreeNode*>(changeDelayThread_->PendingNode()));
        if (pending && inside(pending))
            changeDelayThread_->CancelChange(static_cast<TQorShTreeNode*>(pending));
    }
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
