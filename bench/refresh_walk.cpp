// refresh_walk DIR [RUNS]
//
// Times what a watcher report's merge costs once '*' has opened DIR's node and every folder
// below it: every visible node that is open or has children listed again and merged
// (RefreshVisible, the walk a report runs a slice at a time), nothing having changed on disk.
// As the reference, in the same run, the tree's own listing of the same nodes without the
// merge. Offscreen by default; with QT_QPA_PLATFORM=xcb on an X server it also counts what the
// merge asks of the window system, as in the program. Prints one line with the medians of
// RUNS rounds (default 5):
//   walk_ms=W listing_ms=L walk_ratio=W/L nodes=N
#include "bench/median.h"
#include "bench/tree_at_parent.h"
#include "shelltree/sh_folder.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The nodes a report's walk merges: visible, and open or with children.
std::vector<tallyrun::TQorShTreeNode*> MergedNodes(tallyrun::TQorShTreeView& tree)
{
    std::vector<tallyrun::TQorShTreeNode*> merged;
    std::vector<tallyrun::TQorShTreeNode*> pending;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        pending.push_back(static_cast<tallyrun::TQorShTreeNode*>(tree.topLevelItem(i)));
    while (!pending.empty()) {
        tallyrun::TQorShTreeNode* node = pending.back();
        pending.pop_back();
        if (node->isExpanded() || node->childCount() > 0)
            merged.push_back(node);
        for (int i = 0; node->isExpanded() && i < node->childCount(); ++i)
            pending.push_back(node->ChildNode(i));
    }
    return merged;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<TTreeBenchArgs> args = TreeBenchArgs(argc, argv, "refresh_walk", 5);
    if (!args)
        return 2;
    QApplication app(argc, argv);
    const std::string dir = args->dir;
    const int runs = args->runs;

    TTreeAtParent shown(dir);
    tallyrun::TQorShTreeView& tree = shown.tree;
    if (!shown.Listed("refresh_walk"))
        return 1;
    shown.OpenSubtree();

    const std::vector<tallyrun::TQorShTreeNode*> nodes = MergedNodes(tree);
    std::vector<double> walkMs, listingMs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        tree.RefreshVisible();
        walkMs.push_back(MsSince(clock));
        QApplication::processEvents();

        clock.restart();
        for (tallyrun::TQorShTreeNode* node : nodes) {
            tallyrun::TCustomQorShTreeView::TItemList listed;
            if (const auto folder = node->Item()->OwnFolder())
                tree.EnumerateChildren(folder, *node->Item(), listed);
        }
        listingMs.push_back(MsSince(clock));
    }
    const double walk = Median(walkMs);
    const double listing = Median(listingMs);
    std::printf("walk_ms=%.1f listing_ms=%.1f walk_ratio=%.2f nodes=%zu\n", walk, listing,
                listing > 0 ? walk / listing : 0.0, nodes.size());
    return 0;
}
