// The '*' key: opening a node and every folder below it, a slice at a time from the event
// loop, so that the window goes on answering while tens of thousands of folders open.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "shelltree/wait_cursor.h"

#include <QElapsedTimer>
#include <QTimer>

namespace tallyrun {
namespace {

// How long a slice that finds the tree busy waits before it looks again.
constexpr int kBusyRetryMs = 10;

} // namespace

void TCustomQorShTreeView::IndexExpandedFolders()
{
    heldExpandedKeys_.clear();
    for (const TIDListPtr& entry : expandedFolders_)
        if (entry)
            heldExpandedKeys_.emplace(reinterpret_cast<const char*>(entry.get()),
                                      TQorShID::IDListSize(entry.get()));
}

bool TCustomQorShTreeView::SkippedBySubtree(TQorShTreeNode* node) const
{
    if (!subtreeSkip_ || !node->Item()->HasAttribute(saFileSystem))
        return false;
    const std::string path = node->Item()->Path();
    return !path.empty() && subtreeSkip_(path);
}

void TCustomQorShTreeView::StartExpandingSubtree(TQorShTreeNode* top)
{
    EndExpandingSubtree();
    if (!TQorShTreeNode::IsValid(top))
        return;
    if (!subtreeStep_) {
        subtreeStep_ = new QTimer(this);
        subtreeStep_->setSingleShot(true);
        connect(subtreeStep_, &QTimer::timeout, this,
                [this] { RunHandler([this] { ExpandSubtreeSlice(); }); });
    }
    // Until the end, the shown folders are only noted as changed, and the expanded folders
    // are looked up by their bytes rather than compared one by one for every node opened.
    holdShownFolders_ = true;
    shownFoldersStale_ = false;
    IndexExpandedFolders();
    subtreeSkipping_ = subtreeSkip_ && !SkippedBySubtree(top);
    subtreeTop_ = top;
    subtreePending_ = {top};
    // The node itself opens at once; the rest follows from the event loop.
    ExpandSubtreeSlice();
}

void TCustomQorShTreeView::ExpandSubtreeSlice()
{
    if (!subtreeTop_)
        return;
    // Deletions may have taken every node that was still to open.
    if (subtreePending_.empty()) {
        EndExpandingSubtree();
        return;
    }
    // Inside another tree operation (a message box's own loop may run this timer), the tree
    // is not at rest: the slice waits a little, without spinning meanwhile.
    if (busy_ > 0) {
        subtreeStep_->start(kBusyRetryMs);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    // One hourglass for the slice's listings, rather than one put up and taken down per node.
    const TWaitCursor cursor;
    try {
        do {
            TQorShTreeNode* node = subtreePending_.back();
            subtreePending_.pop_back();
            if (!TQorShTreeNode::IsValid(node))
                continue;
            // With a layout of the whole view pending, Qt only notes an expansion instead of
            // laying out the rows below it each time, which made opening thousands of folders
            // quadratic; the layout runs once per slice.
            scheduleDelayedItemsLayout();
            subtreeOpening_ = node;
            node->setExpanded(true);
            // An error box about the node's listing runs its own event loop, in which the
            // opening may have been ended or the node deleted.
            if (!subtreeTop_)
                return;
            if (!subtreeOpening_)
                continue;
            subtreeOpening_ = nullptr;
            for (int i = node->childCount() - 1; i >= 0; --i) {
                TQorShTreeNode* child = node->ChildNode(i);
                if (TQorShTreeNode::IsValid(child) && !child->Item()->HasAttribute(saLink) &&
                    !(subtreeSkipping_ && SkippedBySubtree(child)))
                    subtreePending_.push_back(child);
            }
        } while (!subtreePending_.empty() && clock.elapsed() < subtreeBudget_.count());
    } catch (...) {
        EndExpandingSubtree();
        throw;
    }
    if (subtreePending_.empty())
        EndExpandingSubtree();
    else
        subtreeStep_->start(0);
}

void TCustomQorShTreeView::EndExpandingSubtree(TShownFoldersUpdate update)
{
    if (!subtreeTop_)
        return;
    subtreeTop_ = nullptr;
    subtreeOpening_ = nullptr;
    subtreePending_.clear();
    subtreePending_.shrink_to_fit();
    subtreeStep_->stop();
    holdShownFolders_ = false;
    heldExpandedKeys_.clear();
    if (!shownFoldersStale_)
        return;
    if (update == TShownFoldersUpdate::Now)
        UpdateShownFolders();
    else
        QTimer::singleShot(0, this, [this] { RunHandler([this] { UpdateShownFolders(); }); });
}

} // namespace tallyrun
