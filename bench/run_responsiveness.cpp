// run_responsiveness FOLDER [--input]
// run_responsiveness HOME --tree|--tree-star
//
// How quickly the main window answers events while it analyses FOLDER: every 5 ms a timer
// posts an event and notes the time; the delay until the event is delivered is what input
// would wait. Also the lateness of the timer itself. With --input, the run also gets what a
// user does meanwhile, posted as the window system would deliver it: every 20 ms a wheel
// turn on the chart or a step of a drag across it (press, moves, release), and the time every
// event takes to be handled is kept by receiver, so the line tells where a long wait went.
// Prints as its last line
//   posted_max_ms=M posted_p99_ms=P timer_max_late_ms=T samples=N run_s=S
// and with --input, before it, one line per receiver class and event type that took over
// 1 ms at least once: `handled CLASS TYPE count=C max_ms=X total_ms=Y`, then
//   pump_max_ms=D pump_gap_max_ms=G chart_paints=K
// D the longest event dispatch of the run's pump, G the longest stretch of the run's own
// work between two pumps, K the chart's paints during the run.
// With --tree the window has its own folder tree over HOME (its desktop holds the folders)
// and for 20 s gets arrow keys in the tree as well, each starting a run; --tree-star first
// opens the desktop with '*' up to 30,000 nodes.
#include "app/create_main_window.h"
#include "app/event_pump.h"
#include "app/fixed_selected_folder.h"
#include "app/main_window.h"
#include "scan/pump_events.h"
#include "shelltree/tree_node.h"
#include "shelltree/tree_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const QEvent::Type kProbe = static_cast<QEvent::Type>(QEvent::registerEventType());

QElapsedTimer& Clock()
{
    static QElapsedTimer clock;
    return clock;
}

double MsSince(qint64 ns)
{
    return double(Clock().nsecsElapsed() - ns) / 1e6;
}

class TProbeEvent : public QEvent
{
public:
    explicit TProbeEvent(qint64 postedNs) : QEvent(kProbe), postedNs(postedNs) {}
    qint64 postedNs;
};

class TProbeReceiver : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != kProbe)
            return QObject::event(e);
        delaysMs.push_back(MsSince(static_cast<TProbeEvent*>(e)->postedNs));
        return true;
    }
    std::vector<double> delaysMs;
};

struct THandled
{
    int count = 0;
    double maxMs = 0;
    double totalMs = 0;
};

// Times every event's handling by receiver class and event type (outermost handling only: a
// paint inside a pump inside a timer counts for the paint and for the timer).
class TTimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* e) override
    {
        if (!timing)
            return QApplication::notify(receiver, e);
        // Read before the handling, which may delete the receiver.
        const QEvent::Type type = e->type();
        const char* const className = receiver->metaObject()->className();
        const qint64 start = Clock().nsecsElapsed();
        const bool result = QApplication::notify(receiver, e);
        THandled& h = handled[{className, int(type)}];
        const double ms = MsSince(start);
        ++h.count;
        if (receiver == chart && type == QEvent::Paint)
            ++chartPaints;
        h.maxMs = std::max(h.maxMs, ms);
        h.totalMs += ms;
        return result;
    }
    bool timing = false;
    // The chart's class shows under its base's name, so its paints are counted by object.
    const QObject* chart = nullptr;
    int chartPaints = 0;
    std::map<std::pair<std::string, int>, THandled> handled;
};

// The run's pump, timed: how long each dispatch takes and how long the run works between two.
struct TPumpTiming
{
    double maxMs = 0;
    double gapMaxMs = 0;
    qint64 lastEndNs = 0;
};
TPumpTiming pumpTiming;

void TimedPump()
{
    TPumpTiming& t = pumpTiming;
    const qint64 start = Clock().nsecsElapsed();
    if (t.lastEndNs)
        t.gapMaxMs = std::max(t.gapMaxMs, double(start - t.lastEndNs) / 1e6);
    tallyrun::PumpQtEvents();
    t.maxMs = std::max(t.maxMs, MsSince(start));
    t.lastEndNs = Clock().nsecsElapsed();
}

// What a user does to the chart during the run: a wheel turn, then a drag of ten steps, over
// and over, one action per call.
class TChartUser
{
public:
    explicit TChartUser(QWidget* chart) : chart_(chart) {}
    void Step()
    {
        const QPointF centre(chart_->width() / 2.0, chart_->height() / 2.0);
        const int phase = step_++ % 13;
        if (phase == 0) {
            // Zooms in and out by turns, so the chart stays near its size.
            const int delta = (step_ / 13) % 2 ? -120 : 120;
            Post(new QWheelEvent(centre, chart_->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false));
            return;
        }
        const QPointF at = centre + QPointF(3.0 * (phase - 1), 2.0 * (phase - 1));
        const QEvent::Type type = phase == 1    ? QEvent::MouseButtonPress
                                  : phase == 12 ? QEvent::MouseButtonRelease
                                                : QEvent::MouseMove;
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        Post(new QMouseEvent(type, at, chart_->mapToGlobal(at), button, buttons, Qt::NoModifier));
    }

private:
    void Post(QEvent* e) { QCoreApplication::postEvent(chart_, e); }
    QWidget* chart_;
    int step_ = 0;
};

