#include "platform/inotify_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tallyrun::platform {
namespace {

constexpr std::uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kGoneEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

std::uint32_t MaskOf(std::uint32_t kinds)
{
    std::uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (kinds & (ckFileName | ckDirName))
        mask |= kNameEvents;
    if (kinds & (ckAttributes | ckSecurity))
        mask |= IN_ATTRIB;
    if (kinds & (ckSize | ckLastWrite))
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    if (kinds & ckLastAccess)
        mask |= IN_ACCESS;
    if (kinds & ckCreation)
        mask |= IN_CREATE;
    return mask;
}

// inotify cannot tell folder from file events apart in its mask, so the name kinds are
// filtered here by the event's directory flag.
bool Matches(std::uint32_t kinds, std::uint32_t mask)
{
    if (mask & kNameEvents) {
        if ((mask & IN_ISDIR) ? (kinds & ckDirName) : (kinds & ckFileName))
            return true;
        if ((mask & IN_CREATE) && (kinds & ckCreation))
            return true;
    }
    return ((mask & IN_ATTRIB) && (kinds & (ckAttributes | ckSecurity))) ||
           ((mask & (IN_MODIFY | IN_CLOSE_WRITE)) && (kinds & (ckSize | ckLastWrite))) ||
           ((mask & IN_ACCESS) && (kinds & ckLastAccess));
}

} // namespace

TInotifyWatch::TInotifyWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

TInotifyWatch::~TInotifyWatch()
{
    if (fd_ >= 0)
        close(fd_);
}

int TInotifyWatch::Add(const std::string& directory, std::uint32_t kinds)
{
    if (fd_ < 0)
        return -1;
    const int wd = inotify_add_watch(fd_, directory.c_str(), MaskOf(kinds));
    if (wd >= 0)
        kinds_[wd] = kinds;
    return wd;
}

void TInotifyWatch::Reset()
{
    if (fd_ >= 0)
        close(fd_);
    kinds_.clear();
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
}

std::vector<TWatchEvent> TInotifyWatch::ReadEvents()
{
    std::vector<TWatchEvent> events;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t n = fd_ < 0 ? -1 : read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t pos = 0; pos + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event;
            std::memcpy(&event, buffer + pos, sizeof event);
            pos += sizeof(inotify_event) + event.len;
            if (event.mask & IN_Q_OVERFLOW) {
                events.push_back({-1, false});
                continue;
            }
            const auto it = kinds_.find(event.wd);
            if (it == kinds_.end())
                continue;
            if (event.mask & kGoneEvents)
                events.push_back({event.wd, true});
            else if (Matches(it->second, event.mask))
                events.push_back({event.wd, false});
        }
    }
    return events;
}

} // namespace tallyrun::platform
