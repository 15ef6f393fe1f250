// Keeping the tree in step with the file system: the watcher's report merges the visible
// populated nodes again, and the tree tells the watcher which folders it shows.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "shelltree/sh_location.h"
#include "shelltree/wait_cursor.h"

#include <QElapsedTimer>
#include <QTimer>

namespace tallyrun {
namespace {

// How long a slice of the report's walk that finds the tree busy waits before it looks again.
constexpr int kRefreshRetryMs = 10;

} // namespace

void TCustomQorShTreeView::WatcherReported()
{
    if (destroying_)
        return;
    // A walk that is going on runs once more from its end rather than starting again now, so
    // reports that keep coming cannot keep it from ever reaching its end.
    if (refreshWalking_) {
        refreshAgain_ = true;
        return;
    }
    if (mouseState_ == TShMouseState::msNone && loaded_) {
        StartRefreshWalk(true);
        return;
    }
    PruneExpandedFolders();
    UpdateShownFolders();
}

void TCustomQorShTreeView::RefreshVisibleInSlices()
{
    if (!loaded_ || destroying_)
        return;
    if (refreshWalking_)
        refreshAgain_ = true;
    else
        StartRefreshWalk(true);
}

void TCustomQorShTreeView::StartRefreshWalk(bool firstSliceNow)
{
    if (!refreshStep_) {
        refreshStep_ = new QTimer(this);
        refreshStep_->setSingleShot(true);
        connect(refreshStep_, &QTimer::timeout, this,
                [this] { RunHandler([this] { RefreshWalkSlice(); }); });
    }
    refreshWalking_ = true;
    refreshPending_.clear();
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
        refreshPending_.push_back(static_cast<TQorShTreeNode*>(topLevelItem(i)));
    if (firstSliceNow)
        RefreshWalkSlice();
    else
        refreshStep_->start(0);
}

namespace {

// Whether every node above `node` is expanded, so that the node is in the visible order.
bool IsShown(const QTreeWidgetItem* node)
{
    for (const QTreeWidgetItem* above = node->parent(); above; above = above->parent())
        if (!above->isExpanded())
            return false;
    return true;
}

} // namespace

void TCustomQorShTreeView::RefreshWalkSlice()
{
    if (!refreshWalking_ || destroying_)
        return;
    // Inside another tree operation (a message box's own loop may run this timer), or while
    // a mouse button is held over the tree, nothing is merged: the slice looks again later.
    if (busy_ > 0 || mouseState_ != TShMouseState::msNone) {
        refreshStep_->start(kRefreshRetryMs);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    // One hourglass for the slice's merges, rather than one put up and taken down per node.
    const TWaitCursor cursor;
    try {
        // One operation per slice: a selection that the merges move is reported once, after it.
        Busy([this, &clock] {
            while (!refreshPending_.empty()) {
                TQorShTreeNode* node = refreshPending_.back();
                refreshPending_.pop_back();
                // A node whose parent was collapsed since it was queued is no longer visible.
                if (!TQorShTreeNode::IsValid(node) || !IsShown(node))
                    continue;
                refreshMerging_ = node;
                RefreshVisibleNode(node);
                // An error box about the listing runs its own event loop, in which the node
                // may have been deleted.
                if (!refreshMerging_)
                    continue;
                refreshMerging_ = nullptr;
                // The merge is done before the children are queued, so the indexes stay good.
                if (node->isExpanded())
                    for (int i = node->childCount() - 1; i >= 0; --i)
                        refreshPending_.push_back(node->ChildNode(i));
                if (clock.elapsed() >= refreshBudget_.count())
                    break;
            }
        });
    } catch (...) {
        refreshMerging_ = nullptr;
        refreshPending_.clear();
        refreshWalking_ = false;
        refreshAgain_ = false;
        throw;
    }
    if (refreshPending_.empty())
        EndRefreshWalk();
    else
        refreshStep_->start(0);
}

void TCustomQorShTreeView::EndRefreshWalk()
{
    refreshWalking_ = false;
    PruneExpandedFolders();
    UpdateShownFolders();
    if (refreshAgain_) {
        refreshAgain_ = false;
        // The report that came during the walk, from the event loop.
        if (mouseState_ == TShMouseState::msNone && loaded_ && !destroying_)
            StartRefreshWalk(false);
    }
}

void TCustomQorShTreeView::RefreshVisible()
{
    if (!loaded_ || destroying_)
        return;
    const TWaitCursor cursor;
    Busy([this] {
        for (int i = 0; i < topLevelItemCount(); ++i)
            VisitVisible(static_cast<TQorShTreeNode*>(topLevelItem(i)));
    });
}

void TCustomQorShTreeView::RefreshVisibleNode(TQorShTreeNode* node)
{
    if (node->isExpanded() || node->childCount() > 0)
        RefreshChildren(node);
    else
        node->Attach();
}

void TCustomQorShTreeView::VisitVisible(TQorShTreeNode* node)
{
    RefreshVisibleNode(node);
    // The merge is done before the children are visited, so the indexes below stay good.
    if (node->isExpanded())
        for (int i = 0; i < node->childCount(); ++i)
            VisitVisible(node->ChildNode(i));
}

void TCustomQorShTreeView::UpdateShownFolders()
{
    if (!watcher_ || destroying_)
        return;
    if (holdShownFolders_) {
        shownFoldersStale_ = true;
        return;
    }
    // The watcher watches the drive roots themselves and, below them, the folders whose
    // listing the tree shows: the visible populated nodes. A watcher that holds them already
    // is not told them again (a report's end that changed nothing).
    if (shownFoldersTold_)
        return;
    std::vector<std::string> shown;
    shown.reserve(shownPathCounts_.size());
    for (const auto& entry : shownPathCounts_)
        shown.push_back(entry.first);
    watcher_->SetShownFolders(std::move(shown));
    shownFoldersTold_ = true;
}

void TCustomQorShTreeView::AddShown(TQorShTreeNode* node)
{
    if (!node->isExpanded() || shownNodes_.contains(node) ||
        (node->parent() && !shownNodes_.contains(node->parent())))
        return;
    // Each node's location follows from its parent's and its own item, rather than from its
    // whole list (see ResolveIDListBelow); a node whose list is not its parent's plus one item
    // is resolved whole. A node a collapse hid takes back the path it had, unresolved; a node
    // below it that was not kept is resolved whole.
    struct Resolved
    {
        PCItemIDList list = nullptr;
        TShLocation location;
        bool ok = false;
    };
    constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);
    std::vector<Resolved> resolved;
    std::vector<std::pair<TQorShTreeNode*, std::size_t>> pending = {{node, kNoParent}};
    while (!pending.empty()) {
        const auto [next, parent] = pending.back();
        pending.pop_back();
        if (!TQorShTreeNode::IsValid(next) || shownNodes_.contains(next))
            continue;
        std::size_t index = kNoParent;
        if (auto kept = hiddenShown_.extract(next)) {
            if (!kept.mapped().empty() && ++shownPathCounts_[kept.mapped()] == 1)
                shownFoldersTold_ = false;
            shownNodes_.insert(std::move(kept));
        } else {
            Resolved own;
            own.list = next->Item()->PathIDList();
            own.ok = parent == kNoParent
                         ? ResolveIDList(own.list, own.location)
                         : ResolveIDListBelow(resolved[parent].ok ? resolved[parent].list : nullptr,
                                              resolved[parent].location, own.list, own.location);
            std::string path;
            if (own.ok && PathOfLocation(own.location, path)) {
                if (path.back() != '/')
                    path += '/';
                if (++shownPathCounts_[path] == 1)
                    shownFoldersTold_ = false;
            }
            shownNodes_.emplace(next, std::move(path));
            index = resolved.size();
            resolved.push_back(std::move(own));
        }
        for (int i = 0; i < next->childCount(); ++i)
            if (next->child(i)->isExpanded())
                pending.emplace_back(next->ChildNode(i), index);
    }
}

void TCustomQorShTreeView::RemoveShown(const QTreeWidgetItem* top, TShownRemoval removal)
{
    if (!top) {
        shownNodes_.clear();
        shownPathCounts_.clear();
        hiddenShown_.clear();
        shownFoldersTold_ = false;
        return;
    }
    // A node is shown or kept only below a shown or kept parent, so the walk ends where
    // neither is.
    std::vector<const QTreeWidgetItem*> pending = {top};
    while (!pending.empty()) {
        const QTreeWidgetItem* node = pending.back();
        pending.pop_back();
        auto shown = shownNodes_.extract(node);
        if (shown) {
            if (!shown.mapped().empty()) {
                const auto count = shownPathCounts_.find(shown.mapped());
                if (count != shownPathCounts_.end() && --count->second == 0) {
                    shownPathCounts_.erase(count);
                    shownFoldersTold_ = false;
                }
            }
            if (removal == TShownRemoval::Collapse)
                hiddenShown_.insert(std::move(shown));
        } else if (removal == TShownRemoval::Collapse || hiddenShown_.erase(node) == 0) {
            // Below a node that was hidden already nothing is shown.
            continue;
        }
        for (int i = 0; i < node->childCount(); ++i)
            pending.push_back(node->child(i));
    }
}

void TCustomQorShTreeView::SuspendWatching()
{
    if (watchPause_ == 0 && watcher_) {
        watcher_->SetWatchList(nullptr);
        watcher_->WaitSettled();
    }
    ++watchPause_;
}

void TCustomQorShTreeView::ResumeWatching()
{
    // An unmatched resume changes nothing, so the count never goes below zero.
    if (watchPause_ == 0)
        return;
    if (--watchPause_ == 0 && watcher_) {
        watcher_->SetWatchList(&driveRoots_);
        watcher_->WaitSettled();
    }
}

} // namespace tallyrun
