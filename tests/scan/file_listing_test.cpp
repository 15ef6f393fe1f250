#include "scan/file_listing.h"

#include "scan/file_list.h"
#include "scan/name_order.h"
#include "scan/tree_listing.h"
#include "tests/support/temp_tree.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <algorithm>

namespace tallyrun::test {
namespace {

std::vector<std::string> Names(const TFileList& list, const std::string& root)
{
    std::vector<std::string> names;
    for (const std::string& path : list)
        names.push_back(path.substr(root.size()));
    return names;
}

std::vector<std::string> callbackTexts;

TEST(ListFilesTest, ListsEveryFileKindSortedCaseInsensitivelyAndKeepsCaseTwins)
{
    TTempTree tree;
    tree.File("b.txt", 1);
    tree.File("README", 2);
    tree.File("Readme", 3); // differs only in case: a second file here
    tree.File("資料.txt", 4);
    tree.File(".hidden", 5);
    tree.File("\xFF\xFE.bin", 6); // not UTF-8
    tree.File("a.txt", 7);
    tree.Fifo("pipe");
    tree.Link("link", "b.txt");
    tree.Dir("folder");

    TFileList list;
    callbackTexts.clear();
    ListFiles(tree.Root() + "*.*", fkAll, list,
              [](const std::string& name) { callbackTexts.push_back(name); });
    const std::vector<std::string> expected = {".hidden", "a.txt",    "b.txt",
                                               "link",    "pipe",     "README",
                                               "Readme",  "資料.txt", "\xFF\xFE.bin"};
    std::vector<std::string> got = Names(list, tree.Root());
    // Where the replacement character sorts depends on the locale's collation: check that the
    // name is there, then the order of the rest.
    auto odd = std::find(got.begin(), got.end(), "\xFF\xFE.bin");
    ASSERT_NE(odd, got.end());
    got.erase(odd);
    EXPECT_EQ(got, std::vector<std::string>(expected.begin(), expected.end() - 1));

    // The callback sees every entry: folders, "." and "..", filtered or not.
    std::sort(callbackTexts.begin(), callbackTexts.end());
    EXPECT_EQ(callbackTexts.size(), 12u);
    EXPECT_TRUE(std::binary_search(callbackTexts.begin(), callbackTexts.end(), "."));
    EXPECT_TRUE(std::binary_search(callbackTexts.begin(), callbackTexts.end(), ".."));
    EXPECT_TRUE(std::binary_search(callbackTexts.begin(), callbackTexts.end(), "folder"));

    // Listing again adds nothing: only byte-identical paths are duplicates.
    ListFiles(tree.Root() + "*.*", fkAll, list);
    EXPECT_EQ(list.Count(), expected.size());
}

TEST(ListFilesTest, MissingOrEmptyFolderLeavesTheListAsItWas)
{
    TTempTree tree;
    tree.Dir("empty");
    TFileList list;
    list.Add("/kept");
    ListFiles(tree.Path("empty/*.*"), fkAll, list);
    ListFiles(tree.Path("missing/*.*"), fkAll, list);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list[0], "/kept");
}

TEST(ListSubfoldersTest, GivesRealVisibleFoldersWithTrailingSeparator)
{
    TTempTree tree;
    tree.Dir("Alpha");
    tree.Dir("写真");
    tree.Dir(".config");
    tree.File("file");
    tree.Link("link-to-folder", "Alpha");
    std::vector<std::string> list;
    ListSubfolders(tree.Root(), list);
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::string>{tree.Path("Alpha/"), tree.Path("写真/")}));

    std::vector<std::string> fromMask;
    ListSubfolders(tree.Root() + "*.*", fromMask);
    EXPECT_EQ(fromMask.size(), 2u);
}

TEST(ListFilesRecursiveTest, ListsTheTreeInPathOrderAndSkipsHiddenFolders)
{
    TTempTree tree;
    tree.Dir("b");
    tree.Dir("B");
    tree.Dir("b/deep");
    tree.Dir(".git");
    tree.File("z.txt");
    tree.File("b/x");
    tree.File("b/deep/y");
    tree.File("B/x");
    tree.File(".git/config");
    tree.Link("b/up", ".."); // a link back up: listed as a file, never followed

    TFileList list;
    callbackTexts.clear();
    ListFilesRecursive(tree.Root() + "*.*", fkAll, list,
                       [](const std::string& mask) { callbackTexts.push_back(mask); });
    EXPECT_EQ(Names(list, tree.Root()),
              (std::vector<std::string>{"B/x", "b/deep/y", "b/up", "b/x", "z.txt"}));
    std::sort(callbackTexts.begin(), callbackTexts.end());
    EXPECT_EQ(callbackTexts,
              (std::vector<std::string>{tree.Path("*.*"), tree.Path("B/*.*"), tree.Path("b/*.*"),
                                        tree.Path("b/deep/*.*")}));
}

