#include "base/utf8_chars.h"

namespace tallyrun {

namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

std::size_t CharBytesAt(std::string_view s, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;  // allowed range of the second byte, which rules out
    unsigned char high = 0xBF; // overlong forms, surrogates and code points over U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 1;
    }
    if (i + length > s.size() || at(i + 1) < low || at(i + 1) > high)
        return 1;
    for (std::size_t k = 2; k < length; ++k)
        if (!IsContinuation(at(i + k)))
            return 1;
    return length;
}

std::size_t ByteOffsetOfChar(std::string_view s, int p)
{
    return AdvanceChars(s, 0, p - 1);
}

std::size_t AdvanceChars(std::string_view s, std::size_t from, int n)
{
    std::size_t i = from;
    for (int k = 0; k < n && i < s.size(); ++k)
        i += CharBytesAt(s, i);
    return i < s.size() ? i : s.size();
}

} // namespace tallyrun
