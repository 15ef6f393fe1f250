// The base of the folder tree's background threads: a lock for the fields a subclass shares
// with other threads, a stop and a wake event, waits on them (and on other descriptors) with
// a time-out, and the synchronous hand-off of a call to the UI thread.
//
// The object must be made on the UI thread; the hand-off runs there. Stop may be called from
// the UI thread while the background thread is blocked in a hand-off: Stop then runs the
// pending hand-off itself (without its callback), so the two threads never wait on each other.
// Stop (and destruction) must not be called from inside the thread's own callback, which the
// thread is waiting for; an owner that wants to go away there defers it to its event loop.
#pragma once

#include "platform/wait_event.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

namespace tallyrun {

enum class TShWaitResult { wrSignalled, wrWoken, wrStopped, wrTimedOut, wrFailed };

// The most descriptors WaitWithHandles takes besides its own two events.
constexpr int kMaxWaitHandles = 62;

class TShThread {
public:
    using TTerminateHandler = std::function<void(TShThread&)>;

    virtual ~TShThread();
    TShThread(const TShThread&) = delete;
    TShThread& operator=(const TShThread&) = delete;

    // Starts a thread made suspended; does nothing when it has been started already.
    void Start();
    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }
    void Wake() { wakeEvent_.Set(); }
    // Detaches the callback, asks the thread to end and waits until it has. Safe to call more
    // than once, and from the UI thread while the thread waits for the UI thread.
    void Stop();
    bool Terminated() const { return terminated_.load(); }
    // True while the thread runs (started and not yet ended).
    bool Running() const;
    // Called on the UI thread when the run ended by itself (not through Stop).
    void SetTerminateHandler(TTerminateHandler handler);

protected:
    // Made suspended: a subclass calls Start at the end of its constructor when it wants to
    // run at once, so the thread never sees a half-made object.
    TShThread();

    // The thread's work; ends when Terminated is set or the stop event fires.
    virtual void Execute() = 0;
    // Drops the owner's callback so that nothing reaches the owner once stopping has begun.
    virtual void DetachCallback() {}

    // Waits for the wake or stop event or the time-out (ms, -1 for none), then resets the
    // wake event.
    TShWaitResult Wait(int ms);
    // Waits for one of the descriptors (at most kMaxWaitHandles), then the stop event, then the
    // wake event; resets the wake event. On wrSignalled `index` is the descriptor that fired.
    TShWaitResult WaitWithHandles(std::span<const int> fds, int ms, int& index);
    // Runs `call` on the UI thread and waits until it has returned. False, without running it,
    // once stopping has begun.
    bool Synchronize(const std::function<void()>& call);
    // Reports a failure inside the thread (a failing wait, an error that ended the run).
    static void ReportError(const char* what);

    // Guards every field a subclass shares with other threads.
    std::mutex lock_;

private:
    void Run();
    TShWaitResult ResultOf(int fired, int stopIndex, int wakeIndex, int& index);

    TWaitEvent stopEvent_;
    TWaitEvent wakeEvent_;
    std::atomic<bool> terminated_{false};
    // Lives on the UI thread: the target of the hand-offs and the termination report.
    std::unique_ptr<QObject> context_;
    std::thread thread_;

    // Guards the hand-off state below; never held across a wait or a hand-off.
    mutable std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    bool started_ = false;
    bool ended_ = false;
    bool handOffPending_ = false;
    // Set on the UI thread while a handed-off call runs there.
    std::atomic<bool> inHandOff_{false};
    TTerminateHandler terminateHandler_;
};

} // namespace tallyrun
