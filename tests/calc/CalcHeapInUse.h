#pragma once

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CALC_HEAP_FROM_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define CALC_HEAP_FROM_SANITIZER 1
#endif

#ifdef CALC_HEAP_FROM_SANITIZER
// The sanitizer's runtime has it; not every compiler ships the header naming it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

// The bytes the program's heap holds now. The sanitizer keeps a heap of its
// own, which the C library's statistics do not see.
inline std::size_t calcHeapInUse()
{
#ifdef CALC_HEAP_FROM_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}
