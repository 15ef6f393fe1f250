// The run folder lists its subfolders ahead, on threads of its own, while the one before is
// logged: what each subfolder's total logs and gives must be what FolderTotalAt gives, in any
// order the subfolders are asked for, and a stop must never let a size in after it.
#include "scan/run_folder.h"

#include "platform/dir_handle.h"
#include "scan/folder_total.h"
#include "scan/pump_events.h"
#include "scan/string_helpers.h"
#include "tests/scan/scan_fakes.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tallyrun::test {
namespace {

struct TTotalSeen
{
    double total;
    std::vector<std::string> lines;
    int barMax;
    int barPosition;
    bool abandoned;
};

class RunFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Subfolders of different sizes, one empty, one with an odd name, most with subtrees of
        // a few levels, so that the listings of two of them are shared out at once.
        for (int s = 0; s < 6; ++s) {
            const std::string name = "sub" + std::to_string(s) + (s == 3 ? " 日本" : "");
            tree.Dir(name);
            for (int f = 0; f < s * 40; ++f)
                tree.File(name + "/f" + std::to_string(f), 100 + f);
            for (int d = 0; s % 3 != 0 && d < 6 * s; ++d) {
                const std::string sub = name + "/d" + std::to_string(d);
                tree.Dir(sub);
                tree.File(sub + "/x", 10 + d);
                tree.Dir(sub + "/deep");
                tree.File(sub + "/deep/z.txt", 7);
            }
        }
        tree.File("own.txt", 5);
        AttachProgressBar(&bar);
        AttachLog(&log);
        SetScanStop(false);
    }
    void TearDown() override
    {
        SetPumpEventsHook(nullptr);
        SetScanStop(false);
        DetachLog();
        DetachProgressBar();
    }

    TTotalSeen Seen(double total)
    {
        TTotalSeen seen{total, log.lines, bar.max, bar.position, LastListingAbandoned()};
        log.lines.clear();
        bar.SetMax(1);
        bar.SetPosition(0);
        return seen;
    }

    // Each subfolder's total as FolderTotalAt makes it, listing on the calling thread's turn.
    std::vector<TTotalSeen> Reference(const std::vector<std::string>& subfolders)
    {
        const platform::TDirHandle root = platform::OpenDirectory(tree.Root());
        std::vector<TTotalSeen> seen;
        for (const std::string& subfolder : subfolders)
            seen.push_back(Seen(FolderTotalAt(root.Fd(), subfolder, tdWholeTree)));
        return seen;
    }

    TTempTree tree;
    TFakeProgressBar bar;
    TFakeLog log;
};

void ExpectSame(const TTotalSeen& a, const TTotalSeen& b)
{
    EXPECT_EQ(a.total, b.total);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.barMax, b.barMax);
    EXPECT_EQ(a.barPosition, b.barPosition);
    EXPECT_EQ(a.abandoned, b.abandoned);
}

TEST_F(RunFolderTest, SubfoldersListedAheadGiveWhatFolderTotalAtGives)
{
    struct TCase
    {
        const char* name;
        std::vector<int> order; // indices into the run folder's subfolder list
    };
    for (const TCase& c : {TCase{"in their order", {0, 1, 2, 3, 4, 5}},
                           TCase{"one skipped, then the rest", {0, 2, 3, 4, 5}},
                           TCase{"backwards: each is listed when asked for", {5, 4, 3, 2, 1, 0}},
                           TCase{"only the first, the rest left pending", {0}}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> subfolders;
        std::vector<TTotalSeen> ahead;
        {
            TRunFolder run(tree.Root(), subfolders);
            ASSERT_EQ(subfolders.size(), 6u);
            for (const int i : c.order)
                ahead.push_back(Seen(run.SubfolderTotal(subfolders[std::size_t(i)])));
        }
        std::vector<std::string> asked;
        for (const int i : c.order)
            asked.push_back(subfolders[std::size_t(i)]);
        const std::vector<TTotalSeen> reference = Reference(asked);
        for (std::size_t i = 0; i < asked.size(); ++i) {
            SCOPED_TRACE(asked[i]);
            ExpectSame(ahead[i], reference[i]);
        }
    }
}

// However the stop meets a listing ahead (still pending, or done already), nothing is counted
// after it: either the listing is given up (no line, 0) or every file is logged, the total
// frozen from the stop on, the bar counting only the files added, the last line showing the
// total given.
TEST_F(RunFolderTest, StopWhileListedAheadCountsNothingAfterIt)
{
    struct TCase
    {
        const char* name;
        bool stopAtCall;
        int pumpsBeforeStop;
    };
    static int pumpsLeft = 0;
    TTempTree one; // one subfolder, so the one asked is the first in line
    one.Dir("big");
    for (int f = 0; f < 600; ++f)
        one.File("big/f" + std::to_string(f), 1);
    for (const TCase& c : {TCase{"stop set at the call", true, 0},
                           TCase{"stop at the first chance for events", false, 1},
                           TCase{"stop a few chances in", false, 4}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> subfolders;
        TRunFolder run(one.Root(), subfolders);
        ASSERT_EQ(subfolders.size(), 1u);
        SetScanStop(c.stopAtCall);
        pumpsLeft = c.pumpsBeforeStop;
        SetPumpEventsHook([] {
            if (pumpsLeft > 0 && --pumpsLeft == 0)
                SetScanStop(true);
        });
        const TTotalSeen seen = Seen(run.SubfolderTotal(subfolders[0]));
        SetPumpEventsHook(nullptr);
        SetScanStop(false);
        if (seen.abandoned) {
            EXPECT_FALSE(c.stopAtCall);
            EXPECT_EQ(seen.total, 0.0);
            EXPECT_TRUE(seen.lines.empty());
            continue;
        }
        ASSERT_EQ(seen.lines.size(), 600u);
        int added = 0;
        std::string previous = "0";
        bool frozen = false;
        for (const std::string& line : seen.lines) {
            const std::string total = line.substr(line.rfind(' ') + 1);
            if (total != previous) {
                EXPECT_FALSE(frozen) << "counted after the stop: " << line;
                ++added;
            } else {
                frozen = true;
            }
            previous = total;
        }
        EXPECT_EQ(previous, FormatThousands(seen.total));
        EXPECT_EQ(seen.barPosition, added);
        EXPECT_LT(added, 600);
        if (c.stopAtCall) {
            EXPECT_EQ(added, 0);
        }
    }
}

} // namespace
} // namespace tallyrun::test
