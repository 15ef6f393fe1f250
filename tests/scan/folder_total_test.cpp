#include "scan/folder_total.h"

#include "scan/pump_events.h"
#include "tests/scan/scan_fixture.h"
#include "tests/support/temp_tree.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

class FolderTotalTest : public TScanFixture
{
};

TEST_F(FolderTotalTest, AttachAndDetachSetUpAndHideTheBar)
{
    EXPECT_TRUE(bar.visible);
    EXPECT_EQ(bar.min, 0);
    EXPECT_EQ(bar.max, 1);
    EXPECT_EQ(bar.position, 0);
    DetachProgressBar();
    EXPECT_FALSE(bar.visible);
}

TEST_F(FolderTotalTest, EmptyFolderGivesNoLinesAndZero)
{
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 0.0);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(bar.max, 0);
}

TEST_F(FolderTotalTest, LogsRunningTotalsInPathOrder)
{
    tree.Dir("sub");
    tree.File("b", 234);
    tree.File("a", 1000);
    tree.File("sub/c", 1000000);
    tree.File("empty", 0);

    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 1001234.0);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{Line("a", "1,000"), Line("b", "1,234"),
                                        Line("empty", "1,234"), Line("sub/c", "1,001,234")}));
    EXPECT_EQ(bar.max, 4);
    EXPECT_EQ(bar.position, 4);
}

TEST_F(FolderTotalTest, FolderOnlyLeavesSubfoldersOutAndTrailingSeparatorDoesNotMatter)
{
    tree.Dir("sub");
    tree.File("own", 10);
    tree.File("sub/inner", 99);
    std::string withoutSeparator = tree.Root();
    withoutSeparator.pop_back();
    EXPECT_EQ(FolderTotal(withoutSeparator, tdFolderOnly), 10.0);
    EXPECT_EQ(FolderTotal(tree.Root(), tdFolderOnly), 10.0);
    EXPECT_EQ(log.lines, (std::vector<std::string>{Line("own", "10"), Line("own", "10")}));
}

TEST_F(FolderTotalTest, ZeroSizedFilesLogZero)
{
    tree.File("x");
    tree.File("y");
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 0.0);
    EXPECT_EQ(log.lines, (std::vector<std::string>{Line("x", "0"), Line("y", "0")}));
}

TEST_F(FolderTotalTest, StopAlreadySetMeasuresNothingButLogsEveryFile)
{
    tree.File("x", 5);
    tree.File("y", 7);
    SetScanStop(true);
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 0.0);
    EXPECT_EQ(log.lines, (std::vector<std::string>{Line("x", "0"), Line("y", "0")}));
    EXPECT_EQ(bar.position, 0);
}

int pumpsBeforeStop = 0;

TEST_F(FolderTotalTest, StopDuringTheTotalFreezesItFromTheNextFile)
{
    tree.File("1", 1);
    tree.File("2", 20);
    tree.File("3", 300);
    tree.File("4", 4000);
    // The stop command runs in the pump before the third file.
    pumpsBeforeStop = 3;
    SetPumpEventsHook([] {
        if (--pumpsBeforeStop == 0)
            SetScanStop(true);
    });
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 21.0);
    EXPECT_EQ(log.lines, (std::vector<std::string>{Line("1", "1"), Line("2", "21"), Line("3", "21"),
                                                   Line("4", "21")}));
    EXPECT_EQ(bar.position, 2);
}

int pumpsAfterStop = 0;

