// Open directory handles: the walks work relative to them, so a path never has to be resolved
// again and a tree deeper than the longest path the system accepts is still walked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tallyrun::platform {

// Owns one open directory file descriptor; move-only.
class TDirHandle
{
public:
    TDirHandle() = default;
    explicit TDirHandle(int fd) : fd_(fd) {}
    TDirHandle(TDirHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    TDirHandle& operator=(TDirHandle&& other) noexcept;
    TDirHandle(const TDirHandle&) = delete;
    TDirHandle& operator=(const TDirHandle&) = delete;
    ~TDirHandle() { Close(); }

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Close();

private:
    int fd_ = -1;
};

// Opens the directory a path names, following links inside the path as the user gave it. A
// path longer than the system accepts is opened one component at a time.
TDirHandle OpenDirectory(const std::string& path);

// A second handle of the same open directory, with a read position of its own.
TDirHandle DuplicateHandle(int fd);

// Opens the subdirectory `name` (a single component, NUL-terminated) of an open directory.
// A symbolic link is never followed, so a walk never steps outside the folder it walks.
TDirHandle OpenSubdirectory(int parentFd, const char* name);

// True when the last open on this thread failed only for want of a free descriptor, in the
// process (EMFILE) or in the system (ENFILE): the folder may well be readable.
bool OutOfDescriptors();

// Device and inode of an open directory: a walk remembers them to enter no directory twice.
struct TDirIdentity
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const TDirIdentity&) const = default;
};
struct TDirIdentityHash
{
    std::size_t operator()(const TDirIdentity& id) const
    {
        return static_cast<std::size_t>(id.inode * 0x9E3779B97F4A7C15ull ^ id.device);
    }
};
std::optional<TDirIdentity> IdentityOf(int fd);

// What the link count of an open directory says of its subdirectories: on most Linux file
// systems it is 2 plus their number; other counts (btrfs gives 1) say nothing.
enum class TSubfolders : std::uint8_t
{
    sfNone,
    sfSome,
    sfUnknown
};
// The identity of an open directory and what its link count says, from the one fstat that
// IdentityOf makes.
struct TDirStatus
{
    TDirIdentity identity;
    TSubfolders subfolders = TSubfolders::sfUnknown;
};
std::optional<TDirStatus> StatusOf(int fd);

// True for the kernel's pseudo file systems (proc, sysfs, devtmpfs, cgroup, ...), whose
// "files" are not disk space and whose trees can be endless or change while read.
bool IsPseudoFileSystem(int fd);

} // namespace tallyrun::platform
