// Lists a whole tree on worker threads (scan/split_listing.h): the calling thread walks the top
// of the tree, kWorkers threads list the units below it, each taking the next unit as it
// finishes one, and the calling thread meanwhile lets window events run and splices each unit
// in as soon as it and the units before it are listed.
#include "scan/tree_listing.h"

#include "scan/dir_cursor.h"
#include "scan/pump_events.h"
#include "scan/split_listing.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace tallyrun {

namespace {

// More workers than cores: on a cold disk several reads in flight (directory blocks, and the
// inodes the sizes come from) are served faster.
constexpr int kWorkers = 4;
constexpr auto kPumpInterval = std::chrono::milliseconds(5);

class TSplitWorkers
{
public:
    explicit TSplitWorkers(TSplitListing& split, const TWalkOptions& options)
        : split_(split), abandon_(options.abandon), pumpEvents_(options.pumpEvents)
    {
    }

    // Lists every unit on the worker threads while this thread splices the units listed and
    // lets events run when the walk pumps them.
    void ListAndSplice()
    {
        const auto workers = std::min<std::size_t>(kWorkers, split_.UnitCount());
        std::vector<std::thread> threads;
        try {
            while (threads.size() < workers)
                threads.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // No thread to be had: those running do the work, or else the calling thread.
            if (threads.empty())
                Work();
        }
        try {
            SpliceWhileListed(threads.empty() ? 1 : static_cast<int>(threads.size()));
        } catch (...) {
            // An error from an event handler: the workers stop after their unit in hand.
            split_.GiveUpUnits();
            for (std::thread& t : threads)
                t.join();
            throw;
        }
        for (std::thread& t : threads)
            t.join();
        if (error_)
            std::rethrow_exception(error_);
    }

private:
    // Until the listing is whole or every worker has ended: splices the units listed, then
    // waits for the next one (a worker tells of each unit it ends, and of its own end).
    void SpliceWhileListed(int workers)
    {
        for (;;) {
            std::unique_lock lock(mutex_);
            const int seen = unitsDone_;
            // Every unit a worker listed before its end is spliced by the call below.
            const bool allEnded = finishedWorkers_ >= workers;
            lock.unlock();
            if (split_.SpliceListed() || allEnded)
                return;
            lock.lock();
            if (!pumpEvents_) {
                done_.wait(lock, [&] { return unitsDone_ != seen; });
                continue;
            }
            done_.wait_for(lock, kPumpInterval, [&] { return unitsDone_ != seen; });
            lock.unlock();
            PumpEvents();
            if (abandon_ && abandon_->load(std::memory_order_relaxed))
                throw TListingAbandoned{};
        }
    }

    void Work()
    {
        try {
            while (const auto u = split_.TakeUnit()) {
                split_.ListUnit(*u);
                const std::lock_guard guard(mutex_);
                ++unitsDone_;
                done_.notify_one();
            }
        } catch (...) {
            split_.GiveUpUnits();
            const std::lock_guard guard(mutex_);
            if (!error_)
                error_ = std::current_exception();
        }
        const std::lock_guard guard(mutex_);
        ++finishedWorkers_;
        ++unitsDone_; // the end of a worker wakes the splice too
        done_.notify_one();
    }

    TSplitListing& split_;
    const std::atomic<bool>* abandon_;
    bool pumpEvents_;
    std::mutex mutex_;
    std::condition_variable done_;
    int unitsDone_ = 0;
    int finishedWorkers_ = 0;
    std::exception_ptr error_;
};

void ListTreeSplit(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options)
{
    if (!options.recursive || options.onFolder) {
        ListTreeAlone(listing, cursor, options);
        return;
    }
    TSplitListing split(listing.RootFolder(), cursor.RootFd(), options);
    TSplitWorkers(split, options).ListAndSplice();
    listing = std::move(split.Listing());
}

} // namespace

bool ListTree(TTreeListing& listing, TDirCursor& cursor, const TWalkOptions& options)
{
    try {
        ListTreeSplit(listing, cursor, options);
        return true;
    } catch (const TListingAbandoned&) {
        listing = TTreeListing(listing.RootFolder());
        return false;
    }
}

} // namespace tallyrun
