// The folder totals measure on a second thread; these run under the thread sanitizer in CI.
#include <gtest/gtest.h>

#include "scan/folder_total.h"
#include "scan/scan_fakes.h"
#include "scan/size_measurer.h"
#include "scan/string_helpers.h"
#include "scan/temp_tree.h"

namespace tallyrun {
namespace {

int pumps = 0;
int stopAt = 0;

TEST(FolderTotalThreads, StopAtAnyPointFreezesTheTotalThere)
{
    test::TTempTree tree;
    const int count = static_cast<int>(TSizeMeasurer::kWindow) * 2 + 100;
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "%06d", i);
        tree.File(name, 1);
    }
    test::TFakeProgressBar bar;
    test::TFakeLog log;
    for (const int stop : {1, 50, static_cast<int>(TSizeMeasurer::kWindow) + 3, count, count + 1}) {
        AttachProgressBar(&bar);
        AttachLog(&log);
        SetScanStop(false);
        log.lines.clear();
        pumps = 0;
        stopAt = stop;
        SetPumpEventsHook([] {
            if (++pumps == stopAt)
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

} // namespace
} // namespace tallyrun
