#include "scan/dir_cursor.h"

#include "scan/tree_listing.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace tallyrun {

namespace {

using TClock = std::chrono::steady_clock;

// The handles each cursor may keep open below its root, shared by all cursors of the process.
// When an open fails for want of a descriptor it is lowered, down to kMinOpen, and every cursor
// gives back what it holds beyond it; it stays lowered, as the limit that caused it stays.
constexpr std::size_t kMinOpen = 2;
std::atomic<std::size_t> handleBudget{TDirCursor::kMaxOpen};
// How long a cursor with nothing left to give back waits, from its first failed try, for the
// others to give back theirs before it counts a folder as unreadable. The window starts anew
// for every open: a shortage long after the budget was lowered (another part of the program
// holding descriptors for a while) must not make a readable folder count as empty.
constexpr auto kGiveBackTime = std::chrono::milliseconds(250);

void LowerBudget(std::size_t budget)
{
    budget = budget < kMinOpen ? kMinOpen : budget;
    std::size_t current = handleBudget.load();
    while (budget < current) {
        if (handleBudget.compare_exchange_weak(current, budget))
            return;
    }
}

} // namespace

TDirCursor::TDirCursor(const TTreeListing& listing, platform::TDirHandle root)
    : listing_(listing), root_(std::move(root)), rootFd_(root_.Fd())
{
}

TDirCursor::TDirCursor(const TTreeListing& listing, int borrowedRootFd)
    : listing_(listing), rootFd_(borrowedRootFd)
{
}

void TDirCursor::CloseAll()
{
    levels_.clear();
    root_.Close();
    rootFd_ = -1;
}

int TDirCursor::ParentFd(std::size_t level) const
{
    return level == 0 ? rootFd_ : levels_[level - 1].handle.Fd();
}

platform::TDirHandle TDirCursor::Reopen(std::uint32_t folder)
{
    if (folder == 0)
        return OpenRetrying(rootFd_, ".", 0);
    const int parentFd = Open(listing_.folders[folder].parent);
    if (parentFd < 0)
        return {};
    return OpenRetrying(parentFd, listing_.Name(listing_.folders[folder].nameOffset),
                        levels_.size());
}

int TDirCursor::Open(std::uint32_t folder)
{
    if (folder == 0)
        return rootFd_;
    // Most calls ask again for the folder of the call before.
    if (!levels_.empty() && levels_.back().folder == folder && levels_.back().handle.IsOpen())
        return levels_.back().handle.Fd();
    chain_.clear();
    for (std::uint32_t f = folder; f != 0; f = listing_.folders[f].parent)
        chain_.push_back(f);
    // chain_ runs upwards; levels_ runs downwards. Keep the levels both share.
    std::size_t common = 0;
    while (common < levels_.size() && common < chain_.size() &&
           levels_[common].folder == chain_[chain_.size() - 1 - common])
        ++common;
    levels_.resize(common);
    const std::size_t budget = handleBudget.load(std::memory_order_relaxed);
    CloseBeyondBudget(budget);
    while (levels_.size() < chain_.size()) {
        const std::size_t level = levels_.size();
        levels_.push_back(TLevel{chain_[chain_.size() - 1 - level], {}, false});
        const int parentFd = level == 0 ? rootFd_ : EnsureOpen(level - 1);
        if (parentFd >= 0)
            levels_[level].handle = OpenRetrying(parentFd, LevelName(level), level);
        levels_[level].failed = !levels_[level].handle.IsOpen();
        // Keep at most the budget's handles below the root: close the one falling out of reach.
        if (level >= budget)
            levels_[level - budget].handle.Close();
    }
    return EnsureOpen(levels_.size() - 1);
}

int TDirCursor::EnsureOpen(std::size_t level)
{
    if (levels_[level].failed)
        return -1;
    if (levels_[level].handle.IsOpen())
        return levels_[level].handle.Fd();
    // Reopen from the nearest ancestor still open, closing again what falls out of the window.
    std::size_t from = level;
    while (from > 0 && !levels_[from - 1].handle.IsOpen() && !levels_[from - 1].failed)
        --from;
    if (from > 0 && levels_[from - 1].failed)
        return -1;
    for (std::size_t m = from; m <= level; ++m) {
        levels_[m].handle = OpenRetrying(ParentFd(m), LevelName(m), m);
        if (!levels_[m].handle.IsOpen()) {
            levels_[m].failed = true;
            return -1;
        }
        if (m > 0 && level - (m - 1) > handleBudget.load(std::memory_order_relaxed))
            levels_[m - 1].handle.Close();
    }
    return levels_[level].handle.Fd();
}

const char* TDirCursor::LevelName(std::size_t level) const
{
    return listing_.Name(listing_.folders[levels_[level].folder].nameOffset);
}

// Opens `name` in `parentFd`, the handle of level `inUse` - 1 (or the root). Running out of
// descriptors says nothing about the folder: give back handles, this cursor's own first, then
// for a short while the other cursors', and try again.
platform::TDirHandle TDirCursor::OpenRetrying(int parentFd, const char* name, std::size_t inUse)
{
    std::optional<TClock::time_point> giveUpAt;
    for (;;) {
        platform::TDirHandle handle = platform::OpenSubdirectory(parentFd, name);
        if (handle.IsOpen() || !platform::OutOfDescriptors())
            return handle;
        if (!giveUpAt)
            giveUpAt = TClock::now() + kGiveBackTime;
        std::size_t held = 0;
        for (const TLevel& l : levels_)
            held += l.handle.IsOpen();
        LowerBudget(held > 0 ? held - 1 : 0);
        if (CloseFarthest(inUse))
            continue;
        if (TClock::now() >= *giveUpAt)
            return handle;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Closes the open handle farthest above level `inUse`, sparing its parent's, which is in use.
bool TDirCursor::CloseFarthest(std::size_t inUse)
{
    for (std::size_t m = 0; m + 1 < inUse; ++m)
        if (levels_[m].handle.IsOpen()) {
            levels_[m].handle.Close();
            return true;
        }
    return false;
}

void TDirCursor::CloseBeyondBudget(std::size_t budget)
{
    for (std::size_t m = 0; m + budget < levels_.size(); ++m)
        levels_[m].handle.Close();
}

} // namespace tallyrun
