// The list of full file paths that ListFiles and ListFilesRecursive fill: always sorted by
// TNameOrder's path order, and a path already present (byte for byte) is not added again. Names
// that differ only in letter case are different files here, so both stay.
#pragma once

#include "scan/name_order.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tallyrun {

class TFileList
{
public:
    // Inserts at its place in the order; false when the same path is already present.
    bool Add(std::string path);
    void Clear() { items_.clear(); }

    std::size_t Count() const { return items_.size(); }
    const std::string& operator[](std::size_t i) const { return items_[i]; }
    const std::vector<std::string>& Items() const { return items_; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    TNameOrder order_;
    std::vector<std::string> items_;
};

} // namespace tallyrun
