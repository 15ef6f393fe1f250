#include "shelltree/sh_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <QtDebug>

#include <exception>
#include <vector>

namespace tallyrun {
namespace {

// Where the events stand in every wait: the stop event first and the wake event second, so
// that the first readable descriptor poll reports is the most urgent one.
constexpr int kStopSlot = 0;
constexpr int kWakeSlot = 1;
constexpr int kFirstHandleSlot = 2;

void LogThreadError(const std::string& message)
{
    qWarning("Tallyrun folder tree thread: %s", message.c_str());
}

std::mutex& ErrorHandlerMutex()
{
    static std::mutex mutex;
    return mutex;
}

TShThreadErrorHandler& CurrentErrorHandler()
{
    static TShThreadErrorHandler handler = LogThreadError;
    return handler;
}

TShThreadErrorHandler ErrorHandler()
{
    std::lock_guard guard(ErrorHandlerMutex());
    return CurrentErrorHandler();
}

} // namespace

TShThreadErrorHandler SetShThreadErrorHandler(TShThreadErrorHandler handler)
{
    std::lock_guard guard(ErrorHandlerMutex());
    TShThreadErrorHandler previous = std::move(CurrentErrorHandler());
    CurrentErrorHandler() = handler ? std::move(handler) : TShThreadErrorHandler(LogThreadError);
    return previous;
}

TShThread::TShThread() : context_(std::make_unique<QObject>()) {}

TShThread::~TShThread()
{
    // Subclasses stop in their own destructors, before their fields go; this catches a
    // thread that was never started.
    Stop();
    if (thread_.joinable())
        qFatal("A folder tree thread was destroyed inside its own callback, which it waits for");
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

void TShThread::ReportError(const std::string& what)
{
    // Shown on the UI thread, later: the reporting thread must not wait for a message box,
    // and the report outlives the thread object.
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        LogThreadError(what);
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [what] {
            try {
                if (const auto handler = ErrorHandler())
                    handler(what);
            } catch (...) {
                LogThreadError(what);
            }
        },
        Qt::QueuedConnection);
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

bool TShThread::InOwnHandOff() const
{
    return inHandOff_.load() && QThread::currentThread() == context_->thread();
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
    // The thread waits for this callback to return: it ends right after, with Terminated set.
    if (InOwnHandOff())
        return;
    const bool onUiThread = QThread::currentThread() == context_->thread();
    std::unique_lock lock(stateMutex_);
    while (!ended_) {
        if (onUiThread && handOff_ && !handOffRunning_) {
            // The thread waits for this very thread: run its hand-off here. Terminated is set,
            // so the call does nothing but let the thread go on.
            lock.unlock();
            RunPendingHandOff();
            lock.lock();
            continue;
        }
        stateChanged_.wait(lock);
    }
    lock.unlock();
    thread_.join();
}

bool TShThread::RunPendingHandOff()
{
    if (QThread::currentThread() != context_->thread())
        return false;
    const std::function<void()>* call = nullptr;
    {
        std::lock_guard guard(stateMutex_);
        if (!handOff_ || handOffRunning_)
            return false;
        call = handOff_;
        handOffRunning_ = true;
    }
    const bool run = !terminated_.load();
    if (run) {
        inHandOff_.store(true);
        // An error of the owner's callback must not unwind through Qt's event delivery.
        try {
            (*call)();
        } catch (const std::exception& e) {
            ReportError(e.what());
        } catch (...) {
            ReportError("unknown error in a callback");
        }
        inHandOff_.store(false);
    }
    {
        std::lock_guard guard(stateMutex_);
        handOff_ = nullptr;
        handOffRunning_ = false;
        handOffRan_ = run;
    }
    stateChanged_.notify_all();
    return true;
}

bool TShThread::Synchronize(const std::function<void()>& call)
{
    std::unique_lock lock(stateMutex_);
    if (terminated_.load())
        return false;
    handOff_ = &call;
    handOffRan_ = false;
    stateChanged_.notify_all();
    lock.unlock();
    // The posted call runs the hand-off unless a wait on the UI thread has run it first; a
    // late one finds nothing to do.
    QMetaObject::invokeMethod(
        context_.get(), [this] { RunPendingHandOff(); }, Qt::QueuedConnection);
    lock.lock();
    stateChanged_.wait(lock, [this] { return handOff_ == nullptr; });
    return handOffRan_;
}

TShWaitResult TShThread::ResultOf(int fired, int& index)
{
    if (fired == platform::kWaitFailed) {
        ReportError("waiting for the change events failed");
        return TShWaitResult::wrFailed;
    }
    if (fired == platform::kWaitTimedOut)
        return TShWaitResult::wrTimedOut;
    if (fired == kStopSlot)
        return TShWaitResult::wrStopped;
    if (fired == kWakeSlot) {
        wakeEvent_.Reset();
        return TShWaitResult::wrWoken;
    }
    index = fired - kFirstHandleSlot;
    return TShWaitResult::wrSignalled;
}

TShWaitResult TShThread::Wait(int ms)
{
    const int fds[kFirstHandleSlot] = {stopEvent_.Fd(), wakeEvent_.Fd()};
    int index = -1;
    return ResultOf(platform::WaitForAny(fds, ms), index);
}

TShWaitResult TShThread::WaitWithHandles(std::span<const int> fds, int ms, int& index)
{
    index = -1;
    if (fds.size() > static_cast<std::size_t>(kMaxWaitHandles))
        return ResultOf(platform::kWaitFailed, index);
    std::vector<int> all = {stopEvent_.Fd(), wakeEvent_.Fd()};
    all.insert(all.end(), fds.begin(), fds.end());
    return ResultOf(platform::WaitForAny(all, ms), index);
}

} // namespace tallyrun
