// watch_settings_wait [FOLDERS] [ROUNDS]
//
// How long a call into the folder watcher waits while the watcher opens its watches. The
// watcher watches a temporary folder and shows FOLDERS (default 3000) subfolders of it; each
// round changes the shown folders (one folder more or less), which makes the watcher open
// every watch again, and at once asks it for its shown folders, as the tree's next call would.
// The reference is the time the watcher takes to settle after such a change (the open
// itself, 2 ms of it spent before the call). Prints one line with the medians of ROUNDS rounds
// (default 20):
//   open_ms=O call_wait_ms=C wait_ratio=C/O folders=N
// A ratio near 1 means a call waits for the whole open; near 0, that it does not.
#include "bench/median.h"
#include "shelltree/notify_thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int folders = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    QTemporaryDir dir;
    if (!dir.isValid() || folders < 2 || rounds < 1) {
        std::fprintf(stderr, "usage: watch_settings_wait [FOLDERS>=2] [ROUNDS>=1]\n");
        return 2;
    }
    const std::string root = dir.path().toStdString();
    std::vector<std::string> shown;
    for (int i = 0; i < folders; ++i) {
        shown.push_back(root + "/f" + std::to_string(i));
        std::filesystem::create_directory(shown.back());
    }
    QObject owner;
    tallyrun::TShNotifyThread watcher(
        tallyrun::nfDirName, tallyrun::TShStartMode::Suspended,
        [](tallyrun::TShNotifyThread&, const std::string&, const std::vector<std::string>&) {},
        &owner);
    const std::vector<std::string> roots = {root};
    watcher.SetWatchList(&roots);
    watcher.Start();
    watcher.SetShownFolders(shown);
    watcher.WaitSettled();

    std::vector<double> opens;
    std::vector<double> waits;
    const std::vector<std::string> fewer(shown.begin(), shown.end() - 1);
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer clock;
        clock.start();
        watcher.SetShownFolders(r % 2 ? shown : fewer);
        // Give the watcher's thread the time to wake and start opening.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        QElapsedTimer call;
        call.start();
        (void)watcher.ShownFolders();
        waits.push_back(call.nsecsElapsed() / 1e6);
        watcher.WaitSettled();
        opens.push_back(clock.nsecsElapsed() / 1e6);
    }
    watcher.Stop();
    const double open = Median(opens);
    const double wait = Median(waits);
    std::printf("open_ms=%.1f call_wait_ms=%.2f wait_ratio=%.3f folders=%d\n", open, wait,
                open > 0 ? wait / open : 0.0, folders);
    return 0;
}
