#include "shelltree/drop_id_array.h"

namespace tallyrun {
namespace {

constexpr std::size_t kWordSize = 4;

std::uint32_t ReadWord(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

void AppendWord(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

TIDArrayResult Refused(const char* why)
{
    TIDArrayResult result;
    result.error = why;
    return result;
}

} // namespace

bool IDArrayCount(const std::uint8_t* bytes, std::size_t size, std::uint32_t& count)
{
    if (!bytes || size < kWordSize)
        return false;
    count = ReadWord(bytes);
    return true;
}

TIDArrayResult ParseIDArray(const std::uint8_t* bytes, std::size_t size)
{
    std::uint32_t count = 0;
    if (!IDArrayCount(bytes, size, count))
        return Refused("the identifier array is truncated");
    if (size > kIDArrayMaxBytes)
        return Refused("the identifier array is too large");
    if (count == 0 || count > kIDArrayMaxItems)
        return Refused("the identifier array's item count is out of range");
    const std::size_t header = kWordSize * (std::size_t{count} + 2);
    if (header > size)
        return Refused("the identifier array's offsets are truncated");
    TIDArrayResult result;
    for (std::size_t i = 0; i <= count; ++i) {
        const std::size_t offset = ReadWord(bytes + kWordSize * (i + 1));
        if (offset < header || offset >= size)
            return Refused("an offset of the identifier array lies outside it");
        TIDListPtr list(TQorShID::IDListFromBytes(bytes + offset, size - offset));
        if (!list)
            return Refused("a list of the identifier array does not end inside it");
        if (i == 0) {
            result.array.parent = std::move(list);
        } else {
            if (TQorShID::IDListCount(list.get()) < 1)
                return Refused("an item of the identifier array is empty");
            result.array.items.push_back(std::move(list));
        }
    }
    result.ok = true;
    return result;
}

std::vector<std::uint8_t> WriteIDArray(PCItemIDList parent, const std::vector<PCItemIDList>& items)
{
    std::vector<std::uint8_t> out;
    if (!parent)
        return out;
    for (const PCItemIDList item : items)
        if (!item)
            return out;
    const auto count = static_cast<std::uint32_t>(items.size());
    std::size_t offset = kWordSize * (items.size() + 2);
    AppendWord(out, count);
    AppendWord(out, static_cast<std::uint32_t>(offset));
    offset += TQorShID::IDListSize(parent);
    for (const PCItemIDList item : items) {
        AppendWord(out, static_cast<std::uint32_t>(offset));
        offset += TQorShID::IDListSize(item);
    }
    out.insert(out.end(), parent, parent + TQorShID::IDListSize(parent));
    for (const PCItemIDList item : items)
        out.insert(out.end(), item, item + TQorShID::IDListSize(item));
    return out;
}

} // namespace tallyrun
