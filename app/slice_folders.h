// The folder behind each slice of the main window's pie: the raw path bytes of the subfolder
// that a slice totals, so that a slice can lead to its folder (labels are shortened and never
// name it). The pie reorders its points before every paint; the folder numbers live in a
// value list of the series itself, so they move with their points.
#pragma once

#include <string>
#include <vector>

namespace tallyrun {

class TChartSeries;
class TChartValueList;

class TSliceFolders
{
public:
    // Adds the value list "Folder" to `series`, which must outlive this object.
    explicit TSliceFolders(TChartSeries& series);

    // Forgets every folder; call it when the series' points are cleared.
    void Clear();
    // Remembers `path` as the folder of the point at `valueIndex`.
    void SetFolder(int valueIndex, std::string path);
    // The folder of the point at `valueIndex`; nullptr for a point without one (the "root"
    // slice) and for an index that names no point.
    const std::string* Folder(int valueIndex) const;

private:
    TChartSeries& series_;
    TChartValueList& numbers_; // per point: 0 for none, else 1 + an index into paths_
    std::vector<std::string> paths_;
};

} // namespace tallyrun
