// Asking for fresh pages in one call: they are resident afterwards, and whatever the buffer
// held before is still there, for any start and length.
#include "platform/memory_prefault.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

namespace tallyrun::test {
namespace {

[[maybe_unused]] long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4096;
}

TEST(MemoryPrefaultTest, PagesBecomeResidentAndKeepTheirContents)
{
    constexpr std::size_t kMiB = 1 << 20;
    constexpr std::size_t kBytes = 16 * kMiB;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBytes);
    // Starts and lengths off the page grid, an empty range and one inside a single page.
    const struct
    {
        std::size_t offset;
        std::size_t length;
    } ranges[] = {{0, 0}, {1, 100}, {4095, 2}, {12345, 3 * kMiB + 7}, {0, kBytes}};
    for (const auto& r : ranges) {
        std::memset(buffer.get() + r.offset, 0x5A, r.length);
        platform::PrefaultForWriting(buffer.get() + r.offset, r.length);
        for (std::size_t i = r.offset; i < r.offset + r.length; i += 997)
            ASSERT_EQ(buffer[i], 0x5A) << r.offset << "+" << r.length << " at " << i;
    }
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    // Untouched memory from the allocator's own mapping, prefaulted whole.
    const auto fresh = std::make_unique_for_overwrite<char[]>(kBytes);
    const long before = ResidentBytes();
    platform::PrefaultForWriting(fresh.get(), kBytes);
    EXPECT_GT(ResidentBytes() - before, static_cast<long>(kBytes - kMiB));
#endif
}

} // namespace
} // namespace tallyrun::test
