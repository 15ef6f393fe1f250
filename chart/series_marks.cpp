#include "chart/series_marks.h"

#include "chart/canvas3d.h"
#include "chart/chart_series.h"

#include <algorithm>

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

namespace {

// The first `n` characters of a UTF-8 text (a stray byte counts as one character).
std::string FirstChars(const std::string& text, int n)
{
    std::size_t end = 0;
    for (int count = 0; end < text.size(); ++end) {
        const auto byte = static_cast<unsigned char>(text[end]);
        if ((byte & 0xC0) != 0x80 && count++ == n)
            break;
    }
    return text.substr(0, end);
}

} // namespace

std::vector<std::string> MarkTextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t cr = text.find('\r', from);
        std::string line = text.substr(from, cr == std::string::npos ? cr : cr - from);
        if (from > 0)
            line = FirstChars(line, 255);
        lines.push_back(std::move(line));
        if (cr == std::string::npos)
            break;
        from = cr + 1;
    }
    if (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    return lines;
}

} // namespace tallyrun
