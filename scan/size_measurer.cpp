#include "scan/size_measurer.h"

#include "platform/entry_info.h"
#include "scan/tree_listing.h"

namespace tallyrun {

TSizeMeasurer::TSizeMeasurer(const TTreeListing& listing, TDirCursor& cursor,
                             platform::TDirHandle helperRoot, const std::atomic<bool>& stop)
    : listing_(listing), cursor_(cursor), helperCursor_(listing, std::move(helperRoot)),
      stop_(stop), helpers_(listing.files.size()), sizes_(listing.files.size(), 0)
{
    bool odd = false;
    std::size_t inChunk = 0;
    for (std::size_t i = 0; i < listing.files.size(); ++i) {
        // A chunk ends at a folder's end once it holds kMinChunk files, so runs of small
        // neighbouring folders, which share their parents, go to one thread and each thread
        // opens fewer folders; a large folder is cut every kChunk files.
        const bool folderEnds = i > 0 && listing.files[i].folder != listing.files[i - 1].folder;
        if ((folderEnds && inChunk >= kMinChunk) || inChunk == kChunk) {
            odd = !odd;
            inChunk = 0;
        }
        helpers_[i] = odd;
        ++inChunk;
    }
    // Without a handle of its own (no descriptor left) the helper cannot measure: the calling
    // thread then measures every file.
    if (helperCursor_.RootFd() < 0)
        helpers_.assign(helpers_.size(), false);
    else if (odd || listing.files.size() > kChunk)
        helper_ = std::thread([this] { RunHelper(); });
}

TSizeMeasurer::~TSizeMeasurer()
{
    quit_.store(true);
    taken_.store(SIZE_MAX);
    taken_.notify_all();
    if (helper_.joinable())
        helper_.join();
}

std::uint64_t TSizeMeasurer::Measure(TDirCursor& cursor, std::size_t i) const
{
    const TListedFile& file = listing_.files[i];
    const int fd = cursor.Open(file.folder);
    return fd < 0 ? 0 : platform::FileSizeAt(fd, listing_.Name(file.nameOffset));
}

void TSizeMeasurer::RunHelper()
{
    const std::size_t count = listing_.files.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (!helpers_[i])
            continue;
        // Stay within the window: wait until the taking thread has come close enough.
        for (std::size_t taken = taken_.load(); taken != SIZE_MAX && i >= taken + kWindow;
             taken = taken_.load())
            taken_.wait(taken);
        if (quit_.load() || stop_.load())
            break;
        sizes_[i] = Measure(helperCursor_, i);
        // Publish each chunk as a whole, and wake a waiting taker only then.
        if (i + 1 == count || !helpers_[i + 1]) {
            measured_.store(i + 1, std::memory_order_release);
            measured_.notify_one();
        }
    }
    helperCursor_.CloseAll();
    // Mark the end in the counter itself, so a waiting taker sees a change and wakes.
    measured_.store(measured_.load() | kDoneBit, std::memory_order_release);
    measured_.notify_all();
}

std::uint64_t TSizeMeasurer::Take(std::size_t i)
{
    std::uint64_t size = 0;
    if (!helpers_[i]) {
        size = Measure(cursor_, i);
    } else {
        std::size_t state = measured_.load(std::memory_order_acquire);
        while ((state & ~kDoneBit) <= i && !(state & kDoneBit)) {
            measured_.wait(state, std::memory_order_acquire);
            state = measured_.load(std::memory_order_acquire);
        }
        if ((state & ~kDoneBit) > i)
            size = sizes_[i];
    }
    // Let the helper move on, once per chunk.
    if ((i + 1) % kChunk == 0) {
        taken_.store(i + 1);
        taken_.notify_one();
    }
    return size;
}

} // namespace tallyrun
