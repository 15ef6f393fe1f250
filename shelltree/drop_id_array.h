// The identifier array that a drag of namespace items carries: a 32-bit item count, count + 1
// 32-bit offsets from the start of the block, the parent folder's absolute identifier list at
// the first offset and one relative identifier list per following offset. All numbers are
// little-endian.
#pragma once

#include "shelltree/id_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tallyrun {

// The MIME type under which the array travels between programs.
inline constexpr char kIDArrayMimeType[] = "application/x-tallyrun-shell-idlist-array";

// Bounds on what a drop may hand us: larger arrays are refused whole.
inline constexpr std::size_t kIDArrayMaxBytes = 4u * 1024 * 1024;
inline constexpr std::uint32_t kIDArrayMaxItems = 10000;

struct TIDArray
{
    TIDListPtr parent;             // absolute list of the items' folder
    std::vector<TIDListPtr> items; // one relative list per item, each at least one item long
};

struct TIDArrayResult
{
    bool ok = false;
    TIDArray array;
    std::string error; // why the payload was refused; empty when ok
};

// Reads an array from untrusted bytes. A truncated header, an offset outside the block, a
// count beyond the bounds or a list that does not end inside the block refuses the whole
// payload.
TIDArrayResult ParseIDArray(const std::uint8_t* bytes, std::size_t size);

// The 32-bit item count at the head of the block; false when the block is too short to hold it.
bool IDArrayCount(const std::uint8_t* bytes, std::size_t size, std::uint32_t& count);

// Lays out an array for a drag out of the tree. Empty when a list is none.
std::vector<std::uint8_t> WriteIDArray(PCItemIDList parent, const std::vector<PCItemIDList>& items);

} // namespace tallyrun
