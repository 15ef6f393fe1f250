// Renaming a node in place, double-clicking items and drive captions that follow removable
// media, on a real tree widget over temporary folders.
#include "tree_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include <sys/stat.h>

#include <filesystem>

namespace tallyrun::test {
namespace {

namespace fs = std::filesystem;

// Records what would have been opened instead of starting anything.
class RecordingLauncher : public TItemLauncher
{
public:
    explicit RecordingLauncher(std::vector<std::string>& opened) : opened_(opened) {}
    bool Open(const std::string& path) override
    {
        opened_.push_back(path);
        return true;
    }

private:
    std::vector<std::string>& opened_;
};

class TreeActionsTest : public TreeFixture
{
protected:
    // Edits the node's label to `text` and presses Return.
    void EditLabel(TQorShTreeNode* node, const QString& text)
    {
        tree_->editItem(node);
        auto* editor = tree_->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over through a queued call and is deleted later.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void DoubleClick(TQorShTreeNode* node)
    {
        // As the desktop delivers it: a click, then a press, the double-click and a release.
        const QPoint pos = LabelPoint(node);
        QTest::mouseClick(tree_->viewport(), Qt::LeftButton, {}, pos);
        QTest::mousePress(tree_->viewport(), Qt::LeftButton, {}, pos);
        QMouseEvent twice(QEvent::MouseButtonDblClick, pos, tree_->viewport()->mapToGlobal(pos),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree_->viewport(), &twice);
        QTest::mouseRelease(tree_->viewport(), Qt::LeftButton, {}, pos);
    }
    void UseRecordingLauncher()
    {
        tree_->SetLauncher(std::make_unique<RecordingLauncher>(opened_));
        tree_->RunConfirm = [this](const std::string& path) {
            asked_.push_back(path);
            return false;
        };
    }

    std::vector<std::string> opened_;
    std::vector<std::string> asked_;
};

TEST_F(TreeActionsTest, RenameTakesAFreeNameAndRefusesEverythingThatWouldOverwriteOrEscape)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/m/inner");
    MakeDir(root + "/taken");
    MakeFile(root + "/taken/keep.txt");
    TQorShTreeView& tree = Build(root);
    tree.ExpandNode(Child("m"));

    // A refused name shows the old one again and changes nothing on disk.
    for (const char* refused : {"taken", "", ".", "..", "a/b"}) {
        EditLabel(Child("m"), QString::fromUtf8(refused));
        EXPECT_EQ(Labels(tree.RootNode()), (std::vector<std::string>{"m", "taken"})) << refused;
        EXPECT_TRUE(fs::is_directory(root + "/m/inner")) << refused;
        EXPECT_TRUE(fs::exists(root + "/taken/keep.txt")) << refused;
    }

    // An accepted name sorts the node among its siblings, keeps it open with its children.
    EditLabel(Child("m"), "zeta");
    EXPECT_EQ(Labels(tree.RootNode()), (std::vector<std::string>{"taken", "zeta"}));
    EXPECT_TRUE(fs::is_directory(root + "/zeta/inner"));
    TQorShTreeNode* renamed = Child("zeta");
    EXPECT_TRUE(renamed->isExpanded());
    EXPECT_EQ(Labels(renamed), std::vector<std::string>{"inner"});
    EXPECT_EQ(renamed->Item()->Path(), root + "/zeta");

    // The watcher, paused for each rename, is back on the drive roots.
    ASSERT_NE(tree.Watcher(), nullptr);
    EXPECT_EQ(tree.Watcher()->WatchList(), tree.DriveRoots());
}

TEST_F(TreeActionsTest, DoubleClickExpandsFoldersFollowsLinksAndAsksBeforeRunningPrograms)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/folder/sub");
    const std::string target = MakeDir(root + "/target");
    fs::create_directory_symlink(target, root + "/link");
    const std::string doc = MakeFile(root + "/notes.txt");
    const std::string script = MakeFile(root + "/tool.sh", "#!/bin/sh\n");
    ::chmod(script.c_str(), 0755);
    TQorShTreeView& tree = Build(root);
    tree.SetIncludeFiles(true);
    UseRecordingLauncher();

    // A folder is not run: the double-click only opens it.
    DoubleClick(Child("folder"));
    EXPECT_TRUE(Child("folder")->isExpanded());
    EXPECT_TRUE(opened_.empty());

    // A link to a folder selects the folder it leads to.
    DoubleClick(Child("link"));
    EXPECT_EQ(SelectedPath(), target);
    EXPECT_TRUE(opened_.empty());

    // A document opens; a program is only asked about, and refused here.
    DoubleClick(Child("notes.txt"));
    DoubleClick(Child("tool.sh"));
    EXPECT_EQ(opened_, std::vector<std::string>{doc});
    EXPECT_EQ(asked_, std::vector<std::string>{script});
}

TEST_F(TreeActionsTest, DriveCaptionsFollowMountsAndUnmountsOfShownDrivesOnly)
{
    TQorShTreeView& tree = Build();
    TQorShTreeNode* computer = Child("コンピューター");
    ASSERT_NE(computer, nullptr);
    ASSERT_GT(computer->childCount(), 0);
    TQorShTreeNode* drive = computer->ChildNode(0);
    std::string mount = drive->Item()->Path();
    if (mount.size() > 1 && mount.back() == '/')
        mount.pop_back();

    std::vector<std::string> mounted{mount};
    tree.SetMediaSource([&mounted] { return mounted; },
                        [](const std::string&) { return std::string("DATA"); });
    const std::vector<std::string> before = Labels(computer);

    // A volume the tree does not show changes no caption.
    mounted.push_back("/media/nowhere");
    tree.MediaChanged();
    EXPECT_EQ(Labels(computer), before);

    mounted = {};
    tree.MediaChanged();
    EXPECT_EQ(drive->text(0).toStdString(), " (" + mount + ")");
    mounted = {mount};
    tree.MediaChanged();
    EXPECT_EQ(drive->text(0).toStdString(), "Data (" + mount + ")");
}

} // namespace
} // namespace tallyrun::test
