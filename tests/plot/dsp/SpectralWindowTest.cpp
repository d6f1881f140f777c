#include "SpectralWindow.h"
#include "WindowFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

constexpr std::size_t kRectangular = 11;

// A periodic window of N points is the symmetric window of N + 1 points less its last.
TEST(SpectralWindowTest, PeriodicWindowsAreSymmetricWindowsOfOneMorePoint)
{
    for (std::size_t i = 0; i < kWindowFunctionCount; ++i) {
        for (std::size_t length : {2, 7, 64}) {
            const SpectralWindow window(i, length);
            ASSERT_EQ(window.size(), length);
            for (std::size_t n = 0; n < length; ++n) {
                EXPECT_NEAR(window.values()[n],
                            windowValue(static_cast<WindowFunction>(i), n, length + 1), 1e-14)
                    << spectralWindowName(i) << " " << length << " " << n;
            }
        }
    }
}

TEST(SpectralWindowTest, OnePointAndUnknownWindowsAreRectangular)
{
    EXPECT_EQ(SpectralWindow(3, 1).values(), std::vector<double>{1.0});
    EXPECT_EQ(SpectralWindow(3, 0).size(), 1u);
    const SpectralWindow unknown(kSpectralWindowCount, 4);
    EXPECT_EQ(unknown.index(), kRectangular);
    EXPECT_EQ(unknown.values(), std::vector<double>(4, 1.0));
}

TEST(SpectralWindowTest, NamesAndTheirIndices)
{
    EXPECT_STREQ(spectralWindowName(kRectangular), "Rectangular");
    EXPECT_STREQ(spectralWindowName(9), "Flat top");
    EXPECT_EQ(spectralWindowName(kSpectralWindowCount), nullptr);
    const std::pair<const char*, int> cases[] = {
        {"blackmanharris", 8}, {"Flat top", 9}, {"hann", 3},    {" Blackman\tNuttall ", 7},
        {"RECTANGULAR", 11},   {"Blackman", 5}, {"boxcar", -1}, {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spectralWindowIndex(c.first), c.second) << c.first;
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i)
        EXPECT_EQ(spectralWindowIndex(spectralWindowName(i)), int(i));
}

TEST(SpectralWindowTest, SumsAndNoiseBandwidth)
{
    const SpectralWindow hann(3, 1000);
    EXPECT_NEAR(hann.sum(), 500.0, 1e-9);
    EXPECT_NEAR(hann.sumOfSquares(), 375.0, 1e-9);
    const std::pair<std::size_t, double> bandwidths[] = {
        {3, 1.5}, {4, 1.3628258}, {8, 2.0043532}, {9, 3.770164}, {kRectangular, 1.0}};
    for (const auto& b : bandwidths)
        EXPECT_NEAR(SpectralWindow(b.first, 1000).noiseBandwidth(), b.second, 1e-6) << b.first;
}

// The kernel, closed form or not, is the transform of the values at any offset: whole bins,
// fractions, negative offsets and offsets beyond the middle of the band, where the closed
// form's periodicity shows.
TEST(SpectralWindowTest, KernelIsTheTransformOfTheValues)
{
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i) {
        for (std::size_t length : {5, 600}) {
            const SpectralWindow window(i, length);
            for (double delta : {0.0, 0.37, 1.0, -2.5, 3.0, 299.75, double(length) - 0.5}) {
                std::complex<long double> expected;
                for (std::size_t n = 0; n < length; ++n) {
                    const long double angle = -2.0L * 3.141592653589793238462643L * delta * n / length;
                    expected += (long double)window.values()[n] * std::polar(1.0L, angle);
                }
                const std::complex<double> actual = window.kernel(delta);
                EXPECT_NEAR(actual.real(), double(expected.real()), 1e-12 * window.sum())
                    << spectralWindowName(i) << " " << length << " " << delta;
                EXPECT_NEAR(actual.imag(), double(expected.imag()), 1e-12 * window.sum())
                    << spectralWindowName(i) << " " << length << " " << delta;
            }
        }
    }
}

// The main lobe's half width is the first minimum of the kernel beyond the peak, rounded up.
TEST(SpectralWindowTest, MainLobeEndsAtTheFirstMinimum)
{
    for (std::size_t i = 0; i < kSpectralWindowCount; ++i) {
        const SpectralWindow window(i, 4096);
        // The flat top rises a little before it falls.
        double delta = 0.5;
        while (std::abs(window.kernel(delta + 0.001)) < std::abs(window.kernel(delta)))
            delta += 0.001;
        EXPECT_EQ(window.mainLobeHalfWidth(), int(std::ceil(delta - 0.001)))
            << spectralWindowName(i) << " " << delta;
    }
}

} // namespace
