// Folder listing, path status, renaming and folder watches on real temporary folders.
#include "platform/file_status.h"
#include "platform/folder_entries.h"
#include "platform/inotify_watch.h"
#include "platform/rename_entry.h"
#include "platform/wait_event.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace tallyrun::test {

using namespace platform;

namespace {

class ShellFileOps : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(std::filesystem::is_directory(tree_.Root())); }
    std::string Path(const std::string& name) const { return tree_.Path(name); }
    TTempTree tree_;
};

TEST_F(ShellFileOps, ListsRawNamesAndTellsFoldersFromLinks)
{
    std::filesystem::create_directory(Path("dir\xff"));
    std::ofstream(Path("file")) << "x";
    std::filesystem::create_directory_symlink(Path("dir\xff"), Path("link"));
    std::vector<TFolderEntry> entries;
    ASSERT_TRUE(ReadFolderEntries(tree_.Folder(), entries));
    std::sort(entries.begin(), entries.end(),
              [](const TFolderEntry& a, const TFolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "dir\xff");
    EXPECT_TRUE(entries[0].isDir);
    EXPECT_FALSE(entries[1].isDir);
    EXPECT_TRUE(entries[2].isLink);
    EXPECT_FALSE(entries[2].isDir);
    EXPECT_TRUE(HasSubfolder(tree_.Folder()));
    EXPECT_FALSE(HasSubfolder(Path("dir\xff")));
    // A link to a folder counts as a subfolder, a link to a file or to nothing does not.
    std::filesystem::create_symlink(Path("file"), Path("dir\xff/to-file"));
    std::filesystem::create_symlink(Path("missing"), Path("dir\xff/dangling"));
    EXPECT_FALSE(HasSubfolder(Path("dir\xff")));
    std::filesystem::create_directory_symlink(Path("dir\xff"), Path("dir\xff/to-folder"));
    EXPECT_TRUE(HasSubfolder(Path("dir\xff")));
    EXPECT_FALSE(ReadFolderEntries(Path("missing"), entries));
    EXPECT_FALSE(HasSubfolder(Path("missing")));
    EXPECT_TRUE(IsExistingDirectory(Path("link")));
    EXPECT_TRUE(StatPath(Path("link")).isLink);
    EXPECT_FALSE(StatPath(Path("missing")).exists);
    EXPECT_FALSE(IsCompressed(Path("missing")));
}

TEST_F(ShellFileOps, RenameNeverReplaces)
{
    std::ofstream(Path("a")) << "a";
    std::ofstream(Path("b")) << "bb";
    EXPECT_EQ(RenameNoReplace(Path("a"), Path("b")), TRenameResult::TargetExists);
    EXPECT_EQ(std::filesystem::file_size(Path("b")), 2u);
    EXPECT_EQ(RenameNoReplace(Path("a"), Path("c")), TRenameResult::Renamed);
    EXPECT_EQ(RenameNoReplace(Path("a"), Path("d")), TRenameResult::Failed);
}

TEST_F(ShellFileOps, WatchReportsItsKindsAndTheLossOfItsFolder)
{
    const std::string dir = Path("w");
    std::filesystem::create_directory(dir);
    TInotifyWatch watch;
    ASSERT_TRUE(watch.IsOpen());
    const int wd = watch.Add(dir, ckDirName);
    ASSERT_GE(wd, 0);
    EXPECT_EQ(watch.Add(Path("missing"), ckDirName), -1);
    std::ofstream(dir + "/file") << "x"; // a file name: not watched for
    EXPECT_TRUE(watch.ReadEvents().empty());
    std::filesystem::create_directory(dir + "/sub");
    const int fds[] = {watch.Fd()};
    EXPECT_EQ(WaitForAny(fds, 5000), 0);
    auto events = watch.ReadEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].watch, wd);
    EXPECT_FALSE(events[0].gone);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(WaitForAny(fds, 5000), 0);
    events = watch.ReadEvents();
    EXPECT_TRUE(std::any_of(events.begin(), events.end(),
                            [&](const TWatchEvent& e) { return e.watch == wd && e.gone; }));
    watch.Reset();
    EXPECT_TRUE(watch.IsOpen());
}

TEST(WaitEvent, ManualResetAndTimeOut)
{
    TWaitEvent a, b;
    const int fds[] = {a.Fd(), b.Fd()};
    EXPECT_EQ(WaitForAny(fds, 0), kWaitTimedOut);
    b.Set();
    b.Set();
    EXPECT_TRUE(b.IsSet());
    EXPECT_EQ(WaitForAny(fds, -1), 1);
    EXPECT_EQ(WaitForAny(fds, -1), 1); // stays signalled until reset
    a.Set();
    EXPECT_EQ(WaitForAny(fds, -1), 0); // the lowest index wins
    a.Reset();
    b.Reset();
    EXPECT_FALSE(b.IsSet());
    EXPECT_EQ(WaitForAny(fds, 10), kWaitTimedOut);
    const int bad[] = {-5};
    EXPECT_EQ(WaitForAny(bad, 10), kWaitTimedOut); // negative descriptors are ignored by poll
}

} // namespace
} // namespace tallyrun::test
