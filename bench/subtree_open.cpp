// subtree_open DIR [RUNS]
//
// Times the '*' key of the folder tree on the offscreen platform: opening DIR's node and every
// folder below it, as the tree does it (a slice of about 20 ms per turn of the event loop), and,
// as the reference, in one slice (what the key did before it was sliced). A 5 ms timer runs
// meanwhile; its longest gap is the longest wait of the event loop. The tree is rooted at DIR's
// parent, and each run is a new tree. Prints one line with the medians of RUNS runs (default 3):
//   sliced_s=S sliced_wait_ms=W whole_s=S2 whole_wait_ms=W2 time_ratio=S/S2 folders=N
#include "bench/median.h"
#include "bench/tree_at_parent.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

int ExpandedBelow(const QTreeWidgetItem* node)
{
    int count = node->isExpanded() ? 1 : 0;
    for (int i = 0; node->isExpanded() && i < node->childCount(); ++i)
        count += ExpandedBelow(node->child(i));
    return count;
}

struct Outcome
{
    double seconds = 0;
    double waitMs = 0;
    int folders = 0;
};

// Opens DIR's node with '*' on a new tree, with the given work time per slice (none: the
// tree's own).
bool OpenOnce(const std::string& dir, std::optional<std::chrono::milliseconds> budget,
              Outcome& outcome)
{
    TTreeAtParent shown(dir);
    tallyrun::TQorShTreeView& tree = shown.tree;
    tallyrun::TQorShTreeNode* node = shown.node;
    if (!shown.Listed("subtree_open"))
        return false;
    if (budget)
        tree.SetSubtreeSliceBudget(*budget);
    tree.setCurrentItem(node);
    QApplication::processEvents();

    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    clock.start();
    ticks.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Asterisk, Qt::NoModifier, QStringLiteral("*"));
    QApplication::sendEvent(&tree, &press);
    while (tree.ExpandingSubtree())
        QApplication::processEvents(QEventLoop::AllEvents);
    const qint64 end = clock.nsecsElapsed();
    longestGap = std::max(longestGap, end - lastTick);
    outcome.seconds = end / 1e9;
    // The timer's own 5 ms are not a wait.
    outcome.waitMs = std::max<double>(0, longestGap / 1e6 - 5);
    outcome.folders = ExpandedBelow(node);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<TTreeBenchArgs> args = TreeBenchArgs(argc, argv, "subtree_open", 3);
    if (!args)
        return 2;
    QApplication app(argc, argv);
    const std::string dir = args->dir;
    const int runs = args->runs;

    // One untimed opening first, so both kinds find the listings in the cache.
    Outcome outcome;
    if (!OpenOnce(dir, std::chrono::hours(1), outcome))
        return 1;
    std::vector<double> slicedS, slicedWait, wholeS, wholeWait;
    for (int run = 0; run < runs; ++run) {
        if (!OpenOnce(dir, std::nullopt, outcome))
            return 1;
        slicedS.push_back(outcome.seconds);
        slicedWait.push_back(outcome.waitMs);
        if (!OpenOnce(dir, std::chrono::hours(1), outcome))
            return 1;
        wholeS.push_back(outcome.seconds);
        wholeWait.push_back(outcome.waitMs);
    }
    const double sliced = Median(slicedS);
    const double whole = Median(wholeS);
    std::printf("sliced_s=%.3f sliced_wait_ms=%.1f whole_s=%.3f whole_wait_ms=%.1f "
                "time_ratio=%.2f folders=%d\n",
                sliced, Median(slicedWait), whole, Median(wholeWait),
                whole > 0 ? sliced / whole : 0.0, outcome.folders);
    return 0;
}
