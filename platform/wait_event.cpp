#include "platform/wait_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

namespace tallyrun::platform {

TWaitEvent::TWaitEvent() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

TWaitEvent::~TWaitEvent()
{
    if (fd_ >= 0)
        close(fd_);
}

void TWaitEvent::Set()
{
    const std::uint64_t one = 1;
    // The counter only has to be non-zero; a full counter is still signalled.
    [[maybe_unused]] const auto written = write(fd_, &one, sizeof one);
}

void TWaitEvent::Reset()
{
    std::uint64_t value = 0;
    [[maybe_unused]] const auto read = ::read(fd_, &value, sizeof value);
}

bool TWaitEvent::IsSet() const
{
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

int WaitForAny(std::span<const int> fds, int timeoutMs)
{
    std::vector<pollfd> polls;
    for (const int fd : fds)
        polls.push_back(pollfd{fd, POLLIN, 0});
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        int wait = timeoutMs;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            wait = left.count() < 0 ? 0 : static_cast<int>(left.count());
        }
        const int n = poll(polls.data(), polls.size(), wait);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return kWaitFailed;
        if (n == 0)
            return kWaitTimedOut;
        for (size_t i = 0; i < polls.size(); ++i) {
            if (polls[i].revents & POLLIN)
                return static_cast<int>(i);
            if (polls[i].revents & (POLLERR | POLLNVAL))
                return kWaitFailed;
        }
    }
}

} // namespace tallyrun::platform
