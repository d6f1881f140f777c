#include "SamplingCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

std::vector<double> evenTimes(std::size_t count, double step)
{
    std::vector<double> x(count);
    for (std::size_t i = 0; i < count; ++i)
        x[i] = 2.0 + double(i) * step;
    return x;
}

TEST(SamplingCheckTest, EvenSamplingGivesTheRateAndNoWarning)
{
    const std::vector<double> x = evenTimes(1000, 1.0 / 48000);
    const SamplingCheck check = checkSampling(x.data(), x.size());
    EXPECT_NEAR(check.rate, 48000.0, 1e-6);
    EXPECT_LT(check.jitter, 1e-6);
    EXPECT_EQ(check.gaps, 0u);
    EXPECT_FALSE(check.warns());
}

TEST(SamplingCheckTest, JitterWarns)
{
    std::vector<double> x = evenTimes(1000, 0.001);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> shift(-0.00001, 0.00001);
    for (double& t : x)
        t += shift(random);
    const SamplingCheck check = checkSampling(x.data(), x.size());
    // Two independent uniform shifts of ±1 % of a step: an RMS of 1 % / sqrt(1.5).
    EXPECT_NEAR(check.jitter, 0.01 / std::sqrt(1.5), 0.001);
    EXPECT_EQ(check.gaps, 0u);
    EXPECT_TRUE(check.warns());
}

TEST(SamplingCheckTest, MissingSamplesAreGaps)
{
    std::vector<double> x = evenTimes(100, 0.5);
    x.erase(x.begin() + 40);
    x.erase(x.begin() + 70, x.begin() + 73);
    const SamplingCheck check = checkSampling(x.data(), x.size());
    EXPECT_EQ(check.rate, 2.0);
    EXPECT_EQ(check.gaps, 2u);
    EXPECT_TRUE(check.warns());
}

TEST(SamplingCheckTest, StepsAtGapsInXAreSkipped)
{
    std::vector<double> x = evenTimes(50, 0.25);
    x[10] = NAN;
    const SamplingCheck check = checkSampling(x.data(), x.size());
    EXPECT_EQ(check.rate, 4.0);
    EXPECT_EQ(check.jitter, 0.0);
    EXPECT_FALSE(check.warns());
}

TEST(SamplingCheckTest, NoRateWithoutSteps)
{
    const double one = 3.0;
    EXPECT_EQ(checkSampling(&one, 1).rate, 0.0);
    EXPECT_EQ(checkSampling(nullptr, 0).rate, 0.0);
    const std::vector<double> same(10, 1.0);
    EXPECT_EQ(checkSampling(same.data(), same.size()).rate, 0.0);
    EXPECT_FALSE(checkSampling(same.data(), same.size()).warns());
}

} // namespace
