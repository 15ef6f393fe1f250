#include "chart/chart_series.h"

#include "base/list_index_error.h"
#include "chart/chart_parent.h"

#include <utility>

namespace tallyrun {

TChartSeries::TChartSeries() : marks_(std::make_unique<TSeriesMarks>(*this))
{
    AddValueList("X").SetOrder(loAscending);
    AddValueList("Y");
}

TChartSeries::~TChartSeries()
{
    // Points go as ClearPoints would remove them, but without events: a derived series is
    // already gone, so no handler may see this one any more.
    ClearStorage();
    if (parentChart_ && !parentChart_->IsChartDestroying())
        parentChart_->DetachSeries(this);
}

TChartValueList& TChartSeries::ValueList(int index) const
{
    CheckListIndex(index, ValueListCount());
    return *valueLists_[static_cast<size_t>(index)];
}

TChartValueList& TChartSeries::AddValueList(const std::string& name)
{
    valueLists_.push_back(std::make_unique<TChartValueList>(*this, name));
    return *valueLists_.back();
}

int TChartSeries::AddPoint(const std::string& label, TColor color, double value)
{
    const double next = PointCount();
    if (YMandatory())
        return InsertPoint(next, value, label, color);
    return InsertPoint(value, next, label, color);
}

int TChartSeries::InsertPoint(double x, double y, const std::string& label, TColor color)
{
    if (OnBeforeAdd && !OnBeforeAdd(*this))
        return -1;
    const int index = XValues().InsertInOrder(x);
    YValues().InsertAt(index, y);
    // Further dimensions get a 0 so that every list keeps one value per point.
    for (size_t k = 2; k < valueLists_.size(); ++k)
        valueLists_[k]->InsertAt(index, 0);
    colors_.insert(colors_.begin() + index, color);
    labels_.insert(labels_.begin() + index,
                   label.empty() ? std::nullopt : std::optional<std::string>(label));
    if (OnAfterAdd)
        OnAfterAdd(*this, index);
    if (active_)
        RequestRepaint();
    return index;
}

void TChartSeries::RemovePoint(int valueIndex)
{
    // Checked first, so a bad index leaves every list as it was.
    CheckListIndex(valueIndex, PointCount());
    for (auto& list : valueLists_)
        list->RemoveAt(valueIndex);
    const auto at = static_cast<size_t>(valueIndex);
    if (at < colors_.size())
        colors_.erase(colors_.begin() + valueIndex);
    if (at < labels_.size())
        labels_.erase(labels_.begin() + valueIndex);
    marks_->Positions().Remove(valueIndex);
    PointRemoved(valueIndex);
    if (active_)
        RequestRepaint();
}

void TChartSeries::ClearStorage()
{
    for (auto& list : valueLists_)
        list->RemoveAllValues();
    colors_.clear();
    labels_.clear();
    marks_->Positions().Clear();
}

void TChartSeries::ClearPoints()
{
    ClearStorage();
    PointsCleared();
    if (OnClearValues)
        OnClearValues(*this);
    if (active_ && parentChart_ && !parentChart_->IsChartDestroying())
        RequestRepaint();
}

void TChartSeries::ExchangePoints(int a, int b)
{
    CheckListIndex(a, PointCount());
    CheckListIndex(b, PointCount());
    for (auto& list : valueLists_)
        list->Exchange(a, b);
    const auto ia = static_cast<size_t>(a);
    const auto ib = static_cast<size_t>(b);
    if (ia < colors_.size() && ib < colors_.size())
        std::swap(colors_[ia], colors_[ib]);
    if (ia < labels_.size() && ib < labels_.size())
        std::swap(labels_[ia], labels_[ib]);
    PointsExchanged(a, b);
}

std::string TChartSeries::PointLabel(int valueIndex) const
{
    if (valueIndex < 0 || static_cast<size_t>(valueIndex) >= labels_.size())
        return {};
    return labels_[static_cast<size_t>(valueIndex)].value_or(std::string());
}

TColor TChartSeries::PointColor(int valueIndex) const
{
    if (valueIndex < 0 || static_cast<size_t>(valueIndex) >= colors_.size())
        return seriesColor_;
    const TColor c = colors_[static_cast<size_t>(valueIndex)];
    if (c != clAutomatic)
        return c;
    if (colorEachPoint_)
        return DefaultPalette[static_cast<size_t>(valueIndex) % DefaultPalette.size()];
    return seriesColor_;
}

void TChartSeries::SetPointColor(int valueIndex, TColor color)
{
    CheckListIndex(valueIndex, static_cast<long long>(colors_.size()));
    SetAndRepaint(colors_[static_cast<size_t>(valueIndex)], color);
}

void TChartSeries::RequestRepaint()
{
    if (parentChart_)
        parentChart_->RequestChartRepaint();
}

void TChartSeries::BeginDrawValues()
{
    if (BeforeDrawValues)
        BeforeDrawValues(*this);
}

void TChartSeries::EndDrawValues()
{
    if (AfterDrawValues)
        AfterDrawValues(*this);
}

void TChartSeries::SetParentChart(TChartParent* chart)
{
    if (chart == parentChart_)
        return;
    if (parentChart_)
        parentChart_->DetachSeries(this);
    parentChart_ = chart;
    if (parentChart_)
        parentChart_->AttachSeries(this);
}

void TChartSeries::SetSeriesColor(TColor color)
{
    SetAndRepaint(seriesColor_, color);
}

void TChartSeries::SetColorEachPoint(bool value)
{
    if (value == colorEachPoint_)
        return;
    colorEachPoint_ = value;
    if (!value)
        for (auto& c : colors_)
            c = clAutomatic;
    RequestRepaint();
}

void TChartSeries::SetActive(bool value)
{
    SetAndRepaint(active_, value);
}
void TChartSeries::SetShowInLegend(bool value)
{
    SetAndRepaint(showInLegend_, value);
}
void TChartSeries::SetTitle(const std::string& title)
{
    SetAndRepaint(title_, title);
}
void TChartSeries::SetValueFormat(const std::string& format)
{
    SetAndRepaint(valueFormat_, format);
}
void TChartSeries::SetPercentFormat(const std::string& format)
{
    SetAndRepaint(percentFormat_, format);
}

} // namespace tallyrun
