// Memory that a thread which lives on (as the scanning threads do) allocated and freed leaves
// the process once released: the C library keeps it in that thread's heap otherwise.
#include "platform/heap_release.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <latch>
#include <thread>
#include <vector>

namespace tallyrun::test {
namespace {

long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4096;
}

TEST(HeapReleaseTest, WhatALivingThreadFreedLeavesTheProcess)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers bring their own allocator";
#endif
    constexpr long kMiB = 1 << 20;
    const long before = ResidentBytes();
    std::latch freed(1);
    std::latch measured(1);
    std::thread worker([&] {
        // A listing's many small pieces (24 MiB), freed in the thread's own heap.
        std::vector<char*> pieces(24 * 1024);
        for (char*& piece : pieces) {
            piece = static_cast<char*>(std::malloc(1024));
            std::memset(piece, 1, 1024);
        }
        // Kept from being optimized away: the pieces are looked at before they go.
        EXPECT_GT(ResidentBytes(), 16 * kMiB);
        for (char* piece : pieces)
            std::free(piece);
        freed.count_down();
        measured.wait();
    });
    freed.wait();
    platform::ReleaseFreeHeap();
    EXPECT_LT(ResidentBytes() - before, 8 * kMiB);
    measured.count_down();
    worker.join();
}

} // namespace
} // namespace tallyrun::test
