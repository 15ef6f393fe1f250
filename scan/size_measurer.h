// Measures the files of a listing for the folder totals, on several threads. The files fall
// into chunks, runs of at most kChunk files in list order that end where a folder ends once
// they hold kMinChunk files. Helper threads measure chunk after chunk, at most kWindow files
// ahead of the file being taken; the calling thread takes the files in order and measures a
// chunk itself, each file at the moment it takes it, when it reaches one no helper has
// started, and while it waits for one a helper has, it measures the next chunk nobody has
// started; so the work is shared by whichever thread is free. A folder's files mostly lie in
// one chunk, so each thread opens only the folders of its own chunks. Once the stop request
// is set no thread measures any further file; sizes measured ahead of a stop are never used.
// The calling thread lets window events run while it measures ahead or waits, as it does
// before each file it takes.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "scan/dir_cursor.h"

namespace tallyrun {

class TTreeListing;

class TSizeMeasurer
{
public:
    // `cursor` serves the calling thread; `helperRoot` is a second handle of the listing's
    // root folder, which the helpers' own cursors open relative to.
    TSizeMeasurer(const TTreeListing& listing, TDirCursor& cursor, platform::TDirHandle helperRoot,
                  const std::atomic<bool>& stop);
    ~TSizeMeasurer();
    TSizeMeasurer(const TSizeMeasurer&) = delete;
    TSizeMeasurer& operator=(const TSizeMeasurer&) = delete;

    // Size of file `i` of the listing; files are taken in order. 0 when the file is gone.
    std::uint64_t Take(std::size_t i);

    static constexpr std::size_t kChunk = 64;
    static constexpr std::size_t kMinChunk = 32;
    static constexpr std::size_t kWindow = 1024;
    // Helper threads: more than one keeps several reads in flight, which a cold disk serves
    // faster than one at a time.
    static constexpr std::size_t kHelpers = 2;
    // How long the calling thread waits for a helper before it lets events run again.
    static constexpr std::chrono::milliseconds kWaitSlice{2};

private:
    enum TChunkState : std::uint8_t
    {
        csOpen,
        csCaller,
        csHelper,
        csMeasured
    };

    std::uint64_t Measure(TDirCursor& cursor, std::size_t i) const;
    void RunHelper();
    void StartChunk(std::size_t chunk);
    void WakeCaller();
    bool MeasureAhead(std::size_t chunk);

    const TTreeListing& listing_;
    TDirCursor& cursor_;
    platform::TDirHandle helperRoot_;
    const std::atomic<bool>& stop_;
    std::vector<std::size_t> chunkStarts_; // the first file of each chunk, then the file count
    std::unique_ptr<std::atomic<TChunkState>[]> states_;
    std::vector<std::uint64_t> sizes_; // of the chunks measured ahead

    std::size_t chunk_ = 0; // the calling thread's chunk
    bool callerMeasures_ = true;
    std::atomic<std::size_t> nextChunk_{0}; // the next chunk a helper tries
    std::atomic<int> helpersRunning_{0};
    std::atomic<std::size_t> taken_{0}; // files below this have been taken
    // Set while a thread waits, so the other wakes it only then: a wake costs a system call.
    std::atomic<int> helpersWaiting_{0};
    std::atomic<bool> callerWaits_{false};
    std::mutex mutex_;
    std::condition_variable measured_; // a helper measured a chunk, or ended
    std::vector<std::thread> helpers_;
};

} // namespace tallyrun
