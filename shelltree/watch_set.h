// The watcher's open watches: one inotify watch per watched root and, with subtree watching,
// one per shown folder under a root. Events are read back as the roots they concern.
#pragma once

#include "platform/inotify_watch.h"

#include <map>
#include <string>
#include <vector>

namespace tallyrun {

struct TShFiredRoot
{
    std::string root;
    bool gone = false; // the root folder itself was removed, moved away or unmounted
};

class TShWatchSet
{
public:
    // Closes what is open, then watches the roots from the last to the first; a root that
    // cannot be watched is erased from `roots`. With `subtree`, also watches every shown
    // folder under a root (one that cannot be watched is skipped). False, with `roots` kept
    // and nothing watched, when no inotify instance can be had (the per-user limit).
    bool Open(std::vector<std::string>& roots, const std::vector<std::string>& shown, bool subtree,
              std::uint32_t kinds);
    void Close()
    {
        watch_.Reset();
        roots_.clear();
    }
    int Fd() const { return watch_.Fd(); }
    // The roots that saw a change since the last read, each once.
    std::vector<TShFiredRoot> Read();

private:
    struct TWatched
    {
        std::string root;
        bool isRoot = false;
    };
    platform::TInotifyWatch watch_;
    std::map<int, TWatched> roots_; // watch id -> its root
};

} // namespace tallyrun
