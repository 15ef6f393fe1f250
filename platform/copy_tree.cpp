#include "platform/copy_tree.h"

#include "platform/dir_handle.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace tallyrun::platform {
namespace {

// Closes a file descriptor when it goes out of scope.
struct TFdCloser
{
    int fd = -1;
    ~TFdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

constexpr std::size_t kCopyChunk = 1u << 20;

int CopyFileData(int from, int to)
{
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, kCopyChunk, 0);
        if (copied == 0)
            return 0;
        if (copied > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return errno;
        break; // the kernel cannot copy between these files: copy through a buffer
    }
    std::vector<char> buffer(1u << 16);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += put;
        }
    }
}

int CopyRegular(int fromDir, const char* name, int toDir, const struct stat& st)
{
    TFdCloser from{::openat(fromDir, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC)};
    if (from.fd < 0)
        return errno;
    TFdCloser to{::openat(toDir, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          st.st_mode & 0777)};
    if (to.fd < 0)
        return errno;
    int error = CopyFileData(from.fd, to.fd);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (!error && ::futimens(to.fd, times) != 0)
        error = errno;
    // A full disk may show up only when the data is flushed at close.
    const int fd = to.fd;
    to.fd = -1;
    if (::close(fd) != 0 && !error)
        error = errno;
    return error;
}

int CopyLink(int fromDir, const char* name, int toDir, const struct stat& st)
{
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    for (;;) {
        const ssize_t got = ::readlinkat(fromDir, name, target.data(), target.size());
        if (got < 0)
            return errno;
        if (static_cast<std::size_t>(got) < target.size()) {
            target.resize(static_cast<std::size_t>(got));
            break;
        }
        target.resize(target.size() * 2); // the link grew since it was measured
    }
    return ::symlinkat(target.c_str(), toDir, name) == 0 ? 0 : errno;
}

int CopyFolder(int fromDir, const char* name, int toDir, const struct stat& st,
               std::vector<TDirIdentity>& path);

// A directory stream of its own over an open directory (its own read position); the stream
// owns the new descriptor and closedir closes it.
DIR* OpenStream(int fd)
{
    const int own = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (own < 0)
        return nullptr;
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        const int error = errno;
        ::close(own);
        errno = error;
    }
    return dir;
}

int CopyEntry(int fromDir, const char* name, int toDir, std::vector<TDirIdentity>& path)
{
    struct stat st;
    if (::fstatat(fromDir, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    switch (st.st_mode & S_IFMT) {
    case S_IFREG:
        return CopyRegular(fromDir, name, toDir, st);
    case S_IFLNK:
        return CopyLink(fromDir, name, toDir, st);
    case S_IFDIR:
        return CopyFolder(fromDir, name, toDir, st, path);
    case S_IFIFO:
        return ::mkfifoat(toDir, name, st.st_mode & 0777) == 0 ? 0 : errno;
    default:
        return EOPNOTSUPP;
    }
}

int CopyChildren(int from, int to, std::vector<TDirIdentity>& path)
{
    DIR* dir = OpenStream(from);
    if (!dir)
        return errno;
    int error = 0;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        error = CopyEntry(from, entry->d_name, to, path);
        // Our new folder was empty: a name taken in it means someone else writes there. It
        // must not read as "the dropped name exists", which would leave the partial copy.
        if (error == EEXIST)
            error = EBUSY;
        if (error)
            break;
        errno = 0;
    }
    if (!error && errno)
        error = errno;
    ::closedir(dir);
    return error;
}

int CopyFolder(int fromDir, const char* name, int toDir, const struct stat& st,
               std::vector<TDirIdentity>& path)
{
    TDirHandle from = OpenSubdirectory(fromDir, name);
    if (!from.IsOpen())
        return errno;
    const TDirIdentity identity{static_cast<std::uint64_t>(st.st_dev),
                                static_cast<std::uint64_t>(st.st_ino)};
    // A bind mount can show a folder inside itself; copying it would never end.
    for (const TDirIdentity& above : path)
        if (above == identity)
            return ELOOP;
    // Made writable for us first; its own mode is given back once it is filled.
    if (::mkdirat(toDir, name, 0700) != 0)
        return errno;
    TDirHandle to = OpenSubdirectory(toDir, name);
    if (!to.IsOpen())
        return errno;
    path.push_back(identity);
    int error = CopyChildren(from.Fd(), to.Fd(), path);
    path.pop_back();
    if (!error && ::fchmod(to.Fd(), st.st_mode & 07777) != 0)
        error = errno;
    return error;
}

int RemoveChildren(int fd)
{
    DIR* dir = OpenStream(fd);
    if (!dir)
        return errno;
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError)
        return readError;
    for (const std::string& child : names)
        if (const int error = RemoveEntryAt(fd, child.c_str()))
            return error;
    return 0;
}

} // namespace

int CopyEntryAt(int fromDir, const char* name, int toDir)
{
    std::vector<TDirIdentity> path;
    const int error = CopyEntry(fromDir, name, toDir, path);
    // EEXIST from the top entry means someone else's entry: it is not ours to remove.
    if (error && error != EEXIST)
        RemoveEntryAt(toDir, name);
    return error;
}

int RemoveEntryAt(int dir, const char* name)
{
    struct stat st;
    if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(dir, name, 0) == 0 ? 0 : errno;
    TDirHandle folder = OpenSubdirectory(dir, name);
    if (!folder.IsOpen())
        return errno;
    // A folder copied without write permission for its owner cannot be emptied otherwise.
    if ((st.st_mode & S_IRWXU) != S_IRWXU)
        ::fchmod(folder.Fd(), (st.st_mode & 07777) | S_IRWXU);
    if (const int error = RemoveChildren(folder.Fd()))
        return error;
    return ::unlinkat(dir, name, AT_REMOVEDIR) == 0 ? 0 : errno;
}

} // namespace tallyrun::platform
