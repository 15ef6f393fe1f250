#include "chart/series_marks.h"

#include "base/utf8_chars.h"
#include "chart/canvas3d.h"
#include "chart/chart_series.h"

#include <algorithm>
#include <string_view>

namespace tallyrun {

TSeriesMarkPosition& TSeriesMarksPositions::At(int index)
{
    const auto at = static_cast<std::size_t>(std::max(0, index));
    if (at >= positions_.size())
        positions_.resize(at + 1);
    return positions_[at];
}

const TSeriesMarkPosition* TSeriesMarksPositions::Find(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= positions_.size())
        return nullptr;
    return &positions_[static_cast<std::size_t>(index)];
}

void TSeriesMarksPositions::Remove(int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < positions_.size())
        positions_.erase(positions_.begin() + index);
}

TSeriesMarks::TSeriesMarks(TChartSeries& owner) : owner_(owner)
{
    font_.setPointSize(10);
}

void TSeriesMarks::Changed()
{
    owner_.RequestRepaint();
}

std::vector<std::string> MarkBoxLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t cr = text.find('\r', from);
        if (cr == std::string::npos) {
            lines.push_back(text.substr(from));
            return lines;
        }
        lines.push_back(text.substr(from, cr - from));
        from = cr + 1;
    }
}

std::vector<std::string> MarkWrittenLines(const std::string& text)
{
    const std::size_t cr = text.find('\r');
    if (cr == std::string::npos)
        return {text};
    // Everything after the first break together is cut, not each later line on its own.
    const std::string_view rest = std::string_view(text).substr(cr + 1);
    std::vector<std::string> lines =
        MarkBoxLines(std::string(rest.substr(0, AdvanceChars(rest, 0, 255))));
    lines.insert(lines.begin(), text.substr(0, cr));
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace tallyrun
