// The thread base: waits, and stopping a thread that waits for the UI thread.
#include "thread_test_support.h"

#include "platform/wait_event.h"
#include "shelltree/sh_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tallyrun {
namespace {

// Hands one call to the UI thread as soon as it runs, then waits to be stopped.
class HandOffThread : public TShThread {
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

// Reports each wait's result.
class WaitingThread : public TShThread {
public:
    WaitingThread(int timeoutMs, int fd) : timeoutMs_(timeoutMs), fd_(fd) { Start(); }
    ~WaitingThread() override { Stop(); }

    std::atomic<int> result{-1};
    std::atomic<int> index{-2};

protected:
    void Execute() override
    {
        int fired = -1;
        const int fds[] = {fd_};
        const auto r = fd_ >= 0 ? WaitWithHandles(fds, timeoutMs_, fired) : Wait(timeoutMs_);
        index = fired;
        result = static_cast<int>(r);
        Wait(-1);
    }

private:
    int timeoutMs_;
    int fd_;
};

TEST(ShThread, WaitsAnswerWokenTimedOutAndSignalled)
{
    {
        WaitingThread thread(-1, -1);
        thread.Wake();
        ASSERT_TRUE(WaitUntil([&] { return thread.result >= 0; }, 5000));
        EXPECT_EQ(thread.result, static_cast<int>(TShWaitResult::wrWoken));
    }
    {
        WaitingThread thread(20, -1);
        ASSERT_TRUE(WaitUntil([&] { return thread.result >= 0; }, 5000));
        EXPECT_EQ(thread.result, static_cast<int>(TShWaitResult::wrTimedOut));
    }
    TWaitEvent handle;
    handle.Set();
    WaitingThread thread(-1, handle.Fd());
    ASSERT_TRUE(WaitUntil([&] { return thread.result >= 0; }, 5000));
    EXPECT_EQ(thread.result, static_cast<int>(TShWaitResult::wrSignalled));
    EXPECT_EQ(thread.index, 0);
}

TEST(ShThread, TerminationByItselfIsReportedOnTheUiThread)
{
    class ShortThread : public TShThread {
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
} // namespace tallyrun
