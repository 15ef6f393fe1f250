#include "app/slice_folders.h"

#include "chart/chart_series.h"

namespace tallyrun {

TSliceFolders::TSliceFolders(TChartSeries& series)
    : series_(series), numbers_(series.AddValueList("Folder"))
{
}

void TSliceFolders::Clear()
{
    paths_.clear();
}

void TSliceFolders::SetFolder(int valueIndex, std::string path)
{
    if (valueIndex < 0 || valueIndex >= series_.PointCount())
        return;
    paths_.push_back(std::move(path));
    numbers_.SetValue(valueIndex, static_cast<double>(paths_.size()));
}

const std::string* TSliceFolders::Folder(int valueIndex) const
{
    if (valueIndex < 0 || valueIndex >= series_.PointCount())
        return nullptr;
    const double number = numbers_.ValueAt(valueIndex);
    if (number < 1 || number > static_cast<double>(paths_.size()))
        return nullptr;
    return &paths_[static_cast<std::size_t>(number) - 1];
}

} // namespace tallyrun
