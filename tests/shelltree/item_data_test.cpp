// Item records on real temporary trees: kinds, paths, names, attributes, icons and renaming.
#include "shelltree/item_data.h"

#include "shell_fixture.h"
#include "shelltree/folder_locations.h"
#include "shelltree/icon_list.h"
#include "shelltree/item_id.h"
#include "shelltree/sh_folder.h"
#include "shelltree/sh_root.h"

#include <filesystem>

namespace tallyrun::test {
namespace {

using ItemDataTest = ShellFixture;

std::unique_ptr<TQorShFolderData> RecordOf(TIDListPtr list)
{
    return std::make_unique<TQorShFolderData>(list.release());
}

std::unique_ptr<TQorShFolderData> SpecialRecord(TShSpecialFolderID id)
{
    PItemIDList list = nullptr;
    EXPECT_TRUE(SpecialFolderIDList(id, list));
    return std::make_unique<TQorShFolderData>(list);
}

TEST_F(ItemDataTest, KindsOfTheNamespacesItems)
{
    const std::string dir = MakeDir(Root() + "/folder");
    const std::string file = MakeFile(dir + "/file.txt");
    const auto root = TQorShRoot().MakeRootItem();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->ItemType(), itDeskTop);
    EXPECT_EQ(SpecialRecord(sfidDrives)->ItemType(), itMyComputer);
    EXPECT_EQ(SpecialRecord(sfidBitBucket)->ItemType(), itBitBucket);
    EXPECT_EQ(SpecialRecord(sfidNetWork)->ItemType(), itNetWork);
    EXPECT_EQ(SpecialRecord(sfidPersonal)->ItemType(), itFolder);

    const auto drive = RecordOf(ListOf("/"));
    EXPECT_EQ(drive->Level(), 2);
    EXPECT_EQ(drive->ItemType(), itRootDrive);
    EXPECT_EQ(drive->Path(), "/");
    EXPECT_EQ(drive->IconIndex(), iiDriveHarddisk);

    // A folder directly on the drive, and one deeper.
    const auto top = RecordOf(ListOf("/tmp"));
    EXPECT_EQ(top->ItemType(), itFolder);
    const auto folder = RecordOf(ListOf(dir));
    EXPECT_EQ(folder->ItemType(), itFolder);
    EXPECT_EQ(folder->Path(), dir);
    const auto record = RecordOf(ListOf(file));
    EXPECT_EQ(record->ItemType(), itFile);
    EXPECT_FALSE(record->HasAttribute(saFolder));
    EXPECT_EQ(record->OpenIconIndex(), record->IconIndex());
    EXPECT_EQ(record->IconIndex(), iiFile);
    EXPECT_EQ(folder->IconIndex(), iiFolder);
    EXPECT_EQ(folder->OpenIconIndex(), iiFolderOpen);
}

TEST_F(ItemDataTest, DesktopEntriesAreLevelOneFoldersAndFiles)
{
    MakeDir(Desktop() + "/Work");
    MakeFile(Desktop() + "/todo.txt");
    const auto desktop = TShFolder::Desktop();
    std::vector<TIDListPtr> children;
    desktop->EnumObjects(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, children);
    std::map<std::string, TShItemIDType> kinds;
    for (auto& child : children) {
        TQorShFolderData record(child.release());
        kinds[record.DisplayName()] = record.ItemType();
        EXPECT_EQ(record.Level(), 1);
    }
    EXPECT_EQ(kinds["Work"], itFolder);
    EXPECT_EQ(kinds["todo.txt"], itFile);
    EXPECT_EQ(kinds["コンピューター"], itMyComputer);
    EXPECT_EQ(kinds["ゴミ箱"], itBitBucket);
}

TEST_F(ItemDataTest, DesktopRootsPathIsTheDesktopDirectoryWhileItsNameIsTheDesktops)
{
    const auto root = TQorShRoot().MakeRootItem();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Level(), 0);
    EXPECT_TRUE(root->IsValid());
    EXPECT_EQ(root->Path(), Desktop());
    EXPECT_EQ(root->DisplayName(), "デスクトップ");
    EXPECT_EQ(root->ParentIDList(), nullptr);
    EXPECT_EQ(root->IconIndex(), iiDesktop);
    EXPECT_TRUE(root->HasAttribute(saHasSubfolder));
    // Its own folder is the Desktop's, which lists Computer first.
    const auto own = root->OwnFolder();
    ASSERT_TRUE(own);
    std::vector<TIDListPtr> children;
    own->EnumObjects(SHCONTF_FOLDERS, children);
    ASSERT_FALSE(children.empty());
    EXPECT_EQ(TQorShData(children[0].release()).ItemType(), itMyComputer);
}

