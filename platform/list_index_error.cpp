#include "platform/list_index_error.h"

#include <string>

namespace tallyrun {

EListError::EListError(long long index)
    : std::out_of_range("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")"),
      index_(index)
{
}

void CheckListIndex(long long index, long long count)
{
    if (index < 0 || index >= count)
        throw EListError(index);
}

} // namespace tallyrun
