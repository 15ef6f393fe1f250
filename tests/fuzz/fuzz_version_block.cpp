// libFuzzer target: the version block reader over arbitrary bytes. Every key is read; the
// only error allowed out is the translation-table error.
#include "app/version_block.h"
#include "app/version_info.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> block(data, size);
    for (int key = tallyrun::vkComments; key <= tallyrun::vkSpecialBuild; ++key) {
        try {
            tallyrun::VersionStringFromBlock(block, key);
        } catch (const tallyrun::EVersionInfoError&) {
        }
    }
    const tallyrun::TVersionBlock version(block);
    for (const char* path : {"\\", "\\StringFileInfo\\041103A4\\ProductName", "\\\\\\x"}) {
        if (const auto value = version.QueryValue(path))
            tallyrun::VersionText(*value);
    }
    return 0;
}
