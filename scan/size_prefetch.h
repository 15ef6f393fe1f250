// Measures the files of a listing, in list order, on a thread of its own, a bounded number of
// files ahead of the loop that totals and logs them, so the size lookups of one core overlap
// with the log lines of the other. The lead is at most kWindow files, and once the stop request
// is set no further file is measured; sizes measured ahead of a stop are never used.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "scan/dir_cursor.h"

namespace tallyrun {

class TTreeListing;

class TSizePrefetch
{
public:
    // `root` is a handle of the listing's root folder for this thread's own cursor.
    TSizePrefetch(const TTreeListing& listing, platform::TDirHandle root,
                  const std::atomic<bool>& stop);
    ~TSizePrefetch();
    TSizePrefetch(const TSizePrefetch&) = delete;
    TSizePrefetch& operator=(const TSizePrefetch&) = delete;

    // Size of file `i` of the listing; files are taken in order. Waits for it if need be; 0 when
    // the file is gone, or when a stop request ended the measuring before it.
    std::uint64_t Take(std::size_t i);

    static constexpr std::size_t kWindow = 4096;

private:
    void Run();

    const TTreeListing& listing_;
    TDirCursor cursor_;
    const std::atomic<bool>& stop_;
    std::vector<std::uint64_t> sizes_;
    // Files 0..n-1 have their sizes; kDoneBit is added when the thread has ended.
    static constexpr std::size_t kDoneBit = std::size_t(1) << (sizeof(std::size_t) * 8 - 1);
    std::atomic<std::size_t> measured_{0};
    std::atomic<std::size_t> taken_{0};  // files 0..taken_-1 have been taken
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

} // namespace tallyrun
