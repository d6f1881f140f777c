#pragma once

#include <cstdint>
#include <cstring>

// The engine's not-a-number: a quiet NaN with every fraction bit set. It is the
// value of the constant "NaN" and of an empty expression.
inline double calcNan()
{
    constexpr std::uint64_t bits = 0x7FFFFFFFFFFFFFFFull;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
