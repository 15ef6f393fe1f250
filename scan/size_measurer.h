// Measures the files of a listing for the folder totals, on two threads: the files fall into
// chunks, runs of at most kChunk files in list order that end where a folder ends once they
// hold kMinChunk files; the calling thread measures the even chunks itself, at the moment it
// takes each file, and a helper thread measures the odd chunks, at most kWindow files ahead of
// the file being taken. A folder's files mostly lie in one chunk, so each thread opens only
// the folders of its own chunks. Once the stop request is set neither thread measures any
// further file; sizes measured ahead of a stop are never used.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "scan/dir_cursor.h"

namespace tallyrun {

class TTreeListing;

class TSizeMeasurer
{
public:
    // `cursor` serves the calling thread; `helperRoot` is a second handle of the listing's
    // root folder for the helper thread's own cursor.
    TSizeMeasurer(const TTreeListing& listing, TDirCursor& cursor, platform::TDirHandle helperRoot,
                  const std::atomic<bool>& stop);
    ~TSizeMeasurer();
    TSizeMeasurer(const TSizeMeasurer&) = delete;
    TSizeMeasurer& operator=(const TSizeMeasurer&) = delete;

    // Size of file `i` of the listing; files are taken in order. 0 when the file is gone, or
    // when a stop request ended the helper's measuring before it.
    std::uint64_t Take(std::size_t i);

    static constexpr std::size_t kChunk = 64;
    static constexpr std::size_t kMinChunk = 32;
    static constexpr std::size_t kWindow = 1024;

private:
    std::uint64_t Measure(TDirCursor& cursor, std::size_t i) const;
    void RunHelper();

    const TTreeListing& listing_;
    TDirCursor& cursor_;
    TDirCursor helperCursor_;
    const std::atomic<bool>& stop_;
    std::vector<bool> helpers_;         // files of the helper's chunks
    std::vector<std::uint64_t> sizes_;  // written by the helper for its chunks

    // The helper's files below this count have their sizes; kDoneBit is added when it ends.
    static constexpr std::size_t kDoneBit = std::size_t(1) << (sizeof(std::size_t) * 8 - 1);
    std::atomic<std::size_t> measured_{0};
    std::atomic<std::size_t> taken_{0};  // files below this have been taken
    std::atomic<bool> quit_{false};
    std::thread helper_;
};

} // namespace tallyrun
