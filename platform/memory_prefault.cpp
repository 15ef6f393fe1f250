#include "platform/memory_prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace tallyrun::platform {

void PrefaultForWriting(void* data, std::size_t bytes)
{
#if defined(MADV_POPULATE_WRITE)
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    // Failure changes nothing: the pages then come one fault at a time.
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace tallyrun::platform
