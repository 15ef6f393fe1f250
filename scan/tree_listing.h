// A compact listing of a folder tree for the folder totals and ListFilesRecursive: one record per
// folder (its name and parent) and one per file (its name and folder), names kept once in one
// buffer, instead of a string per full path. The files are held in the list order: by whole
// path under TNameOrder, which is the depth-first order with each folder's entries sorted and
// each subfolder sorted under its name followed by "/".
#pragma once

#include "platform/dir_handle.h"
#include "scan/file_listing.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrun {

struct TListedFolder
{
    std::uint32_t parent = 0; // index into folders; the root (index 0) is its own parent
    std::uint32_t nameLength = 0;
    std::size_t nameOffset = 0;
};

struct TListedFile
{
    std::uint32_t folder = 0;
    std::uint32_t nameLength = 0;
    std::size_t nameOffset = 0;
    std::uint64_t size = 0; // bytes, read in the listing pass when the walk measures sizes
};

class TTreeListing
{
public:
    explicit TTreeListing(std::string rootFolder) : rootFolder_(std::move(rootFolder)) {}

    // The folder path the walk starts from, ending in "/".
    const std::string& RootFolder() const { return rootFolder_; }

    std::vector<TListedFolder> folders;
    std::vector<TListedFile> files;
    // The folders the walk entered (read, or left as a unit to read), in walk order.
    std::vector<std::pair<std::uint32_t, platform::TDirIdentity>> entered;

    // Each name is stored followed by a NUL, so it can be passed to the system as it is. Names
    // are kept in chunks that never move or grow: a name's place stays valid, and a large
    // listing's names are never copied to make room.
    std::size_t StoreName(std::string_view name);
    const char* Name(std::size_t offset) const
    {
        return nameChunks_[offset >> kChunkShift].data() + (offset & kInChunkMask);
    }
    std::string_view Name(std::size_t offset, std::uint32_t length) const
    {
        return std::string_view(Name(offset), length);
    }

    // Takes over the names of `other` (whose records keep their numbers but no longer have
    // names to read), without copying them; gives what to add to other's name offsets.
    std::size_t TakeNamesOf(TTreeListing& other);

    // Root folder + the names down to `folder`, each followed by "/".
    void AppendFolderPath(std::uint32_t folder, std::string& out) const;

private:
    // A name's offset: its chunk's index above kChunkShift, its place in the chunk below.
    static constexpr unsigned kChunkShift = 32;
    static constexpr std::size_t kInChunkMask = (std::size_t(1) << kChunkShift) - 1;

    std::string rootFolder_;
    std::vector<std::string> nameChunks_;
};

class TDirCursor;

struct TWalkOptions
{
    TFileKinds kinds = fkAll;
    std::string pattern = "*.*";
    bool recursive = true;
    // Reads each listed file's size in the same pass (one fstatat relative to its folder's
    // handle, which the walk holds open anyway), so no folder has to be opened again to
    // measure it.
    bool measureSizes = false;
    // Called for each folder entered, before it is listed.
    std::function<void(std::uint32_t folder)> onFolder;
    // Lets queued window events run before each folder is read and every few hundred entries
    // of a large one, so the window stays responsive while a large tree is listed.
    bool pumpEvents = false;
    // When given, the walk gives up as soon as it sees this flag set (a stop request): within
    // kAbandonCheck entries or name comparisons, on every thread that lists.
    const std::atomic<bool>* abandon = nullptr;
};

// Entries read, or name comparisons made, between two looks at the abandon flag (and two
// chances for events to run).
constexpr unsigned kAbandonCheck = 256;

// Thrown inside a walk that saw its abandon flag set; ListTree turns it into its result.
struct TListingAbandoned
{
};

// Fills `listing` (which holds only its root folder's path) by walking relative to the handles
// of `cursor`. Subfolders that are hidden, already visited (the same device and inode: bind
// mounts, loops) or on a pseudo file system are not entered; symbolic links are never
// followed; a folder that cannot be read lists nothing. A whole tree without an onFolder
// callback is listed mostly on worker threads (scan/tree_listing_split.cpp); the calling
// thread meanwhile lets events run, when pumpEvents is set. False when the walk was abandoned:
// the listing then holds nothing but its root folder's path.
bool ListTree(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options);

// The same on the calling thread alone; an abandoned walk throws TListingAbandoned, as does
// ListTreeTop.
void ListTreeAlone(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options);

// A folder that a top walk entered but did not read; its subtree's files belong in the list
// at `filePosition`.
struct TSplitUnit
{
    std::uint32_t folder;
    std::size_t filePosition;
    platform::TSubfolders subfolders; // what its link count says
};

// Walks like ListTreeAlone down to `depth` only: the folders found at that depth, and those
// above it that hold no subfolder by their link count, are entered (checked as any other) but
// not read, and returned as units, in list order. A deeper top walk thus reads only folders
// that have subfolders, and finds the same units where there are none.
std::vector<TSplitUnit> ListTreeTop(TTreeListing& listing, TDirCursor& cursor,
                                    const TWalkOptions& options, std::uint32_t depth);

} // namespace tallyrun
