// The text of a folder-total log line. A path is written as its bytes, except characters that
// would break the line or could not be seen: C0 controls and DEL become \n, \r, \t or \xNN, C1
// controls and the Unicode line and paragraph separators become \uNNNN. A backslash and "%" are
// written as they are; bytes that are not valid UTF-8 are kept as they are and only the display
// decodes them.
#pragma once

#include <string>
#include <string_view>

namespace tallyrun {

// Appends `path` to `out`, escaped as above.
void AppendEscapedPath(std::string_view path, std::string& out);

} // namespace tallyrun
