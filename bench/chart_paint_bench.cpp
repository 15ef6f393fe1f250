// Paint cost of the main window's chart (its own chart and series set-up, 590 x 364) with a
// 500-slice 3D pie and its marks: the full drawing sequence, the repaint of an unchanged chart
// (one copy from the off-screen buffer), and, as the reference measured in the same run, a
// bare QPainter copy of an image of the same size onto the same window surface.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/chart_paint_bench
#include "base/fonts.h"
#include "support/program_chart.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace tallyrun;

// Median wall time of `run` in microseconds over `reps` runs.
double MedianMicros(int reps, const std::function<void()>& run)
{
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(reps));
    for (int i = 0; i < reps; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        run();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
    }
    std::nth_element(times.begin(), times.begin() + reps / 2, times.end());
    return times[static_cast<std::size_t>(reps / 2)];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    InstallFontSubstitutions();

    TMainChart chart;
    TMainPieSeries series;
    support::SetUpProgramChart(chart, series);
    for (int i = 0; i < 500; ++i)
        series.AddPoint("folder" + std::to_string(i), clAutomatic, 1000.0 + (i * 7919) % 5000);

    // The window surface both copies land on, in the format of a window's backing store.
    QImage window(590, 364, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::black);
    const auto paintRequest = [&] {
        QPainter painter(&window);
        chart.PaintRequest(&painter);
    };

    const double full = MedianMicros(30, [&] {
        chart.Canvas().MarkDirty();
        paintRequest();
    });
    paintRequest();
    if (chart.Canvas().Dirty()) {
        std::fprintf(stderr, "the chart stayed dirty after a paint\n");
        return 1;
    }
    const QImage source = chart.Canvas().Buffer().copy();
    constexpr int copies = 400;
    // Alternated so that both see the same cache and clock conditions.
    std::vector<double> unchanged, bare;
    for (int round = 0; round < 5; ++round) {
        unchanged.push_back(MedianMicros(copies, paintRequest));
        bare.push_back(MedianMicros(copies, [&] {
            QPainter painter(&window);
            painter.drawImage(0, 0, source);
        }));
    }
    std::sort(unchanged.begin(), unchanged.end());
    std::sort(bare.begin(), bare.end());
    const double unchangedUs = unchanged[2], bareUs = bare[2];
    std::printf("full paint, 500 slices, 590x364:   %9.1f us\n", full);
    std::printf("unchanged repaint (buffer copy):   %9.1f us\n", unchangedUs);
    std::printf("bare QPainter image copy (ref):    %9.1f us\n", bareUs);
    std::printf("unchanged repaint / bare copy:     %9.2f (goal <= 1.50)\n", unchangedUs / bareUs);
    std::printf("full paint / bare copy:            %9.1f\n", full / bareUs);
    return 0;
}
