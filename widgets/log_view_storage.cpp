#include "widgets/log_view_storage.h"

#include <algorithm>

namespace tallyrun {

namespace {

// Lines are packed into chunks of this size; a chunk never moves once filled, so the log
// grows without the copy-on-grow peaks of one big buffer.
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;

// A shared head shorter than this saves less than the reference to it costs.
constexpr std::size_t kMinSharedBytes = 8;

} // namespace

void TLogLineStore::Clear()
{
    chunks_.clear();
    lines_.clear();
    base_ = 0;
    longestLineBytes_ = 0;
    longestLine_ = -1;
}

std::size_t TLogLineStore::SharedHead(std::string_view line) const
{
    if (lines_.empty())
        return 0;
    const std::string_view base = OwnBytes(lines_[base_]);
    const std::size_t common =
        std::mismatch(line.begin(), line.begin() + std::min(line.size(), base.size()), base.begin())
            .first -
        line.begin();
    const std::size_t slash = line.substr(0, common).rfind('/');
    if (slash == std::string_view::npos || slash + 1 < kMinSharedBytes)
        return 0;
    const std::size_t head = slash + 1;
    return line.find('/', head) == std::string_view::npos ? head : 0;
}

bool TLogLineStore::Append(std::string_view line)
{
    const std::size_t shared = SharedHead(line);
    const std::string_view own = line.substr(shared);
    if (chunks_.empty() || chunks_.back().size() + own.size() > chunks_.back().capacity()) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::max(kChunkBytes, own.size()));
    }
    std::string& chunk = chunks_.back();
    const auto index = static_cast<std::uint32_t>(lines_.size());
    lines_.push_back({static_cast<std::uint32_t>(chunks_.size() - 1),
                      static_cast<std::uint32_t>(chunk.size()),
                      static_cast<std::uint32_t>(own.size()), shared ? base_ : index,
                      static_cast<std::uint32_t>(shared)});
    chunk.append(own);
    if (!shared)
        base_ = index;
    if (line.size() <= longestLineBytes_)
        return false;
    longestLineBytes_ = line.size();
    longestLine_ = Count() - 1;
    return true;
}

std::string_view TLogLineStore::OwnBytes(const TLineRef& ref) const
{
    return std::string_view(chunks_[ref.chunk]).substr(ref.offset, ref.length);
}

void TLogLineStore::AppendTo(const TLineRef& ref, std::string& out) const
{
    if (ref.shared)
        out.append(OwnBytes(lines_[ref.base]).substr(0, ref.shared));
    out.append(OwnBytes(ref));
}

std::string TLogLineStore::Line(int index) const
{
    std::string line;
    AppendTo(lines_.at(static_cast<std::size_t>(index)), line);
    return line;
}

std::string TLogLineStore::Text() const
{
    std::string text;
    std::size_t size = 0;
    for (const TLineRef& ref : lines_)
        size += ref.shared + ref.length + 1;
    text.reserve(size);
    for (const TLineRef& ref : lines_) {
        AppendTo(ref, text);
        text.push_back('\n');
    }
    return text;
}

} // namespace tallyrun
