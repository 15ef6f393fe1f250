// One inotify instance holding watches on single directories, each with its own set of change
// kinds. The watcher thread polls its descriptor together with its stop and wake events.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tallyrun::platform {

// Change kinds, as the watcher's notify filter numbers them.
enum TChangeKind : std::uint32_t
{
    ckFileName = 0x1,
    ckDirName = 0x2,
    ckAttributes = 0x4,
    ckSize = 0x8,
    ckLastWrite = 0x10,
    ckLastAccess = 0x20,
    ckCreation = 0x40,
    ckSecurity = 0x100,
};

struct TWatchEvent
{
    int watch = -1;    // the watch that saw it; -1 when the kernel's queue overflowed
    bool gone = false; // the watched directory itself was removed, moved or unmounted
};

class TInotifyWatch
{
public:
    TInotifyWatch();
    ~TInotifyWatch();
    TInotifyWatch(const TInotifyWatch&) = delete;
    TInotifyWatch& operator=(const TInotifyWatch&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    // Watches one directory (not its subfolders) for the change kinds; the watch id, or -1
    // when the path is no directory or the watch limit is reached.
    int Add(const std::string& directory, std::uint32_t kinds);
    // Drops every watch by closing the instance and opening a fresh one.
    void Reset();
    // Reads the queued events without blocking; only events of a watch's change kinds and
    // the loss of a watched directory are returned.
    std::vector<TWatchEvent> ReadEvents();

private:
    int fd_ = -1;
    std::map<int, std::uint32_t> kinds_; // watch id -> change kinds
};

} // namespace tallyrun::platform
