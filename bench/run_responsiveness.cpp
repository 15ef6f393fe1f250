// run_responsiveness FOLDER
//
// How quickly the main window answers events while it analyses FOLDER: every 5 ms a timer
// posts an event and notes the time; the delay until the event is delivered is what input
// would wait. Also the lateness of the timer itself. Prints as its last line
//   posted_max_ms=M posted_p99_ms=P timer_max_late_ms=T samples=N run_s=S
#include "app/event_pump.h"
#include "app/fixed_selected_folder.h"
#include "app/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const QEvent::Type kProbe = static_cast<QEvent::Type>(QEvent::registerEventType());

class TProbeEvent : public QEvent
{
public:
    explicit TProbeEvent(qint64 postedNs) : QEvent(kProbe), postedNs(postedNs) {}
    qint64 postedNs;
};

class TProbeReceiver : public QObject
{
public:
    explicit TProbeReceiver(const QElapsedTimer& clock) : clock_(clock) {}
    bool event(QEvent* e) override
    {
        if (e->type() != kProbe)
            return QObject::event(e);
        delaysMs.push_back(double(clock_.nsecsElapsed() - static_cast<TProbeEvent*>(e)->postedNs) /
                           1e6);
        return true;
    }
    std::vector<double> delaysMs;

private:
    const QElapsedTimer& clock_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: run_responsiveness FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tallyrun::InstallEventPump();
    tallyrun::TFixedSelectedFolder selected(argv[1]);
    tallyrun::TfrmMain window(selected);
    window.show();
    QApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    TProbeReceiver receiver(clock);
    constexpr int kIntervalMs = 5;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kIntervalMs);
    qint64 lastFireNs = 0;
    double timerMaxLateMs = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastFireNs)
            timerMaxLateMs = std::max(timerMaxLateMs, double(now - lastFireNs) / 1e6 - kIntervalMs);
        lastFireNs = now;
        QCoreApplication::postEvent(&receiver, new TProbeEvent(now));
    });
    timer.start();
    QElapsedTimer run;
    run.start();
    window.QorShTreeView1Change(&window, nullptr);
    const double runS = double(run.nsecsElapsed()) / 1e9;
    timer.stop();

    std::vector<double>& d = receiver.delaysMs;
    std::sort(d.begin(), d.end());
    const double maxMs = d.empty() ? 0 : d.back();
    const double p99 = d.empty() ? 0 : d[std::min(d.size() - 1, d.size() * 99 / 100)];
    std::printf("posted_max_ms=%.3f posted_p99_ms=%.3f timer_max_late_ms=%.3f samples=%zu "
                "run_s=%.3f\n",
                maxMs, p99, timerMaxLateMs, d.size(), runS);
    return 0;
}
