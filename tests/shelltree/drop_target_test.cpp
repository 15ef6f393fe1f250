// A drop onto a folder node with the payloads other programs hand over: identifier arrays and
// file lists resolved to real temp folders, refused whole when any part is unusable.
#include "shelltree/drop_target.h"

#include "shelltree/drop_uri_list.h"
#include "shelltree/item_id.h"
#include "tests/support/temp_tree.h"

#include <QMimeData>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tallyrun::test {
namespace {

namespace fs = std::filesystem;

TIDListPtr ListOfPath(const std::string& path)
{
    PItemIDList list = nullptr;
    EXPECT_TRUE(TQorShID::IDListFromPath(path, list)) << path;
    return TIDListPtr(list);
}

QByteArray ArrayOf(PCItemIDList parent, std::vector<PCItemIDList> items)
{
    const auto bytes = WriteIDArray(parent, items);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

TEST(DropTarget, ResolvesEitherPayloadAndRefusesOntoItselfOrUnusableItems)
{
    TTempTree tree;
    const std::string root = tree.Folder();
    fs::create_directories(root + "/from/dir/sub");
    fs::create_directories(root + "/to");
    std::ofstream(root + "/from/f\xff") << "x";

    const auto parent = ListOfPath(root + "/from");
    const TIDListPtr dir(MakeItemID(TShIDKind::Folder, "dir"));
    QMimeData one;
    one.setData(kIDArrayMimeType, ArrayOf(parent.get(), {dir.get()}));
    TQorShDragObject dragDir(&one);
    // Onto itself or below it: refused while dragging over; elsewhere allowed.
    EXPECT_TRUE(DragIsOntoItself(dragDir, ListOfPath(root + "/from/dir").get()));
    EXPECT_TRUE(DragIsOntoItself(dragDir, ListOfPath(root + "/from/dir/sub").get()));
    EXPECT_FALSE(DragIsOntoItself(dragDir, ListOfPath(root + "/from").get()));
    EXPECT_FALSE(DragIsOntoItself(dragDir, ListOfPath(root + "/to").get()));

    TDropRequest request;
    std::string error;
    ASSERT_TRUE(RequestDrop(dragDir, root + "/to", Qt::NoModifier, request, error)) << error;
    auto outcomes = CarryOutDrop(request);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].result, platform::TDropItemResult::driDone);
    EXPECT_TRUE(fs::is_directory(root + "/to/dir/sub"));

    QMimeData files;
    files.setData(TQorShDragObject::kUriListMimeType,
                  QByteArray::fromStdString(FileUrlOfPath(root + "/from/f\xff") + "\r\n"));
    TQorShDragObject dragFile(&files);
    ASSERT_TRUE(RequestDrop(dragFile, root + "/to", Qt::ShiftModifier, request, error)) << error;
    EXPECT_EQ(request.effect, platform::TDropEffect::deMove);
    CarryOutDrop(request);
    EXPECT_TRUE(fs::exists(root + "/to/f\xff"));
    EXPECT_FALSE(fs::exists(root + "/from/f\xff"));

    // An item without a path (the Trash) refuses the whole array: the folder is not copied.
    const TIDListPtr trash(MakeItemID(TShIDKind::Trash, ""));
    const TIDListPtr desktop(TQorShID::AllocIDList(2));
    QMimeData mixed;
    mixed.setData(kIDArrayMimeType, ArrayOf(desktop.get(), {trash.get()}));
    TQorShDragObject dragMixed(&mixed);
    fs::remove_all(root + "/to/dir");
    error.clear();
    EXPECT_FALSE(RequestDrop(dragMixed, root + "/to", Qt::NoModifier, request, error));
    EXPECT_FALSE(error.empty());
    fs::remove_all(root); // Qt's own removal skips names that are not UTF-8
}

} // namespace
} // namespace tallyrun::test
