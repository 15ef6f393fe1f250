// The watcher on real temporary folders.
#include "shelltree/notify_thread.h"

#include "tests/support/event_waits.h"
#include "tests/support/temp_tree.h"
#include "tests/support/user_namespace.h"

#include <QDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace tallyrun::test {
namespace {

struct Report
{
    qint64 atMs;
    std::string path;
    std::vector<std::string> list;
};

class NotifyThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::is_directory(tree_.Root()));
        clock_.start();
    }

    std::string Dir(const std::string& name)
    {
        const std::string path = tree_.Path(name);
        std::filesystem::create_directories(path);
        return path;
    }

    // A watcher of `folders`, started and settled.
    std::unique_ptr<TShNotifyThread> Watch(const std::vector<std::string>& folders)
    {
        auto watcher = std::make_unique<TShNotifyThread>(
            nfDirName, TShStartMode::Suspended,
            [this](TShNotifyThread& sender, const std::string& path,
                   const std::vector<std::string>& list) {
                reports_.push_back({clock_.elapsed(), path, list});
                if (onCallback_)
                    onCallback_(sender);
            },
            &owner_);
        watcher->SetWatchList(&folders);
        watcher->Start();
        watcher->WaitSettled();
        return watcher;
    }

    TTempTree tree_;
    QObject owner_;
    QElapsedTimer clock_;
    std::vector<Report> reports_;
    std::function<void(TShNotifyThread&)> onCallback_;
};

