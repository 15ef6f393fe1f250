#include "scan/size_prefetch.h"

#include "platform/entry_info.h"
#include "scan/tree_listing.h"

namespace tallyrun {

TSizePrefetch::TSizePrefetch(const TTreeListing& listing, platform::TDirHandle root,
                             const std::atomic<bool>& stop)
    : listing_(listing), cursor_(listing, std::move(root)), stop_(stop),
      sizes_(listing.files.size(), 0)
{
    thread_ = std::thread([this] { Run(); });
}

TSizePrefetch::~TSizePrefetch()
{
    quit_.store(true);
    taken_.store(SIZE_MAX);
    taken_.notify_all();
    thread_.join();
}

void TSizePrefetch::Run()
{
    const std::size_t count = listing_.files.size();
    for (std::size_t i = 0; i < count; ++i) {
        // Keep within the window: wait while the loop has not taken enough files yet.
        for (std::size_t taken = taken_.load(); taken != SIZE_MAX && i >= taken + kWindow;
             taken = taken_.load())
            taken_.wait(taken);
        if (quit_.load() || stop_.load())
            break;
        const TListedFile& file = listing_.files[i];
        const int fd = cursor_.Open(file.folder);
        sizes_[i] = fd < 0 ? 0 : platform::FileSizeAt(fd, listing_.Name(file.nameOffset));
        measured_.store(i + 1, std::memory_order_release);
        measured_.notify_one();
    }
    // Mark the end in the counter itself, so a waiting Take sees a change and wakes.
    measured_.store(measured_.load() | kDoneBit, std::memory_order_release);
    measured_.notify_all();
}

std::uint64_t TSizePrefetch::Take(std::size_t i)
{
    std::size_t state = measured_.load(std::memory_order_acquire);
    while ((state & ~kDoneBit) <= i && !(state & kDoneBit)) {
        measured_.wait(state, std::memory_order_acquire);
        state = measured_.load(std::memory_order_acquire);
    }
    const std::uint64_t size = (state & ~kDoneBit) > i ? sizes_[i] : 0;
    taken_.store(i + 1);
    taken_.notify_one();
    return size;
}

} // namespace tallyrun
