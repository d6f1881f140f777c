#include "CalcRandomGenerator.h"

#include <cstdint>

namespace {
thread_local std::uint32_t state = 1;
}

// The linear congruential generator of the classic C library example.
int CalcRandomGenerator::next()
{
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state / 65536u) % 32768u);
}
