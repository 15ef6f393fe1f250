#include "scan/listing_ahead.h"

#include "scan/dir_cursor.h"

#include <system_error>

namespace tallyrun {

platform::TDirHandle OpenNamedSubfolder(int parentFd, const std::string& folder)
{
    const std::size_t start = folder.rfind('/', folder.size() - 2) + 1; // npos + 1 is 0
    const std::string name = folder.substr(start, folder.size() - 1 - start);
    return platform::OpenSubdirectory(parentFd, name.c_str());
}

TListingAhead::TListingAhead(int parentFd, std::vector<std::string> folders) : parentFd_(parentFd)
{
    slots_.reserve(folders.size());
    for (std::string& folder : folders)
        slots_.push_back(TSlot{std::move(folder), std::nullopt, nullptr});
    if (slots_.empty())
        return;
    try {
        thread_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        slots_.clear(); // no thread to be had: every folder is listed when it is measured
    }
}

TListingAhead::~TListingAhead()
{
    {
        const std::lock_guard guard(mutex_);
        cancel_.store(true, std::memory_order_relaxed);
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

TListingAhead::TState TListingAhead::Poll(const std::string& folder, std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    if (taken_ >= slots_.size() || slots_[taken_].folder != folder)
        return TState::tsNotListed;
    if (listed_ == taken_)
        changed_.wait_for(lock, wait, [this] { return listed_ > taken_; });
    return listed_ > taken_ ? TState::tsReady : TState::tsPending;
}

TTreeListing TListingAhead::Take()
{
    std::unique_lock lock(mutex_);
    TSlot& slot = slots_[taken_++];
    const std::exception_ptr error = slot.error;
    TTreeListing listing = error ? TTreeListing(slot.folder) : std::move(*slot.listing);
    slot.listing.reset();
    filesInHand_ = listing.files.size();
    filesAhead_ -= filesInHand_;
    lock.unlock();
    changed_.notify_all();
    if (error)
        std::rethrow_exception(error);
    return listing;
}

bool TListingAhead::RoomAhead() const
{
    return filesAhead_ < std::max(kMinFilesAhead, filesInHand_ / 2);
}

void TListingAhead::Work()
{
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return cancel_.load() || RoomAhead(); });
            if (cancel_.load())
                return;
        }
        std::optional<TTreeListing> listing;
        std::exception_ptr error;
        try {
            listing = ListOne(slots_[i].folder);
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard guard(mutex_);
        if (cancel_.load())
            return;
        filesAhead_ += listing ? listing->files.size() : 0;
        slots_[i].listing = std::move(listing);
        slots_[i].error = error;
        ++listed_;
        changed_.notify_all();
    }
}

TTreeListing TListingAhead::ListOne(const std::string& folder)
{
    TTreeListing listing(folder);
    TDirCursor cursor(listing, OpenNamedSubfolder(parentFd_, folder));
    TWalkOptions options;
    options.measureSizes = true;
    // Not on the UI thread: no event may be dispatched from here. The UI thread lets events
    // run while it waits (Poll).
    options.pumpEvents = false;
    options.abandon = &cancel_;
    ListTree(listing, cursor, options);
    return listing;
}

} // namespace tallyrun
