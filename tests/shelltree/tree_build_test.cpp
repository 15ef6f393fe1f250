// Building the folder tree on real temporary folders: its first levels, what it lists, the
// paths it gives for what is selected, and the expansion rules.
#include "shelltree/icon_list.h"
#include "tree_fixture.h"

#include <QApplication>
#include <QCursor>

#include <sys/stat.h>
#include <unistd.h>

#include <iostream>
#include <optional>
#include <vector>

namespace tallyrun::test {
namespace {

using TreeBuildTest = TreeFixture;

TEST_F(TreeBuildTest, FolderRootListsFoldersAndHiddenFoldersButNoFilesAndReportsTheRoot)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/Beta/inner");
    MakeDir(root + "/alpha");
    MakeDir(root + "/.hidden");
    MakeDir(root + "/Zürich");
    MakeFile(root + "/file.txt");
    TQorShTreeView& tree = Build(root);

    ASSERT_EQ(tree.topLevelItemCount(), 1);
    TQorShTreeNode* top = tree.RootNode();
    EXPECT_EQ(top->text(0).toStdString(), "tree");
    EXPECT_TRUE(top->isExpanded());
    EXPECT_EQ(Labels(top), (std::vector<std::string>{".hidden", "alpha", "Beta", "Zürich"}));
    // The has-children mark follows the subfolders; the nodes stay unpopulated.
    EXPECT_TRUE(Child("Beta")->HasChildren());
    EXPECT_FALSE(Child("alpha")->HasChildren());
    EXPECT_EQ(Child("Beta")->childCount(), 0);

    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].node, top);
    EXPECT_EQ(tree.SelectedNode(), top);
    EXPECT_EQ(SelectedPath(), root);

    tree.SetIncludeFiles(true);
    EXPECT_EQ(Labels(top),
              (std::vector<std::string>{".hidden", "alpha", "Beta", "Zürich", "file.txt"}));
    tree.SetIncludeHidden(false);
    EXPECT_EQ(Labels(top), (std::vector<std::string>{"alpha", "Beta", "Zürich", "file.txt"}));

    // The events asked for each new child: one refuses a folder, the other every file.
    tree.OnShAddData = [](QObject*, TQorShFolderData* item, bool& allow) {
        allow = item->DisplayName() != "alpha";
    };
    tree.OnShFilter = [](QObject*, TQorShFolderData*, bool& allow) { allow = false; };
    tree.RebuildTree();
    EXPECT_EQ(Labels(tree.RootNode()), (std::vector<std::string>{"Beta", "Zürich"}));
}

TEST_F(TreeBuildTest, DesktopRootShowsTheFixedItemsComputerExpandedAndGivesEachItsPath)
{
    MakeDir(Desktop() + "/Projects");
    MakeFile(Desktop() + "/notes.txt");
    TQorShTreeView& tree = Build();

    TQorShTreeNode* desktop = tree.RootNode();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->text(0).toStdString(), "デスクトップ");
    EXPECT_EQ(Labels(desktop), (std::vector<std::string>{"コンピューター", "ホーム", "ゴミ箱",
                                                         "ネットワーク", "Projects"}));
    TQorShTreeNode* computer = Child("コンピューター");
    ASSERT_NE(computer, nullptr);
    EXPECT_TRUE(computer->isExpanded());
    ASSERT_GT(computer->childCount(), 0);
    TQorShTreeNode* rootDrive = computer->ChildNode(0);
    EXPECT_EQ(rootDrive->Item()->ItemType(), itRootDrive);
    EXPECT_FALSE(Child("ホーム")->isExpanded());

    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].node, desktop);

    const struct
    {
        TQorShTreeNode* node;
        std::string path;
    } cases[] = {
        {desktop, Desktop()},
        {computer, ""},
        {Child("ゴミ箱"), ""},
        {Child("ネットワーク"), ""},
        {rootDrive, "/"},
        {Child("ホーム"), Home()},
        {Child("Projects"), Desktop() + "/Projects"},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.node, nullptr);
        Click(c.node);
        EXPECT_EQ(tree.SelectedNode(), c.node);
        EXPECT_EQ(SelectedPath(), c.path) << c.node->text(0).toStdString();
    }
    // Collapsing everything leaves nothing selected only when the selection is cleared.
    tree.clearSelection();
    EXPECT_EQ(SelectedPath(), "");
}

