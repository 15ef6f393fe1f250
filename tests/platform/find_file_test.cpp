#include "platform/find_file.h"

#include "platform/entry_info.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <map>

namespace tallyrun::test {

using namespace platform;

namespace {

std::map<std::string, TFindData> FindAll(const std::string& mask, std::uint32_t attributeMask)
{
    std::map<std::string, TFindData> found;
    TFindData data;
    TFindHandle search = FindFirst(mask, attributeMask, data);
    for (bool more = search != nullptr; more; more = FindNext(search, data))
        found[data.name] = data;
    FindClose(search);
    return found;
}

TEST(FindFileTest, MapsTheAttributeWordFromWhatTheFileSystemHas)
{
    TTempTree tree;
    tree.File("plain");
    tree.File("locked");
    ::chmod(tree.Path("locked").c_str(), 0444);
    tree.File(".dotfile");
    tree.Dir("folder");
    tree.Dir(".dotfolder");
    tree.Link("link", "folder");
    tree.Fifo("pipe");
    const auto found = FindAll(tree.Root() + "*.*", famAnyFile);
    const std::map<std::string, std::uint32_t> expected = {
        {".", 0x12},          {"..", 0x12},       {"plain", 0x20},
        {"locked", 0x21},     {".dotfile", 0x22}, {"folder", 0x10},
        {".dotfolder", 0x12}, {"link", 0x20},     {"pipe", 0x04},
    };
    ASSERT_EQ(found.size(), expected.size());
    for (const auto& [name, attributes] : expected)
        EXPECT_EQ(found.at(name).attributes, attributes) << name;

    // The folder mask passes over hidden and system entries, but plain files still arrive.
    const auto folders = FindAll(tree.Root() + "*.*", famDirectories);
    std::vector<std::string> names;
    for (const auto& entry : folders)
        names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"folder", "link", "locked", "plain"}));
}

TEST(FindFileTest, ReportsSizeHalvesTimeAndMatchesPatterns)
{
    TTempTree tree;
    tree.File("big.bin", (1ull << 32) + 5);
    tree.File("note.txt", 3);
    tree.File("noext", 4);
    tree.SetLastWrite("note.txt", -86400);
    TFindData data;
    TFindHandle search = FindFirst(tree.Path("big.bin"), famAnyFile, data);
    ASSERT_TRUE(search);
    EXPECT_EQ(data.sizeHigh, 1u);
    EXPECT_EQ(data.sizeLow, 5u);
    EXPECT_FALSE(FindNext(search, data));
    FindClose(search);

    EXPECT_EQ(FindAll(tree.Path("note.txt"), famAnyFile).at("note.txt").lastWriteTime, -86400);
    EXPECT_EQ(FindAll(tree.Path("*.txt"), famAnyFile).size(), 1u);
    EXPECT_EQ(FindAll(tree.Path("*.*"), famAnyFile).count("noext"), 1u); // with or without a dot
    EXPECT_TRUE(MatchesNamePattern("*", "x"));
    EXPECT_FALSE(MatchesNamePattern("*.txt", "x.doc"));
}

TEST(FindFileTest, NothingFoundGivesNullHandleThatClosesFine)
{
    TTempTree tree;
    TFindData data;
    TFindHandle search = FindFirst(tree.Path("missing/*.*"), famAnyFile, data);
    EXPECT_FALSE(search);
    EXPECT_FALSE(FindNext(search, data));
    FindClose(search);
    EXPECT_FALSE(FindFirst(tree.Path("missing.txt"), famAnyFile, data));
    EXPECT_FALSE(FindFirst(tree.Root(), famAnyFile, data)); // empty pattern
}

TEST(SearchMaskTest, FolderPartEndsAtTheLastSeparator)
{
    EXPECT_EQ(SplitSearchMask("/a/b/*.*").folder, "/a/b/");
    EXPECT_EQ(SplitSearchMask("/a/b/*.*").pattern, "*.*");
    EXPECT_EQ(SplitSearchMask("c:x").folder, ""); // a colon is an ordinary character
    EXPECT_EQ(SplitSearchMask("/").pattern, "");
}

} // namespace
} // namespace tallyrun::test
