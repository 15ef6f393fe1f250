// libFuzzer target: the ELF section finder over an arbitrary file image held in memory.
#include "platform/elf_section.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tallyrun::platform::TReadAt readAt = [&](std::uint64_t offset, std::size_t count,
                                                   void* out) {
        if (offset > size || count > size - offset)
            return false;
        std::memcpy(out, data + offset, count);
        return true;
    };
    for (const char* name : {".tallyrun_version", ".shstrtab", ""})
        tallyrun::platform::FindElfSection(readAt, size, name, 1 << 16);
    return 0;
}
