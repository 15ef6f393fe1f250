// The folder tree follows the file system once the watcher reports: new folders appear and
// removed ones go in every populated node, and the rest of the tree stays as it was.
#include "tree_fixture.h"

#include <algorithm>
#include <filesystem>

namespace tallyrun::test {
namespace {

using TreeRefreshTest = TreeFixture;

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
    ASSERT_TRUE(WaitUntil(
        [&] { return tree.Watcher()->OpenCount() > opens && !tree.Watcher()->InCallback(); },
        15000));
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
    tree.setCurrentItem(tree.RootNode());
    QTest::keyClick(&tree, Qt::Key_Asterisk);

    ASSERT_TRUE(Child("x", Child("a"))->isExpanded());
    ASSERT_TRUE(Child("b")->isExpanded());
    ASSERT_NE(Child("loop", Child("a")), nullptr);
    EXPECT_FALSE(Child("loop", Child("a"))->isExpanded());
    std::vector<std::string> expanded;
    std::vector<TQorShTreeNode*> pending = {tree.RootNode()};
    while (!pending.empty()) {
        TQorShTreeNode* node = pending.back();
        pending.pop_back();
        if (!node->isExpanded())
            continue;
        std::string path = node->Item()->Path();
        if (path.back() != '/')
            path += '/';
        expanded.push_back(path);
        for (int i = 0; i < node->childCount(); ++i)
            pending.push_back(node->ChildNode(i));
    }
    std::sort(expanded.begin(), expanded.end());
    EXPECT_EQ(tree.Watcher()->ShownFolders(), expanded);
    EXPECT_GE(expanded.size(), 5u); // the root, a, a/x, b and b/z at least
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
