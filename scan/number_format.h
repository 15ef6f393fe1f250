// The pieces of FormatThousands, for callers that format many numbers in a row and look the
// separator up once.
#pragma once

#include <string>
#include <string_view>

namespace tallyrun {

// The thousands separator of the user's locale (Qt's default locale) as UTF-8.
std::string GroupSeparatorOfUserLocale();

// `x` rounded to a whole number, digits grouped by three with `separator`; "0" for a number
// that rounds to zero.
std::string FormatGrouped(double x, const std::string& separator);
// The same, appended to `out`.
void AppendGrouped(double x, std::string_view separator, std::string& out);

} // namespace tallyrun
