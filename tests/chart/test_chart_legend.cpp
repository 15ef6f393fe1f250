// The chart legend: property checks and repaints, layout, drawing and the room it leaves the
// series, on a real chart drawn off screen.
#include "chart_test_support.h"

#include "chart/chart_exception.h"
#include "chart/chart_legend.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tallyrun {
namespace {

using namespace tallyrun::testing;

class CountingOwner : public TChartRepaintOwner
{
public:
    void RequestChartRepaint() override { ++requests; }
    int requests = 0;
};

TEST(ChartLegendProperties, OutOfRangeValuesRaiseAndKeepTheOldValue)
{
    CountingOwner owner;
    TChartLegend legend(&owner);
    const struct {
        std::function<void()> set;
        std::function<int()> get;
        int kept;
        const char* message;
    } cases[] = {
        {[&] { legend.SetTopPos(101); }, [&] { return legend.TopPos(); }, 10,
         "凡例の上端は 0 から 100% の間でなければなりません"},
        {[&] { legend.SetTopPos(-1); }, [&] { return legend.TopPos(); }, 10,
         "凡例の上端は 0 から 100% の間でなければなりません"},
        {[&] { legend.SetColorWidth(-1); }, [&] { return legend.ColorWidth(); }, 12,
         "凡例のマーカの幅は 0 から 100% の間でなければなりません"},
        {[&] { legend.SetColorWidth(101); }, [&] { return legend.ColorWidth(); }, 12,
         "凡例のマーカの幅は 0 から 100% の間でなければなりません"},
        {[&] { legend.SetFirstValue(-1); }, [&] { return legend.FirstValue(); }, 0,
         "凡例の開始値は１以上でなければなりません。"},
    };
    for (const auto& c : cases) {
        try {
            c.set();
            ADD_FAILURE() << c.message;
        } catch (const LegendException& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(c.get(), c.kept);
    }
    EXPECT_EQ(owner.requests, 0);
    // The ends of the ranges are accepted.
    legend.SetTopPos(0);
    legend.SetTopPos(100);
    legend.SetColorWidth(0);
    legend.SetColorWidth(100);
    legend.SetFirstValue(0);
    EXPECT_EQ(owner.requests, 4);
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
        [&] { legend.SetBrush({Qt::CrossPattern, clRed}); },
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

TEST(ChartLegendProperties, Defaults)
{
    TChartLegend legend(nullptr);
    EXPECT_TRUE(legend.Visible());
    EXPECT_EQ(legend.Alignment(), laRight);
    EXPECT_EQ(legend.Color(), clWhite);
    EXPECT_EQ(legend.Brush(), (TChartBrush{Qt::SolidPattern, clAutomatic}));
    EXPECT_FALSE(legend.DividingLines().Visible);
    EXPECT_TRUE(legend.Frame().Visible);
    EXPECT_EQ(legend.Frame().Color, clBlack);
    EXPECT_EQ(legend.Font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(legend.Font().pointSize(), 9);
    EXPECT_EQ(legend.FontColor(), clBlack);
    EXPECT_EQ(legend.TextStyle(), ltsLeftValue);
    EXPECT_EQ(legend.LegendStyle(), lsAuto);
    EXPECT_EQ(legend.ShadowSize(), 3);
    EXPECT_EQ(legend.MaxNumRows(), 10);
    EXPECT_TRUE(legend.ResizeChart());
}

} // namespace
} // namespace tallyrun
