#include "platform/path_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace tallyrun::platform {
namespace {

struct TFd
{
    int fd;
    ~TFd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens a regular file for reading; -1 for anything else (a fifo would block the open).
int OpenRegular(const std::string& path, struct stat& st)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

TPathProbe ProbePath(const std::string& path)
{
    TPathProbe probe;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return probe;
    probe.isLink = S_ISLNK(st.st_mode);
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    if (!resolved || ::stat(resolved.get(), &st) != 0)
        return probe;
    probe.exists = true;
    probe.resolved = resolved.get();
    probe.isFolder = S_ISDIR(st.st_mode);
    if (!S_ISREG(st.st_mode))
        return probe;
    probe.isExecutable = (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
    TFd file{OpenRegular(probe.resolved, st)};
    char head[2] = {};
    probe.hasShebang =
        file.fd >= 0 && ::read(file.fd, head, 2) == 2 && head[0] == '#' && head[1] == '!';
    return probe;
}

bool ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes)
{
    bytes.clear();
    struct stat st;
    TFd file{OpenRegular(path, st)};
    if (file.fd < 0 || static_cast<std::size_t>(st.st_size) > limit)
        return false;
    char buffer[4096];
    for (ssize_t got; (got = ::read(file.fd, buffer, sizeof buffer)) != 0;) {
        if (got < 0)
            return false;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > limit)
            return false;
    }
    return true;
}

} // namespace tallyrun::platform
