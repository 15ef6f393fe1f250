// The watcher: watches a list of folders (the drive roots) and the folders under them that
// the tree shows, and calls the tree back on the UI thread 1.5 s after the last change of a
// burst, or at once when a watched folder vanishes.
#pragma once

#include "shelltree/sh_thread.h"
#include "shelltree/watch_set.h"

#include <QCoreApplication>
#include <QPointer>

#include <condition_variable>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallyrun {

class EShNotifyError : public std::runtime_error
{
public:
    EShNotifyError()
        : std::runtime_error(QCoreApplication::translate("TShNotifyThread",
                                                         "監視するフォルダ数が上限を超えています。")
                                 .toStdString())
    {
    }
};

// The most folders a watch list may hold.
constexpr std::size_t kMaxWatchFolders = 61;
// The quiet time after the last change before the callback runs.
constexpr int kNotifyQuietMs = 1500;
// How long the watcher waits before it tries again to get an inotify instance.
constexpr int kNotifyRetryMs = 3000;
// Told to the user once per watcher when it cannot watch at all for now.
inline constexpr const char* kNotifyLimitedMessage = QT_TRANSLATE_NOOP(
    "TShNotifyThread",
    "フォルダの変更を監視できないため、フォルダツリーの自動更新が制限されています。");

// Notify filter bits: 0 to 6 are the change kinds 0x1 to 0x40 (file name, directory name,
// attributes, size, last write, last access, creation), bit 7 is security (0x100).
using TShNotifyFilter = std::uint8_t;
constexpr TShNotifyFilter nfFileName = 0x01;
constexpr TShNotifyFilter nfDirName = 0x02;

class TShNotifyThread;
// Runs on the UI thread with the path whose change is reported and the current watch list.
using TShNotifyCallback = std::function<void(TShNotifyThread& sender, const std::string& path,
                                             const std::vector<std::string>& watchList)>;

// Whether a new watcher starts watching at once or waits for Start().
enum class TShStartMode
{
    StartNow,
    Suspended
};

class TShNotifyThread : public TShThread
{
public:
    // `owner` guards the callback: once it is gone, nothing is called.
    TShNotifyThread(TShNotifyFilter filter, TShStartMode start, TShNotifyCallback callback,
                    QObject* owner);
    ~TShNotifyThread() override;

    // Takes the existing directories of `list` (sorted, each with a trailing "/", no
    // duplicates) as the watch list; none empties it. Throws EShNotifyError for more than
    // kMaxWatchFolders entries and keeps the list as it was.
    void SetWatchList(const std::vector<std::string>* list);
    std::vector<std::string> WatchList();
    // The folders under the watched roots that the tree shows; changes inside them count as
    // changes of their root. Folders outside every root are ignored.
    void SetShownFolders(std::vector<std::string> folders);
    std::vector<std::string> ShownFolders();
    void SetNotifyFilter(TShNotifyFilter filter);
    TShNotifyFilter NotifyFilterOf();
    bool InCallback();
    // Waits until the watcher has applied its current settings and waits for changes. Returns
    // at once when the thread does not run.
    void WaitSettled();
    bool IsSettled();
    // How many times the watcher has opened its watches: it reopens them on every wake-up.
    int OpenCount();

protected:
    void Execute() override;
    void DetachCallback() override;

private:
    // After a settings change (lock held): unsettle and wake, unless in the callback.
    void SettingsChanged();
    void SetSettled(bool settled);
    void Loop(TShWatchSet& watches);
    // Opens the watches for the current settings (dropping roots that cannot be watched),
    // then reports the watcher settled. False when no inotify instance could be had.
    bool OpenWatches(TShWatchSet& watches);
    // Waits for a change the watches report (other events neither count nor shorten the
    // time-out), the stop or wake event, or the time-out.
    TShWaitResult WaitForChange(TShWatchSet& watches, int ms, std::vector<TShFiredRoot>& fired);
    // Notes the roots that fired as the last change; reports a vanished one at once.
    void TakeFired(TShWatchSet& watches, const std::vector<TShFiredRoot>& fired,
                   std::string& lastFired);
    // Closes the watches and runs the callback on the UI thread for `path`.
    void RunCallback(TShWatchSet& watches, const std::string& path);

    // Guarded by lock_.
    std::vector<std::string> watchList_;
    std::vector<std::string> shownFolders_;
    TShNotifyFilter filter_;
    bool watchSubtree_ = true;
    bool inCallback_ = false;
    bool settled_ = false;
    std::uint64_t settingsVersion_ = 0; // counts the settings changes
    std::string changedPath_;
    int openCount_ = 0;
    bool limitReported_ = false; // only the watcher's thread uses it
    TShNotifyCallback callback_;
    QPointer<QObject> owner_;
    std::condition_variable settledChanged_;
};

} // namespace tallyrun
