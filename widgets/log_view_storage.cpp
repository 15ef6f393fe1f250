#include "widgets/log_view_storage.h"

#include <algorithm>

namespace tallyrun {

namespace {

// Lines are packed into chunks of this size; a chunk never moves once filled, so the log
// grows without the copy-on-grow peaks of one big buffer.
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;

} // namespace

void TLogLineStore::Clear()
{
    chunks_.clear();
    lines_.clear();
    longestLineBytes_ = 0;
    longestLine_ = -1;
}

bool TLogLineStore::Append(std::string_view line)
{
    if (chunks_.empty() || chunks_.back().size() + line.size() > chunks_.back().capacity()) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::max(kChunkBytes, line.size()));
    }
    std::string& chunk = chunks_.back();
    lines_.push_back({static_cast<std::uint32_t>(chunks_.size() - 1),
                      static_cast<std::uint32_t>(chunk.size()),
                      static_cast<std::uint32_t>(line.size())});
    chunk.append(line);
    if (line.size() <= longestLineBytes_)
        return false;
    longestLineBytes_ = line.size();
    longestLine_ = Count() - 1;
    return true;
}

std::string_view TLogLineStore::Line(int index) const
{
    const TLineRef& ref = lines_.at(static_cast<std::size_t>(index));
    return std::string_view(chunks_[ref.chunk]).substr(ref.offset, ref.length);
}

std::string TLogLineStore::Text() const
{
    std::string text;
    std::size_t size = 0;
    for (const TLineRef& ref : lines_)
        size += ref.length + 1;
    text.reserve(size);
    for (int i = 0; i < Count(); ++i) {
        text.append(Line(i));
        text.push_back('\n');
    }
    return text;
}

} // namespace tallyrun
