#include "RkNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace Xls;

namespace {

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The number the RK holds before the division by 100: the float form's 30 bits on top of
// 34 zero bits.
double encodedNumber(std::uint32_t rk)
{
    const std::uint64_t bits = std::uint64_t(rk & ~3u) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

TEST(RkNumber, TwoDecimalsAreEncodedTimes100WithBit0Set)
{
    std::uint32_t rk = 0;
    ASSERT_TRUE(encodeRk(12.34, rk));
    EXPECT_EQ(rk, 0x40934801u);
    EXPECT_EQ(rk & 3u, 1u);
    EXPECT_EQ(encodedNumber(rk), 1234.0);
    EXPECT_EQ(decodeRk(rk), 12.34);
}

TEST(RkNumber, ShortMantissasAreEncodedAsThemselvesWithBit0Clear)
{
    std::uint32_t rk = 0;
    ASSERT_TRUE(encodeRk(5.0, rk));
    EXPECT_EQ(rk, 0x40140000u);
    EXPECT_EQ(rk & 3u, 0u);
    // 0.125 is a power of two: its double has no low bits, so the float form holds it exactly.
    ASSERT_TRUE(encodeRk(0.125, rk));
    EXPECT_EQ(rk, 0x3FC00000u);
    EXPECT_EQ(decodeRk(rk), 0.125);
    ASSERT_TRUE(encodeRk(2.5, rk));
    EXPECT_EQ(decodeRk(rk), 2.5);
}

TEST(RkNumber, ValuesWithoutAnExactFloatFormHaveNoRk)
{
    std::uint32_t rk = 0;
    // Passes a two-decimal test, but 12345678 needs more mantissa bits than the RK keeps.
    EXPECT_FALSE(encodeRk(123456.78, rk));
    EXPECT_FALSE(encodeRk(1e300, rk));
    EXPECT_FALSE(encodeRk(0.1 + 0.2, rk));
    EXPECT_FALSE(encodeRk(1.0 / 3.0, rk));
    EXPECT_FALSE(encodeRk(2147483647.5, rk));
    EXPECT_FALSE(encodeRk(std::numeric_limits<double>::denorm_min(), rk));
}

TEST(RkNumber, SignOfZeroAndSpecialValuesSurvive)
{
    std::uint32_t rk = 0;
    ASSERT_TRUE(encodeRk(-0.0, rk));
    EXPECT_EQ(bitsOf(decodeRk(rk)), bitsOf(-0.0));
    ASSERT_TRUE(encodeRk(-12.34, rk));
    EXPECT_EQ(decodeRk(rk), -12.34);
    ASSERT_TRUE(encodeRk(std::numeric_limits<double>::infinity(), rk));
    EXPECT_EQ(decodeRk(rk), std::numeric_limits<double>::infinity());
}

TEST(RkNumber, IntegerFormIsRead)
{
    EXPECT_EQ(decodeRk(0x00000016u), 5.0);
    EXPECT_EQ(decodeRk(0x02F1853Bu), 123456.78);
    EXPECT_EQ(decodeRk(0xFFFFFFFEu), -1.0);
}

// Whatever the value, an RK that is written decodes to the very same double.
TEST(RkNumber, EveryEncodedValueDecodesExactly)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> cents(-100000000, 100000000);
    std::uniform_real_distribution<double> reals(-1e6, 1e6);
    int encoded = 0;
    for (int i = 0; i < 200000; ++i) {
        const double twoDecimals = double(cents(random)) / 100.0;
        // A neighbour of a two-decimal value: times 100 it may round to an exact integer,
        // which divided by 100 is the two-decimal value, not the neighbour.
        const double values[] = {twoDecimals, std::nextafter(twoDecimals, 1e9), double(cents(random)),
                                 reals(random), std::ldexp(double(cents(random) % 4096), int(cents(random) % 200))};
        for (double value : values) {
            std::uint32_t rk = 0;
            if (encodeRk(value, rk)) {
                ++encoded;
                ASSERT_EQ(bitsOf(decodeRk(rk)), bitsOf(value)) << value;
            }
        }
    }
    EXPECT_GT(encoded, 200000);
}
