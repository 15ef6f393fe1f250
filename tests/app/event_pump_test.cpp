#include "app/event_pump.h"

#include "scan/pump_events.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>

namespace tallyrun::test {
namespace {

void Post(std::function<void()> action)
{
    QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

TEST(EventPump, DispatchesQueuedEventsThroughTheScannersHook)
{
    InstallEventPump(std::chrono::microseconds(0));
    int delivered = 0;
    Post([&] { ++delivered; });
    PumpEvents();
    EXPECT_EQ(delivered, 1);
}

TEST(EventPump, ACallSoonAfterADispatchReturnsAtOnce)
{
    InstallEventPump(std::chrono::hours(1));
    int delivered = 0;
    Post([&] { ++delivered; });
    PumpEvents();
    EXPECT_EQ(delivered, 1);
    Post([&] { ++delivered; });
    PumpEvents(); // within the interval
    EXPECT_EQ(delivered, 1);
    InstallEventPump(std::chrono::microseconds(0));
    PumpEvents();
    EXPECT_EQ(delivered, 2);
}

TEST(EventPump, AHandlerThatPumpsDoesNotDispatchInsideItself)
{
    InstallEventPump(std::chrono::microseconds(0));
    int inner = 0;
    Post([&] {
        Post([&] { ++inner; });
        PumpEvents(); // from inside a dispatched handler
        EXPECT_EQ(inner, 0);
    });
    PumpEvents();
    PumpEvents();
    EXPECT_EQ(inner, 1);
}

} // namespace
} // namespace tallyrun::test
