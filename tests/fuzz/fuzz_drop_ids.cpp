// Feeds arbitrary bytes to the identifier-array reader of a drop; what it accepts is written
// out again and must read back to the same lists.
#include "shelltree/drop_id_array.h"

#include <cstdint>

using namespace tallyrun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TIDArrayResult result = ParseIDArray(data, size);
    if (!result.ok)
        return 0;
    std::vector<PCItemIDList> items;
    for (const TIDListPtr& item : result.array.items)
        items.push_back(item.get());
    const auto written = WriteIDArray(result.array.parent.get(), items);
    const TIDArrayResult again = ParseIDArray(written.data(), written.size());
    if (!again.ok || again.array.items.size() != items.size() ||
        !TQorShID::SameIDList(again.array.parent.get(), result.array.parent.get()))
        __builtin_trap();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!TQorShID::SameIDList(again.array.items[i].get(), items[i]))
            __builtin_trap();
    return 0;
}
