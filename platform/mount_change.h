// Notices mounts and unmounts: the kernel marks /proc/self/mountinfo with POLLPRI whenever the
// mount table changes; the detector then compares the mount points before and after. Where the
// mount points come from is the caller's choice (the namespace's list of drives), so the
// detector works with any mount-table reader.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tallyrun::platform {

using TMountPointSource = std::function<std::vector<std::string>()>;

struct TMountChanges
{
    std::vector<std::string> added;   // mount points that appeared, in the source's order
    std::vector<std::string> removed; // mount points that went, in the old order
    bool Empty() const { return added.empty() && removed.empty(); }
};

// The difference between two lists of mount points.
TMountChanges DiffMountPoints(const std::vector<std::string>& before,
                              const std::vector<std::string>& after);

class TMountChangeDetector
{
public:
    // Takes the first list of mount points from `source` and opens the mount table for polling.
    explicit TMountChangeDetector(TMountPointSource source);
    ~TMountChangeDetector();
    TMountChangeDetector(const TMountChangeDetector&) = delete;
    TMountChangeDetector& operator=(const TMountChangeDetector&) = delete;

    // The descriptor that turns ready for POLLPRI on a change (a QSocketNotifier of the
    // Exception type watches it on the event loop); -1 when the table could not be opened.
    int Fd() const { return fd_; }
    // Waits up to `timeoutMs` (0: just looks) for the table to change.
    bool WaitForChange(int timeoutMs) const;
    // Reads the mount points again, acknowledges the change and reports what differs.
    TMountChanges Update();

private:
    TMountPointSource source_;
    std::vector<std::string> current_;
    int fd_ = -1;
};

} // namespace tallyrun::platform
