#include "scan/folder_total.h"

#include "scan/dir_cursor.h"
#include "scan/file_list.h"
#include "scan/file_listing.h"
#include "scan/pump_events.h"
#include "tests/scan/scan_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_tree.h"
#include "tests/support/user_namespace.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace tallyrun::test {
namespace {

// Files sorted before the ones a test tampers with, so the tampering happens while other files
// are being logged.
constexpr int kFillers = 8;

class BadInputTest : public TScanFixture
{
};

// What a pump hook does once, at the first pump after the listing: the bar's maximum is set to
// the number of files (more than 1 in these tests) only when the listing is done.
std::function<void()> onFirstPump;
const TFakeProgressBar* measuringBar = nullptr;
void RunFirstPumpAction()
{
    if (onFirstPump && measuringBar && measuringBar->max > 1) {
        auto action = std::move(onFirstPump);
        onFirstPump = nullptr;
        action();
    }
}

// Sizes are read as the folder is listed: a file deleted afterwards counts with the size it had
// then (a true snapshot), and the total logged is the total returned.
TEST_F(BadInputTest, FileVanishingAfterTheListingCountsAsListed)
{
    tree.Dir("a");
    MakeFillerFiles(tree, "a", kFillers);
    tree.File("z-gone", 1000);
    tree.File("z-kept", 7);
    onFirstPump = [this] { ::unlink(tree.Path("z-gone").c_str()); };
    measuringBar = &bar;
    SetPumpEventsHook(RunFirstPumpAction);
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 1007.0);
    EXPECT_TRUE(Logged("z-gone")); // it was listed, so it is logged
    EXPECT_EQ(log.lines.back(), Line("z-kept", "1,007"));
}

TEST_F(BadInputTest, FolderReplacedByLinkOrFileMidWalkIsNeverFollowed)
{
    TTempTree outside;
    outside.File("secret", 1'000'000);
    tree.Dir("a");
    MakeFillerFiles(tree, "a", kFillers);
    tree.Dir("y");
    tree.File("y/secret", 1);
    tree.Dir("z");
    tree.File("z/secret", 2);
    onFirstPump = [&] {
        // y becomes a link to a folder outside the tree with a file of the same name; z a file.
        ASSERT_EQ(std::rename(tree.Path("y").c_str(), tree.Path("y-old").c_str()), 0);
        tree.Link("y", outside.Root());
        ASSERT_EQ(std::rename(tree.Path("z").c_str(), tree.Path("z-old").c_str()), 0);
        tree.File("z", 5);
    };
    measuringBar = &bar;
    SetPumpEventsHook(RunFirstPumpAction);
    // The sizes read while y and z were listed, never the file outside the tree.
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 3.0);
    EXPECT_TRUE(Logged("y/secret"));
}

TEST_F(BadInputTest, TreeDeeperThanTheLongestPathIsWalkedAndMeasured)
{
    // 52 levels of 200-character names: over 10,000 bytes of path.
    const std::string component(200, 'd');
    int fd = ::open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int level = 0; level < 52; ++level) {
        ASSERT_EQ(::mkdirat(fd, component.c_str(), 0755), 0);
        const int next = ::openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        ASSERT_GE(fd, 0);
    }
    const int file = ::openat(fd, "bottom.dat", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::ftruncate(file, 12345), 0);
    ::close(file);
    ::close(fd);

    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), 12345.0);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_GT(log.lines[0].size(), 52u * 201u);

    TFileList list;
    ListFilesRecursive(tree.Root() + "*.*", fkAll, list);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(GetFileSize64(list[0]), 12345u);
}

constexpr int kLevels = static_cast<int>(TDirCursor::kMaxOpen) + 30;

// Each level holds a folder "d" (the next level), a file "f" measured after the whole of "d"
// and a folder "e" listed after it, so the walk and the measuring both come back up to folders
// whose handles were closed on the way down. Gives the total of the tree.
double MakeTreeDeeperThanTheHandlesKept(const TTempTree& tree)
{
    std::string relative;
    double expected = 0;
    for (int level = 0; level < kLevels; ++level) {
        tree.Dir(relative + "d");
        tree.Dir(relative + "e");
        tree.File(relative + "e/g", 1000);
        tree.File(relative + "f", level + 1);
        expected += 1000 + level + 1;
        relative += "d/";
    }
    return expected;
}

TEST_F(BadInputTest, TreeDeeperThanTheOpenHandleLimitReopensFoldersOnTheWayBack)
{
    const double expected = MakeTreeDeeperThanTheHandlesKept(tree);
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), expected);
    EXPECT_EQ(log.lines.size(), 2u * kLevels);
    EXPECT_TRUE(Logged("d/e/g"));
}

