// Drops carried out off the window's thread: the window's events go on while a drop's files
// are copied, the outcomes come back in order on the window's thread, and a queue that ends
// still finishes every drop the user made.
#include "shelltree/drop_queue.h"

#include "tests/support/event_waits.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace tallyrun::test {
namespace {

// A carrying out that waits until the test lets it go on, and notes what it was given.
class THeldDrops
{
public:
    TDropQueue::TCarryOut CarryOut()
    {
        return [this](const TDropRequest& request) {
            std::unique_lock lock(mutex_);
            started_.push_back(request.targetFolder);
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
            return std::vector<platform::TDropItemOutcome>{
                {request.sources.front(), platform::TDropItemResult::driDone, 0}};
        };
    }
    void Release()
    {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    void AwaitStarted(std::size_t count)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return started_.size() >= count; });
    }
    std::vector<std::string> Started()
    {
        std::lock_guard lock(mutex_);
        return started_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool released_ = false;
    std::vector<std::string> started_;
};

TDropRequest Request(const std::string& target)
{
    return {{"/from/" + target}, "/to/" + target, platform::TDropEffect::deCopy};
}

TEST(DropQueueTest, EventsGoOnDuringADropAndOutcomesComeBackInOrderOnTheQueuesThread)
{
    THeldDrops held;
    TDropQueue queue(held.CarryOut());
    std::vector<std::string> told;
    bool toldOnOwnThread = true;
    for (const char* target : {"a", "b", "c"})
        queue.Add(Request(target), [&](const TDropReport& report) {
            toldOnOwnThread &= QThread::currentThread() == qApp->thread();
            told.push_back(report.outcomes.at(0).source);
        });
    EXPECT_EQ(queue.Pending(), 3);

    // The first drop is under way and held there; the window's events are delivered meanwhile.
    held.AwaitStarted(1);
    bool delivered = false;
    QMetaObject::invokeMethod(
        qApp, [&] { delivered = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(WaitUntil([&] { return delivered; }, 5000));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(held.Started(), std::vector<std::string>{"/to/a"});

    held.Release();
    ASSERT_TRUE(WaitUntil([&] { return queue.Pending() == 0; }, 15000));
    EXPECT_EQ(told, (std::vector<std::string>{"/from/a", "/from/b", "/from/c"}));
    EXPECT_TRUE(toldOnOwnThread);
}

TEST(DropQueueTest, AnEndingQueueFinishesEveryDropMadeButTellsNoMore)
{
    THeldDrops held;
    int told = 0;
    {
        TDropQueue queue(held.CarryOut());
        for (const char* target : {"a", "b", "c"})
            queue.Add(Request(target), [&](const TDropReport&) { ++told; });
        held.AwaitStarted(1);
        held.Release();
    }
    EXPECT_EQ(held.Started(), (std::vector<std::string>{"/to/a", "/to/b", "/to/c"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(told, 0);
}

} // namespace
} // namespace tallyrun::test
