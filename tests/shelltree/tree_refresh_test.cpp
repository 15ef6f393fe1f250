// The folder tree follows the file system once the watcher reports: new folders appear and
// removed ones go in every populated node, and the rest of the tree stays as it was.
#include "tree_fixture.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>

namespace tallyrun::test {
namespace {

class TreeRefreshTest : public TreeFixture
{
protected:
    // The paths of the expanded nodes, each with a trailing separator, sorted (as the
    // watcher keeps its shown folders).
    std::vector<std::string> ExpandedPaths()
    {
        std::vector<std::string> expanded;
        std::vector<TQorShTreeNode*> pending = {tree_->RootNode()};
        while (!pending.empty()) {
            TQorShTreeNode* node = pending.back();
            pending.pop_back();
            if (!node || !node->isExpanded())
                continue;
            std::string path = node->Item()->Path();
            if (path.back() != '/')
                path += '/';
            expanded.push_back(path);
            for (int i = 0; i < node->childCount(); ++i)
                pending.push_back(node->ChildNode(i));
        }
        std::sort(expanded.begin(), expanded.end());
        return expanded;
    }

    // Presses '*' on `node` and waits until every folder below it is open.
    bool OpenEverythingBelow(TQorShTreeView& tree, TQorShTreeNode* node, int timeoutMs = 60000)
    {
        tree.setCurrentItem(node);
        QTest::keyClick(&tree, Qt::Key_Asterisk);
        return WaitUntil([&] { return !tree.ExpandingSubtree(); }, timeoutMs);
    }

    // Waits until the watcher has opened its watches again since its open count was `opens`,
    // and is out of its callback.
    bool WatchesOpenedSince(TQorShTreeView& tree, int opens)
    {
        return WaitUntil(
            [&] { return tree.Watcher()->OpenCount() > opens && !tree.Watcher()->InCallback(); },
            15000);
    }
};

TEST_F(TreeRefreshTest, FoldersMadeOrRemovedOnDiskAppearAndGoInEveryPopulatedNode)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/a1");
    MakeDir(root + "/b/b1/b2");
    MakeDir(root + "/c/c1");
    MakeDir(root + "/gone/sub");
    TQorShTreeView& tree = Build(root);
    Child("a")->setExpanded(true);
    Child("b")->setExpanded(true);
    Child("b1", Child("b"))->setExpanded(true);
    Click(Child("b2", Child("b1", Child("b"))));
    const std::size_t reports = reports_.size();
    ASSERT_NE(tree.Watcher(), nullptr);
    tree.Watcher()->WaitSettled();

    const struct
    {
        std::string path;
        bool make;
    } changes[] = {
        {root + "/new", true},
        {root + "/a/a-new", true},
        {root + "/b/b1/b-new", true},
        {root + "/gone", false},
    };
    const int opens = tree.Watcher()->OpenCount();
    for (const auto& change : changes) {
        if (change.make)
            std::filesystem::create_directory(change.path);
        else
            std::filesystem::remove_all(change.path);
    }
    ASSERT_TRUE(WaitUntil([&] { return Child("new") && !Child("gone"); }, 15000));
    ASSERT_TRUE(WaitUntil([&] { return Child("b-new", Child("b1", Child("b"))); }, 15000));
    EXPECT_EQ(Labels(tree.RootNode()), (std::vector<std::string>{"a", "b", "c", "new"}));
    EXPECT_EQ(Labels(Child("a")), (std::vector<std::string>{"a-new", "a1"}));
    EXPECT_EQ(Labels(Child("b1", Child("b"))), (std::vector<std::string>{"b-new", "b2"}));
    // Nothing collapsed, the selection stayed and nothing was reported again.
    EXPECT_TRUE(Child("a")->isExpanded());
    EXPECT_TRUE(Child("b1", Child("b"))->isExpanded());
    EXPECT_FALSE(Child("c")->isExpanded());
    EXPECT_EQ(tree.SelectedNode(), Child("b2", Child("b1", Child("b"))));
    EXPECT_EQ(reports_.size(), reports);

