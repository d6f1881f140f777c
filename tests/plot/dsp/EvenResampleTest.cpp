#include "EvenResample.h"
#include "FilterTestData.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EvenResampleTest, ALineComesBackOnTheEvenStepsUpToItsLastX)
{
    const std::vector<double> x = FilterTestData::unevenX(30, 0, 0.1);
    std::vector<double> y;
    for (double t : x)
        y.push_back(4 * t - 1);
    const Resampled even = resampleEvenly(x.data(), y.data(), x.size(), 0.05, 1000);
    ASSERT_EQ(even.x.size(), std::size_t(std::floor(x.back() / 0.05)) + 1);
    for (std::size_t k = 0; k < even.x.size(); ++k) {
        EXPECT_EQ(even.x[k], double(k) * 0.05);
        EXPECT_NEAR(even.y[k], 4 * even.x[k] - 1, 1e-12) << k;
    }
}

// 0 to 1 by 0.1 is eleven points though 1 / 0.1 rounds below 10.
TEST(EvenResampleTest, TheLastStepIsKeptDespiteRounding)
{
    const double x[] = {0, 1};
    const double y[] = {0, 1};
    const Resampled even = resampleEvenly(x, y, 2, 0.1, 100);
    ASSERT_EQ(even.x.size(), 11u);
    EXPECT_EQ(even.x.back(), 1.0);
    EXPECT_EQ(even.y.back(), 1.0);
}

TEST(EvenResampleTest, GapsShortCurvesAndRefusals)
{
    const double x[] = {0, 1, 2, 3};
    const double y[] = {0, kNaN, 2, 3};
    const Resampled even = resampleEvenly(x, y, 4, 0.5, 100);
    ASSERT_EQ(even.y.size(), 7u);
    EXPECT_TRUE(std::isnan(even.y[1]));
    EXPECT_TRUE(std::isnan(even.y[3]));
    EXPECT_EQ(even.y[5], 2.5);
    EXPECT_TRUE(resampleEvenly(x, y, 0, 0.5, 100).x.empty());
    EXPECT_EQ(resampleEvenly(x + 3, y + 3, 1, 0.5, 100).y, std::vector<double>{3});
    EXPECT_THROW(resampleEvenly(x, y, 4, 0, 100), std::invalid_argument);
    EXPECT_THROW(resampleEvenly(x, y, 4, kNaN, 100), std::invalid_argument);
    EXPECT_THROW(resampleEvenly(x, y, 4, 0.5, 6), std::invalid_argument);
    EXPECT_NO_THROW(resampleEvenly(x, y, 4, 0.5, 7));
    const double backwards[] = {0, 2, 1};
    EXPECT_THROW(resampleEvenly(backwards, backwards, 3, 0.5, 100), std::invalid_argument);
}

} // namespace
