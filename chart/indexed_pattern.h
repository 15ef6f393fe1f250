// Resource patterns with indexed arguments, such as "%1:s の %0:s".
#pragma once

#include <string>

namespace tallyrun {

// The pattern with "%0:s" and "%1:s" filled in one pass, so an argument that itself holds
// such a marker is never filled again.
std::string FormatIndexed(const std::string& pattern, const std::string& arg0,
                          const std::string& arg1);

} // namespace tallyrun