    // The watcher closes its watches while it calls the tree back and opens them again after;
    // a change made before they are open again is not seen, so wait for that first.
    ASSERT_TRUE(WatchesOpenedSince(tree, opens));
    std::filesystem::remove(root + "/a/a-new");
    ASSERT_TRUE(WaitUntil([&] { return !Child("a-new", Child("a")); }, 15000));
    EXPECT_TRUE(Child("a")->isExpanded());
}

TEST_F(TreeRefreshTest, ExpandingEverythingBelowANodeStopsAtLinksAndShowsTheWatcherEveryFolder)
{
    // The '*' key opens a node and everything below it, but not through a link, which here
    // leads back to the top and would never end; the shown folders are worked out once at its
    // end (once per node opened was quadratic: minutes for a few thousand folders).
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/x/y");
    MakeDir(root + "/b/z");
    MakeDir(root + "/c");
    std::filesystem::create_directory_symlink(root, root + "/a/loop");
    TQorShTreeView& tree = Build(root);
    ASSERT_NE(tree.Watcher(), nullptr);
    ASSERT_TRUE(OpenEverythingBelow(tree, tree.RootNode(), 15000));

    ASSERT_TRUE(Child("x", Child("a"))->isExpanded());
    ASSERT_TRUE(Child("b")->isExpanded());
    ASSERT_NE(Child("loop", Child("a")), nullptr);
    EXPECT_FALSE(Child("loop", Child("a"))->isExpanded());
    const std::vector<std::string> expanded = ExpandedPaths();
    EXPECT_EQ(tree.Watcher()->ShownFolders(), expanded);
    EXPECT_GE(expanded.size(), 5u); // the root, a, a/x, b and b/z at least
}

TEST_F(TreeRefreshTest, ExpandingEverythingBelowANodeLeavesPseudoFileSystemsClosedUnlessPressedOn)
{
    // '*' on the Desktop reaches Computer and "/": /proc and /sys, endless and no disk space,
    // stay closed there (the analysis run does not enter them either); '*' pressed on such a
    // folder itself opens it as asked. The skip stands in for the kernel's file system type.
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/x");
    MakeDir(root + "/proc/1/task");
    MakeDir(root + "/z");
    TQorShTreeView& tree = Build(root);
    tree.SetSubtreeSkip(
        [root](const std::string& path) { return path.starts_with(root + "/proc"); });
    ASSERT_TRUE(OpenEverythingBelow(tree, tree.RootNode(), 15000));
    EXPECT_TRUE(Child("x", Child("a"))->isExpanded());
    EXPECT_TRUE(Child("a")->isExpanded());
    EXPECT_FALSE(Child("proc")->isExpanded());
    EXPECT_EQ(tree.Watcher()->ShownFolders(), ExpandedPaths());

    ASSERT_TRUE(OpenEverythingBelow(tree, Child("proc"), 15000));
    EXPECT_TRUE(Child("task", Child("1", Child("proc")))->isExpanded());
    EXPECT_EQ(tree.Watcher()->ShownFolders(), ExpandedPaths());
}

// 10 folders, each with 10, each with 10: 1,111 folders to open with the root.
std::string MakeWideTree(const std::string& root)
{
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            for (int k = 0; k < 10; ++k)
                std::filesystem::create_directories(root + "/d" + std::to_string(i) + "/e" +
                                                    std::to_string(j) + "/f" + std::to_string(k));
    return root;
}

TEST_F(TreeRefreshTest, ExpandingABigSubtreeLetsPostedEventsRunUntilItHasOpenedEveryFolder)
{
    const std::string root = MakeWideTree(MakeDir(Root() + "/tree"));
    TQorShTreeView& tree = Build(root);
    tree.SetSubtreeSliceBudget(std::chrono::milliseconds(0)); // one folder per turn
    tree.setCurrentItem(tree.RootNode());
    QTest::keyClick(&tree, Qt::Key_Asterisk);
    ASSERT_TRUE(tree.ExpandingSubtree());
    EXPECT_TRUE(tree.RootNode()->isExpanded());

    // Events posted meanwhile are delivered while the opening goes on.
    int delivered = 0;
    std::size_t openedWhenDelivered = 0;
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(
            &tree,
            [&] {
                ++delivered;
                openedWhenDelivered = ExpandedPaths().size();
            },
            Qt::QueuedConnection);
    ASSERT_TRUE(WaitUntil([&] { return delivered == 3; }, 15000));
    EXPECT_LT(openedWhenDelivered, 1111u);

    ASSERT_TRUE(WaitUntil([&] { return !tree.ExpandingSubtree(); }, 60000));
    const std::vector<std::string> expanded = ExpandedPaths();
    EXPECT_EQ(expanded.size(), 1111u);
    EXPECT_EQ(tree.Watcher()->ShownFolders(), expanded);
}

TEST_F(TreeRefreshTest, ExpandingABigSubtreeEndsCleanlyWhenTheUserMovesOnOrItsNodesGo)
{
    const std::string root = MakeWideTree(MakeDir(Root() + "/tree"));
    MakeDir(Root() + "/tree-aside");
    namespace fs = std::filesystem;
    // What ends the opening (or, for a folder inside it, only takes that folder's nodes).
    const struct
    {
        const char* what;
        std::function<void(TQorShTreeView&)> act;
        bool ends;
    } cases[] = {
        {"the node is collapsed", [&](TQorShTreeView&) { Child("d0")->setExpanded(false); }, true},
        {"the Escape key", [&](TQorShTreeView& t) { QTest::keyClick(&t, Qt::Key_Escape); }, true},
        {"another folder is selected", [&](TQorShTreeView&) { Click(Child("d9")); }, true},
        {"its folder goes",
         [&](TQorShTreeView& t) {
             fs::rename(root + "/d0", Root() + "/tree-aside/d0");
             t.RefreshChildren(t.RootNode());
         },
         true},
        {"the tree is rebuilt", [&](TQorShTreeView& t) { t.RebuildTree(); }, true},
        {"a folder inside it goes",
         [&](TQorShTreeView& t) {
             fs::rename(root + "/d0/e5", Root() + "/tree-aside/e5");
             t.RefreshChildren(Child("d0"));
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (fs::exists(Root() + "/tree-aside/d0"))
            fs::rename(Root() + "/tree-aside/d0", root + "/d0");
        if (fs::exists(Root() + "/tree-aside/e5"))
            fs::rename(Root() + "/tree-aside/e5", root + "/d0/e5");
        TQorShTreeView& tree = Build(root);
        tree.SetSubtreeSliceBudget(std::chrono::milliseconds(0));
        tree.setCurrentItem(Child("d0"));
        QTest::keyClick(&tree, Qt::Key_Asterisk);
        // Some of the subtree is open, with the rest still to come.
        ASSERT_TRUE(WaitUntil([&] { return ExpandedPaths().size() > 20; }, 15000));
        ASSERT_TRUE(tree.ExpandingSubtree());

        c.act(tree);
        if (!c.ends) {
            ASSERT_TRUE(WaitUntil([&] { return !tree.ExpandingSubtree(); }, 60000));
            EXPECT_EQ(ExpandedPaths().size(), 1u + 1u + 9u * 11u); // root, d0, 9 e's with f's
            EXPECT_EQ(tree.Watcher()->ShownFolders(), ExpandedPaths());
            continue;
        }
        EXPECT_FALSE(tree.ExpandingSubtree());
        const std::vector<std::string> opened = ExpandedPaths();
        QTest::qWait(100);
        EXPECT_EQ(ExpandedPaths(), opened) << "nothing more opens";
        EXPECT_EQ(tree.Watcher()->ShownFolders(), opened) << "the watcher was told at the end";
    }
}

TEST_F(TreeRefreshTest, TheWatcherIsToldTheShownFoldersAfterEveryChangeToAnOpenedSubtree)
{
    // The shown folders are worked out from each node's parent; after each change they are
    // what a walk that resolves every expanded node's own path finds.
    namespace fs = std::filesystem;
    const std::string root = MakeWideTree(MakeDir(Root() + "/tree"));
    TQorShTreeView& tree = Build(root);
    ASSERT_NE(tree.Watcher(), nullptr);
    ASSERT_TRUE(OpenEverythingBelow(tree, tree.RootNode()));
    ASSERT_EQ(tree.Watcher()->ShownFolders(), ExpandedPaths());
    // After a report, the watcher opens its watches again once its callback has returned; a
    // change on disk before that would not be seen.
    const auto reported = [&](const std::function<bool()>& done) {
        const int opens = tree.Watcher()->OpenCount();
        ASSERT_TRUE(WaitUntil([&] { return done() && !tree.RefreshingVisible(); }, 15000));
        ASSERT_TRUE(WatchesOpenedSince(tree, opens));
    };
    const struct
    {
        const char* what;
        std::function<void()> act;
        std::size_t shown;
    } actions[] = {
        {"a middle node is collapsed", [&] { Child("d3")->setExpanded(false); }, 1000},
        {"and expanded again", [&] { Child("d3")->setExpanded(true); }, 1111},
        {"a node below it is collapsed", [&] { Child("e5", Child("d3"))->setExpanded(false); },
         1100},
        // A collapse keeps the paths of the nodes it hides for their next showing; a rename
        // below it must not leave the old path there.
        {"its parent is collapsed", [&] { Child("d3")->setExpanded(false); }, 1000},
        {"an open node it hides is renamed",
         [&] { ASSERT_TRUE(Child("e2", Child("d3"))->Item()->Rename("z2")); }, 1000},
        {"the parent is expanded again", [&] { Child("d3")->setExpanded(true); }, 1090},
        {"a folder goes on disk",
         [&] {
             fs::remove_all(root + "/d7/e1");
             reported([&] { return !Child("e1", Child("d7")); });
         },
         1079},
        {"a folder comes on disk",
         [&] {
             fs::create_directories(root + "/d7/new/inner");
             reported([&] { return Child("new", Child("d7")); });
             Child("new", Child("d7"))->setExpanded(true);
         },
         1080},
        {"the only folder in an open node goes",
         [&] {
             fs::remove_all(root + "/d7/new/inner");
             reported([&] { return Child("new", Child("d7"))->childCount() == 0; });
         },
         1080},
        {"an open node is renamed", [&] { ASSERT_TRUE(Child("d4")->Item()->Rename("z4")); }, 970},
        // The rebuild opens every folder still noted as expanded, and the folders below d3/e5
        // still are: it opens d3/e5 again to show them.
        {"the tree is rebuilt", [&] { tree.RebuildTree(); }, 981},
        {"the top is collapsed", [&] { tree.RootNode()->setExpanded(false); }, 0},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.what);
        // A change on disk is seen only once the watches of the last change are open.
        tree.Watcher()->WaitSettled();
        action.act();
        const std::vector<std::string> expanded = ExpandedPaths();
        EXPECT_EQ(expanded.size(), action.shown);
        EXPECT_EQ(tree.Watcher()->ShownFolders(), expanded);
    }
}

TEST_F(TreeRefreshTest, AReportMergesABigTreeInSlicesAndRunsOnceMoreForAReportDuringIt)
{
    namespace fs = std::filesystem;
    const std::string root = MakeWideTree(MakeDir(Root() + "/tree"));
    TQorShTreeView& tree = Build(root);
    ASSERT_NE(tree.Watcher(), nullptr);
    ASSERT_TRUE(OpenEverythingBelow(tree, tree.RootNode()));
    ASSERT_EQ(ExpandedPaths().size(), 1111u);
    tree.SetRefreshSliceBudget(std::chrono::milliseconds(0)); // one node per turn
    tree.Watcher()->WaitSettled();

    // A folder made and one removed under open nodes: the watcher's report starts the walk.
    const int opensBefore = tree.Watcher()->OpenCount();
    fs::create_directory(root + "/d3/e4/made");
    fs::remove_all(root + "/d7/e1/f2");
    ASSERT_TRUE(WaitUntil([&] { return tree.RefreshingVisible(); }, 15000));

    // Events posted meanwhile are delivered while the walk goes on.
    int delivered = 0;
    int deliveredDuringWalk = 0;
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(
            &tree,
            [&] {
                ++delivered;
                deliveredDuringWalk += tree.RefreshingVisible() ? 1 : 0;
            },
            Qt::QueuedConnection);
    ASSERT_TRUE(WaitUntil([&] { return delivered == 3; }, 15000));
    EXPECT_EQ(deliveredDuringWalk, 3);

    // A held button keeps the walk from merging; a report meanwhile, about a folder the walk
    // has merged already, is not lost: the walk runs once more after its end.
    // The watcher closes its watches for its callback; a change before they are open again
    // would not be seen.
    ASSERT_TRUE(WatchesOpenedSince(tree, opensBefore));
    ASSERT_TRUE(tree.RefreshingVisible());
    Press(tree.RootNode());
    const int opens = tree.Watcher()->OpenCount();
    fs::create_directory(root + "/late");
    ASSERT_TRUE(WatchesOpenedSince(tree, opens));
    EXPECT_TRUE(tree.RefreshingVisible());
    EXPECT_EQ(Child("late"), nullptr);
    Release(tree.RootNode());

    ASSERT_TRUE(WaitUntil([&] { return !tree.RefreshingVisible(); }, 60000));
    EXPECT_NE(Child("made", Child("e4", Child("d3"))), nullptr);
    EXPECT_EQ(Child("f2", Child("e1", Child("d7"))), nullptr);
    EXPECT_NE(Child("late"), nullptr);
    const std::vector<std::string> expanded = ExpandedPaths();
    EXPECT_EQ(expanded.size(), 1110u);
    EXPECT_EQ(tree.Watcher()->ShownFolders(), expanded);
}

TEST_F(TreeRefreshTest, AReportForgetsTheExpandedFoldersThatWentASliceAtATime)
{
    namespace fs = std::filesystem;
    const std::string root = MakeWideTree(MakeDir(Root() + "/tree"));
    TQorShTreeView& tree = Build(root);
    ASSERT_TRUE(OpenEverythingBelow(tree, tree.RootNode()));
    const auto pathsUnder = [&](const std::string& folder) {
        int count = 0;
        for (const TIDListPtr& entry : tree.ExpandedFolders()) {
            std::string path;
            count += TQorShID::PathFromIDList(entry.get(), path) &&
                     (path == folder || path.starts_with(folder + "/"));
        }
        return count;
    };
    // The root first, then d0 and the 110 folders below it, in the order '*' opened them.
    ASSERT_EQ(tree.ExpandedFolders().size(), 1111u);
    std::string second;
    ASSERT_TRUE(TQorShID::PathFromIDList(tree.ExpandedFolders()[1].get(), second));
    ASSERT_EQ(second, root + "/d0");
    tree.SetRefreshSliceBudget(std::chrono::milliseconds(0)); // one folder per turn
    tree.Watcher()->WaitSettled();

    fs::remove_all(root + "/d0");
    // One turn of the event loop at a time, so the prune is caught near its start.
    QTimer wake;
    wake.start(20);
    QElapsedTimer clock;
    clock.start();
    while (!tree.PruningExpandedFolders() && clock.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(tree.PruningExpandedFolders());

    // The root's entry, before the place the prune has reached, goes while it goes on: the
    // entries after that place are all still checked.
    tree.RootNode()->setExpanded(false);
    int delivered = 0;
    int deliveredDuringPrune = 0;
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(
            &tree,
            [&] {
                ++delivered;
                deliveredDuringPrune += tree.PruningExpandedFolders() ? 1 : 0;
            },
            Qt::QueuedConnection);
    ASSERT_TRUE(WaitUntil([&] { return delivered == 3; }, 15000));
    EXPECT_EQ(deliveredDuringPrune, 3);

    ASSERT_TRUE(WaitUntil([&] { return !tree.PruningExpandedFolders(); }, 60000));
    EXPECT_EQ(pathsUnder(root + "/d0"), 0);
    EXPECT_EQ(pathsUnder(root), 999); // d1 to d9 and every folder below them
    EXPECT_EQ(pathsUnder(root + "/d9/e9"), 11);
}

TEST_F(TreeRefreshTest, AReportsWalkGoesOnBesideAStarAndEndsWithTheWindow)
{
    namespace fs = std::filesystem;
    const std::string root = MakeWideTree(MakeDir(Root() + "/tree"));
    // What happens while the walk goes on: '*' opens a subtree beside it, or the tree goes.
    const struct
    {
        const char* what;
        bool star;
    } cases[] = {{"'*' on a closed node", true}, {"the tree is destroyed", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TQorShTreeView& tree = Build(root);
        ASSERT_TRUE(OpenEverythingBelow(tree, tree.RootNode()));
        Child("d9")->setExpanded(false);
        tree.SetRefreshSliceBudget(std::chrono::milliseconds(0));
        tree.SetSubtreeSliceBudget(std::chrono::milliseconds(0));
        tree.Watcher()->WaitSettled();
        const std::string made = root + "/d2/made-" + std::to_string(c.star);
        fs::create_directory(made);
        ASSERT_TRUE(WaitUntil([&] { return tree.RefreshingVisible(); }, 15000));
        if (!c.star) {
            tree_.reset();
            RunEventsFor(50);
            continue;
        }
        tree.setCurrentItem(Child("d9"));
        QTest::keyClick(&tree, Qt::Key_Asterisk);
        ASSERT_TRUE(tree.ExpandingSubtree());
        ASSERT_TRUE(tree.RefreshingVisible());
        ASSERT_TRUE(WaitUntil([&] { return !tree.ExpandingSubtree() && !tree.RefreshingVisible(); },
                              60000));
        EXPECT_NE(Child("made-1", Child("d2")), nullptr);
        const std::vector<std::string> expanded = ExpandedPaths();
        EXPECT_EQ(expanded.size(), 1111u);
        EXPECT_EQ(tree.Watcher()->ShownFolders(), expanded);
        fs::remove(made);
    }
}

TEST_F(TreeRefreshTest, PausedWatchingSeesNothingUntilResumed)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a");
    TQorShTreeView& tree = Build(root);
    const std::vector<std::string> roots = tree.Watcher()->WatchList();
    ASSERT_FALSE(roots.empty());

    tree.SuspendWatching();
    tree.SuspendWatching();
    EXPECT_TRUE(tree.Watcher()->WatchList().empty());
    tree.ResumeWatching();
    EXPECT_TRUE(tree.Watcher()->WatchList().empty());
    tree.ResumeWatching();
    EXPECT_EQ(tree.Watcher()->WatchList(), roots);
    // An unmatched resume changes nothing.
    tree.ResumeWatching();
    tree.SuspendWatching();
    EXPECT_TRUE(tree.Watcher()->WatchList().empty());
}

} // namespace
} // namespace tallyrun::test
