// The line store under the log view: lines kept as raw bytes packed into large chunks, with
// one small index entry per line, so a million lines cost little more than their bytes and
// appending stays O(1). It also tracks the longest line, which sets the view's width.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrun {

class TLogLineStore
{
public:
    void Clear();
    // Keeps a copy of `line`; true when it is now the longest line in bytes.
    bool Append(std::string_view line);

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    // Throws std::out_of_range for an index outside 0..Count()-1.
    std::string_view Line(int index) const;
    // Every line followed by "\n".
    std::string Text() const;
    // The index of the longest line in bytes (the first of equals); -1 when empty.
    int LongestLine() const { return longestLine_; }

private:
    struct TLineRef
    {
        std::uint32_t chunk;
        std::uint32_t offset;
        std::uint32_t length;
    };

    std::vector<std::string> chunks_;
    std::deque<TLineRef> lines_;
    std::size_t longestLineBytes_ = 0;
    int longestLine_ = -1;
};

} // namespace tallyrun
