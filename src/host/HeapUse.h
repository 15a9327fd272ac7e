// The bytes the program holds on the heap, for scripted runs that watch for growth.
#pragma once

#include <cstddef>

namespace host {

// As the allocator counts them: AddressSanitizer's count in a sanitizer build, else malloc's.
size_t heapBytesInUse();

} // namespace host
