// The pie's arithmetic and the marks' texts, without a window: slice angles, the circle in
// the plot rectangle, the depth order of exploded slices, mark boxes, number patterns, the
// lines of a mark.
#include "chart/chart_series.h"
#include "chart/indexed_pattern.h"
#include "chart/number_pattern.h"
#include "chart/pie_geometry.h"
#include "chart/series_marks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tallyrun::test {
namespace {

constexpr double pi = std::numbers::pi;

struct AnglesCase
{
    const char* name;
    std::vector<double> values;
    std::vector<bool> folded;
    std::vector<std::pair<double, double>> spans; // start, end
};

TEST(PieGeometry, SliceAngles)
{
    const std::vector<AnglesCase> cases = {
        {"1, 1, 2 sorted largest first",
         {2, 1, 1},
         {},
         {{0, pi}, {pi, 1.5 * pi}, {1.5 * pi, 2 * pi}}},
        {"a single point of 0", {0}, {}, {{0, 2 * pi}}},
        {"a single point", {7}, {}, {{0, 2 * pi}}},
        {"all zero: the first takes the circle",
         {0, 0, 0},
         {},
         {{0, 2 * pi}, {2 * pi, 2 * pi}, {2 * pi, 2 * pi}}},
        {"a zero among others",
         {3, 0, 1},
         {},
         {{0, 1.5 * pi}, {1.5 * pi, 1.5 * pi}, {1.5 * pi, 2 * pi}}},
        {"negative values by their size",
         {10, 5, -5},
         {},
         {{0, pi}, {pi, 1.5 * pi}, {1.5 * pi, 2 * pi}}},
        {"folded points have no width",
         {2, 1, 1},
         {false, true, false},
         {{0, 4 * pi / 3}, {4 * pi / 3, 4 * pi / 3}, {4 * pi / 3, 2 * pi}}},
    };
    for (const AnglesCase& c : cases) {
        double total = 0;
        for (std::size_t i = 0; i < c.values.size(); ++i)
            if (c.folded.empty() || !c.folded[i])
                total += std::fabs(c.values[i]);
        const std::vector<TSliceAngles> angles = ComputeSliceAngles(c.values, c.folded, total);
        ASSERT_EQ(angles.size(), c.spans.size()) << c.name;
        for (std::size_t i = 0; i < angles.size(); ++i) {
            EXPECT_NEAR(angles[i].Start, c.spans[i].first, 1e-12) << c.name << " slice " << i;
            EXPECT_NEAR(angles[i].End, c.spans[i].second, 1e-12) << c.name << " slice " << i;
            EXPECT_DOUBLE_EQ(angles[i].Middle, (angles[i].Start + angles[i].End) / 2) << c.name;
        }
        // The last slice closes the circle exactly, not within rounding.
        EXPECT_EQ(angles.back().End, 2 * pi) << c.name;
    }
}

TEST(PieGeometry, CircleInThePlotRectangle)
{
    struct Case
    {
        const char* name;
        TChartRect plot;
        bool circled;
        int rx, ry;
        TChartRect box;
    };
    const Case cases[] = {
        {"300 x 200 kept round", {0, 0, 300, 200}, true, 100, 100, {50, 0, 250, 200}},
        {"300 x 200 as an ellipse", {0, 0, 300, 200}, false, 150, 100, {0, 0, 300, 200}},
        {"odd width loses a pixel on the right",
         {10, 10, 311, 211},
         false,
         150,
         100,
         {10, 10, 310, 210}},
        {"tall and round", {0, 0, 100, 300}, true, 50, 50, {0, 100, 100, 200}},
        {"too small grows to 4", {5, 5, 6, 6}, false, 2, 2, {5, 5, 9, 9}},
    };
    for (const Case& c : cases) {
        TPieCircle circle;
        circle.CircleBox = c.plot;
        circle.NormalizeCircleRect();
        if (c.circled) {
            circle.ComputeRadii(0, 0);
            circle.MakeCircular(1.0);
        }
        circle.ComputeRadii(0, 0);
        EXPECT_EQ(circle.RadiusX, c.rx) << c.name;
        EXPECT_EQ(circle.RadiusY, c.ry) << c.name;
        EXPECT_EQ(circle.CircleBox, c.box) << c.name;
    }
    TPieCircle custom;
    custom.CircleBox = {0, 0, 300, 200};
    custom.NormalizeCircleRect();
    custom.ComputeRadii(40, 0);
    EXPECT_EQ(custom.CircleBox, (TChartRect{110, 0, 190, 200}));
    // Any custom radius stays within the coordinates' range.
    custom.ComputeRadii(INT32_MAX, INT32_MIN);
    EXPECT_EQ(custom.CircleBox.right, INT32_MAX);
    EXPECT_EQ(custom.CircleHeight, INT32_MIN);
}

TEST(PieGeometry, PointsAtAnglesAndRotation)
{
    TPieCircle circle;
    circle.CircleBox = {0, 0, 200, 100};
    circle.NormalizeCircleRect();
    circle.ComputeRadii(0, 0);
    // Counter-clockwise from three o'clock, screen y downwards.
    EXPECT_EQ(circle.PointAtAngle(0, 100, 50, 0), (TScreenPoint{200, 50}));
    EXPECT_EQ(circle.PointAtAngle(pi / 2, 100, 50, 0), (TScreenPoint{100, 0}));
    // Rotated by 90 degrees, the first slice starts at twelve o'clock.
    EXPECT_EQ(circle.PointAtAngle(0, 100, 50, pi / 2), (TScreenPoint{100, 0}));
}

TEST(PieGeometry, ExplodeOffsetAndDepthOrder)
{
    // 30 % of the radii along the middle angle, y up.
    EXPECT_EQ(ExplodeOffset(pi / 2, 0, 100, 60, 30), (TScreenPoint{0, 18}));
    EXPECT_EQ(ExplodeOffset(0, 0, 100, 60, 30), (TScreenPoint{30, 0}));
    EXPECT_EQ(ExplodeOffset(pi / 4, 0, 100, 60, 0), (TScreenPoint{}));

    // Keys: distance of the middle from straight up. Slices at 0..pi, pi..3pi/2, 3pi/2..2pi
    // have middles pi/2 (key 0), 5pi/4 (3pi/4) and 7pi/4 (3pi/4, a tie the quicksort swaps).
    const std::vector<TSliceAngles> angles = {
        {0, pi / 2, pi}, {pi, 1.25 * pi, 1.5 * pi}, {1.5 * pi, 1.75 * pi, 2 * pi}};
    EXPECT_EQ(DepthOrder(angles, 0), (std::vector<int>{0, 2, 1}));
    // Rotated by pi the biggest slice is at the front (key pi) and drawn last.
    EXPECT_EQ(DepthOrder(angles, pi), (std::vector<int>{2, 1, 0}));
    // Rotated by pi/2: middles pi (key pi/2), 7pi/4 (3pi/4), 9pi/4 - 2pi = pi/4 (key pi/4).
    EXPECT_EQ(DepthOrder(angles, pi / 2), (std::vector<int>{2, 0, 1}));
    // Equal keys end in the engine's quicksort order (as the value sort would place them).
    const std::vector<TSliceAngles> equal(4, TSliceAngles{0, 0, 0});
    EXPECT_EQ(DepthOrder(equal, 0), (std::vector<int>{2, 3, 0, 1}));
    // No table limit: a large exploded pie orders every slice.
    EXPECT_EQ(DepthOrder(std::vector<TSliceAngles>(3000), 0).size(), 3000u);
}

TEST(PieGeometry, MarkBoxGrowsAwayFromTheCircle)
{
    // Twelve o'clock: the tip is on the centre's x, so the box grows to the left and up.
    EXPECT_EQ(MarkBoxLeftTop({100, 10}, 100, 50, 30, 12), (TScreenPoint{70, -2}));
    // Three o'clock: the tip is on the centre's y, so the box grows to the right and up.
    EXPECT_EQ(MarkBoxLeftTop({190, 50}, 100, 50, 30, 12), (TScreenPoint{190, 38}));
    // Lower right: right and down; lower left: left and down.
    EXPECT_EQ(MarkBoxLeftTop({150, 80}, 100, 50, 30, 12), (TScreenPoint{150, 80}));
    EXPECT_EQ(MarkBoxLeftTop({50, 80}, 100, 50, 30, 12), (TScreenPoint{20, 80}));
}

TEST(NumberFormat, DecimalPictures)
{
    const std::pair<std::string, std::string> dot{".", ","};
    const std::pair<std::string, std::string> comma{",", "."};
    struct Case
    {
        const char* pattern;
        double value;
        const std::pair<std::string, std::string>* separators;
        const char* text;
    };
    const Case cases[] = {
        {"#,##0.###", 1234567, &dot, "1,234,567"},
        {"#,##0.###", 0, &dot, "0"},
        {"#,##0.###", 1234.5, &dot, "1,234.5"},
        {"#,##0.###", 999.9996, &dot, "1,000"},
        {"#,##0.###", -1234.5, &dot, "-1,234.5"},
        {"#,##0.###", -0.0001, &dot, "0"},
        {"#,##0.###", 123, &dot, "123"},
        {"#,##0.###", 1e18, &dot, "1,000,000,000,000,000,000"},
        {"##0.## %", 37.5, &dot, "37.5 %"},
        {"##0.## %", 100, &dot, "100 %"},
        {"##0.## %", 12.3456, &dot, "12.35 %"},
        {"##0.## %", 0.125, &dot, "0.13 %"},
        {"##0.## %", 0.004, &dot, "0 %"},
        {"##0.## %", 25, &dot, "25 %"},
        {"#,##0.###", 1234567.25, &comma, "1.234.567,25"},
        {"##0.## %", 37.5, &comma, "37,5 %"},
        {"0.00", 2, &dot, "2.00"},
        {"000", 7, &dot, "007"},
        {"#.##", 0.5, &dot, ".5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value, c.separators->first, c.separators->second),
                  c.text)
            << c.pattern << " " << c.value;
    EXPECT_EQ(FormatIndexed("%1:s の %0:s", "25 %", "4"), "4 の 25 %");
    // An argument holding a marker is not filled again.
    EXPECT_EQ(FormatIndexed("%0:s/%1:s", "%1:s", "x"), "%1:s/x");
}

TEST(MarkLines, BoxCountsEveryLineAndTheWritingCutsTheRestAfterTheFirstBreak)
{
    const auto times = [](int n, const std::string& piece) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += piece;
        return text;
    };
    using V = std::vector<std::string>;
    struct Case
    {
        const char* name;
        std::string text;
        V box, written;
    };
    const std::string xs = times(200, "x"), ys = times(100, "y");
    const Case cases[] = {
        {"one line", "root 25 %", {"root 25 %"}, {"root 25 %"}},
        {"two lines", "ab\rthe longer line", {"ab", "the longer line"}, {"ab", "the longer line"}},
        {"an empty last line is sized, not written", "tail\r", {"tail", ""}, {"tail"}},
        {"a break alone", "\r", {"", ""}, {""}},
        {"an empty middle line stays", "a\r\rb", {"a", "", "b"}, {"a", "", "b"}},
        {"the first line is never cut",
         times(300, "z") + "\rb",
         {times(300, "z"), "b"},
         {times(300, "z"), "b"}},
        {"the cut takes the later lines together",
         "a\r" + xs + "\r" + ys,
         {"a", xs, ys},
         {"a", xs, times(54, "y")}},
        {"the cut falling just after a break",
         "a\r" + times(254, "x") + "\rb",
         {"a", times(254, "x"), "b"},
         {"a", times(254, "x")}},
        {"Japanese characters count one each",
         "a\r" + times(300, "あ"),
         {"a", times(300, "あ")},
         {"a", times(255, "あ")}},
        {"a stray continuation byte counts as one character",
         "a\r" + times(300, "\x80"),
         {"a", times(300, "\x80")},
         {"a", times(255, "\x80")}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkBoxLines(c.text), c.box) << c.name;
        EXPECT_EQ(MarkWrittenLines(c.text), c.written) << c.name;
    }
}

class MarkTexts : public ::testing::Test
{
protected:
    std::vector<std::string> Texts(TSeriesMarksStyle style)
    {
        series.Marks().SetStyle(style);
        std::vector<std::string> texts;
        for (int i = 0; i < series.PointCount(); ++i)
            texts.push_back(series.BuildMarkText(i));
        return texts;
    }
    TChartSeries series;
};

TEST_F(MarkTexts, EveryStyle)
{
    series.AddPoint("a", clAutomatic, 2);
    series.AddPoint("b", clAutomatic, 1);
    series.AddPoint("", clAutomatic, 1);
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts(smsLabelPercent), (V{"a 50 %", "b 25 %", "1 25 %"}));
    EXPECT_EQ(Texts(smsLabelValue), (V{"a 2", "b 1", "1 1"}));
    EXPECT_EQ(Texts(smsValue), (V{"2", "1", "1"}));
    EXPECT_EQ(Texts(smsPercent), (V{"50 %", "25 %", "25 %"}));
    EXPECT_EQ(Texts(smsLabel), (V{"a", "b", "1"}));
    EXPECT_EQ(Texts(smsPercentTotal), (V{"4 の 50 %", "4 の 25 %", "4 の 25 %"}));
    EXPECT_EQ(Texts(smsLabelPercentTotal), (V{"a 4 の 50 %", "b 4 の 25 %", "1 4 の 25 %"}));
    EXPECT_EQ(Texts(smsXValue), (V{"0", "1", "2"}));
    EXPECT_EQ(Texts(smsLegend), (V{"2 a", "1 b", "1 "}));
    EXPECT_EQ(Texts(static_cast<TSeriesMarksStyle>(42)), (V{"", "", ""}));

    series.OnGetMarkText = [](TChartSeries&, int index, std::string& text) {
        if (index == 1)
            text = "replaced";
    };
    EXPECT_EQ(Texts(smsLabel), (V{"a", "replaced", "1"}));
}

TEST_F(MarkTexts, ProgramSlicesAndZeroTotals)
{
    series.AddPoint("root", clAutomatic, 1234567);
    series.AddPoint("big", clAutomatic, 4938268 - 1234567);
    series.Marks().SetStyle(smsLabelPercent);
    EXPECT_EQ(series.BuildMarkText(0), "root 25 %");
    series.Marks().SetStyle(smsLabelValue);
    EXPECT_EQ(series.BuildMarkText(0), "root 1,234,567");

    series.ClearPoints();
    series.AddPoint("x", clAutomatic, 0);
    series.AddPoint("y", clAutomatic, 0);
    EXPECT_EQ(Texts(smsLabelPercent), (std::vector<std::string>{"x 100 %", "y 100 %"}));
}

} // namespace
} // namespace tallyrun::test