// Leaves the process `spare` free descriptors for its lifetime, as a low limit or another part
// of the program holding the rest would: it lowers the soft limit and fills the free numbers.
class TDescriptorShortage
{
public:
    explicit TDescriptorShortage(int spare)
    {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = 1024 < saved_.rlim_cur ? 1024 : saved_.rlim_cur;
        ::setrlimit(RLIMIT_NOFILE, &lowered);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            fillers_.push_back(fd);
        for (int i = 0; i < spare && !fillers_.empty(); ++i) {
            ::close(fillers_.back());
            fillers_.pop_back();
        }
    }
    ~TDescriptorShortage()
    {
        for (const int fd : fillers_)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &saved_);
    }

private:
    rlimit saved_{};
    std::vector<int> fillers_;
};

TEST_F(BadInputTest, RunningShortOfDescriptorsNeverMakesAReadableTreeCountLess)
{
    const double expected = MakeTreeDeeperThanTheHandlesKept(tree);
    // The undefined-behaviour sanitizer checks the object of a virtual call through a pipe the
    // first time it meets the call's type; with no descriptor left that check fails and reports
    // a sound object as broken. One total with descriptors to spare makes it meet them all.
    FolderTotal(tree.Root(), tdWholeTree);
    for (const int spare : {8, 24}) {
        log.lines.clear();
        double total = 0;
        {
            const TDescriptorShortage shortage(spare);
            total = FolderTotal(tree.Root(), tdWholeTree);
        }
        EXPECT_EQ(total, expected) << spare << " descriptors to spare";
        EXPECT_EQ(log.lines.size(), 2u * kLevels);
    }
}

TEST_F(BadInputTest, FifosAreCountedWithoutBeingOpenedAndSparseGiantsInFull)
{
    tree.Fifo("pipe"); // opening it for reading would block forever
    tree.File("giant", 6ull << 30);
    tree.Link("loop", ".");
    tree.Link("self", "self");
    const double links = 1 + 4; // a link counts with its own size, the length of its target
    EXPECT_EQ(FolderTotal(tree.Root(), tdWholeTree), static_cast<double>(6ull << 30) + links);
    EXPECT_EQ(log.lines.size(), 4u);
}

TEST_F(BadInputTest, UnreadableFolderListsNothing)
{
    tree.Dir("open");
    tree.File("open/a", 10);
    tree.Dir("closed");
    tree.File("closed/b", 20);
    tree.Dir("closed/inner");
    tree.File("closed/inner/c", 40);
    ::chmod(tree.Path("closed").c_str(), 0);
    const int status = RunInChild(TChildSetup::kNobody, [this] {
        const double total = FolderTotal(tree.Root(), tdWholeTree);
        std::fprintf(stderr, "total as nobody: %.0f, lines %zu\n", total, log.lines.size());
        return total == 10.0 && log.lines.size() == 1 ? 0 : 1;
    });
    if (status == -1)
        GTEST_SKIP() << "cannot drop privileges to user 65534 here";
    EXPECT_EQ(status, 0);
}

TEST_F(BadInputTest, FaultNotCopied_BindMountLoopIsEnteredOnce)
{
    tree.Dir("a");
    tree.File("a/f", 5);
    tree.Dir("a/b");
    const int status = RunInChild(TChildSetup::kUserNamespace, [this] {
        if (::mount(tree.Path("a").c_str(), tree.Path("a/b").c_str(), nullptr, MS_BIND, nullptr))
            return 255;
        // a/b shows a again (with its own b, and so on): the walk must stop at the repeat.
        const double total = FolderTotal(tree.Root(), tdWholeTree);
        std::fprintf(stderr, "total in bind loop: %.0f, lines %zu\n", total, log.lines.size());
        return total == 5.0 && log.lines.size() == 1 ? 0 : 1;
    });
    if (status == -1)
        GTEST_SKIP() << "no user and mount namespaces here (unshare refused)";
    EXPECT_EQ(status, 0);
}

TEST_F(BadInputTest, FaultNotCopied_PseudoFileSystemsAreNeverEntered)
{
    EXPECT_EQ(FolderTotal("/proc", tdWholeTree), 0.0);
    EXPECT_TRUE(log.lines.empty());

    tree.Dir("proc");
    tree.File("real", 3);
    tree.Dir("tmp");
    const int status = RunInChild(TChildSetup::kUserNamespace, [this] {
        if (::mount("/proc", tree.Path("proc").c_str(), nullptr, MS_BIND | MS_REC, nullptr) ||
            !MountTinyDisk(tree.Path("tmp").c_str()))
            return 255;
        // Another real file system is entered; the bound proc is not.
        const int fd = ::open(tree.Path("tmp/on-tmpfs").c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0 || ::ftruncate(fd, 4) != 0)
            return 2;
        ::close(fd);
        const double total = FolderTotal(tree.Root(), tdWholeTree);
        std::fprintf(stderr, "total with proc inside: %.0f, lines %zu\n", total, log.lines.size());
        return total == 7.0 && log.lines.size() == 2 ? 0 : 1;
    });
    if (status == -1)
        GTEST_SKIP() << "no user and mount namespaces here (unshare or mount refused)";
    EXPECT_EQ(status, 0);
}

} // namespace
} // namespace tallyrun::test
