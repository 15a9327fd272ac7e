// A global operator new that counts, for checks that a path allocates nothing. It replaces the
// program's own, so include it in one file of a program only.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace support {
inline std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++support::allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The replacements pair malloc with free; once inlined, the compiler cannot see that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop
