#include "WindowFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

namespace {

WindowFunction window(std::size_t index)
{
    return static_cast<WindowFunction>(index);
}

std::vector<double> windowOf(WindowFunction f, std::size_t count)
{
    std::vector<double> w(count, 1.0);
    applyWindow(f, w.data(), count);
    return w;
}

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-12) << "point " << i;
}

TEST(WindowFunctionTest, KnownValuesOfFivePoints)
{
    expectNear(windowOf(WindowFunction::Hann, 5), {0, 0.5, 1, 0.5, 0});
    expectNear(windowOf(WindowFunction::Triangular, 5), {1.0 / 3, 2.0 / 3, 1, 2.0 / 3, 1.0 / 3});
    expectNear(windowOf(WindowFunction::Welch, 5), {0, 0.75, 1, 0.75, 0});
    expectNear(windowOf(WindowFunction::Sine, 5), {0, std::sqrt(0.5), 1, std::sqrt(0.5), 0});
}

// The ends and the centre of an odd window show a wrong sign or a mistyped coefficient: the
// cosine sums come to a0 ± a1 ± … there.
TEST(WindowFunctionTest, EndsAndCentreOfEveryWindow)
{
    struct Case {
        WindowFunction f;
        double end;
        double centre;
    };
    const Case cases[] = {
        {WindowFunction::Triangular, 1.0 / 51, 1.0},
        {WindowFunction::Welch, 0.0, 1.0},
        {WindowFunction::Sine, 0.0, 1.0},
        {WindowFunction::Hann, 0.0, 1.0},
        {WindowFunction::Hamming, 0.08, 1.0},
        {WindowFunction::Blackman, 0.006879, 0.999999},
        {WindowFunction::Nuttall, 0.0, 1.0},
        {WindowFunction::BlackmanNuttall, 0.0003628, 1.0},
        {WindowFunction::BlackmanHarris, 0.00006, 1.0},
        {WindowFunction::FlatTop, 0.0, 4.636},
        {WindowFunction::Gaussian, std::exp(-2.0), 1.0},
    };
    ASSERT_EQ(std::size(cases), kWindowFunctionCount);
    for (const Case& c : cases) {
        const std::vector<double> w = windowOf(c.f, 101);
        EXPECT_NEAR(w.front(), c.end, 1e-12) << windowFunctionName(std::size_t(c.f));
        EXPECT_NEAR(w[50], c.centre, 1e-12) << windowFunctionName(std::size_t(c.f));
    }
}

TEST(WindowFunctionTest, EveryWindowIsSymmetricAndFinite)
{
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i) {
        for (std::size_t count : {2, 3, 1000}) {
            const std::vector<double> w = windowOf(window(i), count);
            for (std::size_t n = 0; n < count; ++n) {
                ASSERT_TRUE(std::isfinite(w[n])) << windowFunctionName(i) << " " << count;
                ASSERT_EQ(w[n], w[count - 1 - n]) << windowFunctionName(i) << " " << count;
                ASSERT_EQ(w[n], windowValue(window(i), n, count));
            }
        }
    }
}

TEST(WindowFunctionTest, ApplyingMultipliesTheSamples)
{
    const std::size_t count = 64;
    std::vector<double> y(count);
    for (std::size_t n = 0; n < count; ++n)
        y[n] = 3.0 - 0.25 * double(n);
    const std::vector<double> original = y;

    applyWindow(WindowFunction::Blackman, y.data(), count);
    applyWindow(WindowFunction::Blackman, y.data(), count);
    for (std::size_t n = 0; n < count; ++n) {
        const double w = windowValue(WindowFunction::Blackman, n, count);
        EXPECT_NEAR(y[n], original[n] * w * w, 1e-12) << n;
    }
}

// A gap keeps its place in the window: it stays a gap, and every other point gets the weight
// it has without gaps.
TEST(WindowFunctionTest, GapsStayGapsAndWeighNothingElse)
{
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i) {
        std::vector<double> y(9, 1.0);
        y[0] = y[4] = y[8] = NAN;
        applyWindow(window(i), y.data(), y.size());
        const std::vector<double> w = windowOf(window(i), 9);
        for (std::size_t n = 0; n < 9; ++n) {
            if (n % 4 == 0)
                EXPECT_TRUE(std::isnan(y[n])) << windowFunctionName(i) << " " << n;
            else
                EXPECT_EQ(y[n], w[n]) << windowFunctionName(i) << " " << n;
        }
    }
}

TEST(WindowFunctionTest, CurvesTooShortOrUnknownWindowsStayAsTheyAre)
{
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i) {
        applyWindow(window(i), nullptr, 0);
        double one = -7.5;
        applyWindow(window(i), &one, 1);
        EXPECT_EQ(one, -7.5) << windowFunctionName(i);
    }

    std::vector<double> y = {1, 2, 3};
    applyWindow(window(kWindowFunctionCount), y.data(), y.size());
    applyWindow(window(255), y.data(), y.size());
    EXPECT_EQ(y, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(windowValue(window(kWindowFunctionCount), 0, 3), 1.0);
    // Just past the last point is outside the window: no weighting, not the mirrored value.
    EXPECT_EQ(windowValue(WindowFunction::Hann, 5, 5), 1.0);
    EXPECT_EQ(windowValue(WindowFunction::Hann, 9, 5), 1.0);
}

TEST(WindowFunctionTest, NamesInTheOrderOfTheList)
{
    const char* const expected[] = {"Triangular", "Welch",           "Sine",
                                    "Hann",       "Hamming",         "Blackman",
                                    "Nuttall",    "Blackman Nuttall", "Blackman Harris",
                                    "Flat top",   "Gaussian"};
    ASSERT_EQ(std::size(expected), kWindowFunctionCount);
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i)
        EXPECT_EQ(std::string(windowFunctionName(i)), expected[i]) << i;
    EXPECT_EQ(windowFunctionName(kWindowFunctionCount), nullptr);
}

} // namespace