TEST_F(ItemDataTest, WithoutADesktopDirectoryTheHomeStandsIn)
{
    std::filesystem::remove(Desktop());
    const auto root = TQorShRoot().MakeRootItem();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Path(), Home());
}

TEST_F(ItemDataTest, LinkedDesktopDirectoryStillGivesTheDesktopRoot)
{
    const std::string real = MakeDir(Root() + "/real-desktop");
    MakeDir(real + "/inside");
    std::filesystem::remove(Desktop());
    std::filesystem::create_directory_symlink(real, Desktop());
    const auto root = TQorShRoot().MakeRootItem();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Path(), Desktop());
    // A root given by a path through a link lists the folder the link leads to.
    TQorShRoot byPath;
    byPath.SetUsesID(false);
    byPath.SetRootPath(Desktop());
    const auto item = byPath.MakeRootItem();
    ASSERT_TRUE(item);
    const auto own = item->OwnFolder();
    ASSERT_TRUE(own);
    std::vector<TIDListPtr> children;
    EXPECT_TRUE(own->EnumObjects(SHCONTF_FOLDERS, children));
    EXPECT_EQ(children.size(), 1u);
}

TEST_F(ItemDataTest, AttributesFollowTheFileSystem)
{
    const std::string dir = MakeDir(Root() + "/attrs");
    MakeDir(dir + "/.hidden/sub");
    MakeDir(dir + "/leaf");
    MakeFile(dir + "/.hidden/target.txt");
    std::filesystem::create_symlink(dir + "/.hidden/target.txt", dir + "/link");
    std::filesystem::create_directory_symlink(dir + "/leaf", dir + "/folder-link");
    const auto hidden = RecordOf(ListOf(dir + "/.hidden"));
    EXPECT_TRUE(hidden->HasAttribute(saHidden));
    EXPECT_TRUE(hidden->HasAttribute(saHasSubfolder));
    EXPECT_TRUE(hidden->HasAttribute(saFileSystem));
    EXPECT_TRUE(hidden->HasAttribute(saCanRename));
    EXPECT_TRUE(hidden->HasAttribute(saFileSysAncestor + 128)); // taken modulo 128
    const auto leaf = RecordOf(ListOf(dir + "/leaf"));
    EXPECT_FALSE(leaf->HasAttribute(saHidden));
    EXPECT_FALSE(leaf->HasAttribute(saHasSubfolder));
    EXPECT_EQ(leaf->OverlayIndex(), -1);
    // A listed link to a file is a linked file, a link to a folder a linked folder; both
    // have the link overlay.
    const auto folder = TShFolder::Desktop()->BindToObject(ListOf(dir).get());
    ASSERT_TRUE(folder);
    for (const auto& [flags, type] :
         {std::pair{SHCONTF_NONFOLDERS, itFile}, std::pair{SHCONTF_FOLDERS, itFolder}}) {
        std::vector<TIDListPtr> found;
        folder->EnumObjects(flags, found);
        std::erase_if(found, [&](const TIDListPtr& item) {
            std::string name;
            folder->GetDisplayNameOf(item.get(), name);
            return !name.ends_with("link");
        });
        ASSERT_EQ(found.size(), 1u);
        PItemIDList absolute = TQorShID::ConcatIDLists(folder->AbsoluteIDList(), found[0].get());
        const auto link = std::make_unique<TQorShFolderData>(absolute, found[0].release());
        EXPECT_EQ(link->ItemType(), type);
        EXPECT_TRUE(link->HasAttribute(saLink));
        EXPECT_EQ(link->OverlayIndex(), 1);
    }
    EXPECT_FALSE(SpecialRecord(sfidDrives)->HasAttribute(saFileSystem));
    EXPECT_FALSE(TQorShData().HasAttribute(saFolder));
}

