#include "MinMaxPyramid.h"
#include "NoisySamples.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(MinMaxPyramidTest, TakesAtMostASixteenthOfTheSamples)
{
    const std::vector<double> y = noisySamples(100003, 1);
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
    const std::vector<double> y = noisySamples(20000, 2);
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
