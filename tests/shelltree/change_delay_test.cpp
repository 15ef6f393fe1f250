// The change delay: only the last node of a burst is reported, after the full delay.
#include "shelltree/change_delay.h"

#include "tests/support/event_waits.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

class ChangeDelayTest : public ::testing::Test
{
protected:
    void SetUp() override { clock_.start(); }

    std::unique_ptr<TQorShChangeDelay> MakeDelay(bool takeNode = true)
    {
        return std::make_unique<TQorShChangeDelay>(
            [this, takeNode](TQorShChangeDelay&, TShPendingNode& node) {
                reports_.push_back({node, clock_.elapsed()});
                if (takeNode)
                    node = nullptr;
            },
            &owner_, [this](TShPendingNode node) { freed_.push_back(node); });
    }

    QObject owner_;
    QElapsedTimer clock_;
    std::vector<std::pair<TShPendingNode, qint64>> reports_;
    std::vector<TShPendingNode> freed_;
    int nodes_[3] = {};
};

TEST_F(ChangeDelayTest, OnlyTheLastOfThreeNodesIsReportedAfterTheDelay)
{
    auto delay = MakeDelay();
    EXPECT_EQ(delay->DelayInterval(), kChangeDelayMs);
    qint64 lastScheduled = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            RunEventsFor(200);
        lastScheduled = clock_.elapsed();
        delay->ScheduleChange(&nodes_[i], kChangeDelayMs, TShNodeOwnership::Borrowed);
    }
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 10000));
    EXPECT_EQ(reports_[0].first, &nodes_[2]);
    const qint64 waited = reports_[0].second - lastScheduled;
    EXPECT_GE(waited, 450);
    EXPECT_LE(waited, 5000);
    RunEventsFor(700);
    EXPECT_EQ(reports_.size(), 1u);
    EXPECT_EQ(delay->PendingNode(), nullptr);
    EXPECT_TRUE(freed_.empty()); // none of them was owned
}

TEST_F(ChangeDelayTest, OwnedNodesAreFreedWhenReplacedOrLeftAtTheEnd)
{
    auto delay = MakeDelay();
    delay->ScheduleChange(&nodes_[0], 60000, TShNodeOwnership::Owned);
    delay->ScheduleChange(&nodes_[1], 60000, TShNodeOwnership::Owned);
    EXPECT_EQ(freed_, std::vector<TShPendingNode>{&nodes_[0]});
    delay.reset();
    EXPECT_EQ(freed_, (std::vector<TShPendingNode>{&nodes_[0], &nodes_[1]}));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(ChangeDelayTest, CancelledNodeIsNotReported)
{
    auto delay = MakeDelay();
    delay->ScheduleChange(&nodes_[0], 100, TShNodeOwnership::Borrowed);
    delay->CancelChange(&nodes_[1]); // another node: the pending one stays
    EXPECT_EQ(delay->PendingNode(), &nodes_[0]);
    delay->CancelChange(&nodes_[0]);
    EXPECT_EQ(delay->PendingNode(), nullptr);
    RunEventsFor(400);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(ChangeDelayTest, NodeIsReportedOnceEvenWhenTheHandlerKeepsIt)
{
    auto delay = MakeDelay(false);
    delay->ScheduleChange(&nodes_[0], 50, TShNodeOwnership::Owned);
    ASSERT_TRUE(WaitUntil([&] { return !reports_.empty(); }, 5000));
    RunEventsFor(300);
    EXPECT_EQ(reports_.size(), 1u);
    EXPECT_EQ(freed_, std::vector<TShPendingNode>{&nodes_[0]});
}

TEST_F(ChangeDelayTest, StopWhileWaitingEndsAtOnce)
{
    for (const bool pending : {false, true}) {
        auto delay = MakeDelay();
        if (pending)
            delay->ScheduleChange(&nodes_[0], 60000, TShNodeOwnership::Borrowed);
        ASSERT_TRUE(WaitUntil([&] { return delay->Running(); }, 2000));
        QElapsedTimer timer;
        timer.start();
        delay->Stop();
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_FALSE(delay->Running());
    }
    EXPECT_TRUE(reports_.empty());
}

} // namespace
} // namespace tallyrun::test
