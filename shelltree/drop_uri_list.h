// Reading the file-name list of a drop: a text/uri-list payload of local file URLs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrun {

// Bounds on what a drop may hand us: larger payloads are refused whole.
inline constexpr std::size_t kUriListMaxBytes = 4u * 1024 * 1024;
inline constexpr std::size_t kUriListMaxEntries = 10000;

struct TUriListResult
{
    bool ok = false;
    std::vector<std::string> paths; // raw path bytes, percent-decoded, never re-encoded
    std::string error;              // why the payload was refused; empty when ok
};

// Parses a text/uri-list payload. Lines end in CRLF or LF; empty lines and `#` comment lines
// are skipped. Every other line must be a `file` URL with an empty or `localhost` host and an
// absolute path whose decoded bytes hold no NUL and no control character. One bad line, too
// many lines or too many bytes refuses the whole payload, so no file is touched for a list that
// was only partly understood. An empty list is refused too: there is nothing to drop.
TUriListResult ParseUriList(std::string_view payload);

// The text/uri-list line for a raw absolute path: `file://` and the path with every byte
// outside the unreserved set and `/` percent-encoded.
std::string FileUrlOfPath(std::string_view path);

} // namespace tallyrun
