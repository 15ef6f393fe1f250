// Open handles of the folders of a listing, for walking and measuring relative to them. The
// cursor keeps the handles along the path to the last folder opened, at most a budget of them
// (kMaxOpen, less once the process ran short of descriptors); a folder whose handle was closed
// is reopened by name from its nearest open ancestor, so a path is never resolved as a whole
// and the depth of a tree is not limited by the longest path.
#pragma once

#include "platform/dir_handle.h"

#include <cstdint>
#include <vector>

namespace tallyrun {

class TTreeListing;

class TDirCursor
{
public:
    TDirCursor(const TTreeListing& listing, platform::TDirHandle root);
    // A cursor that only borrows its root's handle, which must outlive it. It must not be
    // read from (several threads may open relative to it at once).
    TDirCursor(const TTreeListing& listing, int borrowedRootFd);

    // Handle of the listing's folder `folder`, valid until the next call; -1 when the folder
    // cannot be opened (gone, unreadable, or replaced by a file or a link).
    int Open(std::uint32_t folder);

    int RootFd() const { return rootFd_; }

    // A handle of `folder` of its own, with its own read position, opened as Open opens.
    platform::TDirHandle Reopen(std::uint32_t folder);

    // Closes every handle, the root's too, for a cursor that is done: others may need them.
    void CloseAll();

    static constexpr std::size_t kMaxOpen = 64;

private:
    struct TLevel
    {
        std::uint32_t folder;
        platform::TDirHandle handle;
        bool failed = false;
    };

    int EnsureOpen(std::size_t level);
    int ParentFd(std::size_t level) const;
    const char* LevelName(std::size_t level) const;
    platform::TDirHandle OpenRetrying(int parentFd, const char* name, std::size_t inUse);
    bool CloseFarthest(std::size_t inUse);
    void CloseBeyondBudget(std::size_t budget);

    const TTreeListing& listing_;
    platform::TDirHandle root_; // empty when the root is borrowed
    int rootFd_;
    std::vector<TLevel> levels_; // the folders from below the root down to the current one
    std::vector<std::uint32_t> chain_;
};

} // namespace tallyrun
