#include "scan/size_measurer.h"

#include <system_error>

#include "platform/entry_info.h"
#include "scan/pump_events.h"
#include "scan/tree_listing.h"

namespace tallyrun {

TSizeMeasurer::TSizeMeasurer(const TTreeListing& listing, TDirCursor& cursor,
                             platform::TDirHandle helperRoot, const std::atomic<bool>& stop)
    : listing_(listing), cursor_(cursor), helperRoot_(std::move(helperRoot)), stop_(stop),
      sizes_(listing.files.size(), 0)
{
    std::size_t inChunk = 0;
    for (std::size_t i = 0; i < listing.files.size(); ++i) {
        // A chunk ends at a folder's end once it holds kMinChunk files, so runs of small
        // neighbouring folders, which share their parents, go to one thread and each thread
        // opens fewer folders; a large folder is cut every kChunk files.
        const bool folderEnds = i > 0 && listing.files[i].folder != listing.files[i - 1].folder;
        if (i == 0 || (folderEnds && inChunk >= kMinChunk) || inChunk == kChunk) {
            chunkStarts_.push_back(i);
            inChunk = 0;
        }
        ++inChunk;
    }
    const std::size_t chunks = chunkStarts_.size();
    chunkStarts_.push_back(listing.files.size());
    states_.reset(new std::atomic<TChunkState>[chunks]);
    for (std::size_t c = 0; c < chunks; ++c)
        states_[c].store(csOpen, std::memory_order_relaxed);
    // Without a handle of their own (no descriptor left) helpers cannot measure: the calling
    // thread then measures every file.
    if (chunks > 1 && helperRoot_.IsOpen()) {
        const std::size_t helpers = chunks - 1 < kHelpers ? chunks - 1 : kHelpers;
        helpersRunning_.store(static_cast<int>(helpers));
        for (std::size_t h = 0; h < helpers; ++h) {
            try {
                helpers_.emplace_back([this] { RunHelper(); });
            } catch (const std::system_error&) {
                // No thread to be had: those running, or the calling thread, do the work.
                helpersRunning_ -= static_cast<int>(helpers - h);
                break;
            }
        }
    }
}

TSizeMeasurer::~TSizeMeasurer()
{
    taken_.store(SIZE_MAX);
    taken_.notify_all();
    for (std::thread& helper : helpers_)
        helper.join();
}

std::uint64_t TSizeMeasurer::Measure(TDirCursor& cursor, std::size_t i) const
{
    const TListedFile& file = listing_.files[i];
    const int fd = cursor.Open(file.folder);
    return fd < 0 ? 0 : platform::FileSizeAt(fd, listing_.Name(file.nameOffset));
}

void TSizeMeasurer::RunHelper()
{
    // The root's handle is shared: the helpers only open relative to it, never read it.
    TDirCursor cursor(listing_, helperRoot_.Fd());
    const std::size_t chunks = chunkStarts_.size() - 1;
    for (std::size_t c = nextChunk_++; c < chunks; c = nextChunk_++) {
        // Stay within the window: wait until the taking thread has come close enough.
        for (std::size_t taken = taken_.load();
             taken != SIZE_MAX && chunkStarts_[c] >= taken + kWindow; taken = taken_.load()) {
            ++helpersWaiting_;
            if (taken_.load() == taken)
                taken_.wait(taken);
            --helpersWaiting_;
        }
        if (taken_.load() == SIZE_MAX || stop_.load())
            break;
        TChunkState expected = csOpen;
        if (!states_[c].compare_exchange_strong(expected, csHelper))
            continue; // the calling thread got there first
        for (std::size_t i = chunkStarts_[c]; i < chunkStarts_[c + 1] && !stop_.load(); ++i)
            sizes_[i] = Measure(cursor, i);
        if (stop_.load())
            break; // the chunk stays unfinished; no size of it is used
        states_[c].store(csMeasured, std::memory_order_release);
        WakeCaller();
    }
    cursor.CloseAll();
    --helpersRunning_;
    WakeCaller();
}

void TSizeMeasurer::WakeCaller()
{
    if (callerWaits_.load()) {
        const std::lock_guard lock(mutex_);
        measured_.notify_one();
    }
}

// Called as the calling thread reaches the first file of `chunk`.
void TSizeMeasurer::StartChunk(std::size_t chunk)
{
    chunk_ = chunk;
    // Let the helpers move on, once per chunk.
    taken_.store(chunkStarts_[chunk]);
    if (helpersWaiting_.load() > 0)
        taken_.notify_all();
    TChunkState state = csOpen;
    if (states_[chunk].compare_exchange_strong(state, csCaller)) {
        callerMeasures_ = true;
        return;
    }
    // A helper has it: until it is measured, or the helpers have ended without it, measure
    // chunks ahead rather than wait, and let events run while waiting.
    const auto ready = [&] {
        return states_[chunk].load(std::memory_order_acquire) == csMeasured ||
               helpersRunning_.load(std::memory_order_acquire) == 0;
    };
    while (!ready()) {
        if (MeasureAhead(chunk))
            continue;
        {
            std::unique_lock lock(mutex_);
            callerWaits_.store(true);
            measured_.wait_for(lock, kWaitSlice, ready);
            callerWaits_.store(false);
        }
        PumpEvents();
    }
    callerMeasures_ = states_[chunk].load(std::memory_order_acquire) != csMeasured;
}

// Measures the next chunk after `chunk` that nobody has started, within the window; false
// when there is none.
bool TSizeMeasurer::MeasureAhead(std::size_t chunk)
{
    const std::size_t chunks = chunkStarts_.size() - 1;
    for (std::size_t c = chunk + 1; c < chunks && chunkStarts_[c] < chunkStarts_[chunk] + kWindow;
         ++c) {
        TChunkState expected = csOpen;
        if (!states_[c].compare_exchange_strong(expected, csCaller))
            continue;
        for (std::size_t i = chunkStarts_[c]; i < chunkStarts_[c + 1]; ++i) {
            PumpEvents();
            if (stop_.load())
                return true; // the chunk stays unfinished; no size of it is used
            sizes_[i] = Measure(cursor_, i);
        }
        states_[c].store(csMeasured, std::memory_order_release);
        return true;
    }
    return false;
}

std::uint64_t TSizeMeasurer::Take(std::size_t i)
{
    if (i == 0 || i >= chunkStarts_[chunk_ + 1]) {
        std::size_t chunk = chunk_;
        while (i >= chunkStarts_[chunk + 1])
            ++chunk;
        StartChunk(chunk);
    }
    return callerMeasures_ ? Measure(cursor_, i) : sizes_[i];
}

} // namespace tallyrun
