// Files and namespace items dropped onto the folder tree's nodes, through the drag events the
// tree receives: copies land in the folder, a folder never takes itself or its ancestors, a
// name clash keeps both files, a held pointer opens the folder, and a malformed payload is
// refused whole before any file is touched.
#include "base/handler_errors.h"
#include "shelltree/drop_id_array.h"
#include "shelltree/drop_uri_list.h"
#include "tree_fixture.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallyrun::test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

QByteArray UriList(const std::vector<std::string>& paths)
{
    std::string text;
    for (const std::string& path : paths)
        text += FileUrlOfPath(path) + "\r\n";
    return QByteArray::fromStdString(text);
}

class TreeDropTest : public TreeFixture
{
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        previousDisplay_ =
            SetHandlerErrorDisplay([this](const QString& m) { messages_.push_back(m); });
    }
    void TearDown() override
    {
        SetHandlerErrorDisplay(previousDisplay_);
        TreeFixture::TearDown();
    }

    std::unique_ptr<QMimeData> Payload(const char* type, const QByteArray& bytes)
    {
        auto data = std::make_unique<QMimeData>();
        data->setData(type, bytes);
        return data;
    }
    QByteArray ArrayOfPath(const std::string& path)
    {
        const TIDListPtr list = ListOf(path);
        const TIDListPtr parent(TQorShID::ParentOfIDList(list.get()));
        const auto bytes = WriteIDArray(parent.get(), {TQorShID::LastID(list.get())});
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    }

    bool Enter(const QMimeData& data)
    {
        QDragEnterEvent event(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree_->viewport(), &event);
        return event.isAccepted();
    }
    // The effect a drag-over on the node answers; IgnoreAction for a refusal.
    Qt::DropAction Over(const QMimeData& data, TQorShTreeNode* node)
    {
        QDragMoveEvent event(LabelPoint(node), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                             &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree_->viewport(), &event);
        return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
    }
    Qt::DropAction Drop(const QMimeData& data, TQorShTreeNode* node,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QDropEvent event(QPointF(LabelPoint(node)),
                         Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton,
                         modifiers);
        QApplication::sendEvent(tree_->viewport(), &event);
        EXPECT_TRUE(AwaitDrops());
        return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
    }
    // The files are put in place off the window's thread; lets events run a pass at a time
    // until the tree has been told of every drop's outcome, so that what the outcome starts is
    // still under way when this returns.
    bool AwaitDrops()
    {
        QElapsedTimer waited;
        waited.start();
        while (tree_->DropsPending() > 0) {
            if (waited.elapsed() > 15000)
                return false;
            // Woken by the outcome, which is a posted event.
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    // Enter, one drag-over on the node and the drop.
    Qt::DropAction DragAndDrop(const QMimeData& data, TQorShTreeNode* node,
                               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        EXPECT_TRUE(Enter(data));
        Over(data, node);
        return Drop(data, node, modifiers);
    }

    std::vector<QString> messages_;
    TErrorDisplay previousDisplay_;
};

TEST_F(TreeDropTest, CopiesIntoTheFolderShowsTheNewFolderAndEndsTheDrag)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/target");
    const std::string source = MakeDir(Root() + "/outside/photos");
    MakeFile(source + "/a.jpg", "pixels");
    TQorShTreeView& tree = Build(root);
    TQorShTreeNode* target = Child("target");

    const auto data = Payload(TQorShDragObject::kUriListMimeType, UriList({source}));
    ASSERT_TRUE(Enter(*data));
    EXPECT_EQ(tree.MouseState(), TShMouseState::msOleDrag);
    EXPECT_EQ(Over(*data, target), Qt::CopyAction);
    EXPECT_EQ(tree.DropHighlighted(), target);
    EXPECT_EQ(Drop(*data, target), Qt::CopyAction);

    EXPECT_EQ(ReadText(root + "/target/photos/a.jpg"), "pixels");
    EXPECT_EQ(ReadText(source + "/a.jpg"), "pixels");
    // The tree looked again: the folder now shows it can be opened, and holds the copy.
    EXPECT_TRUE(target->HasChildren());
    tree.ExpandNode(target);
    EXPECT_EQ(Labels(target), std::vector<std::string>{"photos"});
    EXPECT_EQ(tree.MouseState(), TShMouseState::msNone);
    EXPECT_EQ(tree.DropHighlighted(), nullptr);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(TreeDropTest, ADropOntoAnOpenTreeLooksAgainAStepAtATimeAndShowsTheCopyAtTheEnd)
{
    const std::string root = MakeDir(Root() + "/tree");
    const std::vector<std::string> tops = {"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7"};
    for (const std::string& top : tops)
        for (const char* below : {"/e0", "/e1", "/e2", "/e3", "/e4"})
            fs::create_directories(root + "/" + top + below);
    const std::string source = MakeDir(Root() + "/outside/photos");
    TQorShTreeView& tree = Build(root);
    for (const std::string& top : tops)
        tree.ExpandNode(Child(top));
    tree.SetRefreshSliceBudget(std::chrono::milliseconds(0)); // one node per turn
    TQorShTreeNode* target = Child("e3", Child("d7"));
    ASSERT_NE(target, nullptr);

    // Once the files are in, the tree's second look is under way, the drag over; events posted
    // meanwhile are delivered before the look has reached its end.
    const auto data = Payload(TQorShDragObject::kUriListMimeType, UriList({source}));
    EXPECT_EQ(DragAndDrop(*data, target), Qt::CopyAction);
    EXPECT_TRUE(fs::is_directory(root + "/d7/e3/photos"));
    EXPECT_TRUE(tree.RefreshingVisible());
    EXPECT_EQ(tree.MouseState(), TShMouseState::msNone);
    bool deliveredDuringLook = false;
    QMetaObject::invokeMethod(
        &tree, [&] { deliveredDuringLook = tree.RefreshingVisible(); }, Qt::QueuedConnection);
    ASSERT_TRUE(WaitUntil([&] { return !tree.RefreshingVisible(); }, 15000));
    EXPECT_TRUE(deliveredDuringLook);

    EXPECT_TRUE(target->HasChildren());
    tree.ExpandNode(target);
    EXPECT_EQ(Labels(target), std::vector<std::string>{"photos"});
    EXPECT_TRUE(messages_.empty());
}

TEST_F(TreeDropTest, AFolderIsRefusedOntoItselfAndItsDescendantsButNotOntoOthers)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/a/b/c");
    MakeDir(root + "/other");
    TQorShTreeView& tree = Build(root);
    TQorShTreeNode* a = Child("a");
    tree.ExpandNode(a);
    TQorShTreeNode* b = Child("b", a);
    tree.ExpandNode(b);

    const auto dragged = Payload(kIDArrayMimeType, ArrayOfPath(root + "/a/b"));
    ASSERT_TRUE(Enter(*dragged));
    const struct
    {
        TQorShTreeNode* node;
        Qt::DropAction effect;
    } cases[] = {
        {b, Qt::IgnoreAction},
        {Child("c", b), Qt::IgnoreAction},
        {a, Qt::CopyAction},
        {Child("other"), Qt::CopyAction},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Over(*dragged, c.node), c.effect) << c.node->text(0).toStdString();

    // A drop onto its own child is refused as well, and nothing is made there.
    Over(*dragged, Child("c", b));
    EXPECT_EQ(Drop(*dragged, Child("c", b)), Qt::IgnoreAction);
    EXPECT_EQ(fs::directory_iterator(root + "/a/b/c"), fs::directory_iterator());
}