TEST_F(NotifyThreadTest, BurstOfNewFoldersGivesOneCallbackAfterTheQuietTime)
{
    const std::string root = Dir("watched");
    auto watcher = Watch({root});
    ASSERT_EQ(watcher->WatchList(), std::vector<std::string>{root + "/"});
    for (int i = 0; i < 10; ++i)
        std::filesystem::create_directory(root + "/new" + std::to_string(i));
    const qint64 lastChange = clock_.elapsed();
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
    const qint64 delay = reports_[0].atMs - lastChange;
    EXPECT_GE(delay, 1400);
    EXPECT_LE(delay, 8000);
    EXPECT_EQ(reports_[0].path, root + "/");
    EXPECT_EQ(reports_[0].list, std::vector<std::string>{root + "/"});
    RunEventsFor(800);
    EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(NotifyThreadTest, ChangesOfOtherKindsAndInShownSubfoldersAreSeenAsConfigured)
{
    const std::string root = Dir("kinds");
    const std::string shown = Dir("kinds/shown");
    auto watcher = Watch({root});
    // A new file is not a directory-name change.
    std::ofstream(root + "/file.txt") << "x";
    RunEventsFor(1800);
    EXPECT_TRUE(reports_.empty());
    // A folder the tree shows under the root reports as a change of the root.
    watcher->SetShownFolders({shown});
    watcher->WaitSettled();
    std::filesystem::create_directory(shown + "/deeper");
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
    EXPECT_EQ(reports_[0].path, root + "/");
    // A settings change made while the watcher is still in its callback is applied when it
    // reopens its watches after it, so let it leave the callback first.
    ASSERT_TRUE(WaitUntil([&] { return !watcher->InCallback(); }, 15000));
    // With the file-name kind added to the filter, a new file reports too.
    watcher->SetNotifyFilter(nfDirName | nfFileName);
    EXPECT_EQ(watcher->NotifyFilterOf(), nfDirName | nfFileName);
    watcher->WaitSettled();
    reports_.clear();
    std::ofstream(root + "/second.txt") << "x";
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
}

TEST_F(NotifyThreadTest, VanishedFolderIsReportedAtOnceAndLeavesTheList)
{
    const std::string a = Dir("a");
    const std::string b = Dir("b");
    auto watcher = Watch({b, a});
    ASSERT_EQ(watcher->WatchList(), (std::vector<std::string>{a + "/", b + "/"}));
    const qint64 removedAt = clock_.elapsed();
    std::filesystem::remove(a);
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
    EXPECT_LT(reports_[0].atMs - removedAt, 1450); // before the quiet time could end
    EXPECT_EQ(reports_[0].path, a + "/");
    ASSERT_TRUE(WaitUntil([&] { return watcher->WatchList().size() == 1; }, 5000));
    EXPECT_EQ(watcher->WatchList(), std::vector<std::string>{b + "/"});
}

TEST_F(NotifyThreadTest, UnchangedWatchListNeitherWakesNorResets)
{
    const std::string a = Dir("a");
    const std::string b = Dir("b");
    auto watcher = Watch({a, b});
    const int opens = watcher->OpenCount();
    // The same existing folders, in another order, without separators, with a missing one.
    const std::vector<std::string> same = {b + "/", a, Dir("x") + "/../missing"};
    watcher->SetWatchList(&same);
    EXPECT_TRUE(watcher->IsSettled());
    RunEventsFor(100);
    EXPECT_EQ(watcher->OpenCount(), opens);
    // A different list wakes the watcher, which settles again with it.
    const std::vector<std::string> other = {a};
    watcher->SetWatchList(&other);
    watcher->WaitSettled();
    EXPECT_GT(watcher->OpenCount(), opens);
    EXPECT_EQ(watcher->WatchList(), std::vector<std::string>{a + "/"});
    // No list empties it and always wakes.
    watcher->SetWatchList(nullptr);
    watcher->WaitSettled();
    EXPECT_TRUE(watcher->WatchList().empty());
    const int emptyOpens = watcher->OpenCount();
    watcher->SetWatchList(nullptr);
    watcher->WaitSettled();
    EXPECT_GT(watcher->OpenCount(), emptyOpens);
}

TEST_F(NotifyThreadTest, SixtyTwoFoldersRaiseAndSixtyOneDoNot)
{
    std::vector<std::string> folders;
    for (int i = 0; i < 61; ++i)
        folders.push_back(Dir(QString::number(i).toStdString()));
    auto watcher = Watch({folders[0]});
    EXPECT_NO_THROW(watcher->SetWatchList(&folders));
    watcher->WaitSettled();
    EXPECT_EQ(watcher->WatchList().size(), 61u);
    const auto before = watcher->WatchList();
    folders.push_back(Dir("f61"));
    try {
        watcher->SetWatchList(&folders);
        FAIL() << "62 folders were accepted";
    } catch (const EShNotifyError& e) {
        EXPECT_STREQ(e.what(), "監視するフォルダ数が上限を超えています。");
    }
    EXPECT_EQ(watcher->WatchList(), before);
}

TEST_F(NotifyThreadTest, StopWhileWaitingEndsAtOnce)
{
    for (const bool withFolders : {false, true}) {
        auto watcher =
            Watch(withFolders ? std::vector<std::string>{Dir("w")} : std::vector<std::string>{});
        ASSERT_TRUE(watcher->Running());
        QElapsedTimer timer;
        timer.start();
        watcher->Stop();
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_FALSE(watcher->Running());
        watcher->WaitSettled(); // returns at once for a stopped watcher
    }
}

TEST_F(NotifyThreadTest, SettingsChangedInTheCallbackDoNotBlockWaitSettled)
{
    const std::string root = Dir("cb");
    const std::string other = Dir("other");
    auto watcher = Watch({root});
    bool settledInCallback = false;
    onCallback_ = [&](TShNotifyThread& sender) {
        EXPECT_TRUE(sender.InCallback());
        const std::vector<std::string> list = {other};
        sender.SetWatchList(&list);
        sender.WaitSettled(); // would never return if it waited for the watcher
        settledInCallback = sender.IsSettled();
        onCallback_ = nullptr;
    };
    std::filesystem::create_directory(root + "/x");
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
    EXPECT_TRUE(settledInCallback);
    // The report is made inside the callback; the watcher leaves it just after.
    EXPECT_TRUE(WaitUntil([&] { return !watcher->InCallback(); }, 15000));
    watcher->WaitSettled();
    EXPECT_EQ(watcher->WatchList(), std::vector<std::string>{other + "/"});
}

// Creates and deletes files in `folder` until stopped, so its watch keeps firing.
class Churn
{
public:
    explicit Churn(const std::string& folder)
        : writer_([this, folder] {
              for (int i = 0; !stop_; ++i) {
                  const std::string file = folder + "/churn" + std::to_string(i % 8);
                  std::ofstream(file) << "x";
                  std::filesystem::remove(file);
              }
          })
    {
    }
    ~Churn()
    {
        stop_ = true;
        writer_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread writer_;
};

TEST_F(NotifyThreadTest, SettingsChangesUnderChurnAreAppliedAndStopEnds)
{
    const std::string root = Dir("churn");
    const std::string shown = Dir("churn/shown");
    const std::vector<std::string> list = {root};
    auto watcher = Watch(list);
    Churn churn(root);
    for (int i = 0; i < 40; ++i) {
        // Each change must be seen although the watch fires all the time; a lost wake-up
        // leaves WaitSettled waiting for good.
        watcher->SetWatchList(nullptr);
        watcher->WaitSettled();
        EXPECT_TRUE(watcher->WatchList().empty());
        watcher->SetWatchList(&list);
        watcher->WaitSettled();
        watcher->SetShownFolders(i % 2 ? std::vector<std::string>{} : std::vector{shown});
        watcher->WaitSettled();
    }
    EXPECT_EQ(watcher->WatchList(), std::vector<std::string>{root + "/"});
    QElapsedTimer timer;
    timer.start();
    watcher->Stop();
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST_F(NotifyThreadTest, WaitSettledRunsACallbackTheWatcherWaitsFor)
{
    // The watcher reports a vanished folder at once and waits for the UI thread meanwhile;
    // a WaitSettled that does not let that report run would wait for good. Which of the two
    // the watcher sees first varies, so the race is run several times.
    const std::string keep = Dir("keep");
    for (int i = 0; i < 20; ++i) {
        const std::string gone = Dir("gone" + std::to_string(i));
        const std::vector<std::string> list = {keep, gone};
        auto watcher = Watch(list);
        std::filesystem::remove(gone);
        watcher->SetShownFolders({keep + "/" + std::to_string(i)});
        watcher->WaitSettled();
        // Whichever the watcher saw first, the vanished folder is reported.
        ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 5000));
        reports_.clear();
    }
}

TEST_F(NotifyThreadTest, ChangeIsStillReportedWhenSettingsChangeInItsQuietTime)
{
    const std::string root = Dir("quiet");
    const std::string shown = Dir("quiet/shown");
    auto watcher = Watch({root});
    std::filesystem::create_directory(root + "/new");
    RunEventsFor(300); // inside the quiet time
    watcher->SetShownFolders({shown});
    watcher->WaitSettled();
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
    RunEventsFor(800);
    EXPECT_EQ(reports_.size(), 1u);
}

TEST_F(NotifyThreadTest, NothingReachesAnOwnerThatIsGone)
{
    const std::string root = Dir("owner");
    auto owner = std::make_unique<QObject>();
    int calls = 0;
    std::vector<std::string> list = {root};
    TShNotifyThread watcher(
        nfDirName, TShStartMode::Suspended,
        [&](TShNotifyThread&, const std::string&, const std::vector<std::string>&) { ++calls; },
        owner.get());
    watcher.SetWatchList(&list);
    watcher.Start();
    watcher.WaitSettled();
    owner.reset();
    std::filesystem::remove(root);
    ASSERT_TRUE(WaitUntil([&] { return watcher.WatchList().empty(); }, 5000));
    EXPECT_EQ(calls, 0);
}

// Exit codes of the inner run when it cannot be set up.
constexpr int kNoUserNamespace = 76;
constexpr int kLimitNotLowered = 77;

// The inner run of RunLimited gets "<setting>=<value>" in TALLYRUN_INOTIFY_LIMITED. It enters
// its user namespace and lowers the setting while the process is still single-threaded (a
// process with other threads, such as a sanitizer's, cannot enter one): before main().
const bool limitLowered = [] {
    const char* limit = std::getenv("TALLYRUN_INOTIFY_LIMITED");
    if (!limit)
        return false;
    const std::string setting(limit);
    const std::size_t equals = setting.find('=');
    if (equals == std::string::npos)
        _exit(kLimitNotLowered);
    if (!EnterUserNamespace())
        _exit(kNoUserNamespace);
    std::ofstream file("/proc/sys/user/" + setting.substr(0, equals));
    file << setting.substr(equals + 1) << "\n";
    file.flush();
    if (!file)
        _exit(kLimitNotLowered);
    return true;
}();

// Runs the test `name` of this file again in a user namespace where the inotify setting
// /proc/sys/user/<setting> is `value`. True when this run is that inner one; otherwise `skip`
// tells why the inner run could not be made, if it could not.
bool RunLimited(const std::string& setting, int value, const std::string& name, std::string& skip)
{
    if (limitLowered)
        return true;
    char exe[PATH_MAX] = {};
    EXPECT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    std::string filter = "--gtest_filter=NotifyThreadTest." + name;
    char* const argv[] = {exe, filter.data(), nullptr};
    std::string limit = "TALLYRUN_INOTIFY_LIMITED=" + setting + "=" + std::to_string(value);
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    env.push_back(limit.data());
    env.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, exe, &quiet, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&quiet);
    EXPECT_EQ(spawned, 0);
    if (spawned != 0)
        return false;
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNoUserNamespace)
        skip = "user namespaces are not available: the inotify limits are not lowered";
    else if (WIFEXITED(status) && WEXITSTATUS(status) == kLimitNotLowered)
        skip = "the inotify limit cannot be lowered here";
    else
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return false;
}

