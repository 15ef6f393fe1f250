#include "run_fixture.h"
#include "scan/string_helpers.h"
#include "tests/support/temp_tree.h"
#include "widgets/status_progress_bar.h"

#include <QAction>

#include <algorithm>

namespace tallyrun::test {
namespace {

const std::string kStopped = "【中断しました】";

// prefix + number (built without operator+ on a temporary, which GCC 12 warns about wrongly).
std::string Numbered(std::string prefix, int n)
{
    return prefix.append(std::to_string(n));
}

TEST_F(RunTest, StopDuringTheRootTotalKeepsItsPartialSliceAndSkipsTheSubfolders)
{
    for (int i = 0; i < 5; ++i)
        MakeFile(Numbered("f", i), 10);
    MakeFile("s1/f", 1);
    MakeFile("s2/f", 2);
    // The second look at the selection comes right before the root total: the stop is
    // queued then and runs at the first event dispatch inside the total.
    folder.onCall = [this](int call) {
        if (call == 2)
            PostToEventLoop([this] { window.TB_Stop->trigger(); });
    };
    Run();
    EXPECT_EQ(Slices(), (std::multimap<std::string, double>{{"root", 0}}));
    const auto lines = MemoLines();
    ASSERT_EQ(lines.size(), 1u + 5u + 1u + 1u);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(lines[i].substr(lines[i].size() - 4), " : 0") << lines[i];
    EXPECT_EQ(lines[6], "\t0 Byte");
    EXPECT_EQ(lines[7], kStopped);
    EXPECT_EQ(window.StatusProgressBar1->Max(), 2); // the list was still built
    ExpectIdle();
}

TEST_F(RunTest, StopDuringTheKthSubfolderEndsTheSlicesThere)
{
    for (int i = 0; i < 4; ++i) {
        MakeFile(Numbered("s", i).append("/a"), 100);
        MakeFile(Numbered("s", i).append("/b"), 100);
    }
    constexpr int k = 2;
    int positionWhenStopped = -1;
    // When the slice of subfolder k-1 is in, queue an event that queues the stop: the first
    // runs at the dispatch before subfolder k, the stop at the first dispatch inside its total.
    window.Series1->OnAfterAdd = [&](TChartSeries& s, int) {
        if (s.PointCount() == k)
            PostToEventLoop([&] {
                PostToEventLoop([&] {
                    positionWhenStopped = window.StatusProgressBar1->Position();
                    window.TB_StopClick(nullptr);
                });
            });
    };
    Run();
    EXPECT_EQ(positionWhenStopped, k);
    EXPECT_EQ(window.Series1->PointCount(), 1 + k);
    const auto slices = Slices();
    EXPECT_EQ(slices.count("root"), 1u);
    std::vector<double> values;
    for (const auto& [label, value] : slices)
        if (label != "root")
            values.push_back(value);
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<double>{0, 200})); // the k-th holds its partial total

    const auto lines = MemoLines();
    EXPECT_EQ(lines.back(), kStopped);
    EXPECT_EQ(lines[lines.size() - 2], "\t0 Byte");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [&](const std::string& l) { return l.rfind(root + "/s", 0) == 0; }),
              k);
    ExpectIdle();
}

