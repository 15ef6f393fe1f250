// large_tree_ops DIR [RUNS]
//
// What a user's single actions cost once '*' has opened DIR's node and every folder below it
// (tens of thousands of rows), on the offscreen platform, each followed by the event loop's
// own work (layout and paint): collapsing DIR's node and expanding it again, a folder made
// and removed beside DIR's first child and merged in as a watcher report merges it, and a
// child with folders below it moved out of DIR and back (its subtree's nodes deleted and its
// node made again). The reference, in the same run: the same actions on a fresh tree where
// only DIR's node is open. DIR must be writable (the actions make and rename folders in it;
// everything is put back). Prints the medians of RUNS rounds (default 5), then the ratios:
//   OPERATION_ms=T OPERATION_ref_ms=R ... rows=N
//   toggle_ratio=.. insert_ratio=.. remove_ratio=.. delete_subtree_ratio=.. add_subtree_ratio=..
#include "bench/median.h"
#include "bench/tree_at_parent.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace {

using tallyrun::TQorShTreeNode;

// Times one action and the event loop's work after it. With LARGE_TREE_OPS_TRACE set, each
// action's span on the monotonic clock goes to the error output, to cut a profile by action
// (`perf record -k CLOCK_MONOTONIC`).
template <class F> double Timed(const char* name, F&& action)
{
    static const bool trace = qEnvironmentVariableIsSet("LARGE_TREE_OPS_TRACE");
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    QElapsedTimer clock;
    clock.start();
    action();
    QApplication::processEvents();
    const double ms = MsSince(clock);
    if (trace)
        std::fprintf(stderr, "span %s %ld.%09ld %.3f\n", name, static_cast<long>(start.tv_sec),
                     start.tv_nsec, ms);
    return ms;
}

int CountRows(const QTreeWidgetItem* node)
{
    int rows = 1;
    if (node->isExpanded())
        for (int i = 0; i < node->childCount(); ++i)
            rows += CountRows(node->child(i));
    return rows;
}

// One round of the actions on `shown`, each time added to `ms` under its name.
bool Round(TTreeAtParent& shown, const std::string& dir,
           std::map<std::string, std::vector<double>>& ms, bool reopen)
{
    tallyrun::TQorShTreeView& tree = shown.tree;
    TQorShTreeNode* top = shown.node;
    ms["toggle"].push_back(Timed("toggle",
                                 [&] {
                                     top->setExpanded(false);
                                     QApplication::processEvents();
                                     top->setExpanded(true);
                                 }) /
                           2);
    const QString base = QString::fromStdString(dir);
    // "0000" sorts before the benchmark tree's names, so the new node is inserted in front.
    const QString made = base + QStringLiteral("/0000-made");
    if (!QDir().mkdir(made))
        return false;
    ms["insert"].push_back(Timed("insert", [&] { tree.RefreshChildren(top); }));
    QDir().rmdir(made);
    ms["remove"].push_back(Timed("remove", [&] { tree.RefreshChildren(top); }));
    // The child with the most nodes below it goes and comes back.
    int biggest = -1;
    int most = 0;
    for (int i = 0; i < top->childCount(); ++i)
        if (const int rows = CountRows(top->child(i)); rows > most) {
            most = rows;
            biggest = i;
        }
    const QString name = top->child(biggest)->text(0);
    const QString away = base + QStringLiteral("-away");
    if (!QDir().rename(base + '/' + name, away))
        return false;
    ms["delete_subtree"].push_back(Timed("delete_subtree", [&] { tree.RefreshChildren(top); }));
    QDir().rename(away, base + '/' + name);
    ms["add_subtree"].push_back(Timed("add_subtree", [&] { tree.RefreshChildren(top); }));
    // The folder came back as a closed node: on the large tree it is opened again, so that
    // every round starts from the same tree.
    for (int i = 0; reopen && i < top->childCount(); ++i)
        if (top->child(i)->text(0) == name)
            shown.OpenSubtree(top->ChildNode(i));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<TTreeBenchArgs> args = TreeBenchArgs(argc, argv, "large_tree_ops", 5);
    if (!args)
        return 2;
    QApplication app(argc, argv);
    const std::string dir = args->dir;
    const int runs = args->runs;

    std::map<std::string, std::vector<double>> large, small;
    int rows = 0;
    {
        TTreeAtParent open(dir);
        if (!open.Listed("large_tree_ops"))
            return 1;
        open.OpenSubtree();
        rows = CountRows(open.tree.RootNode());
        for (int run = 0; run < runs; ++run)
            if (!Round(open, dir, large, true)) {
                std::fprintf(stderr, "large_tree_ops: cannot change %s\n", dir.c_str());
                return 1;
            }
    }
    {
        TTreeAtParent reference(dir);
        reference.tree.ExpandNode(reference.node);
        for (int run = 0; run < runs; ++run)
            Round(reference, dir, small, false);
    }
    std::string ratios;
    for (const auto& [name, times] : large) {
        const double t = Median(times);
        const double r = Median(small[name]);
        std::printf("%s_ms=%.1f %s_ref_ms=%.1f ", name.c_str(), t, name.c_str(), r);
        char ratio[96];
        std::snprintf(ratio, sizeof ratio, "%s_ratio=%.1f ", name.c_str(), r > 0 ? t / r : 0.0);
        ratios += ratio;
    }
    std::printf("rows=%d\n%s\n", rows, ratios.c_str());
    return 0;
}