// Runs inside a user namespace whose inotify watch limit is 3.
TEST_F(NotifyThreadTest, WatchLimitReachedDropsFolders)
{
    std::string skip;
    if (!RunLimited("max_inotify_watches", 3, "WatchLimitReachedDropsFolders", skip)) {
        if (!skip.empty())
            GTEST_SKIP() << skip;
        return;
    }
    std::vector<std::string> folders;
    for (int i = 0; i < 6; ++i)
        folders.push_back(Dir("lim" + std::to_string(i)));
    auto watcher = Watch(folders);
    const auto kept = watcher->WatchList();
    EXPECT_GT(kept.size(), 0u);
    EXPECT_LT(kept.size(), 6u);
    // The folders that did get a watch still report.
    std::filesystem::create_directory(kept.back() + "new");
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
}

} // namespace
} // namespace tallyrun::test

namespace tallyrun::test {
namespace {

// Runs inside a user namespace whose inotify instance limit is low, with every instance taken.
TEST_F(NotifyThreadTest, NoInotifyInstanceKeepsTheRootsTellsOnceAndRetries)
{
    std::string skip;
    if (!RunLimited("max_inotify_instances", 8, "NoInotifyInstanceKeepsTheRootsTellsOnceAndRetries",
                    skip)) {
        if (!skip.empty())
            GTEST_SKIP() << skip;
        return;
    }
    std::vector<int> held;
    for (int fd; (fd = inotify_init1(IN_CLOEXEC)) >= 0;)
        held.push_back(fd);
    std::vector<std::string> told;
    const auto previous =
        SetShThreadErrorHandler([&](const std::string& message) { told.push_back(message); });
    const std::string root = Dir("retry");
    auto watcher = Watch({root});
    EXPECT_EQ(watcher->WatchList(), std::vector<std::string>{root + "/"});
    // It tries again, and tells the user once only.
    const int opens = watcher->OpenCount();
    ASSERT_TRUE(WaitUntil([&] { return watcher->OpenCount() > opens; }, 10000));
    EXPECT_EQ(told, std::vector<std::string>{kNotifyLimitedMessage});
    for (const int fd : held)
        close(fd);
    const int retried = watcher->OpenCount();
    ASSERT_TRUE(WaitUntil([&] { return watcher->OpenCount() > retried; }, 10000));
    std::filesystem::create_directory(root + "/new");
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 15000));
    EXPECT_EQ(told.size(), 1u);
    SetShThreadErrorHandler(previous);
}

} // namespace
} // namespace tallyrun::test
