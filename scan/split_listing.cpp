#include "scan/split_listing.h"

#include "scan/dir_cursor.h"
#include "scan/pump_events.h"

namespace tallyrun {

namespace {

// The top walk goes down until it finds at least kFewUnits units, or to kMaxSplitDepth. The
// units are taken in list order, so one unit much larger than the rest keeps one thread busy
// alone at the end while the other core idles (with 16 units, one of the benchmark tree's
// largest folder held 29 % of its files and its thread ran alone for the last fifth of the
// listing). So it goes on down to kManyUnits where the next level costs little: when every
// unit it would read has subfolders by its link count (the leaves stay units). Where the link
// count says nothing (btrfs), a deeper walk might read the bulk of the tree on one thread, so
// the walk stops at kFewUnits.
constexpr std::size_t kFewUnits = 16;
constexpr std::size_t kManyUnits = 256;
constexpr std::uint32_t kMaxSplitDepth = 4;
// Entries spliced between two chances for events to run.
constexpr std::size_t kSplicePumpInterval = 1024;

constexpr std::uint32_t kLeftOut = UINT32_MAX;

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

} // namespace

TSplitListing::TSplitListing(const std::string& rootFolder, int rootFd, const TWalkOptions& options)
    : top_(rootFolder), rootFd_(rootFd), abandon_(options.abandon), pumpEvents_(options.pumpEvents)
{
    // Deepen the top walk until it leaves enough units to share out; the folders above them
    // are few, so walking them again costs little.
    for (std::uint32_t depth = 1; depth <= kMaxSplitDepth; ++depth) {
        top_ = TTreeListing(rootFolder);
        TDirCursor rootCursor(top_, rootFd);
        TDirCursor topCursor(top_, rootCursor.Reopen(0));
        units_ = ListTreeTop(top_, topCursor, options, depth);
        if (units_.empty() || units_.size() >= kManyUnits || !DeeperCostsLittle(units_))
            break;
    }
    partOptions_.kinds = options.kinds;
    partOptions_.pattern = options.pattern;
    partOptions_.recursive = true;
    partOptions_.measureSizes = options.measureSizes;
    partOptions_.abandon = options.abandon;
    unitPaths_ = top_;
    parts_.assign(units_.size(), TTreeListing(""));
    unitDone_.assign(units_.size(), false);
    for (const auto& [folder, identity] : top_.entered)
        seen_.insert(identity);
}

std::optional<std::size_t> TSplitListing::TakeUnit()
{
    // next_ may run past the end: every thread that asks once more increments it.
    const std::size_t u = next_++;
    if (u >= units_.size())
        return std::nullopt;
    return u;
}

void TSplitListing::ListUnit(std::size_t u)
{
    {
        // The handles on the way to the unit are closed before it is listed: a thread that
        // held them through its units kept them from another that ran short of descriptors
        // deep in its own, which then counted a readable folder as empty.
        platform::TDirHandle unitRoot = TDirCursor(unitPaths_, rootFd_).Reopen(units_[u].folder);
        TDirCursor cursor(parts_[u], std::move(unitRoot));
        ListTreeAlone(parts_[u], cursor, partOptions_);
    }
    const std::lock_guard guard(mutex_);
    unitDone_[u] = true;
}

bool TSplitListing::SpliceListed()
{
    std::unique_lock lock(mutex_);
    if (splicing_ || whole_)
        return false;
    splicing_ = true;
    try {
        while (spliced_ < units_.size() && unitDone_[spliced_]) {
            lock.unlock();
            SpliceNext();
            lock.lock();
        }
    } catch (...) {
        // An event handler's error, or the stop, while events ran during the splice.
        if (!lock.owns_lock())
            lock.lock();
        splicing_ = false;
        throw;
    }
    splicing_ = false;
    if (spliced_ < units_.size())
        return false;
    // The top's files after the last unit; the listing is whole.
    files_.insert(files_.end(), top_.files.begin() + topFile_, top_.files.end());
    top_.files.swap(files_);
    files_ = {};
    whole_ = true;
    return true;
}

// Appends the top's files before the next unit, then the unit's own.
void TSplitListing::SpliceNext()
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
void TSplitListing::SpliceUnit(std::uint32_t unitFolder, TTreeListing& part)
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

void TSplitListing::PumpNowAndThen()
{
    if (pumpEvents_ && ++splicedEntries_ % kSplicePumpInterval == 0) {
        PumpEvents();
        if (abandon_ && abandon_->load(std::memory_order_relaxed))
            throw TListingAbandoned{};
    }
}

} // namespace tallyrun
