// The thread base: waits, and stopping a thread that waits for the UI thread.
#include "shelltree/sh_thread.h"

#include "platform/wait_event.h"
#include "tests/support/event_waits.h"

#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tallyrun::test {
namespace {

// Hands one call to the UI thread as soon as it runs, then waits to be stopped.
class HandOffThread : public TShThread
{
public:
    HandOffThread() { Start(); }
    ~HandOffThread() override { Stop(); }

    std::atomic<bool> entered{false};
    std::atomic<bool> ran{false};
    std::atomic<bool> handedOff{false};

protected:
    void Execute() override
    {
        entered = true;
        handedOff = Synchronize([this] { ran = true; });
        Wait(-1);
    }
};

TEST(ShThread, StopFromTheUiThreadWhileTheThreadWaitsForItDoesNotDeadlock)
{
    HandOffThread thread;
    // Do not let events run: the thread stays blocked in its hand-off.
    for (int i = 0; i < 1000000 && !thread.entered; ++i)
        std::this_thread::yield();
    ASSERT_TRUE(thread.entered);
    QElapsedTimer timer;
    timer.start();
    thread.Stop();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_FALSE(thread.Running());
    EXPECT_FALSE(thread.ran); // nothing reaches the owner once stopping has begun
    EXPECT_FALSE(thread.handedOff);
}

TEST(ShThread, HandOffRunsOnTheUiThread)
{
    HandOffThread thread;
    ASSERT_TRUE(WaitUntil([&] { return thread.ran.load(); }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return thread.handedOff.load(); }, 5000));
    thread.Stop();
    thread.Stop(); // a second Stop does nothing
}

// Reports the result of one wait, made once `gate` is set so that the test can signal
// events before it.
class WaitingThread : public TShThread
{
public:
    WaitingThread(int timeoutMs, int fd, const platform::TWaitEvent& gate)
        : timeoutMs_(timeoutMs), fd_(fd), gate_(gate)
    {
        Start();
    }
    ~WaitingThread() override { Stop(); }

    std::atomic<int> result{-1};
    std::atomic<int> index{-2};
    std::atomic<int> second{-1}; // the result of a second wait, with no time-out

protected:
    void Execute() override
    {
        const int gate[] = {gate_.Fd()};
        platform::WaitForAny(gate, -1);
        int fired = -1;
        const int fds[] = {fd_};
        const auto r = fd_ >= 0 ? WaitWithHandles(fds, timeoutMs_, fired) : Wait(timeoutMs_);
        index = fired;
        result = static_cast<int>(r);
        if (r != TShWaitResult::wrStopped)
            second = static_cast<int>(fd_ >= 0 ? WaitWithHandles(fds, -1, fired) : Wait(-1));
    }

private:
    int timeoutMs_;
    int fd_;
    const platform::TWaitEvent& gate_;
};

TEST(ShThread, WaitsAnswerInOrderOfPrecedenceAndNeverLoseAWake)
{
    enum Signal
    {
        none = 0,
        wake = 1,
        handle = 2
    };
    const struct
    {
        int timeoutMs;
        bool withHandle;
        int raised;
        TShWaitResult first;
        TShWaitResult second; // after the first; the handle stays signalled
    } cases[] = {
        {-1, false, wake, TShWaitResult::wrWoken, TShWaitResult::wrStopped},
        {20, false, none, TShWaitResult::wrTimedOut, TShWaitResult::wrStopped},
        {-1, true, handle, TShWaitResult::wrSignalled, TShWaitResult::wrSignalled},
        // A descriptor that keeps firing neither swallows nor holds off a wake.
        {-1, true, handle | wake, TShWaitResult::wrWoken, TShWaitResult::wrSignalled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raised);
        platform::TWaitEvent gate;
        platform::TWaitEvent handleEvent;
        WaitingThread thread(c.timeoutMs, c.withHandle ? handleEvent.Fd() : -1, gate);
        if (c.raised & handle)
            handleEvent.Set();
        if (c.raised & wake)
            thread.Wake();
        gate.Set();
        ASSERT_TRUE(WaitUntil([&] { return thread.result >= 0; }, 5000));
        EXPECT_EQ(thread.result, static_cast<int>(c.first));
        if (c.first == TShWaitResult::wrSignalled) {
            EXPECT_EQ(thread.index, 0);
        }
        if (c.second == TShWaitResult::wrStopped)
            thread.Stop();
        ASSERT_TRUE(WaitUntil([&] { return thread.second >= 0; }, 5000));
        EXPECT_EQ(thread.second, static_cast<int>(c.second));
    }
}

TEST(ShThread, StopInsideTheOwnCallbackDoesNotWaitAndTheThreadEndsAfterIt)
{
    class SelfStoppingThread : public TShThread
    {
    public:
        SelfStoppingThread() { Start(); }
        ~SelfStoppingThread() override { Stop(); }
        std::atomic<bool> stopReturned{false};
        std::atomic<bool> waitedOn{false};

    protected:
        void Execute() override
        {
            Synchronize([this] {
                Stop();
                stopReturned = true;
            });
            // Stopping has begun: this wait ends at once.
            waitedOn = Wait(-1) == TShWaitResult::wrStopped;
        }
    };
    SelfStoppingThread thread;
    ASSERT_TRUE(WaitUntil([&] { return thread.stopReturned.load(); }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return !thread.Running(); }, 5000));
    EXPECT_TRUE(thread.waitedOn);
    thread.Stop();
}

TEST(ShThread, FailuresReachTheErrorHandlerOnTheUiThread)
{
    std::vector<std::string> shown;
    bool onUiThread = true;
    const auto previous = SetShThreadErrorHandler([&](const std::string& message) {
        onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
        shown.push_back(message);
    });
    class FailingThread : public TShThread
    {
    public:
        FailingThread() { Start(); }
        ~FailingThread() override { Stop(); }

    protected:
        void Execute() override
        {
            Synchronize([] { throw std::runtime_error("in the callback"); });
            // More descriptors than a wait takes fails the wait.
            std::vector<int> fds(kMaxWaitHandles + 1, 0);
            int index = -1;
            if (WaitWithHandles(fds, 0, index) == TShWaitResult::wrFailed)
                throw std::runtime_error("ended the run");
        }
    } thread;
    ASSERT_TRUE(WaitUntil([&] { return shown.size() == 3; }, 5000));
    SetShThreadErrorHandler(previous);
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"in the callback", "waiting for the change events failed",
                                        "ended the run"}));
}

TEST(ShThread, TerminationByItselfIsReportedOnTheUiThread)
{
    class ShortThread : public TShThread
    {
    public:
        ShortThread() = default;
        ~ShortThread() override { Stop(); }
        void Execute() override { throw std::runtime_error("gone"); }
    };
    ShortThread thread;
    bool reported = false;
    thread.SetTerminateHandler([&](TShThread&) { reported = true; });
    thread.Start();
    ASSERT_TRUE(WaitUntil([&] { return reported; }, 5000));
    EXPECT_FALSE(thread.Running());
}

} // namespace
} // namespace tallyrun::test
