// A manual-reset event that a poll() can wait on (an eventfd), and the wait for the first of
// several such descriptors with a time-out. The background threads of the folder tree use
// them for their stop and wake events and their change-notification descriptors.
#pragma once

#include <span>

namespace tallyrun::platform {

class TWaitEvent
{
public:
    TWaitEvent();
    ~TWaitEvent();
    TWaitEvent(const TWaitEvent&) = delete;
    TWaitEvent& operator=(const TWaitEvent&) = delete;

    bool IsValid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    // Signals the event; it stays signalled until Reset.
    void Set();
    void Reset();
    bool IsSet() const;

private:
    int fd_ = -1;
};

constexpr int kWaitTimedOut = -1;
constexpr int kWaitFailed = -2;

// Waits until one of the descriptors is readable or the time-out (ms, -1 for none) has
// passed. Returns the lowest index that is readable, kWaitTimedOut or kWaitFailed.
int WaitForAny(std::span<const int> fds, int timeoutMs);

} // namespace tallyrun::platform
