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
        slots_.push_back(TSlot{std::move(folder), std::nullopt, nullptr, false});
    if (slots_.empty())
        return;
    try {
        while (threads_.size() < kThreads)
            threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // No thread to be had: those running do the work; with none, every folder is listed
        // when it is measured.
        if (threads_.empty())
            slots_.clear();
    }
}

TListingAhead::~TListingAhead()
{
    {
        const std::lock_guard guard(mutex_);
        cancel_.store(true, std::memory_order_relaxed);
    }
    changed_.notify_all();
    for (std::thread& t : threads_)
        t.join();
}

TListingAhead::TState TListingAhead::Poll(const std::string& folder, std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    if (taken_ >= slots_.size() || slots_[taken_].folder != folder)
        return TState::tsNotListed;
    changed_.wait_for(lock, wait, [this] { return slots_[taken_].ready; });
    return slots_[taken_].ready ? TState::tsReady : TState::tsPending;
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

// Takes the next unit of the earliest folder under way that has one left; else begins the next
// folder when there is room; else waits.
void TListingAhead::Work()
{
    std::unique_lock lock(mutex_);
    while (!cancel_.load()) {
        TUnderWay* folder = nullptr;
        std::optional<std::size_t> unit;
        for (const auto& f : underWay_) {
            if (f->split && !f->error && (unit = f->split->TakeUnit())) {
                folder = f.get();
                break;
            }
        }
        if (folder) {
            ++folder->unitsInHand;
            lock.unlock();
            ListUnit(*folder, *unit);
            lock.lock();
            continue;
        }
        if (begun_ < slots_.size() && underWay_.size() < kFoldersAtOnce && RoomAhead()) {
            underWay_.push_back(std::make_unique<TUnderWay>());
            TUnderWay& begun = *underWay_.back();
            begun.slot = begun_++;
            begun.unitsInHand = 1; // its top walk
            lock.unlock();
            BeginFolder(begun);
            lock.lock();
            continue;
        }
        changed_.wait(lock);
    }
}

void TListingAhead::BeginFolder(TUnderWay& folder)
{
    std::unique_ptr<TSplitListing> split;
    std::exception_ptr error;
    bool whole = false;
    try {
        const std::string& name = slots_[folder.slot].folder;
        folder.root = OpenNamedSubfolder(parentFd_, name);
        TWalkOptions options;
        options.measureSizes = true;
        // Not on the UI thread: no event may be dispatched from here. The UI thread lets
        // events run while it waits (Poll).
        options.pumpEvents = false;
        options.abandon = &cancel_;
        split = std::make_unique<TSplitListing>(name, folder.root.Fd(), options);
        whole = split->SpliceListed(); // a tree with no units is whole at once
    } catch (...) {
        error = std::current_exception();
    }
    const std::lock_guard guard(mutex_);
    folder.split = std::move(split);
    folder.error = error;
    --folder.unitsInHand;
    EndFolder(folder, whole);
    changed_.notify_all(); // its units may be taken
}

void TListingAhead::ListUnit(TUnderWay& folder, std::size_t unit)
{
    std::exception_ptr error;
    bool whole = false;
    try {
        folder.split->ListUnit(unit);
        whole = folder.split->SpliceListed();
    } catch (...) {
        error = std::current_exception();
    }
    const std::lock_guard guard(mutex_);
    --folder.unitsInHand;
    if (error && !folder.error) {
        folder.error = error;
        folder.split->GiveUpUnits();
    }
    EndFolder(folder, whole);
}

void TListingAhead::EndFolder(TUnderWay& folder, bool whole)
{
    // The folder ends with the last thread that works on it: another may still be on its way
    // out of a unit whose splice fell to the thread that made the listing whole.
    folder.whole = folder.whole || whole;
    if (!(folder.whole || folder.error) || folder.unitsInHand > 0)
        return;
    TSlot& slot = slots_[folder.slot];
    if (folder.error) {
        slot.error = folder.error;
    } else {
        slot.listing = std::move(folder.split->Listing());
        filesAhead_ += slot.listing->files.size();
    }
    slot.ready = true;
    std::erase_if(underWay_, [&](const auto& f) { return f.get() == &folder; });
    changed_.notify_all();
}

} // namespace tallyrun
