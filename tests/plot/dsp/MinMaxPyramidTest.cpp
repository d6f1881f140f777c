#include "MinMaxPyramid.h"

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Samples at 41 levels, with a gap now and then.
std::vector<double> noisy(std::size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> level(-20, 20);
    std::vector<double> y(count);
    for (std::size_t i = 0; i < count; ++i)
        y[i] = level(random) * 0.5;
    for (std::size_t i = 700; i < count; i += 4099)
        y[i] = NAN;
    return y;
}

TEST(MinMaxPyramidTest, TakesAtMostASixteenthOfTheSamples)
{
    const std::vector<double> y = noisy(100003, 1);
    MinMaxPyramid pyramid;
    pyramid.build(y.data(), y.size());
    EXPECT_LE(pyramid.memoryBytes(), 2 * sizeof(double) * y.size() / 16);
    pyramid.build(y.data(), MinMaxPyramid::kFinestBlock - 1);
    EXPECT_EQ(pyramid.memoryBytes(), 0u);
}

// Every sample of the range is in exactly one taken block or handed over on its own, in order,
// and no block with a gap is offered.
TEST(MinMaxPyramidTest, VisitCoversTheRangeOnceInOrder)
{
    const std::vector<double> y = noisy(20000, 2);
    MinMaxPyramid pyramid;
    pyramid.build(y.data(), y.size());
    for (std::size_t first : {0, 1, 31, 32, 5000}) {
        for (std::size_t last : {19999, 19967, 12345}) {
            std::size_t next = first;
            const auto block = [&](int, std::size_t, std::size_t from, std::size_t to, double low, double high) {
                EXPECT_EQ(from, next);
                for (std::size_t i = from; i <= to; ++i)
                    EXPECT_TRUE(y[i] >= low && y[i] <= high) << i;
                // Declined blocks are offered again as halves.
                const bool taken = from % 3 != 0;
                if (taken)
                    next = to + 1;
                return taken;
            };
            pyramid.visit(first, last, block, [&](std::size_t i) { EXPECT_EQ(i, next++); });
            EXPECT_EQ(next, last + 1) << first << ".." << last;
        }
    }
}

} // namespace
