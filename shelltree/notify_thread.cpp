#include "shelltree/notify_thread.h"

#include "platform/file_status.h"

#include <algorithm>
#include <chrono>
#include <set>

namespace tallyrun {
namespace {

std::string WithTrailingSlash(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

} // namespace

TShNotifyThread::TShNotifyThread(TShNotifyFilter filter, TShStartMode start,
                                 TShNotifyCallback callback, QObject* owner)
    : filter_(filter), callback_(std::move(callback)), owner_(owner)
{
    if (start == TShStartMode::StartNow)
        Start();
}

TShNotifyThread::~TShNotifyThread()
{
    Stop();
}

void TShNotifyThread::DetachCallback()
{
    std::lock_guard guard(lock_);
    callback_ = nullptr;
}

void TShNotifyThread::SettingsChanged()
{
    ++settingsVersion_;
    if (inCallback_)
        return;
    settled_ = false;
    Wake();
}

void TShNotifyThread::SetWatchList(const std::vector<std::string>* list)
{
    if (list && list->size() > kMaxWatchFolders)
        throw EShNotifyError();
    std::set<std::string> existing;
    if (list) {
        for (const auto& path : *list)
            if (platform::IsExistingDirectory(path))
                existing.insert(WithTrailingSlash(path));
    }
    std::vector<std::string> sorted(existing.begin(), existing.end());
    std::lock_guard guard(lock_);
    if (!list || sorted != watchList_) {
        watchList_ = std::move(sorted);
        SettingsChanged();
    }
}

std::vector<std::string> TShNotifyThread::WatchList()
{
    std::lock_guard guard(lock_);
    return watchList_;
}

void TShNotifyThread::SetShownFolders(std::vector<std::string> folders)
{
    // Sorted in one go rather than node by node into a set (the tree hands tens of thousands
    // of folders here after each expansion or collapse once '*' has opened a large subtree,
    // already in order and each with its separator).
    for (auto& folder : folders)
        if (folder.empty() || folder.back() != '/')
            folder += '/';
    if (!std::is_sorted(folders.begin(), folders.end()))
        std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    std::lock_guard guard(lock_);
    if (folders != shownFolders_) {
        shownFolders_ = std::move(folders);
        SettingsChanged();
    }
}

std::vector<std::string> TShNotifyThread::ShownFolders()
{
    std::lock_guard guard(lock_);
    return shownFolders_;
}

void TShNotifyThread::SetNotifyFilter(TShNotifyFilter filter)
{
    std::lock_guard guard(lock_);
    if (filter != filter_) {
        filter_ = filter;
        SettingsChanged();
    }
}

TShNotifyFilter TShNotifyThread::NotifyFilterOf()
{
    std::lock_guard guard(lock_);
    return filter_;
}

bool TShNotifyThread::InCallback()
{
    std::lock_guard guard(lock_);
    return inCallback_;
}

int TShNotifyThread::OpenCount()
{
    std::lock_guard guard(lock_);
    return openCount_;
}

bool TShNotifyThread::IsSettled()
{
    std::lock_guard guard(lock_);
    return settled_;
}

void TShNotifyThread::WaitSettled()
{
    // Inside its own callback the watcher waits for this very thread; it applies the settings
    // once the callback has returned.
    if (InOwnHandOff())
        return;
    std::unique_lock lock(lock_);
    // A thread that never started or has ended settles nothing. A watcher that is blocked in a
    // hand-off to this thread gets it run here; the short wake-ups make sure neither that nor
    // an ending thread is missed.
    while (!settled_ && Running()) {
        lock.unlock();
        const bool ranHandOff = RunPendingHandOff();
        lock.lock();
        if (!ranHandOff && !settled_)
            settledChanged_.wait_for(lock, std::chrono::milliseconds(10));
    }
}

void TShNotifyThread::SetSettled(bool settled)
{
    {
        std::lock_guard guard(lock_);
        settled_ = settled;
    }
    settledChanged_.notify_all();
}

} // namespace tallyrun
