#include "app/version_info.h"

namespace tallyrun {

// FIXME: the version block is not linked in yet; until it is, every key reads as empty.
std::string GetVersionString(int /*key*/)
{
    return {};
}

} // namespace tallyrun
