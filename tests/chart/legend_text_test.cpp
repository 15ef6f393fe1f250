// The series' number patterns and the legend rows they word.
#include "chart/chart_series.h"
#include "chart/number_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace tallyrun::test {
namespace {

struct PatternCase
{
    std::string pattern;
    double value;
    std::string expected;
};

void PrintTo(const PatternCase& c, std::ostream* os)
{
    *os << '"' << c.pattern << "\" " << c.value << " -> \"" << c.expected << '"';
}

class NumberPattern : public testing::TestWithParam<PatternCase>
{
};

TEST_P(NumberPattern, WritesTheValueByThePattern)
{
    EXPECT_EQ(FormatFloat(GetParam().pattern, GetParam().value, ".", ","), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberPattern,
    testing::Values(
        // The series' two default patterns.
        PatternCase{"#,##0.###", 1234567, "1,234,567"}, PatternCase{"#,##0.###", 0, "0"},
        PatternCase{"#,##0.###", 1234.5, "1,234.5"}, PatternCase{"#,##0.###", 1000, "1,000"},
        PatternCase{"#,##0.###", -1234.5678, "-1,234.568"},
        PatternCase{"#,##0.###", 999.9996, "1,000"},
        PatternCase{"#,##0.###", 1e20, "100,000,000,000,000,000,000"},
        // 18 significant digits, then zeros.
        PatternCase{"#,##0.###", 18446744073709551616.0, "18,446,744,073,709,551,600"},
        PatternCase{"##0.## %", 37.5, "37.5 %"}, PatternCase{"##0.## %", 100, "100 %"},
        PatternCase{"##0.## %", 12.3456, "12.35 %"}, PatternCase{"##0.## %", 0.004, "0 %"},
        PatternCase{"##0.## %", 0.005, "0.01 %"},
        // Half rounds the magnitude up; the 18 digits of 1.005 lie below the half.
        PatternCase{"0.00", 0.125, "0.13"}, PatternCase{"0.00", -0.125, "-0.13"},
        PatternCase{"0.00", 1.005, "1.00"}, PatternCase{"0.00", 9.995, "9.99"},
        // A negative value that rounds to zero shows no sign.
        PatternCase{"#,##0.###", -0.0001, "0"},
        // Fixed digits, missing integer placeholders, literals around the digits.
        PatternCase{"0000", 12, "0012"}, PatternCase{"#.##", 0.5, ".5"},
        PatternCase{".00", 12.5, "12.50"}, PatternCase{"$#,##0", -5, "-$5"},
        PatternCase{"0-0", 123, "12-3"}, PatternCase{"abc", 5, "abc"},
        PatternCase{"", 0.1, "0.1"}));

TEST(NumberPatternBadValues, NonFiniteValuesAndOtherSeparators)
{
    EXPECT_EQ(FormatFloat("#,##0.###", std::nan("")), "NAN");
    EXPECT_EQ(FormatFloat("#,##0.###", -std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FormatFloat("#,##0.###", 1234567.25, ",", "."), "1.234.567,25");
    EXPECT_EQ(FormatFloat("#,##0", 1234567, ".", "\u00a0"), "1\u00a0234\u00a0567");
}

// A series that leaves its first point out of the legend, as a series with grouped points
// does.
class SkippingSeries : public TChartSeries
{
public:
    int LegendItemCount() const override { return PointCount() - 1; }
    int LegendItemToPoint(int row) const override { return row + 1; }
};

TEST(LegendItemText, WordsTheRowByTheTextStyle)
{
    SkippingSeries s;
    s.AddPoint("hidden", clAutomatic, 100);
    s.AddPoint("root", clAutomatic, 1234567);
    s.AddPoint("", clAutomatic, 3703701);
    s.AddPoint("neg", clAutomatic, -100);
    // Total of the absolute values: 4,938,468.
    const struct
    {
        int row;
        TLegendTextStyle style;
        std::string expected;
    } cases[] = {
        {0, ltsPlain, "root"},
        {0, ltsLeftValue, "1,234,567 root"},
        {0, ltsRightValue, "root 1,234,567"},
        {0, ltsLeftPercent, "25 % root"},
        {0, ltsRightPercent, "root 25 %"},
        {0, ltsXValue, "1"},
        // No label: the label part stays empty, it is not replaced by the value.
        {1, ltsPlain, ""},
        {1, ltsLeftValue, "3,703,701 "},
        {2, ltsRightPercent, "neg 0 %"},
        {2, ltsLeftValue, "-100 neg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.LegendItemText(c.row, c.style), c.expected) << c.row << " " << c.style;
}

TEST(LegendItemText, PercentOfAnEmptyTotalIsAHundredAndPatternsAreTheSeries)
{
    TChartSeries s;
    s.AddPoint("a", clAutomatic, 0);
    s.AddPoint("b", clAutomatic, 0);
    EXPECT_EQ(s.LegendItemText(1, ltsLeftPercent), "100 % b");
    s.SetValueFormat("0.00");
    s.SetPercentFormat("0%");
    s.AddPoint("c", clAutomatic, 2);
    EXPECT_EQ(s.LegendItemText(2, ltsRightValue), "c 2.00");
    EXPECT_EQ(s.LegendItemText(2, ltsRightPercent), "c 100%");
    // The signed value's share: a negative point reads as a negative percentage.
    s.AddPoint("d", clAutomatic, -6);
    EXPECT_EQ(s.LegendItemText(3, ltsLeftPercent), "-75% d");
}

} // namespace
} // namespace tallyrun::test
