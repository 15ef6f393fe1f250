// The chart legend: property checks and repaints, layout, drawing and the room it leaves the
// series, on a real chart drawn off screen.
#include "chart/chart_legend.h"

#include "chart/chart_exception.h"
#include "chart/chart_math.h"
#include "chart_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tallyrun::test {
namespace {

class CountingOwner : public TChartRepaintOwner
{
public:
    void RequestChartRepaint() override { ++requests; }
    int requests = 0;
};

TEST(ChartLegendProperties, OutOfRangeValuesRaiseAndKeepTheOldValue)
{
    TChartLegend legend(nullptr);
    const char* const topPos = "凡例の上端は 0 から 100% の間でなければなりません";
    const char* const colorWidth = "凡例のマーカの幅は 0 から 100% の間でなければなりません";
    const struct
    {
        void (TChartLegend::*set)(int);
        int (TChartLegend::*get)() const;
        int bad, endOfRange;
        const char* message;
    } cases[] = {
        {&TChartLegend::SetTopPos, &TChartLegend::TopPos, 101, 100, topPos},
        {&TChartLegend::SetTopPos, &TChartLegend::TopPos, -1, 0, topPos},
        {&TChartLegend::SetColorWidth, &TChartLegend::ColorWidth, -1, 0, colorWidth},
        {&TChartLegend::SetColorWidth, &TChartLegend::ColorWidth, 101, 100, colorWidth},
        {&TChartLegend::SetFirstValue, &TChartLegend::FirstValue, -1, 0,
         "凡例の開始値は１以上でなければなりません。"},
    };
    for (const auto& c : cases) {
        const int before = (legend.*c.get)();
        try {
            (legend.*c.set)(c.bad);
            ADD_FAILURE() << c.bad;
        } catch (const LegendException& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ((legend.*c.get)(), before);
        (legend.*c.set)(c.endOfRange);
        EXPECT_EQ((legend.*c.get)(), c.endOfRange);
    }
}

TEST(ChartLegendProperties, ANewValueRepaintsOnceAndTheCurrentValueNothing)
{
    CountingOwner owner;
    TChartLegend legend(&owner);
    TChartPen dividing = legend.DividingLines();
    dividing.Visible = true;
    TChartPen frame = legend.Frame();
    frame.Width = 2;
    QFont font = legend.Font();
    font.setPixelSize(12);
    const std::function<void()> changes[] = {
        [&] { legend.SetAlignment(laTop); },
        [&] {
            legend.SetBrush({Qt::CrossPattern, clRed});
        },
        [&] { legend.SetColor(clYellow); },
        [&] { legend.SetColorWidth(20); },
        [&] { legend.SetDividingLines(dividing); },
        [&] { legend.SetFirstValue(2); },
        [&] { legend.SetFont(font); },
        [&] { legend.SetFontColor(clRed); },
        [&] { legend.SetFrame(frame); },
        [&] { legend.SetHorizMargin(5); },
        [&] { legend.SetInverted(true); },
        [&] { legend.SetLegendStyle(lsSeries); },
        [&] { legend.SetMaxNumRows(3); },
        [&] { legend.SetResizeChart(false); },
        [&] { legend.SetShadowColor(clGray); },
        [&] { legend.SetShadowSize(0); },
        [&] { legend.SetTextStyle(ltsPlain); },
        [&] { legend.SetTopPos(50); },
        [&] { legend.SetVertMargin(7); },
        [&] { legend.SetVisible(false); },
    };
    int expected = 0;
    for (const auto& change : changes) {
        change();
        EXPECT_EQ(owner.requests, ++expected);
        change();
        EXPECT_EQ(owner.requests, expected) << "the same value repainted";
    }
}

// A series with one automatic colour per point that fills the plot area it is given, so that
// a picture shows where the legend's room ends.
class PointsSeries : public TChartSeries
{
public:
    PointsSeries(TChart& chart, int points) : chart_(chart)
    {
        SetColorEachPoint(true);
        for (int i = 0; i < points; ++i) {
            std::string label = "p";
            label += std::to_string(i);
            AddPoint(label, clAutomatic, 1000 * (points - i));
        }
        SetParentChart(&chart);
    }
    void DrawPoints() override
    {
        TChartCanvas3D& canvas = chart_.Canvas();
        canvas.Pen().style = Qt::NoPen;
        canvas.Brush() = {kPlotColour, Qt::SolidPattern};
        canvas.FillArea(chart_.PlotRect());
    }
    static constexpr TColor kPlotColour = 0xE0E0FF;

private:
    TChart& chart_;
};

QRgb Rgb(TColor colour)
{
    return ColorToQColor(colour).rgb();
}

// The main window's chart (with its legend font), recording the plot area the series get.
class LegendChart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetUpProgramChart(chart);
        chart.OnBeforeDrawSeries = [this](TCustomAxisPanel&) { plot = chart.PlotRect(); };
    }
    TChartLegend& legend() { return chart.Legend(); }
    QImage Render() { return chart.RenderBitmap(clWhite, {0, 0, 590, 364}); }
    // Height of one row, from the last layout.
    int RowHeight() const
    {
        const TChartRect& r = chart.Legend().LegendRect();
        return (r.bottom - r.top - 2) / chart.Legend().LegendRows();
    }
    // The middle of row `row`'s colour box in a vertical legend.
    QPoint SymbolCentre(int row) const
    {
        const TChartLegend& l = chart.Legend();
        return {l.LegendRect().left + 4 + l.SymbolWidth() / 2,
                l.LegendRect().top + 1 + row * RowHeight() + RowHeight() / 2};
    }

