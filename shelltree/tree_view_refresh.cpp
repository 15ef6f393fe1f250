// Keeping the tree in step with the file system: the watcher's report merges the visible
// populated nodes again, and the tree tells the watcher which folders it shows.
#include "shelltree/tree_view.h"

#include "platform/file_status.h"

namespace tallyrun {

void TCustomQorShTreeView::WatcherReported()
{
    if (destroying_)
        return;
    if (mouseState_ == TShMouseState::msNone)
        RefreshVisible();
    PruneExpandedFolders();
    UpdateShownFolders();
}

void TCustomQorShTreeView::RefreshVisible()
{
    if (!loaded_ || destroying_)
        return;
    Busy([this] {
        for (int i = 0; i < topLevelItemCount(); ++i)
            VisitVisible(static_cast<TQorShTreeNode*>(topLevelItem(i)));
    });
}

void TCustomQorShTreeView::VisitVisible(TQorShTreeNode* node)
{
    if (node->isExpanded() || node->childCount() > 0)
        RefreshChildren(node);
    else
        node->Attach();
    // The merge is done before the children are visited, so the indexes below stay good.
    if (node->isExpanded())
        for (int i = 0; i < node->childCount(); ++i)
            VisitVisible(node->ChildNode(i));
}

void TCustomQorShTreeView::PruneExpandedFolders()
{
    std::erase_if(expandedFolders_, [](const TIDListPtr& entry) {
        std::string path;
        return !TQorShID::PathFromIDList(entry.get(), path) || !platform::IsExistingDirectory(path);
    });
    if (holdShownFolders_)
        IndexExpandedFolders();
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
    // listing the tree shows: the visible populated nodes.
    std::vector<std::string> shown;
    std::vector<TQorShTreeNode*> pending;
    for (int i = 0; i < topLevelItemCount(); ++i)
        pending.push_back(static_cast<TQorShTreeNode*>(topLevelItem(i)));
    while (!pending.empty()) {
        TQorShTreeNode* node = pending.back();
        pending.pop_back();
        if (!node->isExpanded() || !TQorShTreeNode::IsValid(node))
            continue;
        if (std::string path = node->Item()->Path(); !path.empty())
            shown.push_back(std::move(path));
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->isExpanded())
                pending.push_back(node->ChildNode(i));
    }
    watcher_->SetShownFolders(shown);
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
