// The folder totals list and measure on worker threads; these run under the thread sanitizer in
// CI.
#include "scan/folder_total.h"

#include "scan/dir_cursor.h"
#include "scan/pump_events.h"
#include "scan/tree_listing.h"
#include "tests/scan/scan_fakes.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

// The stop command runs at the first pump after `stopAt` - 1 files were logged, which is the
// pump before file `stopAt` (events may also run while a file is being measured). Only once
// the listing is done (the bar's maximum is set): a stop during the listing abandons it.
const TFakeLog* stopLog = nullptr;
const TFakeProgressBar* stopBar = nullptr;
int listedCount = 0;
std::size_t stopAt = 0;

TEST(FolderTotalThreads, StopAtAnyPointFreezesTheTotalThere)
{
    TTempTree tree;
    const int count = 2148;
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "%06d", i);
        tree.File(name, 1);
    }
    TFakeProgressBar bar;
    TFakeLog log;
    for (const int stop : {1, 50, 1027, count, count + 1}) {
        AttachProgressBar(&bar);
        AttachLog(&log);
        SetScanStop(false);
        log.lines.clear();
        stopLog = &log;
        stopAt = static_cast<std::size_t>(stop);
        bar.SetMax(1);
        stopBar = &bar;
        listedCount = count;
        SetPumpEventsHook([] {
            if (stopBar->max == listedCount && stopLog->lines.size() + 1 == stopAt)
                SetScanStop(true);
        });
        const double expected = std::min(stop - 1, count);
        EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), expected) << "stop before file " << stop;
        EXPECT_EQ(log.lines.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(bar.position, expected);
    }
    SetPumpEventsHook(nullptr);
    SetScanStop(false);
    DetachLog();
    DetachProgressBar();
}

std::vector<std::string> FilePaths(const TTreeListing& listing)
{
    std::vector<std::string> paths;
    for (const TListedFile& file : listing.files) {
        std::string path;
        listing.AppendFolderPath(file.folder, path);
        paths.push_back(path.append(listing.Name(file.nameOffset, file.nameLength)));
    }
    return paths;
}

TTreeListing ListedShared(const TTempTree& tree)
{
    TTreeListing listing(tree.Root());
    TDirCursor cursor(listing, platform::OpenDirectory(tree.Root()));
    ListTree(listing, cursor, TWalkOptions{});
    return listing;
}

TTreeListing ListedAlone(const TTempTree& tree)
{
    TTreeListing listing(tree.Root());
    TDirCursor cursor(listing, platform::OpenDirectory(tree.Root()));
    ListTreeAlone(listing, cursor, TWalkOptions{});
    return listing;
}

// Folders at each level for the listing to be shared out, leaves among folders with subfolders
// at several depths (the top walk leaves leaves as units wherever it meets them), with a
// repetition left out: a link, which is listed as a file and never followed.
void MakeNestedTree(const TTempTree& tree, int tops, int mids)
{
    for (int a = 0; a < tops; ++a) {
        const std::string top = std::string("t").append(std::to_string(a));
        tree.Dir(top);
        tree.File(top + ".txt", 1);
        if (a % 3 == 2)
            continue; // a leaf among the top folders
        for (int b = 0; b < mids; ++b) {
            std::string mid = top;
            mid.append("/m").append(std::to_string(b)).append(b % 2 ? " x" : "-y");
            tree.Dir(mid);
            for (int f = 0; f < 20; ++f)
                tree.File(mid + "/f" + std::to_string(f), 1);
            if (b % 4 == 3)
                continue;
            tree.Dir(mid + "/deep");
            tree.File(mid + "/deep/z", 1);
            tree.Dir(mid + "/deep/er");
            tree.File(mid + "/deep/er/z", 1);
            tree.Link(mid + "/up", "..");
        }
    }
}

TEST(FolderTotalThreads, ATreeListedOnTwoThreadsIsListedAsByOneWalk)
{
    // Few units at the top, then enough below; more than enough leaves at the top; many
    // units two levels down.
    for (const auto& [tops, mids] : {std::pair{5, 6}, {40, 1}, {20, 16}}) {
        TTempTree tree;
        MakeNestedTree(tree, tops, mids);
        const TTreeListing shared = ListedShared(tree);
        const TTreeListing alone = ListedAlone(tree);
        EXPECT_EQ(FilePaths(shared), FilePaths(alone)) << tops << " x " << mids;
        EXPECT_GT(shared.files.size(), static_cast<std::size_t>(tops));
    }
}

} // namespace
} // namespace tallyrun::test
