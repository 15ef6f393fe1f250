#include "base/list_index_error.h"
#include "chart/chart_series.h"

#include <gtest/gtest.h>

#include <vector>

namespace tallyrun::test {
namespace {

std::vector<double> Values(const TChartValueList& list)
{
    std::vector<double> v;
    for (int i = 0; i < list.ValueCount(); ++i)
        v.push_back(list.ValueAt(i));
    return v;
}

TEST(ChartValueList, StatisticsOfEmptyAndMixedLists)
{
    TChartSeries series;
    TChartValueList& y = series.YValues();
    EXPECT_EQ(y.LowestValue(), 0);
    EXPECT_EQ(y.HighestValue(), 0);
    EXPECT_EQ(y.ValueSum(), 0);
    EXPECT_EQ(y.AbsValueSum(), 0);

    for (double v : {10.0, -30.0, 20.0})
        y.InsertAt(y.ValueCount(), v);
    EXPECT_EQ(y.ValueSum(), 0);
    EXPECT_EQ(y.AbsValueSum(), 60);
    EXPECT_EQ(y.LowestValue(), -30);
    EXPECT_EQ(y.HighestValue(), 20);
}

TEST(ChartValueList, StatisticsFollowEveryChangeAndTheMultiplier)
{
    TChartSeries series;
    TChartValueList& y = series.YValues();
    y.InsertAt(0, 4);
    EXPECT_EQ(y.ValueSum(), 4); // computed and cached
    y.InsertAt(1, 6);
    EXPECT_EQ(y.ValueSum(), 10);
    y.SetValue(0, -1);
    EXPECT_EQ(y.AbsValueSum(), 7);
    y.SetMultiplier(2);
    EXPECT_EQ(y.ValueAt(1), 12);
    EXPECT_EQ(y.HighestValue(), 12);
    EXPECT_EQ(y.LowestValue(), -2);
    y.RemoveAt(0);
    EXPECT_EQ(y.ValueSum(), 12);
    y.RemoveAllValues();
    EXPECT_EQ(y.AbsValueSum(), 0);
}

TEST(ChartValueList, InsertInOrderPutsEqualValuesBehind)
{
    TChartSeries series;
    TChartValueList& asc = series.AddValueList("asc");
    asc.SetOrder(loAscending);
    for (double v : {1.0, 3.0, 3.0, 5.0})
        asc.InsertAt(asc.ValueCount(), v);
    EXPECT_EQ(asc.InsertInOrder(3), 3);
    EXPECT_EQ(asc.InsertInOrder(0), 0);
    EXPECT_EQ(asc.InsertInOrder(9), 6);

    TChartValueList& desc = series.AddValueList("desc");
    desc.SetOrder(loDescending);
    for (double v : {5.0, 3.0, 3.0, 1.0})
        desc.InsertAt(desc.ValueCount(), v);
    EXPECT_EQ(desc.InsertInOrder(3), 3);
    EXPECT_EQ(desc.InsertInOrder(9), 0);
    EXPECT_EQ(desc.InsertInOrder(0), 6);

    TChartValueList& none = series.AddValueList("none");
    none.InsertAt(0, 5);
    EXPECT_EQ(none.InsertInOrder(1), 1);
}

TEST(ChartValueList, IndexErrorsNameTheIndexAndChangeNothing)
{
    TChartSeries series;
    TChartValueList& y = series.YValues();
    y.InsertAt(0, 1);
    try {
        y.ValueAt(3);
        FAIL() << "no error raised";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (3)");
    }
    EXPECT_THROW(y.ValueAt(-1), EListError);
    EXPECT_THROW(y.SetValue(1, 0), EListError);
    EXPECT_THROW(y.RemoveAt(1), EListError);
    EXPECT_THROW(y.InsertAt(2, 0), EListError);
    EXPECT_EQ(Values(y), std::vector<double>{1});
}

TEST(ChartValueList, IndexOfValueAndRenumber)
{
    TChartSeries series;
    TChartValueList& y = series.YValues();
    for (double v : {7.0, 2.0, 7.0})
        y.InsertAt(y.ValueCount(), v);
    EXPECT_EQ(y.IndexOfValue(7), 0);
    EXPECT_EQ(y.IndexOfValue(3), -1);
    y.Renumber();
    EXPECT_EQ(Values(y), (std::vector<double>{0, 1, 2}));
}

} // namespace
} // namespace tallyrun::test
