#include "shelltree/change_delay.h"

namespace tallyrun {

TQorShChangeDelay::TQorShChangeDelay(TShChangeCallback callback, QObject* owner,
                                     TShFreeNode freeNode)
    : callback_(std::move(callback)), freeNode_(std::move(freeNode)), owner_(owner)
{
    Start();
}

TQorShChangeDelay::~TQorShChangeDelay()
{
    Stop();
    std::lock_guard guard(lock_);
    DropPending();
}

void TQorShChangeDelay::DetachCallback()
{
    std::lock_guard guard(lock_);
    callback_ = nullptr;
}

void TQorShChangeDelay::DropPending()
{
    if (pending_ && owned_ && freeNode_)
        freeNode_(pending_);
    pending_ = nullptr;
    owned_ = false;
}

void TQorShChangeDelay::ScheduleChange(TShPendingNode node, int intervalMs,
                                       TShNodeOwnership ownership)
{
    {
        std::lock_guard guard(lock_);
        DropPending();
        pending_ = node;
        delayInterval_ = intervalMs;
        owned_ = ownership == TShNodeOwnership::Owned;
    }
    Wake();
}

void TQorShChangeDelay::CancelChange(TShPendingNode node)
{
    {
        std::lock_guard guard(lock_);
        if (!node || node != pending_)
            return;
        DropPending();
    }
    Wake();
}

TShPendingNode TQorShChangeDelay::PendingNode()
{
    std::lock_guard guard(lock_);
    return pending_;
}

int TQorShChangeDelay::DelayInterval()
{
    std::lock_guard guard(lock_);
    return delayInterval_;
}

void TQorShChangeDelay::Report(TShPendingNode node)
{
    Synchronize([this, node] {
        TShChangeCallback callback;
        {
            std::lock_guard guard(lock_);
            // A node replaced or cancelled while the hand-off was under way is not reported.
            if (pending_ != node)
                return;
            callback = callback_;
        }
        TShPendingNode reported = node;
        if (callback && owner_)
            callback(*this, reported);
        std::lock_guard guard(lock_);
        if (pending_ == node) {
            if (!reported)
                owned_ = false; // taken over by the handler
            DropPending();
        }
    });
}

void TQorShChangeDelay::Execute()
{
    while (!Terminated()) {
        TShPendingNode node = nullptr;
        int interval = kChangeDelayMs;
        {
            std::lock_guard guard(lock_);
            node = pending_;
            interval = delayInterval_;
        }
        const TShWaitResult result = Wait(node ? interval : -1);
        if (result == TShWaitResult::wrStopped)
            return;
        if (node && result == TShWaitResult::wrTimedOut)
            Report(node);
    }
}

} // namespace tallyrun
