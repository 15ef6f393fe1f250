#include "tests/support/temp_tree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace tallyrun::test {

namespace {

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("fixture: " + what);
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

void TTempTree::Write(const std::string& relative, std::string_view contents) const
{
    std::FILE* file = std::fopen(Path(relative).c_str(), "wb");
    Check(file != nullptr, "create " + relative);
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    Check(std::fclose(file) == 0 && written, "write " + relative);
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

void MakeFillerFiles(const TTempTree& tree, const std::string& relative, int count)
{
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "/fill-%05d", i);
        tree.File(relative + name);
    }
}

} // namespace tallyrun::test
