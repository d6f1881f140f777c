#include "RkNumber.h"

#include <cstring>

namespace Xls {

namespace {

const std::uint32_t times100Bit = 0x1;
const std::uint32_t integerBit = 0x2;

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The float form of `value`, which exists when the low 34 bits of its double are zero.
bool floatForm(double value, std::uint32_t& rk)
{
    const std::uint64_t bits = bitsOf(value);
    if ((bits & 0x3FFFFFFFFull) != 0)
        return false;
    rk = std::uint32_t(bits >> 32);
    return true;
}

} // namespace

bool encodeRk(double value, std::uint32_t& rk)
{
    if (floatForm(value, rk))
        return true;
    std::uint32_t scaled;
    if (floatForm(value * 100.0, scaled) && bitsOf(decodeRk(scaled | times100Bit)) == bitsOf(value)) {
        rk = scaled | times100Bit;
        return true;
    }
    return false;
}

double decodeRk(std::uint32_t rk)
{
    double value;
    if (rk & integerBit)
        value = double(std::int32_t(rk & ~std::uint32_t(3)) / 4);
    else
        value = doubleOf(std::uint64_t(rk & ~std::uint32_t(3)) << 32);
    return (rk & times100Bit) ? value / 100.0 : value;
}

} // namespace Xls
