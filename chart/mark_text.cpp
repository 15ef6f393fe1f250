// What a series' marks say: the texts of every marks style, with the series' number patterns.
#include "chart/chart_series.h"
#include "chart/indexed_pattern.h"
#include "chart/number_pattern.h"

#include <QCoreApplication>

#include <cmath>

namespace tallyrun {

namespace {

// Fills the total form of a percentage: the total, " の ", the percentage.
constexpr const char* kPercentOfTotal = QT_TRANSLATE_NOOP("TChartSeries", "%1:s の %0:s");

} // namespace

std::string TChartSeries::LabelOrValue(int valueIndex) const
{
    std::string label = PointLabel(valueIndex);
    if (label.empty())
        label = FormatFloat(valueFormat_, MandatoryValues().ValueAt(valueIndex));
    return label;
}

std::string TChartSeries::PercentText(int valueIndex) const
{
    const double total = MandatoryValues().AbsValueSum();
    const double percent =
        total != 0 ? std::fabs(MandatoryValues().ValueAt(valueIndex)) * 100 / total : 100;
    return FormatFloat(percentFormat_, percent);
}

std::string TChartSeries::PercentOfTotalText(int valueIndex) const
{
    const double total = MandatoryValues().AbsValueSum();
    return FormatIndexed(QCoreApplication::translate("TChartSeries", kPercentOfTotal).toStdString(),
                         PercentText(valueIndex), FormatFloat(valueFormat_, total));
}

std::string TChartSeries::BuildMarkText(int valueIndex)
{
    const auto value = [&] {
        return FormatFloat(valueFormat_, MandatoryValues().ValueAt(valueIndex));
    };
    std::string text;
    switch (marks_->Style()) {
    case smsValue:
        text = value();
        break;
    case smsPercent:
        text = PercentText(valueIndex);
        break;
    case smsLabel:
        text = LabelOrValue(valueIndex);
        break;
    case smsLabelPercent:
        text = LabelOrValue(valueIndex) + " " + PercentText(valueIndex);
        break;
    case smsLabelValue:
        text = LabelOrValue(valueIndex) + " " + value();
        break;
    case smsLegend:
        // The legend's own row text: the value, then the label.
        text = value() + " " + PointLabel(valueIndex);
        break;
    case smsPercentTotal:
        text = PercentOfTotalText(valueIndex);
        break;
    case smsLabelPercentTotal:
        text = LabelOrValue(valueIndex) + " " + PercentOfTotalText(valueIndex);
        break;
    case smsXValue:
        // No axis labels the x values here, so they take the value pattern.
        text = FormatFloat(valueFormat_, XValues().ValueAt(valueIndex));
        break;
    }
    if (OnGetMarkText)
        OnGetMarkText(*this, valueIndex, text);
    return text;
}

} // namespace tallyrun
