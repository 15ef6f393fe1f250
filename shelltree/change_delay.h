// The change delay: holds back the tree's selection report while the user moves through the
// tree with an arrow key, and reports on the UI thread the node on which the selection has
// rested for the delay (500 ms). Each new node restarts the full delay; only the last of a
// burst is reported.
#pragma once

#include "shelltree/sh_thread.h"

#include <QPointer>

namespace tallyrun {

constexpr int kChangeDelayMs = 500;

// The tree's node whose report is pending; the change delay never looks inside it.
using TShPendingNode = void*;

class TQorShChangeDelay;
// Runs on the UI thread with the node to report; the handler sets `node` to none when it has
// taken the node over (an owned node it leaves is freed).
using TShChangeCallback = std::function<void(TQorShChangeDelay& sender, TShPendingNode& node)>;
// Frees an owned pending node.
using TShFreeNode = std::function<void(TShPendingNode node)>;
// Whether the change delay takes a scheduled node over: it frees an owned node through
// TShFreeNode when it drops it; a borrowed node stays the caller's.
enum class TShNodeOwnership
{
    Borrowed,
    Owned
};

class TQorShChangeDelay : public TShThread
{
public:
    // Runs at once. `owner` guards the callback: once it is gone, nothing is called.
    TQorShChangeDelay(TShChangeCallback callback, QObject* owner, TShFreeNode freeNode = {});
    ~TQorShChangeDelay() override;

    // Replaces the pending node (freeing it if it was owned) and starts the delay again.
    void ScheduleChange(TShPendingNode node, int intervalMs, TShNodeOwnership ownership);
    // Drops the pending report of `node` (a node the tree is deleting); other nodes stay.
    void CancelChange(TShPendingNode node);
    TShPendingNode PendingNode();
    int DelayInterval();

protected:
    void Execute() override;
    void DetachCallback() override;

private:
    // Drops the pending node (lock held).
    void DropPending();
    void Report(TShPendingNode node);

    // Guarded by lock_.
    TShPendingNode pending_ = nullptr;
    bool owned_ = false;
    int delayInterval_ = kChangeDelayMs;
    TShChangeCallback callback_;
    TShFreeNode freeNode_;
    QPointer<QObject> owner_;
};

} // namespace tallyrun
