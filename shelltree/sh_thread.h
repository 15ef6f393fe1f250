// The base of the folder tree's background threads: a lock for the fields a subclass shares
// with other threads, a stop and a wake event, waits on them (and on other descriptors) with
// a time-out, and the synchronous hand-off of a call to the UI thread.
//
// The object must be made on the UI thread; the hand-off runs there. Stop may be called from
// the UI thread while the background thread is blocked in a hand-off: Stop then runs the
// pending hand-off itself (without its callback), so the two threads never wait on each other.
// Stop from inside the thread's own callback, which the thread is waiting for, asks the thread
// to end without waiting; a later Stop or the destruction waits for the end. Destroying the
// object inside its own callback is a programming error that ends the program with a message.
//
// Failures inside a thread (a failing wait, an error that ended the run or left a callback)
// go to the thread error handler on the UI thread, later, without making the thread wait.
#pragma once

#include "platform/wait_event.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>

namespace tallyrun {

enum class TShWaitResult
{
    wrSignalled,
    wrWoken,
    wrStopped,
    wrTimedOut,
    wrFailed
};

// Shows a failure of a folder tree thread to the user; runs on the UI thread.
using TShThreadErrorHandler = std::function<void(const std::string& message)>;

// Replaces the handler of every folder tree thread's failures and returns the one in use
// before; an empty handler restores the default, which writes the message to the log.
TShThreadErrorHandler SetShThreadErrorHandler(TShThreadErrorHandler handler);

// The most descriptors WaitWithHandles takes besides its own two events.
constexpr int kMaxWaitHandles = 62;

class TShThread
{
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
    // than once, and from the UI thread while the thread waits for the UI thread. From inside
    // the thread's own callback it does not wait (see above).
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

    // Waits for the stop or wake event or the time-out (ms, -1 for none). The wake event is
    // reset when the wait answers wrWoken, and only then, so a wake is never lost.
    TShWaitResult Wait(int ms);
    // Drops a wake that is already set. A thread calls it while it holds lock_ and reads the
    // settings whose change raised the wake: the wake has done its work then, and a later
    // change sets it again.
    void ResetWake() { wakeEvent_.Reset(); }
    // Waits for the stop event, the wake event or one of the descriptors (at most
    // kMaxWaitHandles), in that order of precedence, so that a descriptor that keeps firing
    // cannot hold off a stop or a settings change. On wrSignalled `index` is the descriptor
    // that fired.
    TShWaitResult WaitWithHandles(std::span<const int> fds, int ms, int& index);
    // Runs `call` on the UI thread and waits until it has returned. False, without running it,
    // once stopping has begun.
    bool Synchronize(const std::function<void()>& call);
    // On the UI thread: runs the hand-off the thread is blocked in, if there is one that is not
    // running already. True when it ran one. Lets a UI-thread wait for the thread go on.
    bool RunPendingHandOff();
    // True on the UI thread while it runs this thread's handed-off call.
    bool InOwnHandOff() const;
    // Reports a failure inside the thread (a failing wait, an error that ended the run).
    static void ReportError(const std::string& what);

    // Guards every field a subclass shares with other threads.
    std::mutex lock_;

private:
    void Run();
    TShWaitResult ResultOf(int fired, int& index);

    platform::TWaitEvent stopEvent_;
    platform::TWaitEvent wakeEvent_;
    std::atomic<bool> terminated_{false};
    // Lives on the UI thread: the target of the hand-offs and the termination report.
    std::unique_ptr<QObject> context_;
    std::thread thread_;

    // Guards the hand-off state below; never held across a wait or a hand-off.
    mutable std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    bool started_ = false;
    bool ended_ = false;
    // The call the thread waits on in Synchronize, or none; running while the UI thread runs it.
    const std::function<void()>* handOff_ = nullptr;
    bool handOffRunning_ = false;
    bool handOffRan_ = false;
    // Set on the UI thread while a handed-off call runs there.
    std::atomic<bool> inHandOff_{false};
    TTerminateHandler terminateHandler_;
};

} // namespace tallyrun
