#include "app/slice_label.h"

#include "scan/string_helpers.h"

namespace tallyrun {

std::string SliceLabel(std::string_view subfolderPath)
{
    const std::string folder = CutByDelimiter(subfolderPath, "/", cutBefore, occLast);
    const std::string name = CutByDelimiter(folder, "/", cutAfter, occLast);
    if (CharLen(name) > 8)
        return CharLeft(name, 5) + "...";
    return name;
}

} // namespace tallyrun
