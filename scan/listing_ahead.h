// Lists the subfolders of an analysis run ahead of their logging, on a thread of its own: while
// the UI thread logs one subfolder's files, the next subfolders are already being listed (each
// by the worker threads of ListTree), so the second core is not idle while lines are written.
// Each listing is the one FolderTotalAt would make (the whole tree, with the files' sizes), opened
// relative to the run folder's handle without following links. It keeps listing ahead while the
// listings done and not yet taken hold fewer files than half the one last taken (at least
// kMinFilesAhead): a file is logged in about half the time it takes to list it, so that keeps
// the listing busy while the memory held ahead stays below that of the listing being logged
// (plus the one listing started last, whose size is not known in advance).
#pragma once

#include "platform/dir_handle.h"
#include "scan/tree_listing.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
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

private:
    struct TSlot
    {
        std::string folder;
        std::optional<TTreeListing> listing;
        std::exception_ptr error;
    };

    void Work();
    TTreeListing ListOne(const std::string& folder);
    bool RoomAhead() const; // with mutex_ held

    const int parentFd_;
    std::vector<TSlot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t listed_ = 0; // slots done, guarded by mutex_
    std::size_t taken_ = 0;  // slots taken by the UI thread, guarded by mutex_
    std::size_t filesAhead_ = 0;
    std::size_t filesInHand_ = 0;
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};

} // namespace tallyrun
