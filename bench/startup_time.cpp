// startup_time START_NS
//
// The program's start-up as RunProgram does it (application, modules, splash, main window with
// its folder tree, which runs the first analysis of the desktop directory, the dialogs), up to
// the main window shown and painted; then it exits instead of entering the event loop. START_NS
// is the wall clock (CLOCK_REALTIME, ns) just before the process was started, so the figure
// includes loading the program. Prints one line:
//   total_ms=T analysis_ms=A outside_ms=O cpu_ms=C
// with A the time inside the analysis run, O = T - A, and C the process's user + system time.
#include "app/startup.h"

#include "app/app_icon.h"
#include "app/event_pump.h"
#include "base/fonts.h"
#include "shelltree/tree_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace tallyrun;
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_time START_NS\n");
        return 2;
    }
    const double startMs = std::strtod(argv[1], nullptr) / 1e6;
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    InstallEventPump();
    QApplication::setApplicationName(QStringLiteral("Tallyrun"));
    QApplication::setWindowIcon(AppIcon());

    double analysisMs = 0;
    // CreateMainWindow, with the tree's report timed: the first analysis runs inside it.
    const auto createMainWindow = [&analysisMs] {
        auto* tree = new TQorShTreeView;
        auto window = std::make_unique<TfrmMain>(*tree, tree);
        auto run = tree->OnChange;
        tree->OnChange = [run, &analysisMs](QObject* sender, TQorShTreeNode* node) {
            const double t0 = NowMs();
            run(sender, node);
            analysisMs += NowMs() - t0;
        };
        tree->Loaded();
        return window;
    };
    const TProgramWindows windows = CreateProgramWindows(createMainWindow);
    windows.frmMain->show();
    QElapsedTimer waited;
    waited.start();
    while (!(windows.frmMain->windowHandle() && windows.frmMain->windowHandle()->isExposed()) &&
           waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    windows.frmMain->repaint();
    const double totalMs = NowMs() - startMs;
    std::printf("total_ms=%.1f analysis_ms=%.1f outside_ms=%.1f cpu_ms=%.1f\n", totalMs, analysisMs,
                totalMs - analysisMs, CpuMs());
    return 0;
}
