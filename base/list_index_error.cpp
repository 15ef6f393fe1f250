#include "base/list_index_error.h"

#include <QCoreApplication>

#include <string>

namespace tallyrun {

EListError::EListError(long long index)
    : std::out_of_range(
          QCoreApplication::translate("EListError", "リストのインデックスが範囲を超えています (%1)")
              .arg(index)
              .toStdString()),
      index_(index)
{
}

void CheckListIndex(long long index, long long count)
{
    if (index < 0 || index >= count)
        throw EListError(index);
}

} // namespace tallyrun
