// A real drag of a folder out of one folder tree and onto a folder node of another, on a
// private X server with the pointer moved by xdotool: the folder is copied and the drag ends
// in both trees; Escape in the middle of a drag cancels it. Skipped with the reason when Xvfb
// or xdotool is missing.
#include "shell_fixture.h"
#include "shelltree/tree_view.h"
#include "tests/support/x11_test_main.h"

#include <QProcess>
#include <QTest>

#include <filesystem>
#include <memory>

namespace tallyrun::test {
namespace {

namespace fs = std::filesystem;

class TreeDragX11Test : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        if (const std::string reason = NoXdotoolReason(); !reason.empty())
            GTEST_SKIP() << reason;
        from_ = MakeDir(Root() + "/from");
        MakeDir(from_ + "/photos/2024");
        to_ = MakeDir(Root() + "/to");
        MakeDir(to_ + "/dest");
        source_ = Tree(from_, 0);
        target_ = Tree(to_, 450);
    }
    void TearDown() override
    {
        source_.reset();
        target_.reset();
        ShellFixture::TearDown();
    }

    std::unique_ptr<TQorShTreeView> Tree(const std::string& path, int left)
    {
        auto tree = std::make_unique<TQorShTreeView>();
        TQorShRoot root;
        root.SetUsesID(false);
        root.SetRootPath(path);
        tree->SetShRoot(root);
        tree->setGeometry(left, 0, 400, 300);
        tree->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
        tree->Loaded();
        return tree;
    }
    // The screen point on the label of the tree's first child called `label`.
    QPoint ScreenPoint(TQorShTreeView& tree, const QString& label)
    {
        QTreeWidgetItem* root = tree.RootNode();
        for (int i = 0; root && i < root->childCount(); ++i)
            if (root->child(i)->text(0) == label) {
                const QRect rect = tree.visualItemRect(root->child(i));
                return tree.viewport()->mapToGlobal(QPoint(rect.left() + 6, rect.center().y()));
            }
        ADD_FAILURE() << label.toStdString();
        return {};
    }
    // Runs xdotool with the pointer steps while the event loop goes on.
    void Pointer(const QStringList& steps)
    {
        xdotool_.start("xdotool", steps);
        ASSERT_TRUE(xdotool_.waitForStarted());
    }
    // Waits with the event loop running, so the drag goes on meanwhile.
    bool PointerDone()
    {
        return QTest::qWaitFor([this] { return xdotool_.state() == QProcess::NotRunning; },
                               15000) &&
               xdotool_.exitCode() == 0;
    }
    static QStringList MoveTo(const QPoint& p)
    {
        return {"mousemove", QString::number(p.x()), QString::number(p.y()), "sleep", "0.2"};
    }

    std::string from_;
    std::string to_;
    std::unique_ptr<TQorShTreeView> source_;
    std::unique_ptr<TQorShTreeView> target_;
    QProcess xdotool_;
};

TEST_F(TreeDragX11Test, AFolderDraggedOntoAnotherTreesFolderIsCopiedThere)
{
    const QPoint start = ScreenPoint(*source_, "photos");
    const QPoint end = ScreenPoint(*target_, "dest");
    Pointer(MoveTo(start) + QStringList{"mousedown", "1", "sleep", "0.2"} +
            MoveTo(start + QPoint(12, 0)) + MoveTo(end - QPoint(0, 3)) + MoveTo(end) +
            MoveTo(end + QPoint(1, 0)) + QStringList{"mouseup", "1"});
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return fs::is_directory(to_ + "/dest/photos/2024"); }, 15000));
    EXPECT_TRUE(PointerDone());
    EXPECT_TRUE(fs::is_directory(from_ + "/photos/2024"));
    EXPECT_TRUE(QTest::qWaitFor([this] {
        return source_->MouseState() == TShMouseState::msNone &&
               target_->MouseState() == TShMouseState::msNone;
    }));
    EXPECT_EQ(target_->DropHighlighted(), nullptr);
}

TEST_F(TreeDragX11Test, EscapeOrBothButtonsCancelADragOut)
{
    const QStringList cancels[] = {{"key", "Escape"}, {"mousedown", "3"}};
    for (const QStringList& cancel : cancels) {
        int entered = 0;
        target_->OnShDragEnter = [&entered](QObject*, TQorShFolderData*, bool&) { ++entered; };
        const QPoint start = ScreenPoint(*source_, "photos");
        const QPoint end = ScreenPoint(*target_, "dest");
        Pointer(MoveTo(start) + QStringList{"mousedown", "1", "sleep", "0.2"} +
                MoveTo(start + QPoint(12, 0)) + MoveTo(end) + MoveTo(end + QPoint(1, 0)) + cancel +
                QStringList{"sleep", "0.3", "mouseup", "1", "mouseup", "3"});
        EXPECT_TRUE(PointerDone());
        QTest::qWait(300);
        EXPECT_GT(entered, 0) << cancel.join(' ').toStdString(); // the drag reached the other tree
        EXPECT_FALSE(fs::exists(to_ + "/dest/photos")) << cancel.join(' ').toStdString();
        EXPECT_EQ(source_->MouseState(), TShMouseState::msNone);
        EXPECT_EQ(target_->MouseState(), TShMouseState::msNone);
    }
}

} // namespace
} // namespace tallyrun::test
