// The line store under the log view: lines kept as raw bytes packed into large chunks, with
// one small index entry per line, so a million lines cost little more than their bytes and
// appending stays O(1). It also tracks the longest line, which sets the view's width.
//
// A log of paths repeats each folder's path on line after line, and the run's log is most of
// a large run's memory. So a line that starts with the same folder as the last line stored
// whole (the same bytes up to and including a "/") and names nothing below it (no "/" after
// that) keeps only its own bytes and a reference to that line's head. Every line still reads
// back exactly as it was given.
#pragma once

#include <cstdint>
#include <memory>
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

    int Count() const { return static_cast<int>(count_); }
    bool Empty() const { return count_ == 0; }
    // Throws std::out_of_range for an index outside 0..Count()-1.
    std::string Line(int index) const;
    // Every line followed by "\n".
    std::string Text() const;
    // The index of the longest line in bytes (the first of equals); -1 when empty.
    int LongestLine() const { return longestLine_; }

private:
    struct TLineRef
    {
        std::uint32_t chunk; // the line's own bytes, after the head it shares
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t base;   // the line stored whole whose head it shares
        std::uint32_t shared; // bytes of that head; 0 for a line stored whole
    };

    // The index entries, in blocks that never move.
    static constexpr std::size_t kRefsPerBlock = 4096;
    const TLineRef& Ref(std::size_t index) const
    {
        return blocks_[index / kRefsPerBlock][index % kRefsPerBlock];
    }
    void PushRef(const TLineRef& ref);

    // The bytes a line keeps in its chunk.
    std::string_view OwnBytes(const TLineRef& ref) const;
    void AppendTo(const TLineRef& ref, std::string& out) const;
    // How many leading bytes of `line` to take from the current base: its common start with
    // the base cut back to just after a "/", when nothing after that holds one; else 0.
    std::size_t SharedHead(std::string_view line) const;

    std::vector<std::string> chunks_;
    std::vector<std::unique_ptr<TLineRef[]>> blocks_;
    std::size_t count_ = 0;
    std::uint32_t base_ = 0;     // the last line stored whole, when there are lines
    std::size_t baseFolder_ = 0; // its bytes up to and including its last "/"; 0 when none
    std::size_t longestLineBytes_ = 0;
    int longestLine_ = -1;
};

} // namespace tallyrun
