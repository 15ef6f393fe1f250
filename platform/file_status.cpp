#include "platform/file_status.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyrun::platform {

TPathStatus StatPath(const std::string& path)
{
    TPathStatus status;
    struct stat st;
    if (path.empty() || lstat(path.c_str(), &st) != 0)
        return status;
    status.exists = true;
    status.isDir = S_ISDIR(st.st_mode);
    status.isLink = S_ISLNK(st.st_mode);
    status.isRegular = S_ISREG(st.st_mode);
    status.readOnly = !S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR);
    return status;
}

bool IsExistingDirectory(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsWritableFolder(const std::string& folder)
{
    return !folder.empty() && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsCompressed(const std::string& path)
{
    // Devices and fifos are never opened: opening one can have effects of its own.
    const TPathStatus status = StatPath(path);
    if (!status.isDir && !status.isRegular)
        return false;
    // O_NONBLOCK and the second check: the entry may have been replaced in between.
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    int flags = 0;
    const bool ok = fstat(fd, &st) == 0 && (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode)) &&
                    ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    close(fd);
    return ok && (flags & FS_COMPR_FL);
}

} // namespace tallyrun::platform
