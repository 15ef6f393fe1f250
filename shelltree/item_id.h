// The data inside one item of our namespace's identifier lists: a kind byte followed by the
// raw name bytes (a drive item holds its mount point, the fixed items hold nothing more).
#pragma once

#include "shelltree/id_list.h"

#include <string_view>

namespace tallyrun {

enum class TShIDKind : std::uint8_t
{
    Computer = 'C',
    Home = 'H',
    Trash = 'T',
    Network = 'N',
    Drive = 'D',
    Folder = 'F',
    File = 'f',
};

struct TShItemView
{
    TShIDKind kind = TShIDKind::File;
    std::string_view name; // points into the item's bytes
};

// Decodes the item at `item` (its count bytes included). False for an unknown kind or a name
// that the kind does not allow, so a decoded name never leads outside its folder.
bool DecodeItemID(PCItemIDList item, TShItemView& view);

// A one-item list for the kind and name; none when the name does not fit an item.
PItemIDList MakeItemID(TShIDKind kind, std::string_view name);

// A name that may stand for one entry of a folder: not empty, not "." or "..", no "/" or NUL.
bool IsValidEntryName(std::string_view name);

} // namespace tallyrun