// A stop that comes while a large folder is being listed, before anything was measured,
// abandons the listing at once: nothing is logged or counted, and not one more event pump
// comes (the listing and the measuring of its files are both given up).
TEST_F(FolderTotalTest, StopWhileAFolderIsListedAbandonsTheListing)
{
    struct TCase
    {
        const char* name;
        TTotalDepth depth;
        int folders; // 0: every file lies in the root
    };
    for (const TCase& c : {TCase{"flat folder, own files", tdFolderOnly, 0},
                           TCase{"flat folder, whole tree", tdWholeTree, 0},
                           TCase{"tree, stopped in its top walk", tdWholeTree, 24}}) {
        SCOPED_TRACE(c.name);
        TTempTree big;
        if (c.folders == 0)
            MakeFillerFiles(big, "", 600);
        for (int f = 0; f < c.folders; ++f) {
            std::string name = "d";
            name += std::to_string(f);
            big.Dir(name);
            MakeFillerFiles(big, name, 20);
        }
        // Well inside the listing: the root's 600 entries pass two checkpoints, and each
        // subfolder entered is one more.
        pumpsBeforeStop = 2;
        pumpsAfterStop = 0;
        SetPumpEventsHook([] {
            if (pumpsBeforeStop == 0)
                ++pumpsAfterStop;
            else if (--pumpsBeforeStop == 0)
                SetScanStop(true);
        });
        bar.SetMax(1);
        bar.SetPosition(0);
        log.lines.clear();
        SetScanStop(false);
        EXPECT_EQ(FolderTotal(big.Root(), c.depth), 0.0);
        EXPECT_EQ(pumpsBeforeStop, 0);
        EXPECT_EQ(pumpsAfterStop, 0);
        EXPECT_TRUE(log.lines.empty()) << log.lines.size() << " lines";
        EXPECT_EQ(bar.max, 1);
        EXPECT_EQ(bar.position, 0);

        // The next total, with the stop cleared, lists and logs the whole folder again.
        SetPumpEventsHook(nullptr);
        SetScanStop(false);
        FolderTotal(big.Root(), c.depth);
        EXPECT_EQ(log.lines.size(), c.folders ? 24u * 20u : 600u);
    }
}

int pumpCount = 0;

TEST_F(FolderTotalTest, EventsRunWhileALargeTreeIsListed)
{
    for (const char* name : {"a", "a/b", "a/b/c", "d"})
        tree.Dir(name);
    pumpCount = 0;
    SetPumpEventsHook([] { ++pumpCount; });
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 0.0);
    EXPECT_GE(pumpCount, 4); // at least once per subfolder listed, though there is no file
}

TEST_F(FolderTotalTest, SecondTotalKeepsTheBarPositionWithinTheNewMaximum)
{
    tree.Dir("big");
    tree.Dir("small");
    for (const char* name : {"big/1", "big/2", "big/3", "small/1"})
        tree.File(name, 1);
    FolderTotal(tree.Path("big"), tdWholeTree);
    EXPECT_EQ(bar.position, 3);
    FolderTotal(tree.Path("small"), tdWholeTree);
    EXPECT_EQ(bar.max, 1);
    EXPECT_EQ(bar.position, 1);
}

TEST_F(FolderTotalTest, OddNamesStayOneLineAndAreLoggedAsTheyAre)
{
    tree.File("a\nb", 1);
    tree.File("tab\there", 2);
    tree.File("%s%d%n%2 100%", 4);
    tree.File("bell\x07", 8);
    tree.File("nel\xC2\x85"
              "end",
              16);
    tree.File("\xFF\xFE raw", 32); // not UTF-8: listed, measured, bytes kept
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 63.0);
    ASSERT_EQ(log.lines.size(), 6u);
    std::vector<std::string> shown;
    for (const std::string& line : log.lines) {
        EXPECT_EQ(line.find('\n'), std::string::npos);
        const std::size_t start = 2 + tree.Root().size();
        shown.push_back(line.substr(start, line.rfind(" : ") - start));
    }
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"%s%d%n%2 100%", "a\\nb", "bell\\x07",
                                               "nel\\u0085end", "tab\\there", "\xFF\xFE raw"}));
}

TEST_F(FolderTotalTest, FaultsNotCopied_OldFilesAndCaseTwinsAreCounted)
{
    tree.File("Report.txt", 100);
    tree.File("report.txt", 200);
    tree.File("REPORT.TXT", 400);
    tree.File("1975.txt", 800);
    tree.SetLastWrite("1975.txt", 157766400);
    tree.File("epoch.txt", 1600);
    tree.SetLastWrite("epoch.txt", 0);
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 3100.0);
    EXPECT_EQ(log.lines.size(), 5u);
}

} // namespace
} // namespace tallyrun::test
