#include "platform/dir_handle.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

namespace tallyrun::platform {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Opens `path` component by component from `startFd`; used when the whole path is too long.
TDirHandle OpenByComponents(int startFd, const std::string& path)
{
    TDirHandle current(::openat(startFd, path[0] == '/' ? "/" : ".", kDirFlags));
    std::size_t pos = 0;
    while (current.IsOpen() && pos < path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos)
            end = path.size();
        if (end > pos) {
            const std::string component = path.substr(pos, end - pos);
            current = TDirHandle(::openat(current.Fd(), component.c_str(), kDirFlags));
        }
        pos = end + 1;
    }
    return current;
}

} // namespace

TDirHandle& TDirHandle::operator=(TDirHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void TDirHandle::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

TDirHandle OpenDirectory(const std::string& path)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return TDirHandle();
    TDirHandle handle(::open(path.c_str(), kDirFlags));
    if (!handle.IsOpen() && errno == ENAMETOOLONG)
        return OpenByComponents(AT_FDCWD, path);
    return handle;
}

TDirHandle DuplicateHandle(int fd)
{
    // Reopening "." gives a new open file description; dup would share the read position.
    return fd < 0 ? TDirHandle() : TDirHandle(::openat(fd, ".", kDirFlags));
}

TDirHandle OpenSubdirectory(int parentFd, const char* name)
{
    return TDirHandle(::openat(parentFd, name, kDirFlags | O_NOFOLLOW));
}

bool OutOfDescriptors()
{
    return errno == EMFILE || errno == ENFILE;
}

std::optional<TDirIdentity> IdentityOf(int fd)
{
    const auto status = StatusOf(fd);
    if (!status)
        return std::nullopt;
    return status->identity;
}

std::optional<TDirStatus> StatusOf(int fd)
{
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return TDirStatus{
        TDirIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)},
        st.st_nlink == 2  ? TSubfolders::sfNone
        : st.st_nlink > 2 ? TSubfolders::sfSome
                          : TSubfolders::sfUnknown};
}

// devtmpfs reports the tmpfs magic and cannot be told apart from a real tmpfs here; walking it
// is harmless, since its entries are device nodes and links that are never opened.
bool IsPseudoFileSystem(int fd)
{
    struct statfs fs
    {
    };
    if (::fstatfs(fd, &fs) != 0)
        return true; // a directory we cannot even classify is not entered
    switch (static_cast<unsigned long>(fs.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case PSTOREFS_MAGIC:
    case BPF_FS_MAGIC:
    case 0x62656570: // configfs
    case AUTOFS_SUPER_MAGIC:
    case 0x19800202: // mqueue
    case HUGETLBFS_MAGIC:
    case BINFMTFS_MAGIC:
    case 0x65735543: // fusectl
    case NSFS_MAGIC:
    case SELINUX_MAGIC:
    case SMACK_MAGIC:
    case EFIVARFS_MAGIC:
        return true;
    default:
        return false;
    }
}

} // namespace tallyrun::platform
