// The text that tells the user which dropped items did not arrive and why.
#pragma once

#include "shelltree/drop_target.h"

#include <string>

namespace tallyrun {

// One line per item that was not dropped, "path: reason"; empty when every item arrived.
std::string DropFailureText(const TDropReport& report);

} // namespace tallyrun
