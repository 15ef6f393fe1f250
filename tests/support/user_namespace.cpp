#include "tests/support/user_namespace.h"

#include "tests/support/child_process.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tallyrun::test {

namespace {

// Writes `text` to the proc file `path` in one write.
bool WriteProcFile(const char* path, const char* text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto size = static_cast<ssize_t>(std::strlen(text));
    const bool ok = ::write(fd, text, static_cast<std::size_t>(size)) == size;
    ::close(fd);
    return ok;
}

// "0 <id> 1": the one id that becomes root in the namespace. Formatted by hand, without
// allocating.
void FormatIdMap(unsigned id, char (&map)[32])
{
    char digits[16];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + id % 10);
        id /= 10;
    } while (id != 0);
    int at = 0;
    map[at++] = '0';
    map[at++] = ' ';
    while (n > 0)
        map[at++] = digits[--n];
    map[at++] = ' ';
    map[at++] = '1';
    map[at] = '\0';
}

} // namespace

bool EnterUserNamespace()
{
    char uidMap[32], gidMap[32];
    FormatIdMap(::getuid(), uidMap);
    FormatIdMap(::getgid(), gidMap);
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", uidMap) ||
        !WriteProcFile("/proc/self/gid_map", gidMap))
        return false;
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool MountTinyDisk(const char* at)
{
    return ::mount("tmpfs", at, "tmpfs", 0, "size=64k") == 0;
}

void EnterNamespaceWithTinyDisk(const std::string& at)
{
    if (!EnterUserNamespace()) {
        std::fprintf(stderr, "user namespaces are not available: %s\n", std::strerror(errno));
        ::_exit(kChildSkipped);
    }
    if (!MountTinyDisk(at.c_str())) {
        std::fprintf(stderr, "cannot mount a tmpfs: %s\n", std::strerror(errno));
        ::_exit(kChildSkipped);
    }
}

} // namespace tallyrun::test
