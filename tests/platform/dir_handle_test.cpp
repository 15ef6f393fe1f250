#include "platform/dir_handle.h"

#include "platform/dir_reader.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <map>

namespace tallyrun::test {

using namespace platform;

namespace {

TEST(DirHandleTest, SubdirectoryNeverFollowsALink)
{
    TTempTree tree;
    tree.Dir("real");
    tree.Link("link", "real");
    tree.File("file");
    const TDirHandle root = OpenDirectory(tree.Root());
    ASSERT_TRUE(root.IsOpen());
    EXPECT_TRUE(OpenSubdirectory(root.Fd(), "real").IsOpen());
    EXPECT_FALSE(OpenSubdirectory(root.Fd(), "link").IsOpen());
    EXPECT_FALSE(OpenSubdirectory(root.Fd(), "file").IsOpen());
    EXPECT_FALSE(OpenSubdirectory(root.Fd(), "missing").IsOpen());
}

TEST(DirHandleTest, IdentityAndPseudoFileSystems)
{
    TTempTree tree;
    tree.Dir("sub");
    const TDirHandle a = OpenDirectory(tree.Path("sub"));
    const TDirHandle b = OpenDirectory(tree.Path("sub/"));
    const TDirHandle root = OpenDirectory(tree.Root());
    ASSERT_TRUE(a.IsOpen() && b.IsOpen());
    EXPECT_EQ(IdentityOf(a.Fd()), IdentityOf(b.Fd()));
    EXPECT_NE(IdentityOf(a.Fd()), IdentityOf(root.Fd()));
    EXPECT_FALSE(IsPseudoFileSystem(root.Fd()));
    EXPECT_TRUE(IsPseudoFileSystem(OpenDirectory("/proc").Fd()));
    EXPECT_TRUE(IsPseudoFileSystem(OpenDirectory("/sys").Fd()));
}

TEST(DirHandleTest, LinkCountNeverCallsAFolderWithSubfoldersALeaf)
{
    // Where the file system keeps the count (ext4, tmpfs, xfs) it tells the two apart; where it
    // does not (btrfs) it may say nothing, never the wrong thing.
    TTempTree tree;
    tree.Dir("leaf");
    tree.File("leaf/f");
    tree.Dir("parent");
    tree.Dir("parent/child");
    tree.Link("parent/up", "..");
    const auto leaf = StatusOf(OpenDirectory(tree.Path("leaf")).Fd());
    const auto parent = StatusOf(OpenDirectory(tree.Path("parent")).Fd());
    ASSERT_TRUE(leaf && parent);
    EXPECT_NE(leaf->subfolders, TSubfolders::sfSome);
    EXPECT_NE(parent->subfolders, TSubfolders::sfNone);
    EXPECT_EQ(leaf->identity, IdentityOf(OpenDirectory(tree.Path("leaf")).Fd()));
    EXPECT_FALSE(StatusOf(-1));
}

TEST(DirHandleTest, PathLongerThanTheSystemAcceptsIsOpenedByComponents)
{
    TTempTree tree;
    const std::string component(250, 'x');
    std::string relative;
    for (int level = 0; level < 20; ++level) {
        relative += (level ? "/" : "") + component;
        int fd = ::open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY);
        // Create each level relative to its parent, since the full path is too long.
        for (int up = 0; up < level; ++up) {
            const int next = ::openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
        }
        ASSERT_EQ(::mkdirat(fd, component.c_str(), 0755), 0);
        ::close(fd);
    }
    const TDirHandle deep = OpenDirectory(tree.Path(relative));
    EXPECT_TRUE(deep.IsOpen());
}

TEST(DirReaderTest, ReadsEveryEntryWithItsType)
{
    TTempTree tree;
    tree.Dir("d");
    tree.File("f");
    tree.Link("l", "f");
    tree.Fifo("p");
    const TDirHandle root = OpenDirectory(tree.Root());
    TDirReader reader(root.Fd());
    TRawEntry entry;
    std::map<std::string, TEntryType> types;
    while (reader.Next(entry))
        types[std::string(entry.name)] = entry.type;
    EXPECT_EQ(types.size(), 6u);
    // File systems may leave the type out; when they give it, it must be right.
    const std::map<std::string, TEntryType> expected = {{"d", TEntryType::etDirectory},
                                                        {"f", TEntryType::etFile},
                                                        {"l", TEntryType::etLink},
                                                        {"p", TEntryType::etSpecial}};
    for (const auto& [name, type] : expected) {
        if (types[name] != TEntryType::etUnknown) {
            EXPECT_EQ(types[name], type) << name;
        }
    }
}

} // namespace
} // namespace tallyrun::test
