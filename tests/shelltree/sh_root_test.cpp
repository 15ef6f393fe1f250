#include "shelltree/sh_root.h"

#include "shell_fixture.h"

namespace tallyrun::test {
namespace {

using RootTest = ShellFixture;

TEST_F(RootTest, ChangesCallBackOnlyWhenTheyConcernTheRoot)
{
    int calls = 0;
    TQorShRoot root([&] { ++calls; });
    root.SetRootPath("/tmp"); // UsesID set: the path does not decide the root
    EXPECT_EQ(calls, 0);
    root.SetRootFolderID(sfidPersonal);
    EXPECT_EQ(calls, 1);
    root.SetRootFolderID(sfidPersonal);
    EXPECT_EQ(calls, 1);
    root.SetUsesID(false);
    EXPECT_EQ(calls, 2);
    root.SetRootFolderID(sfidDrives);
    EXPECT_EQ(calls, 2);
    root.SetRootPath("/");
    EXPECT_EQ(calls, 3);

    TQorShRoot other;
    root.Assign(other); // three values differ: one call
    EXPECT_EQ(calls, 4);
    root.Assign(other);
    EXPECT_EQ(calls, 4);
    EXPECT_TRUE(root.UsesID());
    EXPECT_EQ(root.RootFolderID(), sfidDeskTop);
    EXPECT_EQ(root.RootPath(), "");
}

TEST_F(RootTest, RootItemsOfSpecialFoldersAndPaths)
{
    TQorShRoot root;
    root.SetRootFolderID(sfidPersonal);
    auto item = root.MakeRootItem();
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Path(), Home());
    EXPECT_EQ(item->Level(), 1);

    root.SetRootFolderID(sfidPrinters);
    EXPECT_EQ(root.MakeRootItem(), nullptr);

    root.SetUsesID(false);
    root.SetRootPath(Desktop());
    item = root.MakeRootItem();
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Path(), Desktop());
    root.SetRootPath(Root() + "/missing");
    EXPECT_EQ(root.MakeRootItem(), nullptr);
}

} // namespace
} // namespace tallyrun::test
