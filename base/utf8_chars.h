// Character walking over UTF-8 byte strings: a character is one well-formed UTF-8 sequence, or
// one byte that is not part of one. The one character rule of the program: the scanner's
// string helpers and the chart's mark texts count and cut by it.
#pragma once

#include <cstddef>
#include <string_view>

namespace tallyrun {

// Length in bytes (1 to 4) of the character starting at byte `i` of `s`; `i` < s.size().
std::size_t CharBytesAt(std::string_view s, std::size_t i);

// Byte offset of the character numbered `p` (counted from 1), walking from the start; s.size()
// when the text has fewer characters.
std::size_t ByteOffsetOfChar(std::string_view s, int p);

// Byte offset reached after walking `n` characters from byte `from`, at most s.size().
std::size_t AdvanceChars(std::string_view s, std::size_t from, int n);

} // namespace tallyrun
