// Lists the subfolders of an analysis run ahead of their logging: while the UI thread logs one
// subfolder's files, the next subfolders are already being listed, so the second core is not
// idle while lines are written. Each listing is the one FolderTotalAt would make (the whole
// tree, with the files' sizes), opened relative to the run folder's handle without following
// links, and split as scan/split_listing.h splits it. A few threads of their own, kept for the
// whole run, list the units of the earliest folder first; a thread with nothing of it left to
// take walks the top of the next folder, so that the small folders' top walks, and a folder's
// last units, run beside each other instead of one after another. At most kFoldersAtOnce are
// under way at once, and a new one is begun only while the listings done and not yet taken hold
// fewer files than half the one last taken (at least kMinFilesAhead): a file is logged in
// about half the time it takes to list it, so that keeps the listing busy while the memory held
// ahead stays below that of the listing being logged (plus the listings under way, whose sizes
// are not known in advance).
#pragma once

#include "platform/dir_handle.h"
#include "scan/split_listing.h"
#include "scan/tree_listing.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tallyrun {

// The subfolder of the open folder `parentFd` named by the last component of `folder` (a path
// ending in "/"), opened without following a link.
platform::TDirHandle OpenNamedSubfolder(int parentFd, const std::string& folder);

class TListingAhead
{
public:
    // Starts listing `folders` (paths ending in "/", named relative to `parentFd` by their last
    // component) in this order. `parentFd` must stay open until the object is destroyed. When no
    // thread can be started, nothing is listed ahead and Take always gives nothing.
    TListingAhead(int parentFd, std::vector<std::string> folders);
    // Gives up the listing in hand and waits for the thread.
    ~TListingAhead();
    TListingAhead(const TListingAhead&) = delete;
    TListingAhead& operator=(const TListingAhead&) = delete;

    enum class TState
    {
        tsNotListed, // `folder` is not the next folder in line, or nothing is listed ahead
        tsPending,   // still being listed
        tsReady
    };
    // Whether the next folder in line is `folder`, and whether its listing is done; waits for
    // it at most `wait`.
    TState Poll(const std::string& folder, std::chrono::milliseconds wait);
    // The listing of the next folder in line, once Poll said tsReady; rethrows an error of its
    // walk. Lets the thread go on with the folders after it.
    TTreeListing Take();

    static constexpr std::size_t kMinFilesAhead = 16384;
    static constexpr std::size_t kFoldersAtOnce = 2;
    // More threads than cores: on a cold disk several reads in flight (directory blocks, and
    // the inodes the sizes come from) are served faster.
    static constexpr int kThreads = 4;

private:
    struct TSlot
    {
        std::string folder;
        std::optional<TTreeListing> listing;
        std::exception_ptr error;
        bool ready = false;
    };
    // A folder under way: its handle, and its split once its top is walked.
    struct TUnderWay
    {
        std::size_t slot = 0;
        platform::TDirHandle root;
        std::unique_ptr<TSplitListing> split;
        int unitsInHand = 0; // taken and not yet listed and spliced
        bool whole = false;
        std::exception_ptr error;
    };

    void Work();
    void BeginFolder(TUnderWay& folder);
    void ListUnit(TUnderWay& folder, std::size_t unit);
    // With mutex_ held: once the folder is whole or failed, and no thread works on it any
    // more, its listing or its error goes to its slot.
    void EndFolder(TUnderWay& folder, bool whole);
    bool RoomAhead() const; // with mutex_ held

    const int parentFd_;
    std::vector<TSlot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    // Guarded by mutex_:
    std::size_t begun_ = 0;                            // slots whose listing was begun
    std::size_t taken_ = 0;                            // slots taken by the UI thread
    std::vector<std::unique_ptr<TUnderWay>> underWay_; // in slot order
    std::size_t filesAhead_ = 0;
    std::size_t filesInHand_ = 0;
    std::atomic<bool> cancel_{false};
    std::vector<std::thread> threads_;
};

} // namespace tallyrun