TEST_F(TreeBuildTest, ExpandingAFolderWithoutListableSubfoldersRemovesItsButton)
{
    const bool canLock = geteuid() != 0;
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/emptied/sub");
    MakeDir(root + "/locked/sub");
    MakeDir(root + "/full/sub");
    TQorShTreeView& tree = Build(root);
    for (const char* name : {"emptied", "locked", "full"})
        ASSERT_TRUE(Child(name)->HasChildren()) << name;

    // After the marks were read: one folder loses its subfolder, one becomes unreadable
    // (which root, reading any folder, does not see).
    ASSERT_EQ(rmdir((root + "/emptied/sub").c_str()), 0);
    ASSERT_EQ(chmod((root + "/locked").c_str(), 0), 0);
    const struct
    {
        const char* name;
        bool keepsButton;
    } cases[] = {{"emptied", false}, {"locked", !canLock}, {"full", true}};
    for (const auto& c : cases) {
        TQorShTreeNode* node = Child(c.name);
        tree.ExpandNode(node);
        EXPECT_EQ(node->HasChildren(), c.keepsButton) << c.name;
        EXPECT_EQ(node->childCount() > 0, c.keepsButton) << c.name;
    }
    chmod((root + "/locked").c_str(), 0755);
    if (!canLock)
        std::cout << "running as root: the unreadable folder was read like any other\n";
}

TEST_F(TreeBuildTest, ExpandedFoldersFollowTheUserAndOpenAgainOnRebuild)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/a1/a2");
    MakeDir(root + "/b/b1");
    TQorShTreeView& tree = Build(root);
    ASSERT_EQ(tree.ExpandedFolders().size(), 1u); // the root

    Child("a")->setExpanded(true); // as the user's click on the button does
    Child("a1", Child("a"))->setExpanded(true);
    Child("b")->setExpanded(true);
    EXPECT_EQ(tree.ExpandedFolders().size(), 4u);
    EXPECT_EQ(Labels(Child("a1", Child("a"))), std::vector<std::string>{"a2"});

    // Collapsing drops the node's own entry only.
    Child("a")->setExpanded(false);
    Child("b")->setExpanded(false);
    EXPECT_EQ(tree.ExpandedFolders().size(), 2u);

    // The walk down to a1 opens a on the way.
    tree.RebuildTree();
    EXPECT_TRUE(Child("a")->isExpanded());
    ASSERT_NE(Child("a1", Child("a")), nullptr);
    EXPECT_TRUE(Child("a1", Child("a"))->isExpanded());
    EXPECT_FALSE(Child("b")->isExpanded());
}

// How many cursors the application has put over its windows; the stack is left as it was.
int OverrideCursorDepth()
{
    std::vector<QCursor> cursors;
    for (const QCursor* top = QGuiApplication::overrideCursor(); top;
         top = QGuiApplication::overrideCursor()) {
        cursors.push_back(*top);
        QGuiApplication::restoreOverrideCursor();
    }
    for (auto it = cursors.rbegin(); it != cursors.rend(); ++it)
        QGuiApplication::setOverrideCursor(*it);
    return static_cast<int>(cursors.size());
}

TEST_F(TreeBuildTest, AMergeShowsTheHourglassOnceAndOnlyWhereItIsNotShownAlready)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a");
    TQorShTreeView& tree = Build(root);
    Child("a")->setExpanded(true);
    // What the cursor is while a merge adds a node: each change of it is a request to the
    // window system, which a walk over thousands of folders made twice per folder.
    int depth = -1;
    Qt::CursorShape shape = Qt::ArrowCursor;
    tree.OnShAddData = [&](QObject*, TQorShFolderData*, bool&) {
        depth = OverrideCursorDepth();
        shape = QGuiApplication::overrideCursor()->shape();
    };
    const struct
    {
        const char* what;
        std::optional<Qt::CursorShape> before; // the cursor already shown, if any
        int depthDuring;
    } cases[] = {
        {"no cursor of the program's own", std::nullopt, 1},
        {"the analysis run's hourglass", Qt::WaitCursor, 1},
        {"another cursor", Qt::DragCopyCursor, 2},
    };
    int made = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.before)
            QGuiApplication::setOverrideCursor(*c.before);
        MakeDir(root + "/a/new-" + std::to_string(made++));
        depth = -1;
        tree.RefreshVisible();
        EXPECT_EQ(depth, c.depthDuring);
        EXPECT_EQ(shape, Qt::WaitCursor);
        EXPECT_EQ(OverrideCursorDepth(), c.before ? 1 : 0);
        if (c.before)
            QGuiApplication::restoreOverrideCursor();
    }
    EXPECT_EQ(Labels(Child("a")).size(), 3u);
}

