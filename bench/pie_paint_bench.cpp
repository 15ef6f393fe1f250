// Paint cost of the main window's pie: a full paint of a 200-slice 3D pie with its marks at
// 590 x 364 (sort, layout, every slice through the 3D slice, every mark's text measured and
// drawn, the buffer copied to the window surface), against, as the reference measured in the
// same run, the same slices drawn as bare QPainter polygons (each slice's cap outline, one
// point per ten degrees) onto a surface of the same size.
//
// Times are CPU time of the painting thread, medians.
//
// Run: build/bench/pie_paint_bench   (goal: full paint / bare polygons under 4)
#include "base/fonts.h"
#include "support/chart_render_setup.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {

using namespace tallyrun;

constexpr int kSlices = 200;

// This thread's CPU time in microseconds: on a shared machine a paint of several
// milliseconds is descheduled far more often than a short one, which wall time would count.
double ThreadCpuMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Median CPU time of `run` in microseconds over `reps` runs.
double MedianMicros(int reps, const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < reps; ++i) {
        const double begin = ThreadCpuMicros();
        run();
        times.push_back(ThreadCpuMicros() - begin);
    }
    std::nth_element(times.begin(), times.begin() + reps / 2, times.end());
    return times[static_cast<std::size_t>(reps / 2)];
}

// Each slice's cap as a polygon in screen pixels, as the pie lays them out.
std::vector<QPolygon> SlicePolygons(const std::vector<double>& values, QRect box)
{
    double total = 0;
    for (const double v : values)
        total += v;
    std::vector<QPolygon> polygons;
    const QPoint centre = box.center();
    double start = 0;
    for (const double v : values) {
        const double end = start + v / total * 2 * std::numbers::pi;
        const int n =
            std::min(30, int(std::lround((end - start) * 180 / std::numbers::pi / 10))) + 2;
        QPolygon polygon;
        polygon << centre;
        for (int i = 0; i < n; ++i) {
            const double a = start + (end - start) * i / (n - 1);
            polygon << QPoint(centre.x() + int(std::lround(box.width() / 2 * std::cos(a))),
                              centre.y() - int(std::lround(box.height() / 2 * std::sin(a))));
        }
        polygons.push_back(polygon);
        start = end;
    }
    return polygons;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();

    std::vector<TSliceLine> slices;
    std::vector<double> values;
    for (int i = 0; i < kSlices; ++i) {
        const double value = 1000.0 + (i * 7919) % 50000;
        slices.push_back({"folder" + std::to_string(i), value});
        values.push_back(value);
    }
    TMainChart chart;
    TMainPieSeries series;
    TChartRenderSettings settings;
    settings.legend = false;
    SetUpRenderedChart(chart, series, settings, slices);

    QImage window(590, 364, QImage::Format_ARGB32_Premultiplied);
    const auto fullPaint = [&] {
        chart.Canvas().MarkDirty();
        QPainter painter(&window);
        chart.PaintRequest(&painter);
    };
    fullPaint();
    const TPieCircle& circle = series.Circle();
    const QRect box(circle.CircleBox.left, circle.CircleBox.top, circle.CircleWidth,
                    circle.CircleHeight);
    std::sort(values.rbegin(), values.rend());
    const std::vector<QPolygon> polygons = SlicePolygons(values, box);
    const auto barePolygons = [&] {
        QPainter painter(&window);
        painter.fillRect(window.rect(), Qt::lightGray);
        painter.setPen(Qt::black);
        for (std::size_t i = 0; i < polygons.size(); ++i) {
            painter.setBrush(QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (i * 2654435761u))));
            painter.drawPolygon(polygons[i]);
        }
    };

    // Alternated rounds, so that both see the same cache and clock conditions.
    std::vector<double> full, bare;
    for (int round = 0; round < 5; ++round) {
        full.push_back(MedianMicros(20, fullPaint));
        bare.push_back(MedianMicros(20, barePolygons));
    }
    series.Marks().SetVisible(false);
    const double noMarks = MedianMicros(20, fullPaint);
    series.Marks().SetVisible(true);
    // The first paint of new texts: the text cache emptied before each paint.
    const double coldTexts = MedianMicros(20, [&] {
        chart.Canvas().ResetTextCache();
        fullPaint();
    });
    std::sort(full.begin(), full.end());
    std::sort(bare.begin(), bare.end());
    std::printf("full paint, %d-slice 3D pie with marks, 590x364: %9.1f us\n", kSlices, full[2]);
    std::printf("bare QPainter polygons, same slices (ref):     %9.1f us\n", bare[2]);
    std::printf("  the same without the marks:                  %9.1f us\n", noMarks);
    std::printf("  the same with every text shaped anew:        %9.1f us\n", coldTexts);
    std::printf("full paint / bare polygons:                    %9.2f (goal < 4)\n",
                full[2] / bare[2]);
    return 0;
}
