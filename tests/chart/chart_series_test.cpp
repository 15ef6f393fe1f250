#include "chart/chart_series.h"

#include "base/list_index_error.h"
#include "chart/chart_parent.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace tallyrun::test {
namespace {

// Counts repaint requests; a real chart only marks itself dirty for each.
class TRecordingChart : public TChartParent
{
public:
    void RequestChartRepaint() override { ++requests; }
    bool IsChartDestroying() const override { return destroying; }
    void AttachSeries(TChartSeries* s) override { series.push_back(s); }
    void DetachSeries(TChartSeries* s) override { std::erase(series, s); }

    int requests = 0;
    bool destroying = false;
    std::vector<TChartSeries*> series;
};

std::string Labels(const TChartSeries& s)
{
    std::string out;
    for (int i = 0; i < s.PointCount(); ++i)
        out += s.PointLabel(i);
    return out;
}

TChartSeries& Descending(TChartSeries& s)
{
    s.YValues().SetOrder(loDescending);
    return s;
}

struct SortCase
{
    std::vector<double> values;
    std::string expected;
};

void PrintTo(const SortCase& c, std::ostream* os)
{
    *os << "expect " << c.expected;
}

class ChartSeriesSort : public testing::TestWithParam<SortCase>
{
};

TEST_P(ChartSeriesSort, DescendingSortGivesTheListedOrder)
{
    TChartSeries s;
    Descending(s);
    char label = 'A';
    for (double v : GetParam().values)
        s.AddPoint(std::string(1, label++), clAutomatic, v);
    s.YValues().SortByOrder();
    EXPECT_EQ(Labels(s), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartSeriesSort,
                         testing::Values(SortCase{{10, 20, 20}, "BCA"},
                                         SortCase{{5, 5, 5, 5}, "CDAB"},
                                         SortCase{{1, 2, 3, 4, 5}, "EDCBA"}, SortCase{{}, ""},
                                         SortCase{{3}, "A"}));

TEST(ChartSeries, SortMovesLabelsColoursAndOtherListsWithTheValues)
{
    TChartSeries s;
    Descending(s);
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i)
        s.AddPoint(std::to_string(i), TColor(i), double(rng() % 50));
    s.YValues().SortByOrder();
    for (int i = 0; i < s.PointCount(); ++i) {
        if (i > 0) {
            EXPECT_GE(s.YValues()[i - 1], s.YValues()[i]);
        }
        const int original = std::stoi(s.PointLabel(i));
        EXPECT_EQ(s.PointColor(i), TColor(original));
        EXPECT_EQ(s.XValues()[i], original);
    }
    s.YValues().SetOrder(loAscending);
    s.YValues().SortByOrder();
    for (int i = 1; i < s.PointCount(); ++i)
        EXPECT_LE(s.YValues()[i - 1], s.YValues()[i]);
}

TEST(ChartSeries, AddPointAppendsInCallOrderAndStoresEmptyLabelsAsNone)
{
    TChartSeries s;
    EXPECT_EQ(s.AddPoint("root", clAutomatic, 30), 0);
    EXPECT_EQ(s.AddPoint("", clAutomatic, 50), 1);
    EXPECT_EQ(s.PointCount(), 2);
    EXPECT_EQ(s.XValues()[1], 1);
    EXPECT_EQ(s.YValues()[1], 50);
    EXPECT_EQ(s.PointLabel(1), "");
    EXPECT_EQ(s.PointLabel(7), "");
    EXPECT_EQ(s.PointLabel(-1), "");
}

TEST(ChartSeries, AutomaticColoursFollowTheIndexAndExplicitOnesStay)
{
    TChartSeries s;
    s.SetColorEachPoint(true);
    Descending(s);
    s.AddPoint("small", clAutomatic, 1);
    s.AddPoint("fixed", clPurple, 2);
    s.AddPoint("big", clAutomatic, 3);
    for (int i = 0; i < 15; ++i)
        s.AddPoint("tail", clAutomatic, 0);
    s.YValues().SortByOrder();
    EXPECT_EQ(s.PointLabel(0), "big");
    EXPECT_EQ(s.PointColor(0), clRed);
    EXPECT_EQ(s.PointLabel(1), "fixed");
    EXPECT_EQ(s.PointColor(1), clPurple);
    EXPECT_EQ(s.PointColor(2), clYellow);
    EXPECT_EQ(s.PointColor(15), clBlack);
    EXPECT_EQ(s.PointColor(16), clRed); // the seventeenth starts the table again
    EXPECT_EQ(s.PointColor(99), s.SeriesColor());

    s.SetSeriesColor(clRed);
    s.SetColorEachPoint(false);
    for (int i = 0; i < s.PointCount(); ++i)
        EXPECT_EQ(s.PointColor(i), clRed) << i;
    s.SetColorEachPoint(true);
    EXPECT_EQ(s.PointColor(1), clGreen); // the explicit colour was reset

    s.SetPointColor(3, clNone);
    EXPECT_TRUE(s.IsNullPoint(3));
    EXPECT_FALSE(s.IsNullPoint(2));
}

TEST(ChartSeries, IndexErrorsLeaveTheSeriesAsItWas)
{
    TChartSeries s;
    s.AddPoint("A", clAutomatic, 1);
    s.AddPoint("B", clAutomatic, 2);
    try {
        s.RemovePoint(2);
        FAIL() << "no error raised";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (2)");
    }
    EXPECT_THROW(s.ExchangePoints(0, 5), EListError);
    EXPECT_THROW(s.ExchangePoints(-1, 0), EListError);
    EXPECT_THROW(s.SetPointColor(2, clRed), EListError);
    EXPECT_EQ(Labels(s), "AB");
    EXPECT_EQ(s.YValues().ValueCount(), 2);
    EXPECT_EQ(s.YValues()[0], 1);

    s.RemovePoint(0);
    EXPECT_EQ(Labels(s), "B");
    EXPECT_EQ(s.XValues().ValueCount(), 1);
}

TEST(ChartSeries, EventsFireAndBeforeAddCanCancel)
{
    TChartSeries s;
    std::vector<int> added;
    int cleared = 0;
    bool allow = false;
    s.OnBeforeAdd = [&](TChartSeries&) { return allow; };
    s.OnAfterAdd = [&](TChartSeries&, int index) { added.push_back(index); };
    s.OnClearValues = [&](TChartSeries&) { ++cleared; };

    EXPECT_EQ(s.AddPoint("no", clAutomatic, 1), -1);
    EXPECT_EQ(s.PointCount(), 0);
    allow = true;
    s.AddPoint("a", clAutomatic, 1);
    s.AddPoint("b", clAutomatic, 1);
    EXPECT_EQ(added, (std::vector<int>{0, 1}));
    s.ClearPoints();
    EXPECT_EQ(s.PointCount(), 0);
    EXPECT_EQ(s.YValues().ValueCount(), 0);
    s.ClearPoints();
    EXPECT_EQ(cleared, 2);
}

TEST(ChartSeries, RepaintRequestsGoToTheParentOnlyForRealChanges)
{
    TRecordingChart chart;
    {
        TChartSeries s;
        s.SetParentChart(&chart);
        ASSERT_EQ(chart.series.size(), 1u);

        s.ClearPoints(); // also on an empty series
        EXPECT_EQ(chart.requests, 1);
        s.AddPoint("a", clAutomatic, 1);
        EXPECT_EQ(chart.requests, 2);

        chart.requests = 0;
        s.SetSeriesColor(s.SeriesColor());
        s.SetActive(true);
        s.SetShowInLegend(true);
        s.SetValueFormat("#,##0.###");
        s.SetPercentFormat("##0.## %");
        s.YValues().SetMultiplier(1);
        s.SetColorEachPoint(false);
        s.ExchangePoints(0, 0);
        s.YValues().SortByOrder();
        EXPECT_EQ(chart.requests, 0);

        s.SetSeriesColor(clRed);
        s.YValues().SetMultiplier(2);
        s.SetPointColor(0, clBlue);
        EXPECT_EQ(chart.requests, 3);

        s.SetActive(false);
        chart.requests = 0;
        s.AddPoint("b", clAutomatic, 1);
        s.RemovePoint(0);
        EXPECT_EQ(chart.requests, 0);
    }
    EXPECT_TRUE(chart.series.empty()); // the destroyed series left its chart
}

TEST(ChartSeries, MovingToAnotherChartLeavesTheFirst)
{
    TRecordingChart first;
    TRecordingChart second;
    TChartSeries s;
    s.SetParentChart(&first);
    s.SetParentChart(&second);
    EXPECT_TRUE(first.series.empty());
    EXPECT_EQ(second.series.size(), 1u);
    second.destroying = true;
    s.ClearPoints();
    EXPECT_EQ(second.requests, 0);
    s.SetParentChart(nullptr);
    EXPECT_TRUE(second.series.empty());
}

} // namespace
} // namespace tallyrun::test
