#include "FftKernelTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

// Each build of the loops (the one this processor runs, and the two-lane one every processor
// has) against the definitions in FftKernelTable.h, over the shapes whose edges the vector
// lanes meet: one lane left over, two, none.

namespace {

using Complex = std::complex<long double>;

struct Split {
    std::vector<double> re;
    std::vector<double> im;
    Complex at(std::size_t i) const { return {re[i], im[i]}; }
};

Split randomSplit(std::size_t n, unsigned seed)
{
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    Split values{std::vector<double>(n), std::vector<double>(n)};
    for (std::size_t k = 0; k < n; ++k) {
        values.re[k] = uniform(generator);
        values.im[k] = uniform(generator);
    }
    return values;
}

// e^(−2πi·k/n)
Complex root(std::size_t k, std::size_t n)
{
    return std::polar(1.0L, -2.0L * std::acos(-1.0L) * (long double)(k % n) / (long double)n);
}

std::vector<const FftKernelTable*> tables()
{
    std::vector<const FftKernelTable*> builds = {fftKernelsGeneric()};
    if (&fftKernelTable() != builds.front())
        builds.push_back(&fftKernelTable());
    return builds;
}

constexpr double kTolerance = 1e-14;

TEST(FftKernelsTest, EveryPassShapeFollowsItsDefinition)
{
    struct Shape {
        std::size_t span;
        std::size_t count;
    };
    // Count 1: the last pass, untwiddled and scaled. Span 1: the first pass of one sequence.
    const Shape shapes[] = {{1, 1}, {3, 1}, {6, 1}, {9, 1}, {1, 2},  {1, 5},
                            {1, 9}, {2, 3}, {3, 2}, {5, 3}, {8, 2}, {11, 2}};
    for (const FftKernelTable* kernels : tables()) {
        for (int radix : {2, 3, 4, 5, 6, 7, 8, 9, 10}) {
            for (const Shape& shape : shapes) {
                const std::size_t s = shape.span;
                const std::size_t m = shape.count;
                const std::size_t p = std::size_t(radix);
                const Split in = randomSplit(s * m * p, unsigned(radix * 100 + s * 10 + m));
                const Split twiddles = randomSplit((p - 1) * m, 7);
                Split out{std::vector<double>(in.re.size()), std::vector<double>(in.re.size())};
                const bool last = m == 1;
                kernels->pass(radix, {in.re.data(), in.im.data(), out.re.data(), out.im.data(), s,
                                      m, last ? nullptr : twiddles.re.data(),
                                      last ? nullptr : twiddles.im.data(), last ? 0.5 : 1.0});
                for (std::size_t q = 0; q < m; ++q) {
                    for (std::size_t r = 0; r < p; ++r) {
                        const Complex factor = last ? 0.5L : r == 0 ? 1.0L : twiddles.at((r - 1) * m + q);
                        for (std::size_t j = 0; j < s; ++j) {
                            Complex sum = 0;
                            for (std::size_t t = 0; t < p; ++t)
                                sum += in.at(s * (q + t * m) + j) * root(r * t, p);
                            const std::size_t k = s * (p * q + r) + j;
                            EXPECT_LT(std::abs(out.at(k) - factor * sum), kTolerance)
                                << radix << " span " << s << " count " << m << " at " << k;
                        }
                    }
                }
                if (last) {
                    // In place, the last pass gives the same.
                    Split again = in;
                    kernels->pass(radix, {again.re.data(), again.im.data(), again.re.data(),
                                          again.im.data(), s, m, nullptr, nullptr, 0.5});
                    EXPECT_EQ(again.re, out.re) << radix << " span " << s;
                    EXPECT_EQ(again.im, out.im) << radix << " span " << s;
                }
            }
        }
    }
}

TEST(FftKernelsTest, HalvesJoinAndRealValuesPackAndUnpack)
{
    for (const FftKernelTable* kernels : tables()) {
        for (std::size_t h : {1u, 2u, 3u, 4u, 5u, 8u, 9u, 16u, 17u, 19u}) {
            const std::size_t n = 2 * h;
            Split roots{std::vector<double>(h), std::vector<double>(h)};
            for (std::size_t k = 0; k < h; ++k) {
                roots.re[k] = double(root(k, n).real());
                roots.im[k] = double(root(k, n).imag());
            }
            const Split half = randomSplit(n, unsigned(h));
            Split joined{std::vector<double>(n), std::vector<double>(n)};
            kernels->joinHalves(half.re.data(), half.im.data(), h, roots.re.data(), roots.im.data(),
                                0.25, joined.re.data(), joined.im.data());
            for (std::size_t k = 0; k < h; ++k) {
                const Complex wo = root(k, n) * half.at(2 * k + 1);
                EXPECT_LT(std::abs(joined.at(k) - 0.25L * (half.at(2 * k) + wo)), kTolerance) << h;
                EXPECT_LT(std::abs(joined.at(k + h) - 0.25L * (half.at(2 * k) - wo)), kTolerance) << h;
            }

            Split packed{std::vector<double>(h), std::vector<double>(h)};
            kernels->packReal(half.re.data(), h, packed.re.data(), packed.im.data());
            for (std::size_t t = 0; t < h; ++t) {
                EXPECT_EQ(packed.re[t], half.re[2 * t]) << h;
                EXPECT_EQ(packed.im[t], half.re[2 * t + 1]) << h;
            }

            // X[k] = E[k] + w^k·O[k] from Z = E + i·O, for all n bins and for bins 0 … h.
            const Split z = randomSplit(h, unsigned(h + 50));
            Split all{std::vector<double>(n), std::vector<double>(n)};
            kernels->unpackReal(z.re.data(), z.im.data(), h, roots.re.data(), roots.im.data(), 0.5,
                                all.re.data(), all.im.data());
            std::vector<std::complex<double>> bins(h + 1);
            kernels->unpackRealHalf(z.re.data(), z.im.data(), h, roots.re.data(), roots.im.data(),
                                    reinterpret_cast<double*>(bins.data()));
            for (std::size_t k = 0; k <= h; ++k) {
                const Complex mirror = std::conj(z.at((h - k) % h));
                const Complex e = (z.at(k % h) + mirror) / 2.0L;
                const Complex o = (z.at(k % h) - mirror) / Complex(0, 2);
                const Complex x = e + root(k, n) * o;
                EXPECT_LT(std::abs(Complex(bins[k].real(), bins[k].imag()) - x), kTolerance) << h << " bin " << k;
                EXPECT_LT(std::abs(all.at(k % n) - 0.5L * x), kTolerance) << h << " bin " << k;
                EXPECT_LT(std::abs(all.at((n - k) % n) - 0.5L * std::conj(x)), kTolerance) << h << " bin " << k;
            }
        }
    }
}

TEST(FftKernelsTest, RowsAreMultipliedInPlaceOrNot)
{
    for (const FftKernelTable* kernels : tables()) {
        for (std::size_t rows : {1u, 5u, 9u}) {
            for (std::size_t width : {1u, 2u, 3u, 5u, 8u}) {
                const Split in = randomSplit(rows * width, unsigned(rows * 10 + width));
                const Split factors = randomSplit(rows, 3);
                Split out = in;
                kernels->multiplyRows(out.re.data(), out.im.data(), factors.re.data(),
                                      factors.im.data(), rows, width, 2.0, out.re.data(), out.im.data());
                for (std::size_t i = 0; i < rows * width; ++i) {
                    const Complex expected = 2.0L * in.at(i) * factors.at(i / width);
                    EXPECT_LT(std::abs(out.at(i) - expected), kTolerance) << rows << " × " << width;
                }
            }
        }
    }
}

} // namespace