TEST_F(TreeBuildTest, FindNodeWalksDownAndFindsFoldersMadeSinceTheLevelWasListed)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/deep/deeper");
    MakeDir(root + "/c");
    MakeDir(root + "/e");
    TQorShTreeView& tree = Build(root);
    MakeDir(root + "/b");
    MakeDir(root + "/d");
    MakeDir(root + "/f");

    const struct
    {
        std::string path;
        std::string label; // empty: the root itself
    } cases[] = {
        {root + "/a/deep/deeper", "deeper"},
        {root + "/b", "b"},
        {root + "/d", "d"},
        {root + "/f", "f"},
        {root, ""},
    };
    for (const auto& c : cases) {
        TQorShTreeNode* node = tree.FindNode(ListOf(c.path).get());
        ASSERT_NE(node, nullptr);
        if (c.label.empty())
            EXPECT_EQ(node, tree.RootNode()) << c.path;
        else
            EXPECT_EQ(node->text(0).toStdString(), c.label) << c.path;
    }
    EXPECT_EQ(Labels(tree.RootNode()), (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));

    // SelectIDList selects what FindNode finds, once.
    tree.SelectIDList(ListOf(root + "/a/deep").get());
    EXPECT_EQ(SelectedPath(), root + "/a/deep");
    const std::size_t reports = reports_.size();
    tree.SelectIDList(ListOf(root + "/a/deep").get());
    EXPECT_EQ(reports_.size(), reports);
}

TEST_F(TreeBuildTest, ChangingTheRootKeepsTheSelectedFolderWhenItLiesUnderTheNewRoot)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/b");
    TQorShTreeView& tree = Build(root);
    tree.SelectIDList(ListOf(root + "/a/b").get());
    ASSERT_EQ(SelectedPath(), root + "/a/b");

    TQorShRoot narrower;
    narrower.SetUsesID(false);
    narrower.SetRootPath(root + "/a");
    tree.SetShRoot(narrower);
    EXPECT_EQ(tree.RootNode()->text(0).toStdString(), "a");
    EXPECT_EQ(SelectedPath(), root + "/a/b");
    EXPECT_EQ(reports_.back().node, tree.SelectedNode());
}

TEST_F(TreeBuildTest, IconsComeFromTheIconListAndAreFetchedAgainWhenTheSettingsChange)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/folder");
    MakeDir(root + "/picked");
    MakeFile(root + "/file.txt");
    ASSERT_EQ(symlink("file.txt", (root + "/link").c_str()), 0);
    TQorShTreeView& tree = Build(root);
    tree.SetIncludeFiles(true);
    Click(Child("picked"));

    const auto iconOf = [](TQorShTreeNode* node) {
        return node->data(0, Qt::DecorationRole).value<QIcon>();
    };
    const struct
    {
        const char* label;
        int index;
        bool overlaid;
    } cases[] = {
        {"folder", iiFolder, false},
        {"picked", iiFolderOpen, false}, // the selected folder shows its open icon
        {"file.txt", iiFile, false},
        {"link", iiSymlink, true},
    };
    for (const auto& c : cases) {
        TQorShTreeNode* node = Child(c.label);
        ASSERT_NE(node, nullptr) << c.label;
        const QIcon icon = iconOf(node);
        EXPECT_FALSE(icon.isNull()) << c.label;
        EXPECT_EQ(icon.cacheKey() == tree.IconFor(c.index, -1).cacheKey(), !c.overlaid) << c.label;
        EXPECT_EQ(node->Overlay(), c.overlaid ? 1 : -1) << c.label;
    }

    const qint64 before = iconOf(Child("folder")).cacheKey();
    QEvent themeChange(QEvent::ThemeChange);
    QApplication::sendEvent(&tree, &themeChange);
    ASSERT_TRUE(WaitUntil([&] { return iconOf(Child("folder")).cacheKey() != before; }, 2000));
    EXPECT_EQ(iconOf(Child("folder")).cacheKey(), tree.IconFor(iiFolder, -1).cacheKey());
}

} // namespace
} // namespace tallyrun::test
