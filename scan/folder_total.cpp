#include "scan/folder_total.h"

#include "platform/entry_info.h"
#include "platform/find_file.h"
#include "scan/dir_cursor.h"
#include "scan/listing_ahead.h"
#include "scan/log_line.h"
#include "scan/number_format.h"
#include "scan/pump_events.h"
#include "scan/scan_sinks.h"
#include "scan/string_helpers.h"
#include "scan/tree_listing.h"

#include <atomic>
#include <climits>

namespace tallyrun {

namespace {

// The module's state, set by the analysis run around its calls; all on the UI thread. The
// stop request is atomic only so that a stop command may come from anywhere.
TScanProgressBar* progressBar = nullptr;
TScanLog* scanLog = nullptr;
std::atomic<bool> scanStop{false};
bool listingAbandoned = false;

// How long the UI thread waits for a listing ahead between two chances for events to run.
constexpr auto kAheadPollInterval = std::chrono::milliseconds(5);

int ClampToInt(std::size_t n)
{
    return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

} // namespace

void AttachProgressBar(TScanProgressBar* bar)
{
    progressBar = bar;
    if (!bar)
        return;
    bar->SetVisible(true);
    bar->SetMin(0);
    bar->SetMax(1);
    bar->SetPosition(0);
}

void DetachProgressBar()
{
    if (progressBar)
        progressBar->SetVisible(false);
    progressBar = nullptr;
}

void AttachLog(TScanLog* log)
{
    scanLog = log;
}

void DetachLog()
{
    scanLog = nullptr;
}

void SetScanStop(bool stop)
{
    scanStop.store(stop, std::memory_order_relaxed);
}

bool LastListingAbandoned()
{
    return listingAbandoned;
}

namespace {

// Logs each file of `listing` in list order, adding its size unless the stop request is set:
// after a stop nothing more is counted. Each logged total is the sum of the sizes added.
double LogListedFiles(const TTreeListing& listing)
{
    if (progressBar)
        progressBar->SetMax(ClampToInt(listing.files.size()));
    const std::string separator = GroupSeparatorOfUserLocale();
    double total = 0;
    std::uint32_t lastFolder = UINT32_MAX;
    std::string rawFolder;
    // The line in hand starts with "\t\t" and its folder's escaped path, kept from one file of
    // the folder to the next; only the name and the total after them are written anew.
    std::string line;
    std::size_t prefixLength = 0;
    for (std::size_t i = 0; i < listing.files.size(); ++i) {
        const TListedFile& file = listing.files[i];
        PumpEvents();
        if (!scanStop.load()) {
            if (progressBar)
                progressBar->SetPosition(progressBar->Position() + 1);
            total += static_cast<double>(file.size);
        }
        if (file.folder != lastFolder) {
            rawFolder.clear();
            listing.AppendFolderPath(file.folder, rawFolder);
            line.assign("\t\t");
            AppendEscapedPath(rawFolder, line);
            prefixLength = line.size();
            lastFolder = file.folder;
        }
        line.resize(prefixLength);
        AppendEscapedPath(listing.Name(file.nameOffset, file.nameLength), line);
        line += " : ";
        AppendGrouped(total, separator, line);
        if (scanLog)
            scanLog->AppendLine(line);
    }
    return total;
}

// Lists first (the order of the log is the order of the whole paths, and the bar's maximum is
// the number of files), mostly on worker threads for a whole tree, reading each file's size in
// the same pass by one fstatat relative to its folder's open handle. Then logs the files. A
// file that changes after its folder was listed counts with the size it had then, which is as
// true a snapshot as its later size.
double TotalOf(platform::TDirHandle root, const std::string& folder, TTotalDepth depth)
{
    TTreeListing listing(folder);
    TDirCursor cursor(listing, std::move(root));
    TWalkOptions options;
    options.recursive = depth == tdWholeTree;
    options.pumpEvents = true;
    // A stop that comes while the folder is listed abandons the listing: a large folder takes
    // seconds to list, and the stop must not wait for it. Nothing of it is then logged or
    // counted. A stop already set at the call leaves the listing whole, and every file is
    // logged with the total frozen at 0, as after a stop between two files.
    const bool stopAtCall = scanStop.load();
    if (!stopAtCall) {
        options.abandon = &scanStop;
        options.measureSizes = true; // no size is used when the stop is set already
    }
    listingAbandoned = !ListTree(listing, cursor, options) || (!stopAtCall && scanStop.load());
    if (listingAbandoned)
        return 0;
    return LogListedFiles(listing);
}

} // namespace

double FolderTotal(const std::string& path, TTotalDepth depth)
{
    const std::string folder = WithTrailingSeparator(path);
    return TotalOf(platform::OpenDirectory(folder), folder, depth);
}

double FolderTotalAt(int parentFd, const std::string& path, TTotalDepth depth)
{
    const std::string folder = WithTrailingSeparator(path);
    return TotalOf(OpenNamedSubfolder(parentFd, folder), folder, depth);
}

double FolderTotalListedAhead(TListingAhead& ahead, int parentFd, const std::string& path)
{
    const std::string folder = WithTrailingSeparator(path);
    // A stop already set at the call is met as FolderTotalAt meets it (the listing whole, the
    // total frozen at 0); so is a folder not listed ahead.
    if (scanStop.load() ||
        ahead.Poll(folder, std::chrono::milliseconds(0)) == TListingAhead::TState::tsNotListed)
        return FolderTotalAt(parentFd, folder, tdWholeTree);
    // A stop that comes while the listing is still under way abandons it, as in FolderTotalAt:
    // nothing of the folder is logged or counted. Events run at least once first, as a listing
    // made here would let them run while it starts, so a stop already queued at the call ends
    // the folder the same way whether its listing is done or not.
    do {
        PumpEvents();
        if (scanStop.load()) {
            listingAbandoned = true;
            return 0;
        }
    } while (ahead.Poll(folder, kAheadPollInterval) == TListingAhead::TState::tsPending);
    const TTreeListing listing = ahead.Take();
    listingAbandoned = scanStop.load();
    if (listingAbandoned)
        return 0;
    return LogListedFiles(listing);
}

} // namespace tallyrun
