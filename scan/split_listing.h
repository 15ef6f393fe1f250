// One folder tree listed by several threads. The thread that makes the object walks the top of
// the tree, down to a depth at which it finds enough folders (units) to share out; any threads
// then take the units and list their subtrees, each on its own, and the units listed are
// spliced into the top listing at their places, in list order, as soon as they and the units
// before them are listed. That gives the same list as one walk: the top walk notes where each
// unit's files belong, and a folder met a second time (the same device and inode) is left out
// in list order, as a single walk leaves it out.
#pragma once

#include "platform/dir_handle.h"
#include "scan/tree_listing.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace tallyrun {

class TSplitListing
{
public:
    // Walks the top of the tree of the open folder `rootFd` (which must stay open until the
    // units are listed), listed as `rootFolder`, on the calling thread; throws what the walk
    // throws (TListingAbandoned when `options.abandon` is set). Splicing lets events run when
    // `options.pumpEvents` is set, so only the thread that may run them may splice then.
    TSplitListing(const std::string& rootFolder, int rootFd, const TWalkOptions& options);
    TSplitListing(const TSplitListing&) = delete;
    TSplitListing& operator=(const TSplitListing&) = delete;

    std::size_t UnitCount() const { return units_.size(); }

    // The next unit no thread has taken yet, if any; any thread.
    std::optional<std::size_t> TakeUnit();
    // After an error: no unit is given out any more.
    void GiveUpUnits() { next_.store(units_.size()); }
    // Lists unit `u` (taken by TakeUnit) on the calling thread; throws what the walk throws.
    void ListUnit(std::size_t u);

    // Splices the units listed so far, in list order, unless another thread is splicing: that
    // one then splices what this one would have. True for the one call that made the listing
    // whole (at once when there are no units): Listing() may then be taken.
    bool SpliceListed();
    TTreeListing& Listing() { return top_; }

private:
    void SpliceNext();
    void SpliceUnit(std::uint32_t unitFolder, TTreeListing& part);
    void PumpNowAndThen();

    TTreeListing top_;
    std::vector<TSplitUnit> units_;
    int rootFd_;
    TWalkOptions partOptions_;
    const std::atomic<bool>* abandon_ = nullptr;
    bool pumpEvents_ = false;
    // The units find their folders through a copy of the top listing's folders, so that the
    // top listing itself can take in the units already listed meanwhile.
    TTreeListing unitPaths_{""};
    std::vector<TTreeListing> parts_;
    std::atomic<std::size_t> next_{0};

    std::mutex mutex_;
    std::vector<bool> unitDone_; // guarded by mutex_
    bool splicing_ = false;      // guarded by mutex_
    bool whole_ = false;         // guarded by mutex_

    // The splice, on one thread at a time.
    std::unordered_set<platform::TDirIdentity, platform::TDirIdentityHash> seen_;
    std::vector<TListedFile> files_; // the top's files and the units', in list order
    std::size_t spliced_ = 0;        // units
    std::size_t topFile_ = 0;        // the top's files before here are in files_
    std::size_t splicedEntries_ = 0;
};

} // namespace tallyrun
