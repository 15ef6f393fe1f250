// One dimension of a series' points: an ordered list of doubles read through a multiplier,
// with an ordering rule, lazily cached statistics and the sort that orders a whole series.
#pragma once

#include <string>
#include <vector>

namespace tallyrun {

class TChartSeries;

enum TChartListOrder
{
    loNone = 0,
    loAscending = 1,
    loDescending = 2
};

class TChartValueList
{
public:
    // Created by its series (TChartSeries::AddValueList), which owns it.
    TChartValueList(TChartSeries& owner, std::string name);
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    // Copies the settings (name, order, multiplier, date-time flag, value source), not the
    // values.
    void Assign(const TChartValueList& source);

    TChartSeries& Owner() const { return *owner_; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    double Multiplier() const { return multiplier_; }
    void SetMultiplier(double multiplier);
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder order);
    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool dateTime);
    const std::string& ValueSource() const { return valueSource_; }
    void SetValueSource(const std::string& source) { valueSource_ = source; }

    int ValueCount() const { return static_cast<int>(values_.size()); }
    // Stored value times Multiplier; raises EListError outside 0..ValueCount-1.
    double ValueAt(int index) const;
    double operator[](int index) const { return ValueAt(index); }
    void SetValue(int index, double value);
    // Inserts by Order; equal values keep their order of insertion. Returns the index.
    int InsertInOrder(double value);
    // index may be 0..ValueCount (the end).
    void InsertAt(int index, double value);
    void RemoveAt(int index);
    void RemoveAllValues();
    // Swaps two stored values; used by the series to exchange whole points.
    void Exchange(int a, int b);

    double LowestValue() const;
    double HighestValue() const;
    double ValueSum() const;
    double AbsValueSum() const;
    // Overrides the cached sum of absolute values until the next change (the pie uses it so
    // that a grouped slice is not counted twice).
    void SetCachedAbsValueSum(double sum);

    // First index whose ValueAt equals value exactly, or -1.
    int IndexOfValue(double value) const;
    // Sorts the owning series by this list's values (every swap goes through the series'
    // ExchangePoints). Nothing when Order is loNone.
    void SortByOrder();
    // Sets value i to i for every i.
    void Renumber();

private:
    int Compare(int a, int b) const;
    void Sort(int l, int r);
    void RecalcStats() const;
    void MarkDirty() { statsDirty_ = true; }

    TChartSeries* owner_;
    std::string name_;
    double multiplier_ = 1.0;
    TChartListOrder order_ = loNone;
    bool dateTime_ = false;
    std::string valueSource_;
    std::vector<double> values_;

    mutable bool statsDirty_ = true;
    mutable double lowest_ = 0;
    mutable double highest_ = 0;
    mutable double sum_ = 0;
    mutable double absSum_ = 0;
};

} // namespace tallyrun
