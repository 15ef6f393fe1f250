// The watcher's run on its own thread: open the watches, wait for a change, wait for 1.5 s of
// quiet, call back; a watched folder that vanishes is reported at once.
#include "platform/file_status.h"
#include "shelltree/notify_thread.h"

#include <QCoreApplication>

#include <chrono>

namespace tallyrun {
namespace {

std::uint32_t ChangeKindsOf(TShNotifyFilter filter)
{
    return (filter & 0x7Fu) | ((filter & 0x80u) ? 0x100u : 0u);
}

} // namespace

void TShNotifyThread::Execute()
{
    TShWatchSet watches;
    try {
        Loop(watches);
    } catch (...) {
        watches.Close();
        SetSettled(true);
        throw;
    }
    watches.Close();
    SetSettled(true);
}

bool TShNotifyThread::OpenWatches(TShWatchSet& watches)
{
    std::vector<std::string> roots;
    std::vector<std::string> shown;
    bool subtree = false;
    std::uint32_t kinds = 0;
    std::uint64_t version = 0;
    {
        std::lock_guard guard(lock_);
        // The watches about to open take every settings change made so far. A wake those
        // changes left set would only close and reopen them again, and a change on disk in
        // that gap would be lost.
        ResetWake();
        roots = watchList_;
        shown = shownFolders_;
        subtree = watchSubtree_;
        kinds = ChangeKindsOf(filter_);
        version = settingsVersion_;
    }
    // Opening thousands of watches takes a while: it is done outside the lock, so that the
    // tree's calls into the watcher on the UI thread never wait for it. A settings change
    // made meanwhile has woken the thread again, which then opens the watches anew; until
    // then the watcher stays unsettled.
    const bool opened = watches.Open(roots, shown, subtree, kinds);
    {
        std::lock_guard guard(lock_);
        if (settingsVersion_ == version) {
            watchList_ = std::move(roots); // without the roots that could not be watched
            settled_ = true;
        }
        ++openCount_;
    }
    settledChanged_.notify_all();
    if (!opened && !limitReported_) {
        limitReported_ = true;
        ReportError(
            QCoreApplication::translate("TShNotifyThread", kNotifyLimitedMessage).toStdString());
    }
    return opened;
}

TShWaitResult TShNotifyThread::WaitForChange(TShWatchSet& watches, int ms,
                                             std::vector<TShFiredRoot>& fired)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    const int fds[] = {watches.Fd()};
    for (;;) {
        int left = -1;
        if (ms >= 0) {
            const auto rest = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            left = rest.count() > 0 ? static_cast<int>(rest.count()) : 0;
        }
        int index = -1;
        const TShWaitResult result = WaitWithHandles(fds, left, index);
        if (result != TShWaitResult::wrSignalled)
            return result;
        fired = watches.Read();
        if (!fired.empty())
            return result;
    }
}

void TShNotifyThread::RunCallback(TShWatchSet& watches, const std::string& path)
{
    // Closing thousands of watches takes a while too; the watches are this thread's own.
    watches.Close();
    {
        std::lock_guard guard(lock_);
        inCallback_ = true;
        changedPath_ = path;
    }
    Synchronize([this] {
        TShNotifyCallback callback;
        std::string changed;
        std::vector<std::string> list;
        {
            std::lock_guard guard(lock_);
            callback = callback_;
            changed = changedPath_;
            list = watchList_;
        }
        if (callback && owner_)
            callback(*this, changed, list);
    });
    std::lock_guard guard(lock_);
    inCallback_ = false;
}

void TShNotifyThread::TakeFired(TShWatchSet& watches, const std::vector<TShFiredRoot>& fired,
                                std::string& lastFired)
{
    for (const auto& root : fired) {
        lastFired = root.root;
        if (root.gone || !platform::IsExistingDirectory(root.root)) {
            // Report a vanished folder at once; reopening drops it from the list.
            RunCallback(watches, root.root);
            OpenWatches(watches);
        }
    }
}

void TShNotifyThread::Loop(TShWatchSet& watches)
{
    // A change whose quiet time a settings change cut short: the watcher reopens its watches
    // and then waits out a fresh quiet time for it, so the change is still reported.
    std::string pending;
    while (!Terminated()) {
        const bool opened = OpenWatches(watches);
        bool empty = false;
        {
            std::lock_guard guard(lock_);
            empty = watchList_.empty();
        }
        if (empty) {
            pending.clear();
            if (Wait(-1) == TShWaitResult::wrStopped)
                return;
            continue;
        }
        if (!opened) {
            // Another program holds the user's last inotify instances: try again later, or
            // at once when the settings change.
            if (Wait(kNotifyRetryMs) == TShWaitResult::wrStopped)
                return;
            continue;
        }
        std::vector<TShFiredRoot> fired;
        TShWaitResult result = WaitForChange(watches, pending.empty() ? -1 : kNotifyQuietMs, fired);
        std::string lastFired = pending;
        // The quiet loop: every change starts the 1.5 s again.
        while (result == TShWaitResult::wrSignalled) {
            TakeFired(watches, fired, lastFired);
            result = WaitForChange(watches, kNotifyQuietMs, fired);
        }
        if (result == TShWaitResult::wrStopped)
            return;
        pending.clear();
        if (result == TShWaitResult::wrTimedOut) {
            RunCallback(watches, lastFired);
            continue;
        }
        // Changes that came with the wake-up are not lost with the watches about to close.
        TakeFired(watches, watches.Read(), lastFired);
        pending = lastFired;
        // Woken, failed or after the callback: reopen with the current settings.
    }
}

} // namespace tallyrun
