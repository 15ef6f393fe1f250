#include "platform/heap_release.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tallyrun::platform {

void ReleaseFreeHeap()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace tallyrun::platform
