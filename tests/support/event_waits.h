// Waiting in thread tests: lets the UI thread run its events (the threads' hand-offs arrive
// there) until a condition holds or a bound has passed. Never a bare sleep.
#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <functional>

namespace tallyrun::test {

inline bool WaitUntil(const std::function<bool()>& condition, int boundMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > boundMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Lets events run for a while, to see that something does NOT happen.
inline void RunEventsFor(int ms)
{
    QTest::qWait(ms);
}

} // namespace tallyrun::test
