// Stress cases of the folder totals that take a while.
#include "scan/folder_total.h"

#include "tests/scan/scan_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tallyrun::test {
namespace {

class SlowTest : public TScanFixture
{
};

TEST_F(SlowTest, HundredThousandEntriesInOneFolder)
{
    constexpr int kCount = 100'000;
    tree.Dir("many");
    char name[40];
    for (int i = 0; i < kCount; ++i) {
        std::snprintf(name, sizeof name, "many/%06d.dat", i);
        tree.File(name, 3);
    }
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 3.0 * kCount);
    ASSERT_EQ(log.lines.size(), static_cast<std::size_t>(kCount));
    EXPECT_LT(log.lines.front(), log.lines.back());
    EXPECT_EQ(bar.position, kCount);
}

} // namespace
} // namespace tallyrun::test
