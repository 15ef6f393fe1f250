// tree_bench DIR [RUNS]
//
// Times the folder tree on the offscreen platform: expanding DIR's node (listing, sorting and
// adding a node per subfolder, then painting), and refreshing it when nothing has changed
// (listing again and merging). The tree is rooted at DIR's parent. Prints one line
//   expand_s=E refresh_s=R children=N
// with the medians of RUNS runs (default 5), each on a new tree.
#include "bench/median.h"
#include "bench/tree_at_parent.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::optional<TTreeBenchArgs> args = TreeBenchArgs(argc, argv, "tree_bench", 5);
    if (!args)
        return 2;
    QApplication app(argc, argv);
    const std::string dir = args->dir;
    const int runs = args->runs;

    std::vector<double> expand, refresh;
    int children = 0;
    for (int run = 0; run < runs; ++run) {
        TTreeAtParent shown(dir);
        tallyrun::TQorShTreeView& tree = shown.tree;
        tallyrun::TQorShTreeNode* node = shown.node;
        if (!shown.Listed("tree_bench"))
            return 1;
        tree.scrollToItem(node, QAbstractItemView::PositionAtTop);
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        tree.ExpandNode(node);
        tree.repaint();
        expand.push_back(timer.nsecsElapsed() / 1e9);
        children = node->childCount();

        timer.start();
        tree.RefreshChildren(node);
        tree.repaint();
        refresh.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::printf("expand_s=%.6f refresh_s=%.6f children=%d\n", Median(expand), Median(refresh),
                children);
    return 0;
}
