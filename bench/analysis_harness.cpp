// tallyrun-harness FOLDER --memo MEMO.txt --slices SLICES.tsv
//
// Creates the main window on the offscreen platform, points the selected folder at FOLDER
// (exactly as the folder tree would give it), runs the analysis once, writes the memo's whole
// text and one line per slice, and prints as its last line
//   wall_s=S files=N peak_rss_kb=K run_user_s=U run_sys_s=Y
// The format is documented in bench/README.md; tests and benchmarks rely on it.
#include "app/event_pump.h"
#include "app/fixed_selected_folder.h"
#include "app/main_window.h"
#include "widgets/log_view.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace {

long PeakRssKb()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// The CPU time the process has used so far, user and system, over all its threads.
struct TCpuTimes
{
    double user = 0;
    double sys = 0;
};

double Seconds(const timeval& t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

TCpuTimes CpuTimes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {Seconds(usage.ru_utime), Seconds(usage.ru_stime)};
}

int Usage()
{
    std::fprintf(stderr, "usage: tallyrun-harness FOLDER --memo MEMO.txt --slices SLICES.tsv\n");
    return 2;
}

bool WriteSlices(const tallyrun::TChartSeries& series, const std::string& path)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    for (int i = 0; i < series.PointCount(); ++i)
        std::fprintf(out, "%d\t%s\t%.0f\t0x%08X\n", i, series.PointLabel(i).c_str(),
                     series.YValues()[i], unsigned(series.PointColor(i)));
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    std::string memoPath;
    std::string slicesPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--memo") == 0 && i + 1 < argc)
            memoPath = argv[++i];
        else if (std::strcmp(argv[i], "--slices") == 0 && i + 1 < argc)
            slicesPath = argv[++i];
        else if (folder.empty() && argv[i][0] != '-')
            folder = argv[i];
        else
            return Usage();
    }
    if (folder.empty() || memoPath.empty() || slicesPath.empty())
        return Usage();

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    tallyrun::InstallEventPump();
    tallyrun::TFixedSelectedFolder selected(folder);
    tallyrun::TfrmMain window(selected);
    window.show();
    QApplication::processEvents();

    // The run's own time and CPU, so both leave out the start of Qt and the writing below.
    const TCpuTimes cpuBefore = CpuTimes();
    QElapsedTimer timer;
    timer.start();
    window.QorShTreeView1Change(&window, nullptr);
    const double wallS = double(timer.nsecsElapsed()) / 1e9;
    const TCpuTimes cpuAfter = CpuTimes();

    // The run's own peak: taken before the memo is written out, which must not add to it.
    const long peakRssKb = PeakRssKb();

    long files = 0;
    std::ofstream memoOut(memoPath, std::ios::binary);
    for (int i = 0; i < window.memSearch->LineCount(); ++i) {
        const std::string line = window.memSearch->Line(i);
        files += line.substr(0, 2) == "\t\t";
        memoOut << line << '\n';
    }
    memoOut.close();
    if (!memoOut) {
        std::fprintf(stderr, "tallyrun-harness: cannot write %s\n", memoPath.c_str());
        return 1;
    }
    // The order the pie paints in: one paint sorts the values largest first.
    window.Chart1->RenderBitmap(tallyrun::clWhite,
                                {0, 0, window.Chart1->width(), window.Chart1->height()});
    if (!WriteSlices(*window.Series1, slicesPath)) {
        std::fprintf(stderr, "tallyrun-harness: cannot write %s\n", slicesPath.c_str());
        return 1;
    }
    std::printf("wall_s=%.3f files=%ld peak_rss_kb=%ld run_user_s=%.3f run_sys_s=%.3f\n", wallS,
                files, peakRssKb, cpuAfter.user - cpuBefore.user, cpuAfter.sys - cpuBefore.sys);
    return 0;
}
