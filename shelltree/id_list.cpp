#include "shelltree/id_list.h"

#include <cstdlib>
#include <cstring>

namespace tallyrun {
namespace {

constexpr std::size_t kTerminatorSize = 2;

PItemIDList MakeCopy(PCItemIDList list, std::size_t bytesWithoutTerminator)
{
    PItemIDList copy = TQorShID::AllocIDList(bytesWithoutTerminator + kTerminatorSize);
    if (copy && bytesWithoutTerminator)
        std::memcpy(copy, list, bytesWithoutTerminator);
    return copy;
}

} // namespace

PItemIDList TQorShID::AllocIDList(std::size_t n)
{
    return n ? static_cast<PItemIDList>(std::calloc(n, 1)) : nullptr;
}

void TQorShID::FreeIDList(PItemIDList& list)
{
    std::free(list);
    list = nullptr;
}

std::size_t TQorShID::IDListSize(PCItemIDList list)
{
    if (!list)
        return 0;
    std::size_t size = kTerminatorSize;
    for (PCItemIDList item = list; ItemIDSize(item) != 0; item += ItemIDSize(item))
        size += ItemIDSize(item);
    return size;
}

int TQorShID::IDListCount(PCItemIDList list)
{
    if (!list)
        return -1;
    int count = 0;
    for (PCItemIDList item = list; ItemIDSize(item) != 0; item += ItemIDSize(item))
        ++count;
    return count;
}

PCItemIDList TQorShID::NextID(PCItemIDList list)
{
    if (!list || ItemIDSize(list) == 0)
        return nullptr;
    PCItemIDList next = list + ItemIDSize(list);
    return ItemIDSize(next) == 0 ? nullptr : next;
}

PCItemIDList TQorShID::LastID(PCItemIDList list)
{
    if (!list)
        return nullptr;
    PCItemIDList last = list;
    for (PCItemIDList item = list; ItemIDSize(item) != 0; item += ItemIDSize(item))
        last = item;
    return last;
}

PItemIDList TQorShID::CopyIDList(PCItemIDList list)
{
    return list ? MakeCopy(list, IDListSize(list) - kTerminatorSize) : nullptr;
}

PItemIDList TQorShID::FirstID(PCItemIDList list)
{
    return list ? MakeCopy(list, ItemIDSize(list)) : nullptr;
}

PItemIDList TQorShID::ParentOfIDList(PCItemIDList list)
{
    if (!list)
        return nullptr;
    return MakeCopy(list, static_cast<std::size_t>(LastID(list) - list));
}

PItemIDList TQorShID::ConcatIDLists(PCItemIDList a, PCItemIDList b)
{
    if (!a || !b)
        return nullptr;
    const std::size_t sizeA = IDListSize(a) - kTerminatorSize;
    const std::size_t sizeB = IDListSize(b) - kTerminatorSize;
    PItemIDList list = AllocIDList(sizeA + sizeB + kTerminatorSize);
    if (list) {
        std::memcpy(list, a, sizeA);
        std::memcpy(list + sizeA, b, sizeB);
    }
    return list;
}

bool TQorShID::SameIDList(PCItemIDList a, PCItemIDList b)
{
    if (!a || !b)
        return false;
    const std::size_t size = IDListSize(a);
    return size == IDListSize(b) && std::memcmp(a, b, size) == 0;
}

bool TQorShID::IsAncestorIDList(PCItemIDList a, PCItemIDList b)
{
    if (!a || !b)
        return false;
    const int countA = IDListCount(a);
    if (countA >= IDListCount(b))
        return false;
    // Cutting b down to a's item count is the same as comparing a with b's first bytes.
    PCItemIDList item = b;
    for (int i = 0; i < countA; ++i)
        item += ItemIDSize(item);
    const std::size_t prefix = static_cast<std::size_t>(item - b);
    return prefix == IDListSize(a) - kTerminatorSize && std::memcmp(a, b, prefix) == 0;
}

PItemIDList TQorShID::IDListFromBytes(const std::uint8_t* bytes, std::size_t size)
{
    if (!bytes)
        return nullptr;
    std::size_t pos = 0;
    for (;;) {
        if (size < kTerminatorSize || pos > size - kTerminatorSize)
            return nullptr;
        const std::uint16_t count = ItemIDSize(bytes + pos);
        if (count == 0)
            return MakeCopy(bytes, pos);
        // An item holds its two count bytes and at least one byte of data.
        if (count <= kTerminatorSize || count > size - pos)
            return nullptr;
        pos += count;
    }
}

} // namespace tallyrun
