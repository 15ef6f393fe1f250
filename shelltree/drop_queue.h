// Drops carried out off the window's thread, one at a time in the order they were made: a drop
// of a large folder copies for seconds, and the window goes on answering meanwhile. Each drop's
// outcome comes back on the thread that made the queue, through the handler boundary.
#pragma once

#include "shelltree/drop_target.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tallyrun {

class TDropQueue
{
public:
    // What carrying out a drop means; the file operations unless a test stands in for them.
    using TCarryOut = std::function<std::vector<platform::TDropItemOutcome>(const TDropRequest&)>;
    // Told of a drop's outcome, on the thread that made the queue.
    using TDone = std::function<void(const TDropReport&)>;

    explicit TDropQueue(TCarryOut carryOut = CarryOutDrop);
    // Carries out every drop already made before it returns: a drop the user let go of is never
    // left half done. Outcomes not yet told are not told any more.
    ~TDropQueue();
    TDropQueue(const TDropQueue&) = delete;
    TDropQueue& operator=(const TDropQueue&) = delete;

    void Add(TDropRequest request, TDone done);
    // Drops made whose outcome has not been told yet.
    int Pending() const { return pending_; }

private:
    struct TJob
    {
        TDropRequest request;
        TDone done;
    };
    void Work();
    void Tell(TJob job, TDropReport report);

    TCarryOut carryOut_;
    QObject receiver_; // outcomes are posted to it; gone with the queue, so are they
    int pending_ = 0;  // the thread that made the queue only

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<TJob> waiting_;
    bool ending_ = false;
    std::thread worker_; // started by the first drop
};

} // namespace tallyrun
