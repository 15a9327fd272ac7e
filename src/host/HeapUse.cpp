// The bytes the program holds on the heap, for scripted runs that watch for growth.
#include "host/HeapUse.h"

#if defined(__SANITIZE_ADDRESS__)
#define TINTROW_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TINTROW_ASAN 1
#endif
#endif

#ifdef TINTROW_ASAN
// The sanitizer runtime's own count; GCC ships no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace host {

size_t heapBytesInUse()
{
#ifdef TINTROW_ASAN
    // malloc's own statistics are not kept under the sanitizer's allocator.
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

} // namespace host
