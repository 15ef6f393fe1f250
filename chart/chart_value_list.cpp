#include "chart/chart_value_list.h"

#include "base/list_index_error.h"
#include "chart/chart_series.h"
#include "chart/position_sort.h"

#include <cmath>
#include <utility>

namespace tallyrun {

TChartValueList::TChartValueList(TChartSeries& owner, std::string name)
    : owner_(&owner), name_(std::move(name))
{
}

void TChartValueList::Assign(const TChartValueList& source)
{
    name_ = source.name_;
    order_ = source.order_;
    dateTime_ = source.dateTime_;
    valueSource_ = source.valueSource_;
    SetMultiplier(source.multiplier_);
}

void TChartValueList::SetMultiplier(double multiplier)
{
    if (multiplier == multiplier_)
        return;
    multiplier_ = multiplier;
    MarkDirty();
    owner_->RequestRepaint();
}

void TChartValueList::SetOrder(TChartListOrder order)
{
    if (order == order_)
        return;
    order_ = order;
    owner_->RequestRepaint();
}

void TChartValueList::SetDateTime(bool dateTime)
{
    if (dateTime == dateTime_)
        return;
    dateTime_ = dateTime;
    owner_->RequestRepaint();
}

double TChartValueList::ValueAt(int index) const
{
    CheckListIndex(index, ValueCount());
    return values_[static_cast<size_t>(index)] * multiplier_;
}

void TChartValueList::SetValue(int index, double value)
{
    CheckListIndex(index, ValueCount());
    values_[static_cast<size_t>(index)] = value;
    MarkDirty();
}

int TChartValueList::InsertInOrder(double value)
{
    int index = ValueCount();
    if (order_ == loAscending && index > 0 && values_.back() > value) {
        while (index > 0 && values_[static_cast<size_t>(index - 1)] > value)
            --index;
    } else if (order_ == loDescending && index > 0 && values_.back() < value) {
        while (index > 0 && values_[static_cast<size_t>(index - 1)] < value)
            --index;
    }
    values_.insert(values_.begin() + index, value);
    MarkDirty();
    return index;
}

void TChartValueList::InsertAt(int index, double value)
{
    CheckListIndex(index, ValueCount() + 1);
    values_.insert(values_.begin() + index, value);
    MarkDirty();
}

void TChartValueList::RemoveAt(int index)
{
    CheckListIndex(index, ValueCount());
    values_.erase(values_.begin() + index);
    MarkDirty();
}

void TChartValueList::RemoveAllValues()
{
    values_.clear();
    MarkDirty();
}

void TChartValueList::Exchange(int a, int b)
{
    CheckListIndex(a, ValueCount());
    CheckListIndex(b, ValueCount());
    std::swap(values_[static_cast<size_t>(a)], values_[static_cast<size_t>(b)]);
    MarkDirty();
}

void TChartValueList::RecalcStats() const
{
    if (!statsDirty_)
        return;
    statsDirty_ = false;
    lowest_ = highest_ = sum_ = absSum_ = 0;
    if (values_.empty())
        return;
    lowest_ = highest_ = sum_ = ValueAt(0);
    absSum_ = std::fabs(sum_);
    for (int i = 1; i < ValueCount(); ++i) {
        const double v = ValueAt(i);
        if (v < lowest_)
            lowest_ = v;
        else if (v > highest_)
            highest_ = v;
        sum_ += v;
        absSum_ += std::fabs(v);
    }
}

double TChartValueList::LowestValue() const
{
    RecalcStats();
    return lowest_;
}

double TChartValueList::HighestValue() const
{
    RecalcStats();
    return highest_;
}

double TChartValueList::ValueSum() const
{
    RecalcStats();
    return sum_;
}

double TChartValueList::AbsValueSum() const
{
    RecalcStats();
    return absSum_;
}

void TChartValueList::SetCachedAbsValueSum(double sum)
{
    RecalcStats();
    absSum_ = sum;
}

int TChartValueList::IndexOfValue(double value) const
{
    for (int i = 0; i < ValueCount(); ++i)
        if (ValueAt(i) == value)
            return i;
    return -1;
}

void TChartValueList::Renumber()
{
    for (int i = 0; i < ValueCount(); ++i)
        SetValue(i, i);
}

int TChartValueList::Compare(int a, int b) const
{
    const double va = ValueAt(a);
    const double vb = ValueAt(b);
    const int c = va < vb ? -1 : (va > vb ? 1 : 0);
    return order_ == loDescending ? -c : c;
}

void TChartValueList::SortByOrder()
{
    if (order_ != loNone && ValueCount() > 0)
        Sort(0, ValueCount() - 1);
}

void TChartValueList::Sort(int l, int r)
{
    QuickSortPositions(
        l, r, [this](int a, int b) { return Compare(a, b); },
        [this](int a, int b) { owner_->ExchangePoints(a, b); });
}

} // namespace tallyrun