TEST_F(ItemDataTest, EmptyRecordAnswersNothing)
{
    TQorShData empty;
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(empty.Level(), -1);
    EXPECT_EQ(empty.IconIndex(), -1);
    EXPECT_TRUE(empty.DisplayName().empty());
    EXPECT_TRUE(empty.Path().empty());
    EXPECT_EQ(empty.OwnFolder(), nullptr);
    EXPECT_FALSE(empty.Rename("x"));
    TQorShFolderData folder;
    EXPECT_FALSE(folder.Rename("x"));
    EXPECT_EQ(folder.Position(), -1);
}

// Records what the record tells its node.
class FakeNode : public TShItemNode
{
public:
    int AbsoluteIndex() const override { return 7; }
    QObject* TreeControl() const override { return nullptr; }
    void ItemRenamed(bool accepted) override { results.push_back(accepted); }
    std::vector<bool> results;
};

TEST_F(ItemDataTest, RenameRefusesExistingAndBadNamesAndAcceptsOthers)
{
    const std::string dir = MakeDir(Root() + "/ren");
    MakeDir(dir + "/old/inner");
    MakeFile(dir + "/taken", "keep me");
    auto record = RecordOf(ListOf(dir + "/old"));
    FakeNode node;
    record->SetNode(&node);
    EXPECT_EQ(record->Position(), 7);
    EXPECT_EQ(record->DisplayName(), "old");

    for (const std::string& bad :
         std::vector<std::string>{"taken", "", ".", "..", "a/b", std::string("a\0b", 3)})
        EXPECT_FALSE(record->Rename(bad)) << bad;
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/old/inner"));
    EXPECT_EQ(std::filesystem::file_size(dir + "/taken"), 7u);

    EXPECT_TRUE(record->Rename("新しい名前"));
    EXPECT_EQ(record->DisplayName(), "新しい名前");
    EXPECT_EQ(record->Path(), dir + "/新しい名前");
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/新しい名前/inner"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/old"));
    EXPECT_TRUE(TQorShID::SameIDList(record->AbsoluteIDList(), ListOf(dir + "/新しい名前").get()));
    EXPECT_EQ(node.results.size(), 7u);
    EXPECT_TRUE(node.results.back());
    EXPECT_FALSE(node.results.front());

    // Virtual items and the Desktop cannot be renamed.
    EXPECT_FALSE(SpecialRecord(sfidDrives)->Rename("x"));
    EXPECT_FALSE(TQorShRoot().MakeRootItem()->Rename("x"));
    EXPECT_FALSE(RecordOf(ListOf("/"))->Rename("x"));
}

TEST_F(ItemDataTest, RenameOfAFileNeverOverwrites)
{
    const std::string dir = MakeDir(Root() + "/files");
    MakeFile(dir + "/a.txt", "a");
    MakeFile(dir + "/b.txt", "bb");
    auto record = RecordOf(ListOf(dir + "/a.txt"));
    EXPECT_FALSE(record->Rename("b.txt"));
    EXPECT_EQ(std::filesystem::file_size(dir + "/b.txt"), 2u);
    EXPECT_TRUE(record->Rename("c.txt"));
    EXPECT_EQ(record->ItemType(), itFile);
    EXPECT_EQ(std::filesystem::file_size(dir + "/c.txt"), 1u);
}

TEST_F(ItemDataTest, RenameOfAVanishedItemFails)
{
    const std::string dir = MakeDir(Root() + "/vanish/x");
    auto record = RecordOf(ListOf(dir));
    std::filesystem::remove(dir);
    EXPECT_FALSE(record->Rename("y"));
    EXPECT_FALSE(std::filesystem::exists(Root() + "/vanish/y"));
}

} // namespace
} // namespace tallyrun::test
