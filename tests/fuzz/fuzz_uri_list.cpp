// Feeds arbitrary bytes to the file-name list reader of a drop and checks that what it accepts
// holds only absolute paths without NUL or control bytes, and that a written URL reads back.
#include "shelltree/drop_uri_list.h"

#include <cstdint>
#include <string_view>

using namespace tallyrun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view payload(reinterpret_cast<const char*>(data), size);
    const TUriListResult result = ParseUriList(payload);
    if (result.ok == result.paths.empty())
        __builtin_trap();
    for (const std::string& path : result.paths) {
        if (path.empty() || path.front() != '/')
            __builtin_trap();
        for (const char c : path)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                __builtin_trap();
        const TUriListResult back = ParseUriList(FileUrlOfPath(path));
        if (!back.ok || back.paths.size() != 1 || back.paths.front() != path)
            __builtin_trap();
    }
    return 0;
}