// A stop that comes while a large folder is being listed ends the run at once, as a stop
// before that folder's first file does, except that the abandoned listing logs no file.
TEST_F(RunTest, StopWhileAFolderIsListedEndsTheRunWithoutItsFiles)
{
    for (const bool inRoot : {true, false}) {
        SCOPED_TRACE(inRoot ? "the root's own files" : "a subfolder's tree");
        TTempTree caseTree;
        root = caseTree.Folder();
        folder.path = root;
        const std::string big = inRoot ? "" : "b/";
        for (int i = 0; i < 600; ++i)
            MakeFile(Numbered(big + "big", i), 1);
        MakeFile(inRoot ? "a/f" : "r", 3);
        folder.onCall = nullptr;
        folder.calls = 0;
        window.Series1->OnAfterAdd = nullptr;
        // The stop runs at the first event dispatch inside the total of the large folder,
        // which comes while it is listed. For the root that is the second look at the
        // selection; for "b" the dispatch before it runs first.
        if (inRoot)
            folder.onCall = [this](int call) {
                if (call == 2)
                    PostToEventLoop([this] { window.TB_Stop->trigger(); });
            };
        else
            window.Series1->OnAfterAdd = [this](TChartSeries& s, int) {
                if (s.PointCount() == 1)
                    PostToEventLoop(
                        [this] { PostToEventLoop([this] { window.TB_Stop->trigger(); }); });
            };
        Run();
        if (inRoot) {
            EXPECT_EQ(MemoLines(), (std::vector<std::string>{root + "/", "\t0 Byte", kStopped}));
            EXPECT_EQ(Slices(), (std::multimap<std::string, double>{{"root", 0}}));
            // The subfolders are not listed after an abandoned listing (the third look at the
            // selection is the one for that list).
            EXPECT_EQ(window.StatusProgressBar1->Max(), 0);
            EXPECT_EQ(folder.calls, 2);
        } else {
            EXPECT_EQ(MemoLines(),
                      (std::vector<std::string>{root + "/", "\t\t" + root + "/r : 3", "\t3 Byte",
                                                root + "/b/", "\t0 Byte", kStopped}));
            EXPECT_EQ(Slices(), (std::multimap<std::string, double>{{"root", 3}, {"b", 0}}));
        }
        ExpectIdle();
    }
}

TEST_F(RunTest, ANewSelectionDuringARunStopsItAndRunsOnceForTheLatest)
{
    MakeFile("first/s1/f", 1);
    MakeFile("first/s2/f", 2);
    MakeFile("first/s3/f", 3);
    MakeFile("second/x/f", 4);
    MakeFile("third/y/f", 5);
    folder.path = root + "/first";
    window.Series1->OnAfterAdd = [&](TChartSeries& s, int) {
        if (s.PointCount() == 2 && folder.path == root + "/first")
            PostToEventLoop([&] {
                folder.Select(root + "/second");
                folder.Select(root + "/third");
                EXPECT_TRUE(window.IsRunning());
            });
    };
    Run();
    EXPECT_EQ(folder.calls, 6); // three looks at the selection per run, two runs
    const auto lines = MemoLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), root + "/third/");
    EXPECT_NE(lines.back(), kStopped);
    EXPECT_EQ(Slices(), (std::multimap<std::string, double>{{"root", 0}, {"y", 5}}));
    ExpectIdle();

    // The stop of the first run does not leak into the next one.
    Run();
    EXPECT_EQ(Slices(), (std::multimap<std::string, double>{{"root", 0}, {"y", 5}}));
}

TEST_F(RunTest, TheEndCommandDuringARunStartsNoRunRequestedAroundItAndCloses)
{
    MakeFile("first/s1/f", 1);
    MakeFile("first/s2/f", 2);
    MakeFile("second/x/f", 4);
    window.show();
    // A request before or after the end command: either way the run in hand is the last.
    for (const bool endFirst : {false, true}) {
        SCOPED_TRACE(endFirst ? "end, then a new selection" : "a new selection, then end");
        folder.path = root + "/first";
        folder.calls = 0;
        window.show();
        window.Series1->OnAfterAdd = [&](TChartSeries& s, int) {
            if (s.PointCount() == 2 && folder.path == root + "/first")
                PostToEventLoop([&] {
                    if (endFirst)
                        window.TB_End->trigger();
                    folder.Select(root + "/second");
                    if (!endFirst)
                        window.TB_End->trigger();
                });
        };
        Run();
        EXPECT_EQ(folder.calls, 3); // three looks at the selection: one run
        EXPECT_FALSE(window.isVisible());
        ExpectIdle();
    }
}

} // namespace
} // namespace tallyrun::test
