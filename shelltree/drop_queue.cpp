#include "shelltree/drop_queue.h"

#include "base/handler_errors.h"

#include <cerrno>
#include <utility>

namespace tallyrun {

TDropQueue::TDropQueue(TCarryOut carryOut) : carryOut_(std::move(carryOut)) {}

TDropQueue::~TDropQueue()
{
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable())
        worker_.join();
}

void TDropQueue::Add(TDropRequest request, TDone done)
{
    ++pending_;
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back({std::move(request), std::move(done)});
    }
    if (!worker_.joinable())
        worker_ = std::thread([this] { Work(); });
    else
        wake_.notify_one();
}

void TDropQueue::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
        // An ending queue still carries out what it holds.
        if (waiting_.empty())
            return;
        TJob job = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        TDropReport report;
        try {
            report.outcomes = carryOut_(job.request);
        } catch (...) {
            // Only running out of memory gets here; nothing then says which items arrived, so
            // each is told as failed.
            report.outcomes.clear();
            for (const std::string& source : job.request.sources)
                report.outcomes.push_back({source, platform::TDropItemResult::driFailed, ENOMEM});
        }
        Tell(std::move(job), std::move(report));
        lock.lock();
    }
}

void TDropQueue::Tell(TJob job, TDropReport report)
{
    QMetaObject::invokeMethod(
        &receiver_,
        [this, job = std::move(job), report = std::move(report)] {
            RunHandler([&] {
                --pending_;
                job.done(report);
            });
        },
        Qt::QueuedConnection);
}

} // namespace tallyrun