TEST_F(TreeDropTest, ANameClashKeepsBothFilesSaysSoAndLeavesTheSourceNothingToDelete)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/target");
    MakeFile(root + "/target/x.txt", "old");
    const std::string source = MakeFile(Root() + "/x.txt", "new");
    Build(root);

    const std::string other = MakeFile(Root() + "/y.txt", "moved");
    const auto data = Payload(TQorShDragObject::kUriListMimeType, UriList({source}));
    DragAndDrop(*data, Child("target"));

    EXPECT_EQ(ReadText(root + "/target/x.txt"), "old");
    EXPECT_EQ(ReadText(source), "new");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(QString::fromStdString(source)))
        << messages_[0].toStdString();
    // The reason speaks the program's language, as the rest of the window does.
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("同じ名前の項目がフォルダにある")))
        << messages_[0].toStdString();

    // A move moves what it can and tells the source of a copy, so the source deletes nothing,
    // least of all the file the clash kept with it.
    const auto both = Payload(TQorShDragObject::kUriListMimeType, UriList({source, other}));
    EXPECT_EQ(DragAndDrop(*both, Child("target"), Qt::ShiftModifier), Qt::CopyAction);
    EXPECT_EQ(ReadText(root + "/target/y.txt"), "moved");
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(ReadText(source), "new");
    EXPECT_EQ(ReadText(root + "/target/x.txt"), "old");
}

