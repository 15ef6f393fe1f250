// The main window's chart, rendered through the bitmap export for a few typical slice lists,
// against reference images looked at by eye. Pixels must match exactly, except inside the
// mark boxes, where up to a third of the pixels may differ (a font's rendering may move text
// by a pixel); the boxes themselves, arrows and slices are compared exactly.
//
// TALLYRUN_UPDATE_CHART_REFERENCES=1 writes the images anew instead of comparing.
#include "base/fonts.h"
#include "chart_test_support.h"
#include "support/chart_render_setup.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

struct ReferenceCase
{
    const char* name;
    std::vector<TSliceLine> slices;
};

std::vector<ReferenceCase> Cases()
{
    const char* names[] = {"root",         "bin",      "ドキュメント", "src", "share",
                           "lib",          "ピクチャ", "var",          "usr", "Music",
                           "ダウンロード", "tmp",      "etc",          "opt"};
    std::vector<TSliceLine> twelve, forty;
    // Fixed, irregular sizes: a linear congruence, so the list is the same on every run.
    unsigned seed = 7;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 8) % range + 1);
    };
    for (int i = 0; i < 12; ++i)
        twelve.push_back({names[i], next(10000000)});
    for (int i = 0; i < 40; ++i)
        forty.push_back({std::string(names[i % 14]) + std::to_string(i), next(1000000)});
    return {
        {"one_slice", {{"root", 123456}}},
        {"three_slices", {{"root", 300}, {"ドキュメント", 1200}, {"src", 600}}},
        {"twelve_slices", twelve},
        {"forty_slices", forty},
        {"zero_beside_large",
         {{"root", 0}, {"big", 5000000}, {"large", 3000000}, {"empty", 0}, {"mid", 1000000}}},
    };
}

// The mark boxes as drawn: in 3D each box moves with its projected arrow tip.
std::vector<QRect> DrawnMarkBoxes(TMainChart& chart, TMainPieSeries& series)
{
    std::vector<QRect> boxes;
    for (int i = 0; i < series.Marks().Positions().Count(); ++i) {
        const TSeriesMarkPosition* p = series.Marks().Positions().Find(i);
        const TScreenPoint tip =
            chart.Canvas().ProjectPoint(p->ArrowTo.x, p->ArrowTo.y, series.Depth.MarksDepth);
        boxes.emplace_back(tip.x - (p->ArrowTo.x - p->LeftTop.x),
                           tip.y - (p->ArrowTo.y - p->LeftTop.y), p->Width, p->Height);
    }
    return boxes;
}

class ChartReference : public ::testing::TestWithParam<ReferenceCase>
{
protected:
    static void SetUpTestSuite() { InstallFontSubstitutions(); }
};

TEST_P(ChartReference, MatchesTheImageLookedAt)
{
    const TChartPalette palette;
    TMainChart chart;
    TMainPieSeries series;
    TChartRenderSettings settings;
    settings.legend = false;
    SetUpRenderedChart(chart, series, settings, GetParam().slices);
    QTemporaryDir dir;
    const QString bmp = dir.filePath("chart.bmp");
    chart.ExportBitmapFile(bmp.toStdString());
    const QImage image = QImage(bmp).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(590, 364));

    const QString reference =
        QStringLiteral(TALLYRUN_CHART_REFERENCE_DIR "/") + GetParam().name + ".png";
    if (qEnvironmentVariableIntValue("TALLYRUN_UPDATE_CHART_REFERENCES") == 1) {
        ASSERT_TRUE(image.save(reference));
        GTEST_SKIP() << "wrote " << reference.toStdString();
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), image.size()) << reference.toStdString();

    const std::vector<QRect> boxes = DrawnMarkBoxes(chart, series);
    std::vector<int> differing(boxes.size(), 0);
    int outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == expected.pixel(x, y))
                continue;
            const auto in = std::find_if(boxes.begin(), boxes.end(), [&](const QRect& box) {
                return box.adjusted(1, 1, -1, -1).contains(x, y);
            });
            if (in == boxes.end()) {
                if (outside++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " differs outside the marks";
            } else {
                ++differing[static_cast<std::size_t>(in - boxes.begin())];
            }
        }
    EXPECT_EQ(outside, 0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QRect inner = boxes[i].adjusted(1, 1, -1, -1);
        EXPECT_LE(differing[i] * 3, inner.width() * inner.height()) << "mark " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindowChart, ChartReference, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tallyrun::test
