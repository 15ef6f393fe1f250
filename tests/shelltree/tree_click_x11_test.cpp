// A click in the folder tree on a private X server, with the pointer moved by xdotool: the
// selection is reported on release, and a long handler of that report (the analysis run, which
// lets events run meanwhile) does not make the tree scroll by itself while the pointer rests
// above or below it. Skipped with the reason when Xvfb or xdotool is missing.
#include "shell_fixture.h"
#include "shelltree/tree_view.h"
#include "tests/support/x11_test_main.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <climits>
#include <memory>

namespace tallyrun::test {
namespace {

class TreeClickX11Test : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (const std::string reason = NoXdotoolReason(); !reason.empty())
            GTEST_SKIP() << reason;
        const std::string top = MakeDir(Root() + "/top");
        for (int i = 10; i < 50; ++i)
            MakeDir(top + "/folder " + std::to_string(i));
        tree_ = std::make_unique<TQorShTreeView>();
        TQorShRoot root;
        root.SetUsesID(false);
        root.SetRootPath(top);
        tree_->SetShRoot(root);
        tree_->setGeometry(100, 100, 300, 200);
        tree_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tree_.get()));
        tree_->Loaded();
        // Whole rows and half a row at the bottom.
        row_ = tree_->visualItemRect(tree_->RootNode()->child(0)).height();
        wholeRows_ = tree_->viewport()->height() / row_ - 1;
        const int spare = tree_->viewport()->height() - (wholeRows_ * row_ + row_ / 2);
        tree_->resize(tree_->width(), tree_->height() - spare);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return tree_->viewport()->height() == wholeRows_ * row_ + row_ / 2; }));
        ASSERT_GT(tree_->verticalScrollBar()->maximum(), 0);
    }
    void TearDown() override
    {
        tree_.reset();
        ShellFixture::TearDown();
    }

    std::unique_ptr<TQorShTreeView> tree_;
    int row_ = 0;       // pixels
    int wholeRows_ = 0; // rows shown whole from the top
};

TEST_F(TreeClickX11Test, TheTreeStaysWhereItIsThroughAClickAndItsLongReport)
{
    // A folder that may not be dragged, so that a press moved off it goes on as a press, as
    // it does on the Trash or the Computer.
    tree_->OnShBeginDrag = [](QObject*, TQorShFolderData*, bool& allow) { allow = false; };
    const int lastWhole = wholeRows_ * row_ - 4;
    const int middle = 2 * row_ + row_ / 2;
    const struct
    {
        const char* name;
        int scrollTo;  // where the tree is scrolled before the press
        int selectAt;  // viewport y of the folder selected before, or -1: one out of view
        int pressAt;   // viewport y of the press
        int releaseDy; // where the button goes up and the pointer rests, from the tree's edge;
                       // 0: where it went down
        int shown;     // rows the tree has scrolled down when the report begins; -1: any
    } cases[] = {
        // While the button is held outside, the tree scrolls towards the pointer as any list
        // does; it must stop when the button goes up.
        {"released below the tree", 0, middle, lastWhole, 40, -1},
        {"released above the tree", 1000, middle, 4, -40, -1},
        // The press must not show the old selection first.
        {"the selection out of view", 1000, -1, middle, 0, 0},
        // The tree shows the new selection whole before the report, not after it.
        {"a row half in view", 0, middle, wholeRows_ * row_ + row_ / 4, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.selectAt < 0)
            tree_->setCurrentItem(tree_->RootNode());
        tree_->verticalScrollBar()->setValue(c.scrollTo);
        if (c.selectAt >= 0)
            tree_->setCurrentItem(tree_->itemAt(QPoint(10, c.selectAt)));
        const int scrolled = tree_->verticalScrollBar()->value();
        QTreeWidgetItem* pressed = tree_->itemAt(QPoint(10, c.pressAt));
        ASSERT_NE(pressed, nullptr);
        ASSERT_NE(pressed, tree_->currentItem());
        const QPoint at = tree_->viewport()->mapToGlobal(
            QPoint(tree_->visualItemRect(pressed).left() + 6, c.pressAt));
        const QPoint released =
            c.releaseDy == 0
                ? at
                : tree_->mapToGlobal(
                      QPoint(150, c.releaseDy > 0 ? tree_->height() + c.releaseDy : c.releaseDy));

        // Where the tree is when the report begins, and how far it moves during the report.
        int reported = -1, lowest = INT_MAX, highest = INT_MIN;
        int reports = 0;
        tree_->OnChange = [&](QObject*, TQorShTreeNode* node) {
            ++reports;
            EXPECT_EQ(node, pressed);
            reported = lowest = highest = tree_->verticalScrollBar()->value();
            // Lets events run for a while, as the analysis run does between its files.
            QElapsedTimer timer;
            timer.start();
            while (timer.elapsed() < 1500) {
                QCoreApplication::processEvents();
                lowest = std::min(lowest, tree_->verticalScrollBar()->value());
                highest = std::max(highest, tree_->verticalScrollBar()->value());
                QThread::msleep(5);
            }
        };
        const auto moveTo = [](const QPoint& p) {
            return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y()), "sleep",
                               "0.1"};
        };
        QProcess xdotool;
        xdotool.start("xdotool", moveTo(at) + QStringList{"mousedown", "1", "sleep", "0.1"} +
                                     moveTo((at + released) / 2) + moveTo(released) +
                                     QStringList{"mouseup", "1"});
        ASSERT_TRUE(xdotool.waitForStarted());
        EXPECT_TRUE(QTest::qWaitFor([&] { return reports == 1; }, 15000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }));
        EXPECT_EQ(xdotool.exitCode(), 0);
        QTest::qWait(200);
        EXPECT_EQ(reports, 1);
        if (c.shown >= 0) {
            EXPECT_EQ(reported, scrolled + c.shown);
        }
        EXPECT_EQ(lowest, reported);
        EXPECT_EQ(highest, reported);
        EXPECT_EQ(tree_->verticalScrollBar()->value(), reported);
        EXPECT_EQ(tree_->SelectedNode(), pressed);
        tree_->OnChange = nullptr;
    }
}

} // namespace
} // namespace tallyrun::test
