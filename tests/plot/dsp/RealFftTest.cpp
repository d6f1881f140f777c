#include "RealFft.h"

#include "DftReference.h"
#include "FftPlanCache.h"

#include <gtest/gtest.h>

#include <complex>
#include <new>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

std::vector<double> randomValues(std::size_t n, unsigned seed)
{
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<double> values(n);
    for (double& v : values)
        v = uniform(generator);
    return values;
}

std::vector<std::complex<double>> spectrum(const std::vector<double>& values)
{
    const RealFft plan(values.size());
    std::vector<std::complex<double>> bins(plan.bins());
    plan.forward(values.data(), bins.data());
    return bins;
}

TEST(RealFftTest, UnscaledNonNegativeBinsMatchALongDoubleDft)
{
    // Odd and even, each radix, primes and products with a prime above 7; an even length of
    // 2 and of twice an odd number leave the middle bin alone or pair every bin.
    for (std::size_t n : {1u, 2u, 3u, 4u, 6u, 7u, 10u, 16u, 30u, 49u, 60u, 210u, 840u, 97u,
                          1009u, 2018u, 858u}) {
        const std::vector<double> x = randomValues(n, unsigned(n));
        const RealFft plan(n);
        EXPECT_EQ(plan.size(), n);
        ASSERT_EQ(plan.bins(), n / 2 + 1);
        const auto reference = referenceDft(x, std::vector<double>(n, 0.0), allBins(n / 2 + 1));
        const std::vector<std::complex<double>> got = spectrum(x);
        EXPECT_LE(relativeErrorOf(reference, [&](std::size_t k) {
                      return std::complex<long double>(got[k].real(), got[k].imag());
                  }),
                  1e-14)
            << n;
    }
}

TEST(RealFftTest, SmallSpectraByHand)
{
    // 1, 2, 3, 4 → 10, −2 + 2i, −2; 1, 2, 3 → 6, −3/2 + i·√3/2.
    EXPECT_EQ(spectrum({1, 2, 3, 4}),
              (std::vector<std::complex<double>>{{10, 0}, {-2, 2}, {-2, 0}}));
    const std::vector<std::complex<double>> three = spectrum({1, 2, 3});
    EXPECT_NEAR(three[0].real(), 6.0, 1e-15);
    EXPECT_NEAR(three[1].real(), -1.5, 1e-15);
    EXPECT_NEAR(three[1].imag(), std::sqrt(3.0) / 2, 1e-15);
    EXPECT_EQ(spectrum({2.5}), (std::vector<std::complex<double>>{{2.5, 0}}));
}

TEST(RealFftTest, APlanIsMadeOncePerLengthAndThread)
{
    const RealFft& plan = realFftPlan(4800);
    EXPECT_EQ(plan.size(), 4800u);
    EXPECT_EQ(&realFftPlan(4800), &plan);
    EXPECT_EQ(realFftPlan(97).size(), 97u);
    EXPECT_EQ(&realFftPlan(4800), &plan);
    const RealFft* elsewhere = nullptr;
    std::thread([&] { elsewhere = &realFftPlan(4800); }).join();
    EXPECT_NE(elsewhere, &plan);
}

// Counts the plans made, so a test sees which lengths the cache kept.
struct CountedPlan {
    explicit CountedPlan(std::size_t n)
        : n(n)
    {
        ++made;
    }
    std::size_t size() const { return n; }
    std::size_t n;
    static inline int made = 0;
};

TEST(RealFftTest, APlanOfAWholeLongCurveIsTheOnlyOneKeptBesideNone)
{
    FftPlanCache<CountedPlan> cache(8);
    const std::size_t huge = FftPlanCache<CountedPlan>::kPointBudget;
    cache.planFor(4096);
    cache.planFor(1000);
    cache.planFor(4096);
    EXPECT_EQ(CountedPlan::made, 2);
    cache.planFor(huge);
    cache.planFor(4096);
    EXPECT_EQ(CountedPlan::made, 4) << "the small plans went to make room for the huge one";
    cache.planFor(huge);
    EXPECT_EQ(CountedPlan::made, 5) << "the huge plan went once a small one came after it";
}

TEST(RealFftTest, NoValuesOrTooManyAreRefused)
{
    EXPECT_THROW(RealFft(0), std::invalid_argument);
    EXPECT_THROW(RealFft(std::size_t(1) << 33), std::bad_alloc);
}

} // namespace
