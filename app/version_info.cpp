#include "app/version_info.h"

#include "app/version_block.h"

namespace tallyrun {

// The block is read from the file behind /proc/self/exe, the program's own executable.
std::string GetVersionString(int key)
{
    return GetVersionStringFromFile("/proc/self/exe", key);
}

} // namespace tallyrun
