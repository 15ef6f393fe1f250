#include "shelltree/drop_id_array.h"

#include "shelltree/tree_text.h"

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

// `why` is marked for translation in the tree's context: the box that shows it speaks the
// user's language.
TIDArrayResult Refused(const char* why)
{
    TIDArrayResult result;
    result.error = TreeText(why);
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
        return Refused(QT_TRANSLATE_NOOP("TQorShTreeView",
                                         "ドロップされた識別子の配列が途中で切れています。"));
    if (size > kIDArrayMaxBytes)
        return Refused(
            QT_TRANSLATE_NOOP("TQorShTreeView", "ドロップされた識別子の配列が大きすぎます。"));
    if (count == 0 || count > kIDArrayMaxItems)
        return Refused(QT_TRANSLATE_NOOP("TQorShTreeView",
                                         "ドロップされた識別子の配列の項目数が範囲外です。"));
    const std::size_t header = kWordSize * (std::size_t{count} + 2);
    if (header > size)
        return Refused(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "ドロップされた識別子の配列のオフセットが途中で切れています。"));
    TIDArrayResult result;
    for (std::size_t i = 0; i <= count; ++i) {
        const std::size_t offset = ReadWord(bytes + kWordSize * (i + 1));
        if (offset < header || offset >= size)
            return Refused(QT_TRANSLATE_NOOP(
                "TQorShTreeView",
                "ドロップされた識別子の配列のオフセットが配列の外を指しています。"));
        TIDListPtr list(TQorShID::IDListFromBytes(bytes + offset, size - offset));
        if (!list)
            return Refused(QT_TRANSLATE_NOOP(
                "TQorShTreeView",
                "ドロップされた識別子の配列のリストが配列の中で終わっていません。"));
        if (i == 0) {
            result.array.parent = std::move(list);
        } else {
            if (TQorShID::IDListCount(list.get()) < 1)
                return Refused(QT_TRANSLATE_NOOP(
                    "TQorShTreeView", "ドロップされた識別子の配列に空の項目があります。"));
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
