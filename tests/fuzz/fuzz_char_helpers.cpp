// The character helpers and the log's path escaping take file names, which may hold any bytes:
// no input may crash them, every cut must rejoin to the text, and an escaped path never holds a
// line break or another control byte.
#include "scan/log_line.h"
#include "scan/string_helpers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tallyrun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int n = data[0] % 16;
    const std::size_t split = 2 + data[1] % 8;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string delimiter = text.substr(0, split < text.size() ? split % 3 : 0);

    const int length = CharLen(text);
    if (length < 0 || static_cast<std::size_t>(length) > text.size())
        std::abort();
    if (CharLeft(text, n) + CharMidFrom(text, n + 1) != text)
        std::abort();
    if (CharMid(text, n, n).size() > text.size() || CharRight(text, n).size() > text.size())
        std::abort();
    for (const TCutMode mode : {cutBefore, cutThrough, cutAfter, cutFrom})
        for (const TOccurrence occurrence : {occFirst, occLast})
            if (CutByDelimiter(text, delimiter, mode, occurrence).size() > text.size())
                std::abort();
    const int position = CharPos(text, delimiter);
    if (position < 0 || position > length)
        std::abort();

    std::string escaped;
    AppendEscapedPath(text, escaped);
    for (const char c : escaped)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            std::abort();
    return 0;
}