TEST_F(TreeDropTest, MalformedPayloadsAreRefusedWholeWithAMessageBeforeAnyFileIsTouched)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/target");
    const std::string good = MakeFile(Root() + "/good.txt", "g");
    Build(root);

    QByteArray truncated = ArrayOfPath(good);
    truncated.chop(3);
    const struct
    {
        const char* name;
        const char* type;
        QByteArray bytes;
        const char* says; // the message speaks the program's language
    } cases[] = {
        {"truncated identifier array", kIDArrayMimeType, truncated, "識別子の配列"},
        {"garbage identifier array", kIDArrayMimeType, QByteArray("\xff\xff\xff\x7f", 4),
         "識別子の配列"},
        {"good file then a remote URL", TQorShDragObject::kUriListMimeType,
         UriList({good}) + "http://example.org/x\r\n", "ローカルファイルの URL でない"},
        {"a file URL on another host", TQorShDragObject::kUriListMimeType, "file://elsewhere/x\r\n",
         "別のホスト"},
    };
    for (const auto& c : cases) {
        messages_.clear();
        const auto data = Payload(c.type, c.bytes);
        EXPECT_EQ(DragAndDrop(*data, Child("target")), Qt::IgnoreAction) << c.name;
        ASSERT_EQ(messages_.size(), 1u) << c.name;
        EXPECT_TRUE(messages_[0].contains(QString::fromUtf8(c.says)))
            << c.name << ": " << messages_[0].toStdString();
        EXPECT_EQ(fs::directory_iterator(root + "/target"), fs::directory_iterator()) << c.name;
        EXPECT_EQ(tree_->MouseState(), TShMouseState::msNone) << c.name;
    }
    EXPECT_EQ(ReadText(good), "g");
}

TEST_F(TreeDropTest, AFolderHeldUnderTheDragOpensOnTheThirtySecondDragOver)
{
    const std::string root = MakeDir(Root() + "/tree");
    MakeDir(root + "/deep/inner");
    const std::string source = MakeFile(Root() + "/f.txt");
    Build(root);
    TQorShTreeNode* deep = Child("deep");
    ASSERT_FALSE(deep->isExpanded());

    const auto data = Payload(TQorShDragObject::kUriListMimeType, UriList({source}));
    ASSERT_TRUE(Enter(*data));
    for (int i = 1; i <= 31; ++i)
        Over(*data, deep);
    EXPECT_FALSE(deep->isExpanded());
    Over(*data, deep);
    EXPECT_TRUE(deep->isExpanded());
    EXPECT_EQ(Labels(deep), std::vector<std::string>{"inner"});

    // A pointer resting on a folder opens it too, although no further drag-over arrives.
    TQorShTreeNode* inner = Child("inner", deep);
    MakeDir(root + "/deep/inner/x");
    tree_->RefreshChildren(inner);
    inner->SetHasChildren(true);
    Over(*data, inner);
    EXPECT_TRUE(QTest::qWaitFor([inner] { return inner->isExpanded(); }, 5000));

    // Leaving ends the drag: no drag object, no highlight.
    QDragLeaveEvent leave;
    QApplication::sendEvent(tree_->viewport(), &leave);
    EXPECT_EQ(tree_->MouseState(), TShMouseState::msNone);
    EXPECT_EQ(tree_->DropHighlighted(), nullptr);
    EXPECT_EQ(Over(*data, deep), Qt::IgnoreAction);
}

} // namespace
} // namespace tallyrun::test