TEST(GetFileSize64Test, MeasuresFilesOnlyWhateverTheirDateOrSize)
{
    TTempTree tree;
    tree.Dir("folder");
    tree.File("sparse", 5ull << 30); // over 4 GiB
    tree.File("old", 1980);
    tree.SetLastWrite("old", 157766400); // 1975-01-01: measured like any other file
    tree.File("older", 42);
    tree.SetLastWrite("older", -86400 * 365); // 1969
    tree.File("\xC3\x28 name", 77);           // not UTF-8
    tree.Fifo("pipe");                        // never opened, so this cannot block

    EXPECT_EQ(GetFileSize64(tree.Path("sparse")), 5ull << 30);
    EXPECT_EQ(GetFileSize64(tree.Path("old")), 1980u);
    EXPECT_EQ(GetFileSize64(tree.Path("older")), 42u);
    EXPECT_EQ(GetFileSize64(tree.Path("\xC3\x28 name")), 77u);
    EXPECT_EQ(GetFileSize64(tree.Path("pipe")), 0u);
    EXPECT_EQ(GetFileSize64(tree.Path("folder")), 0u);
    EXPECT_EQ(GetFileSize64(tree.Path("folder/")), 0u);
    EXPECT_EQ(GetFileSize64(tree.Path("missing")), 0u);

    // Wildcard characters in a name are taken literally.
    const std::vector<std::pair<std::string, std::uint64_t>> literal = {
        {"a[1].txt", 5}, {"a1.txt", 9}, {"b?", 3}, {"bx", 11}, {"c*", 2}, {"cc", 13}};
    for (const auto& [name, size] : literal)
        tree.File(name, size);
    tree.File("d1", 17);
    for (const auto& [name, size] : literal)
        EXPECT_EQ(GetFileSize64(tree.Path(name)), size) << name;
    for (const char* missing : {"d[1]", "d?", "d*", "*"})
        EXPECT_EQ(GetFileSize64(tree.Path(missing)), 0u) << missing;
}

TEST(FileListTest, OrdersWholePathsAndDropsOnlyExactDuplicates)
{
    TFileList list;
    EXPECT_TRUE(list.Add("/r/b/x"));
    EXPECT_TRUE(list.Add("/r/a-b"));
    EXPECT_TRUE(list.Add("/r/a/z"));
    EXPECT_TRUE(list.Add("/r/A/z"));
    EXPECT_FALSE(list.Add("/r/a/z"));
    EXPECT_TRUE(list.Add("/r/B"));
    // "-" sorts before "/"; case twins keep their byte order, each with its files together.
    EXPECT_EQ(list.Items(),
              (std::vector<std::string>{"/r/a-b", "/r/A/z", "/r/a/z", "/r/B", "/r/b/x"}));
}

TEST(NameOrderTest, ByteShortcutUnderTheCLocaleAgreesWithTheCollator)
{
    QLocale::setDefault(QLocale::c());
    const TNameOrder order;
    QLocale::setDefault(QLocale::system());
    ASSERT_TRUE(order.FoldsAsciiBytes());
    std::vector<std::string> names = {"a",
                                      "A",
                                      "ab",
                                      "aB",
                                      "a b",
                                      "a-b",
                                      "a_b",
                                      "a.b",
                                      "a~",
                                      "Z",
                                      "z1",
                                      "[",
                                      "`",
                                      "_",
                                      "@",
                                      "~x",
                                      "\x01",
                                      "\x7F",
                                      "\xC3\xA9",
                                      "\xC3\x89",
                                      "\xE2\x84\xAA", // é, É, Kelvin sign
                                      "\xC5\xBF",
                                      "s",
                                      "k", // long s, which folds to "s"
                                      "\xE5\x86\x99",
                                      "\xE3\x81\x82x",
                                      "\xEF\xBD\x81",
                                      "\xF0\x9F\x98\x80",
                                      "\xFF\xFE",
                                      "\xE3"};
    for (int c = 0x20; c < 0x7F; ++c)
        names.push_back(std::string(1, static_cast<char>(c)) + "n");
    for (const std::string& a : names)
        for (const std::string& b : names) {
            const int byCollator =
                order.CompareDecoded(TNameOrder::Decode(a), a, TNameOrder::Decode(b), b);
            EXPECT_EQ(order.CompareNames(a, b), byCollator) << a << " vs " << b;
            const int shortcut = TNameOrder::CompareBytesIfCertain(a, b);
            if (shortcut != 0) {
                EXPECT_EQ(shortcut, byCollator) << a << " vs " << b;
            }
        }

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_FALSE(TNameOrder().FoldsAsciiBytes()); // real collation rules: no shortcut
    QLocale::setDefault(QLocale::system());
}

// A listing keeps its names in chunks that never move, and takes over another listing's names
// without copying them: every name reads back from its offset, before and after, whatever
// chunk it landed in (empty names, names longer than a chunk, bytes that are not UTF-8).
TEST(TreeListingNamesTest, EveryNameReadsBackAcrossChunksAndAfterBeingTakenOver)
{
    const auto nameOf = [](int i) {
        switch (i % 5) {
        case 0:
            return std::string();
        case 1:
            return std::string(3000 + i, 'x'); // longer than a first chunk
        case 2:
            return "資料_" + std::to_string(i);
        case 3:
            return "\xff\xfe" + std::to_string(i);
        default:
            return "file" + std::to_string(i) + ".dat";
        }
    };
    TTreeListing top("/top/");
    TTreeListing part("/part/");
    std::vector<std::pair<std::size_t, std::string>> topNames;
    std::vector<std::pair<std::size_t, std::string>> partNames;
    for (int i = 0; i < 5000; ++i) {
        const std::string name = nameOf(i);
        auto& names = i % 3 ? topNames : partNames;
        names.emplace_back((i % 3 ? top : part).StoreName(name), name);
    }
    const char* const before = top.Name(topNames.front().first);
    const std::size_t base = top.TakeNamesOf(part);
    EXPECT_EQ(top.Name(topNames.front().first), before); // nothing moved
    top.StoreName("after");
    for (const auto& [offset, name] : topNames)
        ASSERT_EQ(top.Name(offset, static_cast<std::uint32_t>(name.size())), name);
    for (const auto& [offset, name] : partNames) {
        ASSERT_EQ(top.Name(base + offset, static_cast<std::uint32_t>(name.size())), name);
        ASSERT_EQ(std::string(top.Name(base + offset)), name.c_str()); // NUL-terminated
    }
}

} // namespace
} // namespace tallyrun::test
