// Lists a whole tree on worker threads. The calling thread walks the top of the tree, down to
// a depth at which it finds enough folders (units) to share out; kWorkers threads then list
// the units' subtrees, each on its own, taking the next unit as they finish one. The calling
// thread meanwhile lets window events run, and splices each unit's listing in at its place as
// soon as it and the units before it are listed. That gives the same list as one walk: the
// top walk notes where each unit's files belong, and a folder met a second time (the same
// device and inode) is left out in list order, as a single walk leaves it out.
#include "scan/tree_listing.h"

#include "scan/dir_cursor.h"
#include "scan/pump_events.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_set>

namespace tallyrun {

namespace {

// The top walk goes down until it finds at least kFewUnits units, or to kMaxSplitDepth. The
// workers take the units in list order, so one unit much larger than the rest keeps one worker
// busy alone at the end while the other core idles (with 16 units, one of the benchmark tree's
// largest folder held 29 % of its files and its worker ran alone for the last fifth of the
// listing). So it goes on down to kManyUnits where the next level costs little: when every
// unit it would read has subfolders by its link count (the leaves stay units). Where the link
// count says nothing (btrfs), a deeper walk might read the bulk of the tree on one thread, so
// the walk stops at kFewUnits.
constexpr std::size_t kFewUnits = 16;
constexpr std::size_t kManyUnits = 256;
constexpr std::uint32_t kMaxSplitDepth = 4;
// More workers than cores: on a cold disk several reads in flight (directory blocks, and the
// inodes the sizes come from) are served faster.
constexpr int kWorkers = 4;
constexpr auto kPumpInterval = std::chrono::milliseconds(5);
// Entries spliced between two chances for events to run.
constexpr std::size_t kSplicePumpInterval = 1024;

constexpr std::uint32_t kLeftOut = UINT32_MAX;

class TSplitListing
{
public:
    // The workers find their units through a copy of the top listing's folders (`unitPaths_`),
    // so that the top listing itself can take in the units already listed meanwhile.
    TSplitListing(TTreeListing& top, int rootFd, const TWalkOptions& options,
                  std::vector<TSplitUnit> units)
        : top_(top), unitPaths_(top), rootFd_(rootFd), units_(std::move(units)),
          parts_(units_.size(), TTreeListing("")), unitDone_(units_.size(), false)
    {
        partOptions_.kinds = options.kinds;
        partOptions_.pattern = options.pattern;
        partOptions_.recursive = true;
        partOptions_.measureSizes = options.measureSizes;
        partOptions_.abandon = options.abandon;
        abandon_ = options.abandon;
        pumpEvents_ = options.pumpEvents;
        for (const auto& [folder, identity] : top_.entered)
            seen_.insert(identity);
    }

    // Lists every unit's subtree on the worker threads and splices each unit's listing into
    // the top listing at its place as soon as it and the units before it are listed, so that
    // little is left to splice on this one thread once the last worker ends. Lets events run
    // meanwhile when the walk pumps them.
    void ListAndSplice()
    {
        const auto workers = std::min<std::size_t>(kWorkers, units_.size());
        std::vector<std::thread> threads;
        try {
            while (threads.size() < workers)
                threads.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // No thread to be had: those running do the work, or else the calling thread.
            if (threads.empty())
                Work();
        }
        try {
            SpliceWhileListed(threads.empty() ? 1 : static_cast<int>(threads.size()));
        } catch (...) {
            // An error from an event handler: the workers stop after their unit in hand.
            next_ = units_.size();
            for (std::thread& t : threads)
                t.join();
            throw;
        }
        for (std::thread& t : threads)
            t.join();
        if (error_)
            std::rethrow_exception(error_);
        // The top's files after the last unit; the listing is whole.
        files_.insert(files_.end(), top_.files.begin() + topFile_, top_.files.end());
        top_.files.swap(files_);
    }

private:
    // Until every worker has ended: splices the units listed, in list order, then waits for
    // the next one (a worker tells of each unit it ends, and of its own end).
    void SpliceWhileListed(int workers)
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            while (spliced_ < units_.size() && unitDone_[spliced_]) {
                lock.unlock();
                SpliceNext();
                lock.lock();
            }
            if (finishedWorkers_ >= workers)
                return;
            if (!pumpEvents_) {
                done_.wait(lock);
                continue;
            }
            done_.wait_for(lock, kPumpInterval);
            lock.unlock();
            PumpEvents();
            ThrowIfAbandoned();
            lock.lock();
        }
    }

    void Work()
    {
        try {
            for (std::size_t u = next_++; u < units_.size(); u = next_++) {
                // The handles on the way to the unit are closed before it is listed: a worker
                // that held them through its units kept them from another that ran short of
                // descriptors deep in its own, which then counted a readable folder as empty.
                platform::TDirHandle unitRoot =
                    TDirCursor(unitPaths_, rootFd_).Reopen(units_[u].folder);
                TDirCursor cursor(parts_[u], std::move(unitRoot));
                ListTreeAlone(parts_[u], cursor, partOptions_);
                const std::lock_guard guard(mutex_);
                unitDone_[u] = true;
                done_.notify_one();
            }
        } catch (...) {
            const std::lock_guard guard(mutex_);
            if (!error_)
                error_ = std::current_exception();
            next_ = units_.size();
        }
        const std::lock_guard guard(mutex_);
        ++finishedWorkers_;
        done_.notify_one();
    }

