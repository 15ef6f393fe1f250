// The namespace's folder objects on real temporary trees: enumeration, order, paths, and
// what happens when the file system changes under them.
#include "platform/mount_table.h"
#include "shell_fixture.h"
#include "shelltree/folder_locations.h"
#include "shelltree/item_id.h"
#include "shelltree/item_types.h"
#include "shelltree/sh_folder.h"
#include "shelltree/sh_location.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace tallyrun::test {
namespace {

using NamespaceTest = ShellFixture;

std::vector<std::string> NamesOf(const TShFolder& folder, std::uint32_t flags)
{
    std::vector<TIDListPtr> children;
    folder.EnumObjects(flags, children);
    std::sort(children.begin(), children.end(), [&](const TIDListPtr& a, const TIDListPtr& b) {
        return folder.CompareIDs(a.get(), b.get()) == TShCompareResult::crBefore;
    });
    std::vector<std::string> names;
    for (const auto& child : children) {
        std::string name;
        folder.GetDisplayNameOf(child.get(), name);
        names.push_back(name);
    }
    return names;
}

TEST_F(NamespaceTest, DesktopListsTheFixedItemsThenTheDesktopDirectory)
{
    MakeDir(Desktop() + "/Projects");
    MakeDir(Desktop() + "/.cache");
    MakeFile(Desktop() + "/notes.txt");
    const auto desktop = TShFolder::Desktop();
    ASSERT_TRUE(desktop);
    const std::vector<std::string> fixed = {"コンピューター", "ホーム", "ゴミ箱", "ネットワーク"};
    auto expected = fixed;
    expected.push_back(".cache");
    expected.push_back("Projects");
    EXPECT_EQ(NamesOf(*desktop, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN), expected);
    expected.erase(expected.begin() + 4);
    EXPECT_EQ(NamesOf(*desktop, SHCONTF_FOLDERS), expected);
    expected.push_back("notes.txt");
    EXPECT_EQ(NamesOf(*desktop, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), expected);
}

TEST_F(NamespaceTest, FoldersSortBeforeFilesAndNamesIgnoreCaseButNeverTie)
{
    const std::string dir = MakeDir(Root() + "/order");
    for (const char* name : {"b", "B", "a", "Ä", "z"})
        MakeDir(dir + "/" + name);
    MakeFile(dir + "/A.txt");
    const auto folder = TShFolder::Desktop()->BindToObject(ListOf(dir).get());
    ASSERT_TRUE(folder);
    const auto names = NamesOf(*folder, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names.back(), "A.txt");
    EXPECT_EQ(names.front(), "a");
    const auto b = std::find(names.begin(), names.end(), "b");
    const auto B = std::find(names.begin(), names.end(), "B");
    EXPECT_EQ(std::abs(b - B), 1);
    const TIDListPtr lower(MakeItemID(TShIDKind::Folder, "b"));
    const TIDListPtr upper(MakeItemID(TShIDKind::Folder, "B"));
    EXPECT_NE(folder->CompareIDs(lower.get(), upper.get()), TShCompareResult::crEqual);
    EXPECT_EQ(folder->CompareIDs(lower.get(), lower.get()), TShCompareResult::crEqual);
    const TIDListPtr file(MakeItemID(TShIDKind::File, "a"));
    EXPECT_EQ(folder->CompareIDs(file.get(), lower.get()), TShCompareResult::crAfter);
    EXPECT_EQ(folder->CompareIDs(nullptr, lower.get()), TShCompareResult::crFailure);
    const std::uint8_t junk[] = {3, 0, 'Q', 0, 0};
    EXPECT_EQ(folder->CompareIDs(junk, lower.get()), TShCompareResult::crFailure);
}

TEST_F(NamespaceTest, PathsAndListsConvertBothWays)
{
    const std::string dir = MakeDir(Root() + "/a b/c");
    const auto list = ListOf(dir);
    std::string path;
    ASSERT_TRUE(TQorShID::PathFromIDList(list.get(), path));
    EXPECT_EQ(path, dir);
    PItemIDList missing = nullptr;
    EXPECT_FALSE(TQorShID::IDListFromPath(Root() + "/nothing/here", missing));
    EXPECT_FALSE(TQorShID::IDListFromPath("relative/path", missing));
    EXPECT_FALSE(TQorShID::IDListFromPath(dir + "/../c", missing));
    EXPECT_EQ(missing, nullptr);
    // "." and doubled separators name the same folder.
    const auto same = ListOf(Root() + "//a b/./c/");
    EXPECT_TRUE(TQorShID::SameIDList(same.get(), list.get()));
    EXPECT_FALSE(TQorShID::PathFromIDList(nullptr, path));
    EXPECT_TRUE(path.empty());
}

// A list of the given items, in order.
TIDListPtr Chain(std::initializer_list<std::pair<TShIDKind, std::string_view>> items)
{
    TIDListPtr list(TQorShID::AllocIDList(2));
    for (const auto& [kind, name] : items) {
        const TIDListPtr item(MakeItemID(kind, name));
        list.reset(TQorShID::ConcatIDLists(list.get(), item.get()));
    }
    return list;
}

TEST_F(NamespaceTest, ResolvingBelowAParentGivesWhatTheWholeListGives)
{
    using K = TShIDKind;
    const std::string dir = MakeDir(Root() + "/p/q");
    const auto copy = [](const TIDListPtr& list) {
        return TIDListPtr(TQorShID::CopyIDList(list.get()));
    };
    const TIDListPtr folder = ListOf(Root() + "/p");
    const TIDListPtr inner = ListOf(dir);
    const struct
    {
        const char* what;
        TIDListPtr parent;
        TIDListPtr list;
    } cases[] = {
        {"a folder below a folder", copy(folder), copy(inner)},
        {"two items below (resolved whole)", copy(folder),
         TIDListPtr(TQorShID::ConcatIDLists(inner.get(), Chain({{K::File, "f"}}).get()))},
        {"the same list", copy(inner), copy(inner)},
        {"not below the parent", copy(inner), ListOf(Root())},
        {"below the desktop (resolved whole)", Chain({}), Chain({{K::Folder, "x"}})},
        {"a drive below the computer", Chain({{K::Computer, ""}}),
         Chain({{K::Computer, ""}, {K::Drive, "/mnt/"}})},
        {"a folder below a drive", Chain({{K::Computer, ""}, {K::Drive, "/"}}),
         Chain({{K::Computer, ""}, {K::Drive, "/"}, {K::Folder, "usr"}})},
        {"a folder below the home", Chain({{K::Home, ""}}),
         Chain({{K::Home, ""}, {K::Folder, "m"}})},
        {"a folder below the trash (no path)", Chain({{K::Trash, ""}}),
         Chain({{K::Trash, ""}, {K::Folder, "m"}})},
        {"a folder below a file (no path)", Chain({{K::Home, ""}, {K::File, "t"}}),
         Chain({{K::Home, ""}, {K::File, "t"}, {K::Folder, "m"}})},
        {"no parent", nullptr, copy(inner)},
        {"no list", copy(inner), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TShLocation parent;
        const bool parentOk = ResolveIDList(c.parent.get(), parent);
        TShLocation whole;
        TShLocation below;
        const bool wholeOk = ResolveIDList(c.list.get(), whole);
        ASSERT_EQ(
            ResolveIDListBelow(parentOk ? c.parent.get() : nullptr, parent, c.list.get(), below),
            wholeOk);
        if (!wholeOk)
            continue;
        EXPECT_EQ(below.kind, whole.kind);
        EXPECT_EQ(below.path, whole.path);
        EXPECT_EQ(below.driveMount, whole.driveMount);
        EXPECT_EQ(below.underComputer, whole.underComputer);
        EXPECT_EQ(below.level, whole.level);
        std::string path;
        std::string expected;
        EXPECT_EQ(PathOfLocation(below, path), TQorShID::PathFromIDList(c.list.get(), expected));
        EXPECT_EQ(path, expected);
    }
}

TEST_F(NamespaceTest, FolderReachedThroughALinkHasOneIDListListedOrGivenByPath)
{
    // A home folder under a linked /home, as on systems that keep /home on another disk.
    const std::string realHome = MakeDir(Root() + "/data/home/alex");
    MakeDir(realHome + "/Music");
    const std::string linkedHomes = Root() + "/home-link";
    std::filesystem::create_directory_symlink(Root() + "/data/home", linkedHomes);
    std::filesystem::create_symlink(Root() + "/nowhere", Root() + "/dangling");
    qputenv("HOME", QByteArray::fromStdString(linkedHomes + "/alex"));
    const auto rootList = ListOf(Root());
    const auto desktop = TShFolder::Desktop();
    ASSERT_TRUE(desktop);
    const auto parent = desktop->BindToObject(rootList.get());
    ASSERT_TRUE(parent);
    // Listed among the folders, with the list that its path gives.
    std::vector<TIDListPtr> children;
    parent->EnumObjects(SHCONTF_FOLDERS, children);
    TIDListPtr listed;
    for (auto& child : children) {
        std::string name;
        parent->GetDisplayNameOf(child.get(), name);
        EXPECT_NE(name, "dangling"); // a link that leads nowhere is no folder
        if (name == "home-link")
            listed.reset(TQorShID::ConcatIDLists(rootList.get(), child.get()));
    }
    ASSERT_TRUE(listed);
    const auto byPath = ListOf(linkedHomes);
    const auto home = ListOf(linkedHomes + "/alex");
    const auto music = ListOf(linkedHomes + "/alex/Music");
    EXPECT_TRUE(TQorShID::SameIDList(listed.get(), byPath.get()));
    EXPECT_TRUE(TQorShID::IsAncestorIDList(listed.get(), home.get()));
    EXPECT_TRUE(TQorShID::IsAncestorIDList(listed.get(), music.get()));
    // And the home folder listed under the listed link is the home folder given by its path.
    const auto linkFolder = desktop->BindToObject(listed.get());
    ASSERT_TRUE(linkFolder);
    children.clear();
    linkFolder->EnumObjects(SHCONTF_FOLDERS, children);
    ASSERT_EQ(children.size(), 1u);
    const TIDListPtr homeListed(TQorShID::ConcatIDLists(listed.get(), children[0].get()));
    EXPECT_TRUE(TQorShID::SameIDList(homeListed.get(), home.get()));
}

TEST_F(NamespaceTest, WithoutADesktopDirectoryTheHomeIsListedOnceOnTheDesktop)
{
    std::filesystem::remove(Desktop());
    MakeDir(Home() + "/Music");
    MakeFile(Home() + "/notes.txt");
    const auto desktop = TShFolder::Desktop();
    ASSERT_TRUE(desktop);
    const std::vector<std::string> fixed = {"コンピューター", "ホーム", "ゴミ箱", "ネットワーク"};
    EXPECT_EQ(NamesOf(*desktop, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS), fixed);
}

TEST_F(NamespaceTest, VirtualItemsHaveNoPath)
{
    for (const auto id : {sfidDrives, sfidBitBucket, sfidNetWork}) {
        PItemIDList list = nullptr;
        ASSERT_TRUE(SpecialFolderIDList(id, list));
        std::string path = "x";
        EXPECT_FALSE(TQorShID::PathFromIDList(list, path));
        EXPECT_TRUE(path.empty());
        TQorShID::FreeIDList(list);
    }
    PItemIDList list = nullptr;
    EXPECT_FALSE(SpecialFolderIDList(sfidControls, list));
    EXPECT_EQ(list, nullptr);
    ASSERT_TRUE(SpecialFolderIDList(sfidPersonal, list));
    std::string home;
    EXPECT_TRUE(TQorShID::PathFromIDList(list, home));
    EXPECT_EQ(home, Home());
    TQorShID::FreeIDList(list);
}

TEST_F(NamespaceTest, NamesThatAreNotUtf8AreListedAndKeepTheirBytes)
{
    const std::string dir = MakeDir(Root() + "/odd");
    const std::string raw = "caf\xe9";
    MakeDir(dir + "/" + raw);
    const auto folder = TShFolder::Desktop()->BindToObject(ListOf(dir).get());
    ASSERT_TRUE(folder);
    std::vector<TIDListPtr> children;
    ASSERT_TRUE(folder->EnumObjects(SHCONTF_FOLDERS, children));
    ASSERT_EQ(children.size(), 1u);
    std::string name;
    folder->GetDisplayNameOf(children[0].get(), name);
    EXPECT_EQ(name, "caf\xef\xbf\xbd"); // shown with U+FFFD
    TIDListPtr absolute(TQorShID::ConcatIDLists(folder->AbsoluteIDList(), children[0].get()));
    std::string path;
    ASSERT_TRUE(TQorShID::PathFromIDList(absolute.get(), path));
    EXPECT_EQ(path, dir + "/" + raw);
    EXPECT_TRUE(TQorShID::SameIDList(ListOf(path).get(), absolute.get()));
}

TEST_F(NamespaceTest, FolderThatVanishesBeforeBindingGivesNoFolderObject)
{
    const std::string dir = MakeDir(Root() + "/gone");
    const auto list = ListOf(dir);
    std::filesystem::remove(dir);
    const auto desktop = TShFolder::Desktop();
    EXPECT_EQ(desktop->BindToObject(list.get()), nullptr);
    std::uint32_t flags = 0;
    EXPECT_TRUE(desktop->GetAttributesOf(list.get(), SFGAO_HASSUBFOLDER | SFGAO_FOLDER, flags));
    EXPECT_EQ(flags, SFGAO_FOLDER);

    // A folder that vanishes after binding lists nothing.
    const std::string other = MakeDir(Root() + "/gone2/sub");
    const auto bound = desktop->BindToObject(ListOf(Root() + "/gone2").get());
    ASSERT_TRUE(bound);
    std::filesystem::remove_all(Root() + "/gone2");
    std::vector<TIDListPtr> children;
    EXPECT_FALSE(bound->EnumObjects(SHCONTF_FOLDERS, children));
    EXPECT_TRUE(children.empty());
}

TEST_F(NamespaceTest, UnreadableFolderListsNothing)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to look at the folder as another user";
    const std::string dir = MakeDir(Root() + "/locked/inner");
    const std::string locked = Root() + "/locked";
    ASSERT_EQ(chmod(Root().c_str(), 0755), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0700), 0);
    // Root reads every folder: look at it as the nobody user in a child process.
    EXPECT_EXIT(
        {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                std::_Exit(2);
            const auto folder = TShFolder::Desktop()->BindToObject(ListOf(locked).get());
            std::vector<TIDListPtr> children;
            const bool listed = folder && folder->EnumObjects(SHCONTF_FOLDERS, children);
            std::uint32_t flags = 0;
            TShFolder::Desktop()->GetAttributesOf(ListOf(locked).get(), SFGAO_HASSUBFOLDER, flags);
            std::_Exit(!listed && children.empty() && flags == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(NamespaceTest, DriveUnmountedWhileListedStaysHarmless)
{
    TIDListPtr computer(MakeItemID(TShIDKind::Computer, {}));
    TIDListPtr drive(MakeItemID(TShIDKind::Drive, Root() + "/not-mounted"));
    TIDListPtr list(TQorShID::ConcatIDLists(computer.get(), drive.get()));
    const auto desktop = TShFolder::Desktop();
    std::string name;
    EXPECT_TRUE(desktop->GetDisplayNameOf(list.get(), name));
    EXPECT_EQ(name, Root() + "/not-mounted");
    EXPECT_EQ(desktop->BindToObject(list.get()), nullptr);
    EXPECT_FALSE(platform::IsVolumeReady(Root() + "/not-mounted/"));
    std::string path;
    EXPECT_TRUE(TQorShID::PathFromIDList(list.get(), path));
    EXPECT_EQ(path, Root() + "/not-mounted/");
}

TEST_F(NamespaceTest, ComputerListsTheRootDriveFirst)
{
    const auto computer =
        TShFolder::Desktop()->BindToObject(TIDListPtr(MakeItemID(TShIDKind::Computer, {})).get());
    ASSERT_TRUE(computer);
    std::vector<TIDListPtr> drives;
    ASSERT_TRUE(computer->EnumObjects(SHCONTF_FOLDERS, drives));
    ASSERT_FALSE(drives.empty());
    TShItemView view;
    ASSERT_TRUE(DecodeItemID(drives[0].get(), view));
    EXPECT_EQ(view.kind, TShIDKind::Drive);
    EXPECT_EQ(view.name, "/");
    // Computer holds no files.
    std::vector<TIDListPtr> files;
    computer->EnumObjects(SHCONTF_NONFOLDERS, files);
    EXPECT_TRUE(files.empty());
}

TEST_F(NamespaceTest, MalformedListsNameNothing)
{
    const std::uint8_t driveFirst[] = {4, 0, 'D', '/', 0, 0};
    const std::uint8_t fileThenFolder[] = {4, 0, 'f', 'a', 4, 0, 'F', 'b', 0, 0};
    const std::uint8_t trashChild[] = {3, 0, 'T', 4, 0, 'F', 'b', 0, 0};
    const auto desktop = TShFolder::Desktop();
    for (PCItemIDList list : {driveFirst, fileThenFolder, trashChild}) {
        std::string path;
        EXPECT_FALSE(TQorShID::PathFromIDList(list, path));
        EXPECT_EQ(desktop->BindToObject(list), nullptr);
        std::string name;
        EXPECT_FALSE(desktop->GetDisplayNameOf(list, name));
        EXPECT_EQ(desktop->GetIconOf(list, 0), -1);
        EXPECT_EQ(TQorShID::SystemIconIndex(list, TShIconSize::Small, TShIconState::Closed), -1);
    }
}

} // namespace
} // namespace tallyrun::test
