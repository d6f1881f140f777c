#include "FilterTestData.h"
#include "SavitzkyGolay.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

struct Coefficients {
    std::size_t window;
    std::size_t order;
    std::vector<double> numerators;
    double denominator;
};

void PrintTo(const Coefficients& c, std::ostream* out) { *out << "window " << c.window << " order " << c.order; }

class SavitzkyGolayCoefficientsTest : public ::testing::TestWithParam<Coefficients>
{
};

// The convolution coefficients as the method's tables list them.
TEST_P(SavitzkyGolayCoefficientsTest, TheCentreWeightsAreTheClassicCoefficients)
{
    const Coefficients c = GetParam();
    const std::vector<double> w = SavitzkyGolay(c.window, c.order).weights(c.window / 2);
    ASSERT_EQ(w.size(), c.window);
    for (std::size_t j = 0; j < c.window; ++j)
        EXPECT_NEAR(w[j], c.numerators[j] / c.denominator, 1e-14) << j;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SavitzkyGolayCoefficientsTest,
    ::testing::Values(Coefficients{5, 2, {-3, 12, 17, 12, -3}, 35}, Coefficients{5, 3, {-3, 12, 17, 12, -3}, 35},
                      Coefficients{7, 2, {-2, 3, 6, 7, 6, 3, -2}, 21},
                      Coefficients{9, 2, {-21, 14, 39, 54, 59, 54, 39, 14, -21}, 231},
                      Coefficients{7, 4, {5, -30, 75, 131, 75, -30, 5}, 231},
                      Coefficients{3, 0, {1, 1, 1}, 3}, Coefficients{1, 0, {1}, 1}));

double cubic(double t)
{
    return 0.5 - 2 * t + 0.25 * t * t - 0.01 * t * t * t;
}

struct RunCase {
    std::size_t points;
    std::size_t window;
    std::size_t order;
};

void PrintTo(const RunCase& r, std::ostream* out)
{
    *out << r.points << " points, window " << r.window << " order " << r.order;
}

class SavitzkyGolayRunTest : public ::testing::TestWithParam<RunCase>
{
};

// A least-squares fit reproduces any polynomial of its degree, at the ends of a run, and in a
// run shorter than the window, as well as inside.
TEST_P(SavitzkyGolayRunTest, APolynomialOfTheOrderComesBackEverywhere)
{
    const RunCase r = GetParam();
    std::vector<double> x(r.points);
    std::vector<double> y(r.points);
    for (std::size_t i = 0; i < r.points; ++i) {
        x[i] = double(i);
        y[i] = cubic(double(i));
    }
    const std::vector<double> smooth = SavitzkyGolay(r.window, r.order).smooth(x.data(), y.data(), r.points);
    ASSERT_EQ(smooth.size(), r.points);
    for (std::size_t i = 0; i < r.points; ++i)
        EXPECT_NEAR(smooth[i], y[i], 1e-9 * (1 + std::abs(y[i]))) << i;
}

INSTANTIATE_TEST_SUITE_P(Runs, SavitzkyGolayRunTest,
                         ::testing::Values(RunCase{50, 5, 3}, RunCase{50, 21, 4}, RunCase{5, 5, 3}, RunCase{4, 7, 3},
                                           RunCase{2, 5, 3}, RunCase{1, 5, 3}, RunCase{0, 5, 3}));

TEST(SavitzkyGolayTest, TheEndsFollowTheFitOfTheFirstAndLastWindow)
{
    const FilterTestData d = FilterTestData::random(30);
    const SavitzkyGolay filter(7, 2);
    const std::vector<double> smooth = filter.smooth(d.x.data(), d.y.data(), 30);
    for (std::size_t at = 0; at < 7; ++at) {
        const std::vector<double> w = filter.weights(at);
        double head = 0;
        double tail = 0;
        for (std::size_t j = 0; j < 7; ++j) {
            head += w[j] * d.y[j];
            tail += w[j] * d.y[23 + j];
        }
        if (at <= 3) {
            EXPECT_NEAR(smooth[at], head, 1e-12) << at;
        }
        if (at >= 3) {
            EXPECT_NEAR(smooth[23 + at], tail, 1e-12) << at;
        }
    }
}

TEST(SavitzkyGolayTest, GapsSplitTheRuns)
{
    std::vector<double> x = {0, 1, 2, 3, 4, 5};
    std::vector<double> y = {0, 1, 4, std::numeric_limits<double>::quiet_NaN(), 100, 100};
    const std::vector<double> smooth = SavitzkyGolay(5, 2).smooth(x.data(), y.data(), 6);
    EXPECT_NEAR(smooth[0], 0, 1e-12);
    EXPECT_NEAR(smooth[2], 4, 1e-12);
    EXPECT_TRUE(std::isnan(smooth[3]));
    EXPECT_NEAR(smooth[4], 100, 1e-12);
}

TEST(SavitzkyGolayTest, WindowsAndOrdersOutsideTheMethodAreRefused)
{
    EXPECT_THROW(SavitzkyGolay(4, 2), std::invalid_argument);
    EXPECT_THROW(SavitzkyGolay(5, 5), std::invalid_argument);
    EXPECT_THROW(SavitzkyGolay(31, SavitzkyGolay::kMaxOrder + 1), std::invalid_argument);
    EXPECT_NO_THROW(SavitzkyGolay(31, SavitzkyGolay::kMaxOrder));
    EXPECT_NO_THROW(SavitzkyGolay(SavitzkyGolay::kMaxWindow, 2));
    EXPECT_THROW(SavitzkyGolay(SavitzkyGolay::kMaxWindow + 2, 2), std::invalid_argument);
}

} // namespace