    TChartPalette palette;
    TChart chart;
    TChartRect plot;
};

// Before the legend the plot area is (18, 15, 572, 349): 554 x 334.
TEST_F(LegendChart, EachSideTakesItsRoomAndLeavesAGap)
{
    PointsSeries series(chart, 3);
    const int horizGap = MulDiv(3, 554, 100), vertGap = MulDiv(4, 334, 100);
    const struct
    {
        TLegendAlignment alignment;
        std::function<void(const TChartRect& legend, const TChartRect& plot)> check;
    } cases[] = {
        {laRight,
         [&](const TChartRect& l, const TChartRect& p) {
             EXPECT_EQ(l.top, 36);            // Round(10 x 364 x 0.01)
             EXPECT_EQ(l.right, 572 - 2 - 3); // frame gap and shadow
             EXPECT_EQ(p, (TChartRect{18, 15, l.left - horizGap, 349}));
         }},
        {laLeft,
         [&](const TChartRect& l, const TChartRect& p) {
             EXPECT_EQ(l.top, 36);
             EXPECT_EQ(l.left, 18 + 2);
             EXPECT_EQ(p, (TChartRect{l.right + horizGap, 15, 572, 349}));
         }},
        {laTop,
         [&](const TChartRect& l, const TChartRect& p) {
             EXPECT_EQ(l.top, 15 + 2);
             EXPECT_EQ(p, (TChartRect{18, l.bottom + 3 + vertGap, 572, 349}));
         }},
        {laBottom,
         [&](const TChartRect& l, const TChartRect& p) {
             EXPECT_EQ(l.bottom, 349 - 3 - 2);
             EXPECT_EQ(p, (TChartRect{18, 15, 572, l.top - vertGap}));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment);
        legend().SetAlignment(c.alignment);
        const QImage image = Render();
        const TChartRect& l = legend().LegendRect();
        EXPECT_EQ(legend().LegendRows(), legend().Vertical() ? 3 : 1);
        EXPECT_EQ(l.bottom - l.top, 2 + legend().LegendRows() * RowHeight());
        c.check(l, plot);
        // The series fill exactly the room left to them.
        EXPECT_EQ(image.pixel(plot.right - 1, plot.bottom - 1), Rgb(PointsSeries::kPlotColour));
        EXPECT_EQ(image.pixel(plot.right, plot.bottom - 1), kFace);
    }
}

TEST_F(LegendChart, OnlyTheRowsThatFitAreShown)
{
    PointsSeries series(chart, 40);
    Render();
    const TChartRect& l = legend().LegendRect();
    EXPECT_GT(legend().LegendRows(), 10);
    EXPECT_LT(legend().LegendRows(), 40);
    // Between the legend's top and the plot's bottom, less the frame: no room for one more.
    EXPECT_LE(l.bottom - 2, 349 - 2);
    EXPECT_GT(l.bottom - 2 + RowHeight(), 349 - 2);

    // A horizontal legend has at most MaxNumRows rows.
    legend().SetAlignment(laTop);
    legend().SetMaxNumRows(3);
    Render();
    EXPECT_EQ(legend().LegendRows(), 3);
    EXPECT_LT(legend().LegendColumns() * 3, 40);
}

TEST_F(LegendChart, WithoutItemsOrRoomTheLegendDrawsNothingAndTakesNoRoom)
{
    const std::function<void(PointsSeries&)> setups[] = {
        [](PointsSeries& series) { series.ClearPoints(); },
        [&](PointsSeries&) { legend().SetVisible(false); },
        [&](PointsSeries&) { legend().SetTopPos(100); }, // below the plot area: no row fits
        [&](PointsSeries&) { legend().SetFirstValue(3); },
        [](PointsSeries& series) { series.SetShowInLegend(false); },
    };
    for (const auto& setup : setups) {
        PointsSeries series(chart, 3);
        setup(series);
        const QImage image = Render();
        EXPECT_EQ(plot, (TChartRect{18, 15, 572, 349}));
        if (series.PointCount() > 0) {
            EXPECT_EQ(image.pixel(571, 40), Rgb(PointsSeries::kPlotColour));
        }
        legend().SetVisible(true);
        legend().SetTopPos(10);
        legend().SetFirstValue(0);
    }
    // Without ResizeChart the legend keeps only its gap.
    PointsSeries series(chart, 3);
    legend().SetResizeChart(false);
    Render();
    EXPECT_EQ(plot.right, 572 - MulDiv(3, 554, 100));
}

TEST_F(LegendChart, BoxFrameAndShadowSitWhereTheLayoutSays)
{
    PointsSeries series(chart, 3);
    QImage image = Render();
    const TChartRect l = legend().LegendRect();
    const int midY = (l.top + l.bottom) / 2;
    // The frame one pixel outside LegendRect, the fill inside.
    EXPECT_EQ(image.pixel(l.left - 1, midY), 0xFF000000u);
    EXPECT_EQ(image.pixel(l.right, midY), 0xFF000000u);
    EXPECT_EQ(image.pixel(l.left + 1, midY), 0xFFFFFFFFu);
    // A 3-pixel shadow band right of and below the frame, starting 3 pixels in.
    for (int d = 1; d <= 3; ++d) {
        EXPECT_EQ(image.pixel(l.right + d, l.top + 3), 0xFF000000u) << d;
        EXPECT_EQ(image.pixel(l.left + 3, l.bottom + d), 0xFF000000u) << d;
    }
    EXPECT_EQ(image.pixel(l.right + 1, l.top + 2), kFace);
    EXPECT_EQ(image.pixel(l.left + 2, l.bottom + 1), kFace);
    EXPECT_EQ(image.pixel(l.right + 4, midY), kFace);
    EXPECT_EQ(image.pixel(l.left + 3, l.bottom + 4), kFace);

    // Without a frame the box is LegendRect itself and the shadow reaches one pixel less.
    TChartPen frame = legend().Frame();
    frame.Visible = false;
    legend().SetFrame(frame);
    legend().SetShadowColor(clBlue);
    image = Render();
    const TChartRect n = legend().LegendRect();
    EXPECT_EQ(n.right, 572 - 3);
    EXPECT_EQ(image.pixel(n.right, n.top + 3), Rgb(clBlue));
    EXPECT_EQ(image.pixel(n.right + 1, n.top + 3), Rgb(clBlue));
    EXPECT_EQ(image.pixel(n.right + 2, n.top + 3), kFace);
}

TEST_F(LegendChart, SymbolsShowThePointsColoursInOrderOrInverted)
{
    PointsSeries series(chart, 6);
    series.SetPointColor(2, clNone); // a null point: text, but no colour box
    for (const bool inverted : {false, true}) {
        SCOPED_TRACE(inverted);
        legend().SetInverted(inverted);
        const QImage image = Render();
        for (int row = 0; row < 6; ++row) {
            const int point = inverted ? 5 - row : row;
            const QPoint centre = SymbolCentre(row);
            const QPoint edge(legend().LegendRect().left + 4, centre.y());
            if (point == 2) {
                EXPECT_EQ(image.pixel(centre), 0xFFFFFFFFu);
                EXPECT_EQ(image.pixel(edge), 0xFFFFFFFFu);
                continue;
            }
            EXPECT_EQ(image.pixel(centre), Rgb(DefaultPalette[static_cast<size_t>(point)])) << row;
            // Every box is outlined, the white one (the legend's own colour) included.
            EXPECT_EQ(image.pixel(edge), 0xFF000000u) << row;
        }
    }
}

// Colour boxes hatched over a background of their own, as a series drawn with patterns gives.
class HatchedSeries : public PointsSeries
{
public:
    using PointsSeries::PointsSeries;
    void AdjustLegendSymbolFill(int, TLegendSymbolFill& fill) const override
    {
        fill.Background = background;
        fill.Style = Qt::DiagCrossPattern;
    }
    TColor background = clAutomatic;
};

TEST_F(LegendChart, SeriesRowsAndHatchedBoxes)
{
    // The colours found inside row 0's colour box.
    const auto boxColours = [this](const QImage& image) {
        const TChartRect& l = legend().LegendRect();
        std::set<QRgb> colours;
        for (int x = l.left + 5; x < l.left + 3 + legend().SymbolWidth(); ++x)
            for (int y = l.top + 4; y < l.top + RowHeight() - 2; ++y)
                colours.insert(image.pixel(x, y));
        return colours;
    };
    {
        // A series row has a box only when the series has one colour.
        PointsSeries each(chart, 2);
        PointsSeries one(chart, 2);
        one.SetColorEachPoint(false);
        one.SetSeriesColor(clBlue);
        const QImage image = Render();
        EXPECT_EQ(image.pixel(SymbolCentre(0)), 0xFFFFFFFFu);
        EXPECT_EQ(image.pixel(SymbolCentre(1)), Rgb(clBlue));
    }
    HatchedSeries hatched(chart, 1);
    EXPECT_EQ(boxColours(Render()), (std::set<QRgb>{Rgb(clRed), 0xFFFFFFFFu}));
    hatched.background = clYellow;
    EXPECT_EQ(boxColours(Render()), (std::set<QRgb>{Rgb(clRed), Rgb(clYellow)}));
}

TEST_F(LegendChart, DividingLinesComeBeforeEveryItemButTheFirst)
{
    PointsSeries series(chart, 3);
    TChartPen lines;
    lines.Color = clGreen;
    legend().SetDividingLines(lines);
    QImage image = Render();
    const TChartRect& l = legend().LegendRect();
    EXPECT_NE(image.pixel(l.left + 1, l.top + 1), Rgb(clGreen));
    for (int row = 1; row < 3; ++row)
        EXPECT_EQ(image.pixel(l.left + 1, l.top + 1 + row * RowHeight()), Rgb(clGreen)) << row;

    // A horizontal legend: a line left of each item's colour box from the box's top to its
    // bottom, also before the first item of a later row, which puts it on the left edge.
    legend().SetAlignment(laTop);
    const auto fullHeightLines = [&](const QImage& picture) {
        const TChartRect& r = legend().LegendRect();
        std::vector<int> xs;
        for (int x = r.left; x < r.right; ++x) {
            bool full = true;
            for (int y = r.top; y < r.bottom && full; ++y)
                full = picture.pixel(x, y) == Rgb(clGreen);
            if (full)
                xs.push_back(x);
        }
        return xs;
    };
    image = Render();
    ASSERT_EQ(legend().LegendRows(), 1);
    std::vector<int> xs = fullHeightLines(image);
    EXPECT_EQ(xs.size(), 2u);
    EXPECT_TRUE(xs.empty() || xs.front() > legend().LegendRect().left);

    for (int i = 3; i < 60; ++i)
        series.AddPoint(std::to_string(i), clAutomatic, 10);
    image = Render();
    ASSERT_GT(legend().LegendRows(), 1);
    xs = fullHeightLines(image);
    EXPECT_EQ(static_cast<int>(xs.size()), legend().LegendColumns());
    EXPECT_TRUE(!xs.empty() && xs.front() == legend().LegendRect().left);
}

TEST_F(LegendChart, ItemTextsFollowTheStyleInForce)
{
    PointsSeries series(chart, 2);
    series.AddPoint("two\rlines", clAutomatic, 1);
    std::vector<std::string> texts;
    chart.LegendEvents.OnGetLegendText = [&](TLegendStyle, int, std::string& text) {
        texts.push_back(text);
    };
    Render();
    EXPECT_EQ(legend().EffectiveStyle(), lsValues);
    EXPECT_EQ(texts, (std::vector<std::string>{"2,000 p0", "1,000 p1", "1 two lines"}));

    // Two active series: the legend lists the series.
    PointsSeries second(chart, 1);
    series.SetTitle("Disk");
    texts.clear();
    Render();
    EXPECT_EQ(legend().EffectiveStyle(), lsSeries);
    EXPECT_EQ(texts, (std::vector<std::string>{"Disk", "Series 1"}));
    legend().SetLegendStyle(lsLastValues);
    texts.clear();
    Render();
    EXPECT_EQ(texts, (std::vector<std::string>{"1 two lines", "1,000 p0"}));
}

TEST_F(LegendChart, AClickInsideTheBoxIsTheLegendsClick)
{
    PointsSeries series(chart, 3);
    std::vector<std::string> clicks;
    chart.OnClickLegend = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        clicks.push_back("legend");
    };
    chart.OnClickBackground = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        clicks.push_back("background");
    };
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Render();
    const TChartRect& l = legend().LegendRect();
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(l.left + 2, l.top + 2));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(l.left - 10, l.top + 2));
    legend().SetVisible(false);
    Render();
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(l.left + 2, l.top + 2));
    EXPECT_EQ(clicks, (std::vector<std::string>{"legend", "background", "background"}));
}

} // namespace
} // namespace tallyrun::test
