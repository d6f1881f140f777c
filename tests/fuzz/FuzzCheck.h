#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The checks of the fuzz targets. A broken property aborts, so that libFuzzer keeps the input
// that broke it; assert() would vanish from the RelWithDebInfo build, which defines NDEBUG.
namespace fuzz {

inline void check(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: property broken: %s\n", property);
    std::abort();
}

// Doubles are compared by their bits: NaN payloads, signs of zero and infinities all count.
inline std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace fuzz
