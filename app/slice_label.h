// The label of a subfolder's slice in the pie.
#pragma once

#include <string>
#include <string_view>

namespace tallyrun {

// The last component of a subfolder path that ends in "/"; a name longer than 8 characters
// becomes its first 5 characters followed by "...".
std::string SliceLabel(std::string_view subfolderPath);

} // namespace tallyrun
