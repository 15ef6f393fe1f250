// The file lists and the log follow the order of the whole path strings under the user locale's
// case-insensitive comparison, not the order of the paths component by component.
#include "scan/file_list.h"
#include "scan/file_listing.h"
#include "scan/folder_total.h"
#include "scan/name_order.h"
#include "tests/scan/scan_fixture.h"
#include "tests/support/temp_tree.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace tallyrun::test {
namespace {

class PathOrderTest : public TScanFixture
{
protected:
    // The paths of the log's file lines, in log order, relative to `root`.
    std::vector<std::string> LoggedPaths(const std::string& root) const
    {
        std::vector<std::string> paths;
        for (const std::string& line : log.lines)
            paths.push_back(line.substr(2 + root.size(), line.rfind(" : ") - 2 - root.size()));
        return paths;
    }

    std::vector<std::string> ListedPaths(const std::string& root) const
    {
        TFileList list;
        ListFilesRecursive(root + "*.*", fkAll, list);
        std::vector<std::string> paths;
        for (const std::string& path : list)
            paths.push_back(path.substr(root.size()));
        return paths;
    }
};

const QLocale kLocales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)};

TEST_F(PathOrderTest, ANameSortingBeforeTheSeparatorComesBeforeTheFolder)
{
    for (const QLocale& locale : kLocales) {
        QLocale::setDefault(locale);
        TTempTree t;
        for (const char* dir : {"order", "order/x", "Proj"})
            t.Dir(dir);
        for (const char* file : {"order/x/a.bin", "order/x-y.bin", "order/x.txt", "order/x y.txt",
                                 "Proj/f", "Proj backup.zip", "Proj_old.txt"})
            t.File(file, 1);
        log.lines.clear();
        FolderTotal(t.Root(), tdWholeTree);
        const std::vector<std::string> expected = {"order/x y.txt", "order/x-y.bin", "order/x.txt",
                                                   "order/x/a.bin", "Proj backup.zip"};
        std::vector<std::string> logged = LoggedPaths(t.Root());
        // Where "_" sorts against "/" depends on the locale; the rest does not.
        const auto old = std::find(logged.begin(), logged.end(), "Proj_old.txt");
        ASSERT_NE(old, logged.end());
        logged.erase(old);
        EXPECT_EQ(std::vector<std::string>(logged.begin(), logged.begin() + 5), expected)
            << locale.name().toStdString();
        EXPECT_EQ(logged.back(), "Proj/f");
        EXPECT_EQ(ListedPaths(t.Root()), LoggedPaths(t.Root()));
    }
}

// Builds a random tree of names full of characters that sort before and after "/".
void Grow(const TTempTree& t, std::mt19937& random, const std::string& folder, int depth)
{
    static const char* const kFirst[] = {"x", "y", "Z", "0", "\xC3\xA9", "\xE6\x97\xA5"};
    static const char* const kMore[] = {"x", "y", "Z", " ", "-", ".",        "_",
                                        ",", "~", "+", "(", "0", "\xC3\xA9", "\xE6\x97\xA5"};
    std::set<std::string> used;
    for (int i = 0; i < 6; ++i) {
        std::string name = kFirst[random() % std::size(kFirst)];
        for (int n = static_cast<int>(random() % 3); n > 0; --n)
            name += kMore[random() % std::size(kMore)];
        if (!used.insert(name).second)
            continue;
        if (depth < 3 && random() % 5 < 2) {
            t.Dir(folder + name);
            Grow(t, random, folder + name + "/", depth + 1);
        } else {
            t.File(folder + name, 1);
        }
    }
}

TEST_F(PathOrderTest, GeneratedTreesAreLoggedAndListedInTheOrderOfTheirWholePaths)
{
    for (const QLocale& locale : kLocales) {
        QLocale::setDefault(locale);
        const TNameOrder order;
        for (unsigned seed = 1; seed <= 4; ++seed) {
            TTempTree t;
            std::mt19937 random(seed);
            Grow(t, random, "", 0);
            log.lines.clear();
            FolderTotal(t.Root(), tdWholeTree);
            const std::vector<std::string> logged = LoggedPaths(t.Root());
            std::vector<std::string> sorted = logged;
            std::sort(sorted.begin(), sorted.end(),
                      [&](const std::string& a, const std::string& b) {
                          return order.CompareNames(t.Root() + a, t.Root() + b) < 0;
                      });
            EXPECT_EQ(logged, sorted) << locale.name().toStdString() << " seed " << seed;
            EXPECT_EQ(ListedPaths(t.Root()), logged);
        }
    }
}

} // namespace
} // namespace tallyrun::test
