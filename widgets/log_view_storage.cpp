#include "widgets/log_view_storage.h"

#include "platform/memory_prefault.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

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
    blocks_.clear();
    count_ = 0;
    base_ = 0;
    baseFolder_ = 0;
    longestLineBytes_ = 0;
    longestLine_ = -1;
}

std::size_t TLogLineStore::SharedHead(std::string_view line) const
{
    if (count_ == 0)
        return 0;
    const std::string_view base = OwnBytes(Ref(base_));
    // Most lines are in the base's own folder: its whole folder part, and no "/" after it.
    if (baseFolder_ >= kMinSharedBytes && line.size() >= baseFolder_ &&
        std::memcmp(line.data(), base.data(), baseFolder_) == 0)
        return line.find('/', baseFolder_) == std::string_view::npos ? baseFolder_ : 0;
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

void TLogLineStore::PushRef(const TLineRef& ref)
{
    if (count_ % kRefsPerBlock == 0) {
        blocks_.push_back(std::make_unique_for_overwrite<TLineRef[]>(kRefsPerBlock));
        platform::PrefaultForWriting(blocks_.back().get(), kRefsPerBlock * sizeof(TLineRef));
    }
    blocks_.back()[count_ % kRefsPerBlock] = ref;
    ++count_;
}

bool TLogLineStore::Append(std::string_view line)
{
    const std::size_t shared = SharedHead(line);
    const std::string_view own = line.substr(shared);
    if (chunks_.empty() || chunks_.back().size() + own.size() > chunks_.back().capacity()) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::max(kChunkBytes, own.size()));
        platform::PrefaultForWriting(chunks_.back().data(), chunks_.back().capacity());
    }
    std::string& chunk = chunks_.back();
    const auto index = static_cast<std::uint32_t>(count_);
    PushRef({static_cast<std::uint32_t>(chunks_.size() - 1),
             static_cast<std::uint32_t>(chunk.size()), static_cast<std::uint32_t>(own.size()),
             shared ? base_ : index, static_cast<std::uint32_t>(shared)});
    chunk.append(own);
    if (!shared) {
        base_ = index;
        const std::size_t slash = line.rfind('/');
        baseFolder_ = slash == std::string_view::npos ? 0 : slash + 1;
    }
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
        out.append(OwnBytes(Ref(ref.base)).substr(0, ref.shared));
    out.append(OwnBytes(ref));
}

std::string TLogLineStore::Line(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= count_)
        throw std::out_of_range("log line index out of range");
    std::string line;
    AppendTo(Ref(static_cast<std::size_t>(index)), line);
    return line;
}

std::string TLogLineStore::Text() const
{
    std::string text;
    std::size_t size = 0;
    for (std::size_t i = 0; i < count_; ++i)
        size += Ref(i).shared + Ref(i).length + 1;
    text.reserve(size);
    for (std::size_t i = 0; i < count_; ++i) {
        AppendTo(Ref(i), text);
        text.push_back('\n');
    }
    return text;
}

} // namespace tallyrun
