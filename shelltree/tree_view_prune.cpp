// Forgetting the expanded folders that no longer exist, a slice at a time: after '*' the tree
// remembers tens of thousands of them, and checking each one on disk in one go held the window
// for as long as that many lookups take (seconds when they are not cached).
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "platform/file_status.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace tallyrun {

void TCustomQorShTreeView::PruneExpandedFolders()
{
    if (destroying_)
        return;
    // A prune that is going on checks every entry once more from its end rather than
    // starting again now, so reports that keep coming cannot keep it from its end.
    if (pruning_) {
        pruneAgain_ = true;
        return;
    }
    if (!pruneStep_) {
        pruneStep_ = new QTimer(this);
        pruneStep_->setSingleShot(true);
        connect(pruneStep_, &QTimer::timeout, this,
                [this] { RunHandler([this] { PruneSlice(); }); });
    }
    pruning_ = true;
    pruneNext_ = 0;
    PruneSlice();
}

void TCustomQorShTreeView::PruneSlice()
{
    if (!pruning_ || destroying_)
        return;
    QElapsedTimer clock;
    clock.start();
    // The entries that still exist move up over the ones that went, in their order; the gap
    // left behind is closed once per slice.
    std::size_t read = pruneNext_;
    std::size_t write = pruneNext_;
    try {
        while (read < expandedFolders_.size()) {
            // An entry counts as checked only once it has been moved up or forgotten, so an
            // error on the way never drops one that still exists.
            TIDListPtr& entry = expandedFolders_[read];
            std::string path;
            if (TQorShID::PathFromIDList(entry.get(), path) &&
                platform::IsExistingDirectory(path)) {
                if (write != read)
                    expandedFolders_[write] = std::move(entry);
                ++write;
            } else if (holdShownFolders_ && entry) {
                heldExpandedKeys_.erase(std::string(reinterpret_cast<const char*>(entry.get()),
                                                    TQorShID::IDListSize(entry.get())));
            }
            ++read;
            if (clock.elapsed() >= refreshBudget_.count())
                break;
        }
    } catch (...) {
        expandedFolders_.erase(expandedFolders_.begin() + static_cast<std::ptrdiff_t>(write),
                               expandedFolders_.begin() + static_cast<std::ptrdiff_t>(read));
        pruning_ = false;
        pruneAgain_ = false;
        throw;
    }
    expandedFolders_.erase(expandedFolders_.begin() + static_cast<std::ptrdiff_t>(write),
                           expandedFolders_.begin() + static_cast<std::ptrdiff_t>(read));
    pruneNext_ = write;
    if (pruneNext_ < expandedFolders_.size()) {
        pruneStep_->start(0);
        return;
    }
    pruning_ = false;
    if (pruneAgain_) {
        pruneAgain_ = false;
        // The report that came during the prune, from the event loop.
        pruning_ = true;
        pruneNext_ = 0;
        pruneStep_->start(0);
    }
}

void TCustomQorShTreeView::ForgetExpandedFolder(PCItemIDList list)
{
    const auto same = [list](const TIDListPtr& entry) {
        return TQorShID::SameIDList(entry.get(), list);
    };
    // The prune goes on where it was: entries that go before its place move it up.
    if (pruning_) {
        const auto checked =
            expandedFolders_.begin() +
            static_cast<std::ptrdiff_t>(std::min(pruneNext_, expandedFolders_.size()));
        pruneNext_ -=
            static_cast<std::size_t>(std::count_if(expandedFolders_.begin(), checked, same));
    }
    std::erase_if(expandedFolders_, same);
    if (holdShownFolders_ && list)
        heldExpandedKeys_.erase(
            std::string(reinterpret_cast<const char*>(list), TQorShID::IDListSize(list)));
}

} // namespace tallyrun
