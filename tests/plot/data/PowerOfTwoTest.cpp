#include "PowerOfTwo.h"

#include <gtest/gtest.h>

namespace {

TEST(PowerOfTwoTest, NeverAboveTheCountRead)
{
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 4}, {7, 4}, {1000, 512}, {1024, 1024}, {1025, 1024},
        {std::size_t(1) << 40, std::size_t(1) << 40}, {~std::size_t(0), std::size_t(1) << 63},
    };
    for (const auto& c : cases)
        EXPECT_EQ(powerOfTwoCount(c.first), c.second) << c.first;
}

} // namespace