// What a user does in the folder tree meanwhile: arrow keys, each of which selects another
// folder and so starts a run, mostly down and into folders, sometimes back out.
class TTreeUser
{
public:
    explicit TTreeUser(QWidget* tree) : tree_(tree) {}
    void Step()
    {
        static constexpr Qt::Key kKeys[] = {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down,
                                            Qt::Key_Down, Qt::Key_Right, Qt::Key_Up,
                                            Qt::Key_Down, Qt::Key_Left};
        const Qt::Key key = kKeys[step_++ % std::size(kKeys)];
        QCoreApplication::postEvent(tree_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(tree_, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    }

private:
    QWidget* tree_;
    int step_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc == 3 ? argv[2] : "";
    const bool star = mode == "--tree-star";
    const bool tree = star || mode == "--tree";
    const bool input = tree || mode == "--input";
    if (argc != 2 && !input) {
        std::fprintf(stderr,
                     "usage: run_responsiveness FOLDER [--input] | HOME --tree|--tree-star\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (tree)
        qputenv("HOME", argv[1]);
    TTimedApplication app(argc, argv);
    Clock().start();
    tallyrun::InstallEventPump();
    if (input)
        tallyrun::SetPumpEventsHook(&TimedPump);
    // With --tree the window's own folder tree selects the folders (building it runs the
    // analysis of the desktop); otherwise the window analyses FOLDER once, below.
    tallyrun::TFixedSelectedFolder selected(argv[1]);
    std::unique_ptr<tallyrun::TfrmMain> window =
        tree ? tallyrun::CreateMainWindow() : std::make_unique<tallyrun::TfrmMain>(selected);
    window->resize(1000, 750);
    window->show();
    QApplication::processEvents();
    if (star) {
        constexpr long kStarNodes = 30000;
        // '*' on the desktop first, as a user opens everything, until it is done or the tree
        // holds kStarNodes nodes (the next selection ends it); the arrows then move through a
        // tree of that many nodes. The soak's '*' opened 15,000 to 27,000.
        auto* shellTree = dynamic_cast<tallyrun::TCustomQorShTreeView*>(window->QorShTreeView1);
        shellTree->setFocus();
        QCoreApplication::postEvent(shellTree, new QKeyEvent(QEvent::KeyPress, Qt::Key_Asterisk,
                                                             Qt::NoModifier, QStringLiteral("*")));
        QElapsedTimer opening;
        opening.start();
        do
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        while ((shellTree->ExpandingSubtree() || opening.elapsed() < 500) &&
               tallyrun::TQorShTreeNode::LiveCount() < kStarNodes && opening.elapsed() < 120000);
        int items = 0;
        for (QTreeWidgetItemIterator it(shellTree); *it; ++it)
            ++items;
        std::printf("star_s=%.1f items=%d\n", opening.elapsed() / 1e3, items);
    }

    TProbeReceiver receiver;
    constexpr int kIntervalMs = 5;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kIntervalMs);
    qint64 lastFireNs = 0;
    double timerMaxLateMs = 0;
    TChartUser chartUser(window->Chart1);
    TTreeUser treeUser(window->QorShTreeView1);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = Clock().nsecsElapsed();
        if (lastFireNs)
            timerMaxLateMs = std::max(timerMaxLateMs, double(now - lastFireNs) / 1e6 - kIntervalMs);
        lastFireNs = now;
        QCoreApplication::postEvent(&receiver, new TProbeEvent(now));
        if (input && ++ticks % 4 == 0)
            chartUser.Step();
        // A key about every 60 ms, as a held arrow key repeats.
        if (tree && ticks % 12 == 0)
            treeUser.Step();
    });
    timer.start();
    pumpTiming = {};
    app.chart = window->Chart1;
    app.timing = input;
    QElapsedTimer run;
    run.start();
    if (tree) {
        window->QorShTreeView1->setFocus();
        constexpr int kTreeSeconds = 20;
        QTimer::singleShot(kTreeSeconds * 1000, &app, [&] {
            timer.stop();
            if (window->IsRunning())
                window->TB_StopClick(window.get());
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        });
        app.exec();
    } else {
        window->QorShTreeView1Change(window.get(), nullptr);
    }
    const double runS = double(run.nsecsElapsed()) / 1e9;
    app.timing = false;
    timer.stop();

    if (input) {
        for (const auto& [key, h] : app.handled) {
            if (h.maxMs >= 1)
                std::printf("handled %s %d count=%d max_ms=%.3f total_ms=%.1f\n", key.first.c_str(),
                            key.second, h.count, h.maxMs, h.totalMs);
        }
        std::printf("pump_max_ms=%.3f pump_gap_max_ms=%.3f chart_paints=%d\n", pumpTiming.maxMs,
                    pumpTiming.gapMaxMs, app.chartPaints);
    }
    std::vector<double>& d = receiver.delaysMs;
    std::sort(d.begin(), d.end());
    const double maxMs = d.empty() ? 0 : d.back();
    const double p99 = d.empty() ? 0 : d[std::min(d.size() - 1, d.size() * 99 / 100)];
    std::printf("posted_max_ms=%.3f posted_p99_ms=%.3f timer_max_late_ms=%.3f samples=%zu "
                "run_s=%.3f\n",
                maxMs, p99, timerMaxLateMs, d.size(), runS);
    return 0;
}
