#include "shelltree/item_id.h"

#include <cstring>

namespace tallyrun {
namespace {

constexpr std::size_t kCountBytes = 2;
constexpr std::size_t kMaxItemSize = 0xFFFF;

bool IsValidMountPoint(std::string_view name)
{
    return !name.empty() && name[0] == '/' && name.find('\0') == std::string_view::npos;
}

bool NameFitsKind(TShIDKind kind, std::string_view name)
{
    switch (kind) {
    case TShIDKind::Computer:
    case TShIDKind::Home:
    case TShIDKind::Trash:
    case TShIDKind::Network:
        return name.empty();
    case TShIDKind::Drive:
        return IsValidMountPoint(name);
    case TShIDKind::Folder:
    case TShIDKind::File:
        return IsValidEntryName(name);
    }
    return false;
}

} // namespace

bool IsValidEntryName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool DecodeItemID(PCItemIDList item, TShItemView& view)
{
    if (!item)
        return false;
    const std::size_t size = ItemIDSize(item);
    if (size <= kCountBytes)
        return false;
    view.kind = static_cast<TShIDKind>(item[kCountBytes]);
    view.name = std::string_view(reinterpret_cast<const char*>(item) + kCountBytes + 1,
                                 size - kCountBytes - 1);
    return NameFitsKind(view.kind, view.name);
}

PItemIDList MakeItemID(TShIDKind kind, std::string_view name)
{
    const std::size_t size = kCountBytes + 1 + name.size();
    if (size > kMaxItemSize || !NameFitsKind(kind, name))
        return nullptr;
    PItemIDList list = TQorShID::AllocIDList(size + kCountBytes);
    if (!list)
        return nullptr;
    list[0] = static_cast<std::uint8_t>(size & 0xFF);
    list[1] = static_cast<std::uint8_t>(size >> 8);
    list[kCountBytes] = static_cast<std::uint8_t>(kind);
    if (!name.empty())
        std::memcpy(list + kCountBytes + 1, name.data(), name.size());
    return list;
}

} // namespace tallyrun