    // Appends the top's files before the next unit, then the unit's own.
    void SpliceNext()
    {
        const std::size_t u = spliced_;
        files_.insert(files_.end(), top_.files.begin() + topFile_,
                      top_.files.begin() + units_[u].filePosition);
        topFile_ = units_[u].filePosition;
        SpliceUnit(units_[u].folder, parts_[u]);
        parts_[u] = TTreeListing("");
        ++spliced_;
    }

    // Appends the folders `part` entered, but none met before in list order, and their files.
    void SpliceUnit(std::uint32_t unitFolder, TTreeListing& part)
    {
        const std::size_t nameBase = top_.TakeNamesOf(part);
        std::vector<std::uint32_t> index(part.folders.size(), kLeftOut);
        for (const auto& [folder, identity] : part.entered) {
            if (folder == 0) {
                index[0] = unitFolder; // entered by the top walk already
                continue;
            }
            const TListedFolder& record = part.folders[folder];
            const std::uint32_t parent = index[record.parent];
            if (parent == kLeftOut || !seen_.insert(identity).second)
                continue;
            PumpNowAndThen();
            index[folder] = static_cast<std::uint32_t>(top_.folders.size());
            top_.folders.push_back(
                TListedFolder{parent, record.nameLength, nameBase + record.nameOffset});
        }
        for (const TListedFile& file : part.files) {
            PumpNowAndThen();
            if (index[file.folder] != kLeftOut)
                files_.push_back(TListedFile{index[file.folder], file.nameLength,
                                             nameBase + file.nameOffset, file.size});
        }
    }

    void PumpNowAndThen()
    {
        if (pumpEvents_ && ++splicedEntries_ % kSplicePumpInterval == 0) {
            PumpEvents();
            ThrowIfAbandoned();
        }
    }

    void ThrowIfAbandoned() const
    {
        if (abandon_ && abandon_->load(std::memory_order_relaxed))
            throw TListingAbandoned{};
    }

    TTreeListing& top_;
    const TTreeListing unitPaths_;
    const int rootFd_;
    const std::vector<TSplitUnit> units_;
    std::vector<TTreeListing> parts_;
    std::vector<bool> unitDone_; // guarded by mutex_
    TWalkOptions partOptions_;
    const std::atomic<bool>* abandon_ = nullptr;
    bool pumpEvents_ = false;
    std::atomic<std::size_t> next_{0};
    std::mutex mutex_;
    std::condition_variable done_;
    int finishedWorkers_ = 0;
    std::exception_ptr error_;
    // The splice, on the calling thread alone.
    std::unordered_set<platform::TDirIdentity, platform::TDirIdentityHash> seen_;
    std::vector<TListedFile> files_; // the top's files and the units', in list order
    std::size_t spliced_ = 0;        // units
    std::size_t topFile_ = 0;        // the top's files before here are in files_
    std::size_t splicedEntries_ = 0;
};

// Whether the top walk should go one level deeper than the one that gave `units` (fewer than
// kManyUnits): always below kFewUnits; above, only when it would read nothing but folders known
// to have subfolders, and some at all.
bool DeeperCostsLittle(const std::vector<TSplitUnit>& units)
{
    if (units.size() < kFewUnits)
        return true;
    bool some = false;
    for (const TSplitUnit& unit : units) {
        if (unit.subfolders == platform::TSubfolders::sfUnknown)
            return false;
        some = some || unit.subfolders == platform::TSubfolders::sfSome;
    }
    return some;
}

void ListTreeSplit(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options)
{
    if (!options.recursive || options.onFolder) {
        ListTreeAlone(listing, cursor, options);
        return;
    }
    // Deepen the top walk until it leaves enough units to share out; the folders above them
    // are few, so walking them again costs little.
    std::vector<TSplitUnit> units;
    TTreeListing top(listing.RootFolder());
    for (std::uint32_t depth = 1; depth <= kMaxSplitDepth; ++depth) {
        top = TTreeListing(listing.RootFolder());
        TDirCursor topCursor(top, cursor.Reopen(0));
        units = ListTreeTop(top, topCursor, options, depth);
        if (units.empty() || units.size() >= kManyUnits || !DeeperCostsLittle(units))
            break;
    }
    if (!units.empty()) {
        TSplitListing split(top, cursor.RootFd(), options, std::move(units));
        split.ListAndSplice();
    }
    listing = std::move(top);
}

} // namespace

bool ListTree(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options)
{
    try {
        ListTreeSplit(listing, cursor, options);
        return true;
    } catch (const TListingAbandoned&) {
        listing = TTreeListing(listing.RootFolder());
        return false;
    }
}

} // namespace tallyrun
