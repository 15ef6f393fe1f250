#include "scan/temp_tree.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallyrun::test {

namespace {

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("fixture: " + what);
}

bool WriteFile(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

bool EnterUserNamespace()
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    WriteFile("/proc/self/setgroups", "deny");
    if (!WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return false;
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool BecomeNobody()
{
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
           ::geteuid() == 65534;
}

} // namespace

TTempTree::TTempTree()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tallyrun-test-XXXXXX";
    Check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    ::chmod(pattern.c_str(), 0755); // tests that drop privileges still reach it
    root_ = pattern + "/";
}

TTempTree::~TTempTree()
{
    // Make every folder readable again, then remove; both tools walk by handles, so depth
    // is no obstacle.
    const std::string quoted = "'" + root_ + "'";
    [[maybe_unused]] int r = std::system(("chmod -R u+rwx " + quoted + " 2>/dev/null").c_str());
    r = std::system(("rm -rf " + quoted).c_str());
}

void TTempTree::Dir(const std::string& relative, unsigned mode) const
{
    Check(::mkdir(Path(relative).c_str(), mode) == 0, "mkdir " + relative);
    ::chmod(Path(relative).c_str(), mode);
}

void TTempTree::File(const std::string& relative, std::uint64_t size) const
{
    const int fd = ::open(Path(relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Check(fd >= 0, "create " + relative);
    const bool ok = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ::close(fd);
    Check(ok, "truncate " + relative);
}

void TTempTree::Link(const std::string& relative, const std::string& target) const
{
    Check(::symlink(target.c_str(), Path(relative).c_str()) == 0, "symlink " + relative);
}

void TTempTree::Fifo(const std::string& relative) const
{
    Check(::mkfifo(Path(relative).c_str(), 0644) == 0, "mkfifo " + relative);
}

void TTempTree::SetLastWrite(const std::string& relative, std::int64_t secondsSinceEpoch) const
{
    struct timespec times[2] = {{static_cast<time_t>(secondsSinceEpoch), 0},
                                {static_cast<time_t>(secondsSinceEpoch), 0}};
    Check(::utimensat(AT_FDCWD, Path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0,
          "utimensat " + relative);
}

int RunInChild(TChildSetup setup, const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const bool ready =
            setup == TChildSetup::kUserNamespace ? EnterUserNamespace() : BecomeNobody();
        ::_exit(ready ? body() : 255);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -2;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

void MakeFillerFiles(const TTempTree& tree, const std::string& relative, int count)
{
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "/fill-%05d", i);
        tree.File(relative + name);
    }
}

} // namespace tallyrun::test
