#include "platform/file_system_kind.h"

#include "platform/dir_handle.h"

#include <fcntl.h>
#include <unistd.h>

namespace tallyrun::platform {

bool IsOnPseudoFileSystem(const std::string& path)
{
    // A path handle is enough for the file system's type, and opens nothing on the device.
    const int fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool pseudo = IsPseudoFileSystem(fd);
    ::close(fd);
    return pseudo;
}

} // namespace tallyrun::platform
