#include "scan/string_helpers.h"

#include "base/utf8_chars.h"

namespace tallyrun {

namespace {

// Byte offset of the first occurrence of `t` at a character boundary of `s` at or after byte
// `from` (itself a boundary), such that the occurrence spans exactly CharLen(t) characters of
// `s`; npos when there is none.
std::size_t FindAtBoundary(std::string_view s, std::string_view t, std::size_t from, int tLen)
{
    for (std::size_t i = from; i < s.size(); i += CharBytesAt(s, i)) {
        if (s.compare(i, t.size(), t) == 0 && AdvanceChars(s, i, tLen) == i + t.size())
            return i;
    }
    return std::string_view::npos;
}

int CharCount(std::string_view s, std::size_t bytes)
{
    int count = 0;
    for (std::size_t i = 0; i < bytes; i += CharBytesAt(s, i))
        ++count;
    return count;
}

} // namespace

int CharLen(std::string_view s)
{
    return CharCount(s, s.size());
}

std::string CharMidFrom(std::string_view s, int p)
{
    return std::string(s.substr(ByteOffsetOfChar(s, p < 1 ? 1 : p)));
}

std::string CharMid(std::string_view s, int p, int n)
{
    if (n <= 0)
        return std::string();
    const std::size_t start = ByteOffsetOfChar(s, p < 1 ? 1 : p);
    return std::string(s.substr(start, AdvanceChars(s, start, n) - start));
}

std::string CharLeft(std::string_view s, int n)
{
    return CharMid(s, 1, n);
}

std::string CharRight(std::string_view s, int n)
{
    const int c = CharLen(s);
    if (n <= 0 || c - n < 0)
        return std::string();
    return CharMidFrom(s, c - n + 1);
}

int CharPos(std::string_view s, std::string_view t)
{
    if (s.empty())
        return 0;
    const std::size_t at = FindAtBoundary(s, t, 0, CharLen(t));
    return at == std::string_view::npos ? 0 : CharCount(s, at) + 1;
}

std::string CutByDelimiter(std::string_view s, std::string_view d, TCutMode mode,
                           TOccurrence occurrence)
{
    const int length = CharLen(d);
    int position = CharPos(s, d);
    if (occurrence == occLast && position > 0 && !d.empty()) {
        // Search again behind each occurrence found; occurrences do not overlap.
        std::size_t at = FindAtBoundary(s, d, 0, length);
        for (std::size_t next = at; next != std::string_view::npos;
             next = FindAtBoundary(s, d, at + d.size(), length))
            at = next;
        position = CharCount(s, at) + 1;
    }
    switch (mode) {
    case cutBefore:
        return CharMid(s, 1, position - 1);
    case cutThrough:
        return CharMid(s, 1, position - 1 + length);
    case cutAfter:
        return CharMidFrom(s, position + length);
    case cutFrom:
        return CharMidFrom(s, position);
    }
    return std::string();
}

std::string WithTrailingSeparator(std::string_view path)
{
    std::string result(path);
    if (CharRight(path, 1) != "/")
        result += '/';
    return result;
}

} // namespace tallyrun
