#include "chart/chart_value_list.h"

#include "chart/chart_series.h"
#include "platform/list_index_error.h"

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

// Quicksort over positions with the middle position as pivot; the pivot's position is
// followed across swaps. After a pass the left part l..j is sorted before the right part i..r.
// When the two parts are disjoint (j < i) their order does not matter, so the larger one is
// left to the loop and the smaller one recursed into, which keeps the recursion depth
// logarithmic; when they share a position the left part must go first.
void TChartValueList::Sort(int l, int r)
{
    while (l < r) {
        int i = l;
        int j = r;
        int m = l + (r - l) / 2;
        do {
            while (Compare(i, m) < 0)
                ++i;
            while (Compare(m, j) < 0)
                --j;
            if (i < j) {
                owner_->ExchangePoints(i, j);
                if (i == m)
                    m = j;
                else if (j == m)
                    m = i;
            }
            if (i <= j) {
                ++i;
                --j;
            }
        } while (i < j);
        if (j >= i || j - l < r - i) {
            if (l < j)
                Sort(l, j);
            l = i;
        } else {
            if (i < r)
                Sort(i, r);
            r = j;
        }
    }
}

} // namespace tallyrun
