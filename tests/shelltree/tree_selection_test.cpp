// When the folder tree reports a new selection: on release for a click, never for the right
// button, after 500 ms of rest while an arrow key is held, at once for other keys.
#include "tree_fixture.h"

#include <QApplication>
#include <QKeyEvent>

#include <filesystem>

namespace tallyrun::test {
namespace {

class TreeSelectionTest : public TreeFixture
{
protected:
    // A root with folders f00 .. f11, built; the first report (the root) is dropped.
    TQorShTreeView& BuildFlat()
    {
        root_ = MakeDir(Root() + "/tree");
        for (int i = 0; i < 12; ++i)
            MakeDir(root_ + "/f" + (i < 10 ? "0" : "") + std::to_string(i));
        TQorShTreeView& tree = Build(root_);
        reports_.clear();
        tree.setFocus();
        return tree;
    }
    // A key held down: the first press, then the desktop's repeats (release and press pairs
    // marked as repeats).
    void HoldKey(Qt::Key key, int presses)
    {
        for (int i = 0; i < presses; ++i) {
            if (i > 0) {
                QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(tree_.get(), &up);
            }
            QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
            QApplication::sendEvent(tree_.get(), &down);
        }
    }
    void ReleaseKey(Qt::Key key) { QTest::keyRelease(tree_.get(), key); }

    std::string root_;
};

TEST_F(TreeSelectionTest, ClickReportsOnceOnReleaseAndTheRightButtonOnlyHighlights)
{
    TQorShTreeView& tree = BuildFlat();
    TQorShTreeNode* target = Child("f03");

    Press(target);
    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(tree.SelectedNode(), tree.RootNode());
    EXPECT_EQ(tree.DropHighlighted(), target);
    EXPECT_EQ(tree.MouseState(), TShMouseState::msLeftPressed);
    Release(target);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].node, target);
    EXPECT_EQ(tree.SelectedNode(), target);
    EXPECT_EQ(tree.DropHighlighted(), nullptr);
    EXPECT_EQ(tree.MouseState(), TShMouseState::msNone);

    TQorShTreeNode* other = Child("f07");
    Press(other, Qt::RightButton);
    EXPECT_EQ(tree.DropHighlighted(), other);
    EXPECT_EQ(tree.MouseState(), TShMouseState::msRightPressed);
    EXPECT_EQ(tree.SelectedNode(), target);
    Release(other, Qt::RightButton);
    EXPECT_EQ(tree.SelectedNode(), target);
    EXPECT_EQ(tree.DropHighlighted(), nullptr);
    EXPECT_EQ(tree.MouseState(), TShMouseState::msNone);
    EXPECT_EQ(reports_.size(), 1u);

    // A press on one folder and a release over another selects the pressed one.
    Press(Child("f01"));
    Release(Child("f02"));
    EXPECT_EQ(tree.SelectedNode(), Child("f01"));
    EXPECT_EQ(reports_.size(), 2u);
}

TEST_F(TreeSelectionTest, HoldingDownReportsOnlyTheFolderWhereTheSelectionRests)
{
    TQorShTreeView& tree = BuildFlat();
    Click(Child("f00"));
    reports_.clear();

    HoldKey(Qt::Key_Down, 10);
    const qint64 lastPress = clock_.elapsed();
    EXPECT_TRUE(tree.ArrowKeyDown());
    EXPECT_EQ(tree.SelectedNode(), Child("f10"));
    EXPECT_TRUE(reports_.empty());

    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 5000));
    EXPECT_EQ(reports_[0].node, Child("f10"));
    EXPECT_GE(reports_[0].atMs - lastPress, 450);
    RunEventsFor(700);
    EXPECT_EQ(reports_.size(), 1u);
    ReleaseKey(Qt::Key_Down);
    EXPECT_FALSE(tree.ArrowKeyDown());
}

TEST_F(TreeSelectionTest, OtherKeysReportAtOnce)
{
    const struct
    {
        Qt::Key key;
        const char* lands;
    } cases[] = {{Qt::Key_End, "f11"}, {Qt::Key_Home, "tree"}, {Qt::Key_PageDown, nullptr}};
    TQorShTreeView& tree = BuildFlat();
    Click(Child("f05"));
    for (const auto& c : cases) {
        reports_.clear();
        QTest::keyClick(&tree, c.key);
        ASSERT_EQ(reports_.size(), 1u) << c.key;
        EXPECT_EQ(reports_[0].node, tree.SelectedNode());
        if (c.lands) {
            EXPECT_EQ(tree.SelectedNode()->text(0).toStdString(), c.lands);
        }
    }
    // With the change delay off, arrow keys report at once too.
    tree.SetChangeDelay(false);
    reports_.clear();
    HoldKey(Qt::Key_Up, 3);
    EXPECT_EQ(reports_.size(), 3u);
    ReleaseKey(Qt::Key_Up);
}

TEST_F(TreeSelectionTest, PendingReportOfADeletedNodeIsDropped)
{
    TQorShTreeView& tree = BuildFlat();
    Click(Child("f00"));
    reports_.clear();
    HoldKey(Qt::Key_Down, 4);
    ReleaseKey(Qt::Key_Down);
    ASSERT_EQ(tree.SelectedNode(), Child("f04"));
    ASSERT_NE(tree.ChangeDelayThread()->PendingNode(), nullptr);

    std::filesystem::remove(root_ + "/f04");
    tree.RefreshChildren(tree.RootNode());
    ASSERT_EQ(Child("f04"), nullptr);
    RunEventsFor(900);
    EXPECT_EQ(tree.ChangeDelayThread()->PendingNode(), nullptr);
    // Only the node the selection moved on to may have been reported, never the deleted one.
    for (const Report& report : reports_)
        EXPECT_EQ(report.node, tree.SelectedNode());
}

TEST_F(TreeSelectionTest, MouseSelectionDuringAPendingReportIsReportedAtOnce)
{
    TQorShTreeView& tree = BuildFlat();
    Click(Child("f00"));
    reports_.clear();
    HoldKey(Qt::Key_Down, 2);
    ReleaseKey(Qt::Key_Down);
    Click(Child("f09"));
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].node, Child("f09"));
    // The pending report still follows for the node it was made for.
    ASSERT_TRUE(WaitUntil([&] { return reports_.size() == 2; }, 5000));
    EXPECT_EQ(reports_[1].node, Child("f02"));
    EXPECT_EQ(tree.SelectedNode(), Child("f09"));
}

TEST_F(TreeSelectionTest, ATreeGoneBeforeItsDelayedReportReportsNothing)
{
    TQorShTreeView& tree = BuildFlat();
    Click(Child("f00"));
    reports_.clear();
    HoldKey(Qt::Key_Down, 3);
    ASSERT_NE(tree.ChangeDelayThread()->PendingNode(), nullptr);
    tree_.reset(); // stops and joins both threads
    RunEventsFor(800);
    EXPECT_TRUE(reports_.empty());
}

} // namespace
} // namespace tallyrun::test
