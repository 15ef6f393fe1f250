#include "platform/mount_change.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tallyrun::platform {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The change mark is cleared by reading the table from its start.
void Acknowledge(int fd)
{
    char buffer[4096];
    if (::lseek(fd, 0, SEEK_SET) < 0)
        return;
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
}

} // namespace

TMountChanges DiffMountPoints(const std::vector<std::string>& before,
                              const std::vector<std::string>& after)
{
    TMountChanges changes;
    for (const std::string& point : after)
        if (!Contains(before, point) && !Contains(changes.added, point))
            changes.added.push_back(point);
    for (const std::string& point : before)
        if (!Contains(after, point) && !Contains(changes.removed, point))
            changes.removed.push_back(point);
    return changes;
}

TMountChangeDetector::TMountChangeDetector(TMountPointSource source)
    : source_(std::move(source)), fd_(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC))
{
    if (fd_ >= 0)
        Acknowledge(fd_);
    if (source_)
        current_ = source_();
}

TMountChangeDetector::~TMountChangeDetector()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool TMountChangeDetector::WaitForChange(int timeoutMs) const
{
    if (fd_ < 0)
        return false;
    pollfd entry{fd_, POLLPRI, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (entry.revents & (POLLPRI | POLLERR)) != 0;
}

TMountChanges TMountChangeDetector::Update()
{
    if (fd_ >= 0)
        Acknowledge(fd_);
    std::vector<std::string> now = source_ ? source_() : std::vector<std::string>{};
    TMountChanges changes = DiffMountPoints(current_, now);
    current_ = std::move(now);
    return changes;
}

} // namespace tallyrun::platform
