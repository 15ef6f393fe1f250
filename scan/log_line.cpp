#include "scan/log_line.h"

#include "base/utf8_chars.h"

#include <cstdio>

namespace tallyrun {

namespace {

// The bytes that may start a character needing an escape: C0 controls, DEL, and the lead
// bytes of C1 controls (0xC2) and of the line and paragraph separators (0xE2).
struct TEscapeStarts
{
    bool starts[256] = {};
    constexpr TEscapeStarts()
    {
        for (int c = 0; c < 0x20; ++c)
            starts[c] = true;
        starts[0x7F] = starts[0xC2] = starts[0xE2] = true;
    }
};
constexpr TEscapeStarts kEscapeStarts;

bool NeedsEscape(unsigned char c)
{
    return kEscapeStarts.starts[c];
}

void AppendHex(const char* format, unsigned value, std::string& out)
{
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    out += text;
}

// Writes the escape of the character at `i` if it needs one and returns its length in bytes;
// 0 when it is to be copied as it is.
std::size_t EscapeChar(std::string_view path, std::size_t i, std::string& out)
{
    const auto c = static_cast<unsigned char>(path[i]);
    if (c < 0x20 || c == 0x7F) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            AppendHex("\\x%02X", c, out);
        }
        return 1;
    }
    const std::size_t length = CharBytesAt(path, i);
    const auto next = length > 1 ? static_cast<unsigned char>(path[i + 1]) : 0u;
    if (c == 0xC2 && length == 2 && next < 0xA0) { // U+0080..U+009F, among them NEL
        AppendHex("\\u%04X", next, out);
        return 2;
    }
    if (c == 0xE2 && length == 3 && next == 0x80) {
        const auto last = static_cast<unsigned char>(path[i + 2]);
        if (last == 0xA8 || last == 0xA9) { // U+2028, U+2029
            AppendHex("\\u%04X", 0x2000u + (last - 0x80u), out);
            return 3;
        }
    }
    return 0;
}

} // namespace

void AppendEscapedPath(std::string_view path, std::string& out)
{
    std::size_t copied = 0; // bytes of `path` already in `out`
    std::string escaped;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!NeedsEscape(static_cast<unsigned char>(path[i])))
            continue;
        escaped.clear();
        const std::size_t length = EscapeChar(path, i, escaped);
        if (length == 0)
            continue;
        out.append(path.substr(copied, i - copied));
        out += escaped;
        i += length - 1;
        copied = i + 1;
    }
    out.append(path.substr(copied));
}

} // namespace tallyrun
