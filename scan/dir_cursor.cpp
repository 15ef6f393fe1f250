#include "scan/dir_cursor.h"

#include "scan/tree_listing.h"

namespace tallyrun {

TDirCursor::TDirCursor(const TTreeListing& listing, platform::TDirHandle root)
    : listing_(listing), root_(std::move(root))
{
}

int TDirCursor::ParentFd(std::size_t level) const
{
    return level == 0 ? root_.Fd() : levels_[level - 1].handle.Fd();
}

int TDirCursor::Open(std::uint32_t folder)
{
    if (folder == 0)
        return root_.Fd();
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
    while (levels_.size() < chain_.size()) {
        const std::size_t level = levels_.size();
        levels_.push_back(TLevel{chain_[chain_.size() - 1 - level], {}, false});
        const int parentFd = level == 0 ? root_.Fd() : EnsureOpen(level - 1);
        const TListedFolder& record = listing_.folders[levels_[level].folder];
        if (parentFd >= 0)
            levels_[level].handle =
                platform::OpenSubdirectory(parentFd, listing_.Name(record.nameOffset));
        levels_[level].failed = !levels_[level].handle.IsOpen();
        // Keep at most kMaxOpen handles below the root: close the one falling out of reach.
        if (level >= kMaxOpen)
            levels_[level - kMaxOpen].handle.Close();
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
        const TListedFolder& record = listing_.folders[levels_[m].folder];
        levels_[m].handle =
            platform::OpenSubdirectory(ParentFd(m), listing_.Name(record.nameOffset));
        if (!levels_[m].handle.IsOpen()) {
            levels_[m].failed = true;
            return -1;
        }
        if (m > 0 && level - (m - 1) > kMaxOpen)
            levels_[m - 1].handle.Close();
    }
    return levels_[level].handle.Fd();
}

} // namespace tallyrun
