// Character-wise text helpers shared by the scanner and the main window. Texts are UTF-8 byte
// strings; a character is one code point, and a byte that is not part of valid UTF-8 counts as
// one character of its own, so no cut ever splits a valid character. Positions start at 1.
#pragma once

#include <string>
#include <string_view>

namespace tallyrun {

int CharLen(std::string_view s);
std::string CharMidFrom(std::string_view s, int p);
std::string CharMid(std::string_view s, int p, int n);
std::string CharLeft(std::string_view s, int n);
std::string CharRight(std::string_view s, int n);
int CharPos(std::string_view s, std::string_view t);

enum TCutMode
{
    cutBefore,
    cutThrough,
    cutAfter,
    cutFrom
};
enum TOccurrence
{
    occFirst,
    occLast
};
std::string CutByDelimiter(std::string_view s, std::string_view d, TCutMode mode,
                           TOccurrence occurrence);

// The path ending in "/"; an empty path gives "/".
std::string WithTrailingSeparator(std::string_view path);

// A byte count rounded to a whole number with the user locale's thousands grouping; "0" for
// a number that rounds to zero.
std::string FormatThousands(double x);

} // namespace tallyrun
