// Item identifier lists: the namespace's path format. A list is a run of items, each a 16-bit
// little-endian byte count (counting the two count bytes) followed by that many less two bytes
// of data, ended by a 16-bit zero. The empty list (the terminator alone) names the Desktop.
// Lists are plain byte blocks from one allocator; whoever gets one from an operation owns it.
// No operation here throws: a failure yields none (nullptr), false, 0 or -1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tallyrun {

using PItemIDList = std::uint8_t*;
using PCItemIDList = const std::uint8_t*;

class TShFolder;

enum class TShCompareResult
{
    crEqual,
    crAfter,
    crBefore,
    crFailure
};

// Which form of an item's icon to look up.
enum class TShIconSize
{
    Small,
    Large
};
enum class TShIconState
{
    Closed,
    Open // a folder's icon while it is expanded
};

class TQorShID
{
public:
    // n bytes, zero-filled, so a list made here is terminated by the zero fill; none when
    // the allocator refuses or n is 0.
    static PItemIDList AllocIDList(std::size_t n);
    static void FreeIDList(PItemIDList& list);
    // Sum of all item counts plus 2; 0 for none.
    static std::size_t IDListSize(PCItemIDList list);
    // Number of items; -1 for none.
    static int IDListCount(PCItemIDList list);
    // The second item inside the same list; none for none, the empty list and one item.
    static PCItemIDList NextID(PCItemIDList list);
    // The last item inside the same list; the list itself when it is empty.
    static PCItemIDList LastID(PCItemIDList list);
    static PItemIDList CopyIDList(PCItemIDList list);
    // A one-item list holding a copy of the first item; none for none. For the empty list, the
    // empty list.
    static PItemIDList FirstID(PCItemIDList list);
    // All items but the last; the empty list for a one-item list (and for the empty list).
    static PItemIDList ParentOfIDList(PCItemIDList list);
    static PItemIDList ConcatIDLists(PCItemIDList a, PCItemIDList b);
    static bool SameIDList(PCItemIDList a, PCItemIDList b);
    static bool IsAncestorIDList(PCItemIDList a, PCItemIDList b);

    // The folder's own order of two identifiers relative to it (by name).
    static TShCompareResult CompareIDs(const TShFolder* folder, PCItemIDList a, PCItemIDList b);
    // The same on two absolute lists, with the Desktop as the folder.
    static TShCompareResult CompareIDs(PCItemIDList a, PCItemIDList b);

    static bool PathFromIDList(PCItemIDList list, std::string& path);
    static bool IDListFromPath(const std::string& path, PItemIDList& list);
    // The index of the item's icon in the process-wide icon list; only the small forms are
    // used, so `size` changes nothing. -1 when the list names nothing.
    static int SystemIconIndex(PCItemIDList list, TShIconSize size, TShIconState state);

    // A bounds-checked copy of a list read from untrusted bytes (a drag payload, a file):
    // none unless the bytes hold a whole list within `size`.
    static PItemIDList IDListFromBytes(const std::uint8_t* bytes, std::size_t size);
};

// Frees a list through the allocator when the owner goes.
struct TIDListDeleter
{
    void operator()(std::uint8_t* list) const { TQorShID::FreeIDList(list); }
};
using TIDListPtr = std::unique_ptr<std::uint8_t, TIDListDeleter>;

// The 16-bit byte count of the item at `item`.
inline std::uint16_t ItemIDSize(PCItemIDList item)
{
    return static_cast<std::uint16_t>(item[0] | (item[1] << 8));
}

} // namespace tallyrun
