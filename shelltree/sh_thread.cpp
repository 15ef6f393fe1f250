#include "shelltree/sh_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <QtDebug>

#include <exception>
#include <vector>

namespace tallyrun {
namespace {

// How long Stop sleeps between looks for a hand-off that has not been posted yet.
constexpr auto kStopPollInterval = std::chrono::milliseconds(10);

} // namespace

TShThread::TShThread() : context_(std::make_unique<QObject>()) {}

TShThread::~TShThread()
{
    // Subclasses stop in their own destructors, before their fields go; this catches a
    // thread that was never started.
    Stop();
}

void TShThread::Start()
{
    std::lock_guard guard(stateMutex_);
    if (started_)
        return;
    started_ = true;
    // A wake before the start means nothing: the run reads the current settings first.
    wakeEvent_.Reset();
    thread_ = std::thread([this] { Run(); });
}

bool TShThread::Running() const
{
    std::lock_guard guard(stateMutex_);
    return started_ && !ended_;
}

void TShThread::SetTerminateHandler(TTerminateHandler handler)
{
    std::lock_guard guard(stateMutex_);
    terminateHandler_ = std::move(handler);
}

void TShThread::ReportError(const char* what)
{
    qWarning("Tallyrun folder tree thread: %s", what);
}

void TShThread::Run()
{
    try {
        Execute();
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("unknown error");
    }
    std::lock_guard guard(stateMutex_);
    ended_ = true;
    stateChanged_.notify_all();
    if (!terminated_.load() && terminateHandler_) {
        // Ended by itself: tell the owner on its own thread, later, without waiting.
        QMetaObject::invokeMethod(
            context_.get(),
            [this] {
                TTerminateHandler handler;
                {
                    std::lock_guard g(stateMutex_);
                    handler = terminateHandler_;
                }
                if (handler && !terminated_.load())
                    handler(*this);
            },
            Qt::QueuedConnection);
    }
}

void TShThread::Stop()
{
    DetachCallback();
    {
        std::lock_guard guard(stateMutex_);
        terminateHandler_ = nullptr;
    }
    terminated_.store(true);
    stopEvent_.Set();
    if (!thread_.joinable() || thread_.get_id() == std::this_thread::get_id())
        return;
    const bool onUiThread = QThread::currentThread() == context_->thread();
    Q_ASSERT_X(!(onUiThread && inHandOff_.load()), "TShThread::Stop",
               "stopped from inside its own callback, which the thread waits for");
    std::unique_lock lock(stateMutex_);
    while (!ended_) {
        if (handOffPending_ && onUiThread) {
            // The thread waits for this very thread: run its hand-off here. Terminated is set,
            // so the call inside does nothing but let the thread go on.
            lock.unlock();
            QCoreApplication::sendPostedEvents(context_.get(), QEvent::MetaCall);
            lock.lock();
        }
        stateChanged_.wait_for(lock, kStopPollInterval);
    }
    lock.unlock();
    thread_.join();
}

bool TShThread::Synchronize(const std::function<void()>& call)
{
    {
        std::lock_guard guard(stateMutex_);
        if (terminated_.load())
            return false;
        handOffPending_ = true;
    }
    stateChanged_.notify_all();
    bool ran = false;
    QMetaObject::invokeMethod(
        context_.get(),
        [this, &call, &ran] {
            if (terminated_.load())
                return;
            ran = true;
            inHandOff_.store(true);
            // An error of the owner's callback must not unwind through Qt's event delivery.
            try {
                call();
            } catch (const std::exception& e) {
                ReportError(e.what());
            } catch (...) {
                ReportError("unknown error in a callback");
            }
            inHandOff_.store(false);
        },
        Qt::BlockingQueuedConnection);
    std::lock_guard guard(stateMutex_);
    handOffPending_ = false;
    return ran;
}

TShWaitResult TShThread::ResultOf(int fired, int stopIndex, int wakeIndex, int& index)
{
    wakeEvent_.Reset();
    if (fired == kWaitFailed) {
        ReportError("waiting for the change events failed");
        return TShWaitResult::wrFailed;
    }
    if (fired == kWaitTimedOut)
        return TShWaitResult::wrTimedOut;
    if (fired == stopIndex)
        return TShWaitResult::wrStopped;
    if (fired == wakeIndex)
        return TShWaitResult::wrWoken;
    index = fired;
    return TShWaitResult::wrSignalled;
}

TShWaitResult TShThread::Wait(int ms)
{
    const int fds[] = {wakeEvent_.Fd(), stopEvent_.Fd()};
    int index = -1;
    return ResultOf(WaitForAny(fds, ms), 1, 0, index);
}

TShWaitResult TShThread::WaitWithHandles(std::span<const int> fds, int ms, int& index)
{
    index = -1;
    if (fds.size() > static_cast<std::size_t>(kMaxWaitHandles))
        return ResultOf(kWaitFailed, -1, -1, index);
    std::vector<int> all(fds.begin(), fds.end());
    all.push_back(stopEvent_.Fd());
    all.push_back(wakeEvent_.Fd());
    const int count = static_cast<int>(fds.size());
    return ResultOf(WaitForAny(all, ms), count, count + 1, index);
}

} // namespace tallyrun
