#include "scan/file_list.h"

#include <algorithm>

namespace tallyrun {

bool TFileList::Add(std::string path)
{
    // Listings mostly arrive in order already: appending then costs one comparison.
    if (items_.empty() || order_.ComparePaths(items_.back(), path) < 0) {
        items_.push_back(std::move(path));
        return true;
    }
    const auto at = std::lower_bound(items_.begin(), items_.end(), path,
                                     [this](const std::string& a, const std::string& b) {
                                         return order_.ComparePaths(a, b) < 0;
                                     });
    if (at != items_.end() && *at == path)
        return false;
    items_.insert(at, std::move(path));
    return true;
}

} // namespace tallyrun
