// shown_folders DIR [RUNS]
//
// Times what one expansion or collapse by the user costs once '*' has opened DIR's node and
// every folder below it, on the offscreen platform: a child of DIR's node with folders below
// it is collapsed and expanded again, each followed by the event loop's own work (layout and
// paint), and the tree tells the watcher which folders it shows after each. As the reference,
// in the same run, the walk the tree made for that before: every expanded node's path
// resolved from its whole identifier list and the watcher's set built node by node. Prints
// one line with the medians of RUNS rounds (default 5):
//   toggle_ms=T reference_ms=R toggle_ratio=T/R folders=N
// Before the shown folders were kept up to date, each expansion or collapse cost at least R.
#include "bench/median.h"
#include "bench/tree_at_parent.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// The walk as the tree made it before, with the watcher's sorted set of its result.
std::vector<std::string> ReferenceShownFolders(tallyrun::TQorShTreeView& tree)
{
    std::vector<std::string> shown;
    std::vector<tallyrun::TQorShTreeNode*> pending;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        pending.push_back(static_cast<tallyrun::TQorShTreeNode*>(tree.topLevelItem(i)));
    while (!pending.empty()) {
        tallyrun::TQorShTreeNode* node = pending.back();
        pending.pop_back();
        if (!node->isExpanded() || !tallyrun::TQorShTreeNode::IsValid(node))
            continue;
        if (std::string path = node->Item()->Path(); !path.empty())
            shown.push_back(std::move(path));
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->isExpanded())
                pending.push_back(node->ChildNode(i));
    }
    std::set<std::string> unique;
    for (const auto& folder : shown)
        unique.insert(folder.empty() || folder.back() != '/' ? folder + '/' : folder);
    return {unique.begin(), unique.end()};
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<TTreeBenchArgs> args = TreeBenchArgs(argc, argv, "shown_folders", 5);
    if (!args)
        return 2;
    QApplication app(argc, argv);
    const std::string dir = args->dir;
    const int runs = args->runs;

    TTreeAtParent shown(dir);
    tallyrun::TQorShTreeView& tree = shown.tree;
    if (!shown.Listed("shown_folders"))
        return 1;
    shown.OpenSubtree();

    // The middle child that has folders below it.
    tallyrun::TQorShTreeNode* toggled = nullptr;
    for (int i = shown.node->childCount() / 2; i < shown.node->childCount() && !toggled; ++i)
        if (shown.node->child(i)->childCount() > 0)
            toggled = shown.node->ChildNode(i);
    if (!toggled) {
        std::fprintf(stderr, "shown_folders: %s has no folder with folders below it\n",
                     dir.c_str());
        return 1;
    }
    const std::size_t folders = ReferenceShownFolders(tree).size();
    std::vector<double> toggleMs, referenceMs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        toggled->setExpanded(false);
        QApplication::processEvents();
        toggled->setExpanded(true);
        QApplication::processEvents();
        toggleMs.push_back(MsSince(clock) / 2);

        clock.restart();
        const std::size_t referenceCount = ReferenceShownFolders(tree).size();
        referenceMs.push_back(MsSince(clock));
        if (referenceCount != folders)
            std::fprintf(stderr, "shown_folders: %zu folders shown, %zu before\n", referenceCount,
                         folders);
    }
    const double toggle = Median(toggleMs);
    const double reference = Median(referenceMs);
    std::printf("toggle_ms=%.1f reference_ms=%.1f toggle_ratio=%.2f folders=%zu\n", toggle,
                reference, reference > 0 ? toggle / reference : 0.0, folders);
    return 0;
}
