// stop_during_listing DIR [RUNS]
//
// How long the stop command takes while a folder of many entries is being listed. DIR is a
// folder of many files (made with 600,000 empty files when it does not exist). Each run first
// times the listing of DIR's own files as the analysis run lists them (the reference), then
// runs the analysis of DIR in the main window on the offscreen platform and presses the stop
// command halfway through that listing time, and times the stop command to the run's end.
// Prints one line per run and, last, the medians:
//   stop_ms=S listing_ms=L ratio=R memo_lines=N
// R = S / L. memo_lines is 3 when the stop came during the listing (the folder's path line,
// the slice's " Byte" line and the stop line).
#include "app/event_pump.h"
#include "app/fixed_selected_folder.h"
#include "app/main_window.h"
#include "bench/median.h"
#include "scan/dir_cursor.h"
#include "scan/tree_listing.h"
#include "toolbar/tb_item.h"
#include "widgets/log_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kEntries = 600000;

bool MakeFolder(const std::string& dir)
{
    struct stat st
    {
    };
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (::mkdir(dir.c_str(), 0755) != 0)
        return false;
    std::fprintf(stderr, "making %d files in %s\n", kEntries, dir.c_str());
    char name[32];
    for (int i = 0; i < kEntries; ++i) {
        std::snprintf(name, sizeof name, "/f%06d.dat", i);
        const int fd = ::open((dir + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

double ListingMs(const std::string& dir)
{
    QElapsedTimer clock;
    clock.start();
    tallyrun::TTreeListing listing(dir + "/");
    tallyrun::TDirCursor cursor(listing, tallyrun::platform::OpenDirectory(dir + "/"));
    tallyrun::TWalkOptions options;
    options.recursive = false;
    options.measureSizes = true;
    options.pumpEvents = true;
    tallyrun::ListTree(listing, cursor, options);
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: stop_during_listing DIR [RUNS]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
    if (!MakeFolder(dir)) {
        std::fprintf(stderr, "cannot make %s\n", dir.c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tallyrun::InstallEventPump();
    tallyrun::TFixedSelectedFolder selected(dir);
    tallyrun::TfrmMain window(selected);
    window.show();
    QApplication::processEvents();

    ListingMs(dir); // warms the cache
    std::vector<double> stops, listings;
    int memoLines = 0;
    for (int r = 0; r < runs; ++r) {
        const double listingMs = ListingMs(dir);
        QElapsedTimer clock;
        qint64 stoppedAt = 0;
        QTimer::singleShot(static_cast<int>(listingMs / 2), &window, [&] {
            stoppedAt = clock.nsecsElapsed();
            window.TB_Stop->trigger();
        });
        clock.start();
        window.QorShTreeView1Change(&window, nullptr);
        const double stopMs = double(clock.nsecsElapsed() - stoppedAt) / 1e6;
        memoLines = window.memSearch->LineCount();
        std::printf("stop_ms=%.1f listing_ms=%.1f ratio=%.3f memo_lines=%d\n", stopMs, listingMs,
                    stopMs / listingMs, memoLines);
        stops.push_back(stopMs);
        listings.push_back(listingMs);
    }
    const double s = Median(stops);
    const double l = Median(listings);
    std::printf("stop_ms=%.1f listing_ms=%.1f ratio=%.3f memo_lines=%d\n", s, l, s / l, memoLines);
    return 0;
}
