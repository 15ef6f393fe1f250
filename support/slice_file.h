// A list of slices as a text file: one "label<TAB>value" line per point, in the order the
// points are added. The render tool and the chart's reference images read it.
#pragma once

#include <string>
#include <vector>

namespace tallyrun {

struct TSliceLine
{
    std::string label;
    double value = 0;
    friend bool operator==(const TSliceLine&, const TSliceLine&) = default;
};

// Parses the text: the label is everything before the last tab, the value a decimal number
// after it; a line ending "\r\n" loses its "\r"; empty lines are skipped. Returns false with
// `error` naming the first bad line (then `slices` holds the lines before it).
bool ParseSlices(const std::string& text, std::vector<TSliceLine>& slices, std::string& error);

// Reads a regular file and parses it; false with `error` when it cannot be read or is bad.
bool ReadSliceFile(const std::string& path, std::vector<TSliceLine>& slices, std::string& error);

} // namespace tallyrun
