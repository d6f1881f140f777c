#include "Fft.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

constexpr double kHalfPi = 1.57079632679489661923;

// The largest radix-2 transform: bit reversal indexes it with 32-bit integers.
constexpr std::uint64_t kLargestTransform = std::uint64_t(1) << 32;

// e^(−2πi·j/len) for 0 <= j < len. The angle is split into whole quarter turns and a rest
// in integer arithmetic, and the rest folded into the first octant, so quarter turns come
// out exact, mirrored angles give exactly mirrored values, and equal fractions j/len give
// identical values whatever the denominator.
void unitRoot(std::uint64_t j, std::uint64_t len, double& re, double& im)
{
    const std::uint64_t quarterTurns = 4 * j / len;
    const std::uint64_t rest = 4 * j % len; // the angle past them is (π/2)·rest/len
    double c = 0.0;
    double s = 0.0;
    if (2 * rest <= len) {
        const double angle = kHalfPi * (double(rest) / double(len));
        c = std::cos(angle);
        s = std::sin(angle);
    } else {
        const double angle = kHalfPi * (double(len - rest) / double(len));
        c = std::sin(angle);
        s = std::cos(angle);
    }
    // Turn c + i·s by the quarter turns, then conjugate for the negative exponent.
    switch (quarterTurns) {
    case 0: re = c; im = -s; break;
    case 1: re = -s; im = -c; break;
    case 2: re = -c; im = s; break;
    default: re = s; im = c; break;
    }
}

int log2Of(std::size_t powerOfTwo)
{
    int bits = 0;
    while ((std::size_t(1) << bits) < powerOfTwo)
        ++bits;
    return bits;
}

void bitReverse(double* re, double* im, const std::vector<std::uint32_t>& swaps)
{
    for (std::size_t k = 0; k < swaps.size(); k += 2) {
        const std::uint32_t a = swaps[k];
        const std::uint32_t b = swaps[k + 1];
        std::swap(re[a], re[b]);
        std::swap(im[a], im[b]);
    }
}

// Stage 0 alone, for an odd number of stages: 2-point transforms, twiddle 1, scaled.
void firstPassRadix2(double* __restrict re, double* __restrict im, std::size_t m, double scale)
{
    for (std::size_t q = 0; q < m; q += 2) {
        const double ar = re[q], ai = im[q];
        const double br = re[q + 1], bi = im[q + 1];
        re[q] = (ar + br) * scale;
        im[q] = (ai + bi) * scale;
        re[q + 1] = (ar - br) * scale;
        im[q + 1] = (ai - bi) * scale;
    }
}

// Stages 0 and 1 together: 4-point transforms whose twiddles are 1 and −i, scaled.
void firstPassRadix4(double* __restrict re, double* __restrict im, std::size_t m, double scale)
{
    for (std::size_t q = 0; q < m; q += 4) {
        const double b0r = re[q] + re[q + 1], b0i = im[q] + im[q + 1];
        const double b1r = re[q] - re[q + 1], b1i = im[q] - im[q + 1];
        const double b2r = re[q + 2] + re[q + 3], b2i = im[q + 2] + im[q + 3];
        const double b3r = re[q + 2] - re[q + 3], b3i = im[q + 2] - im[q + 3];
        re[q] = (b0r + b2r) * scale;
        im[q] = (b0i + b2i) * scale;
        re[q + 2] = (b0r - b2r) * scale;
        im[q + 2] = (b0i - b2i) * scale;
        // −i·b3 = b3i − i·b3r
        re[q + 1] = (b1r + b3i) * scale;
        im[q + 1] = (b1i - b3r) * scale;
        re[q + 3] = (b1r - b3i) * scale;
        im[q + 3] = (b1i + b3r) * scale;
    }
}

// Stages s and s + 1 (half-span h = 2^s) on one group of 4h points, split into its four
// quarters x0 … x3. Stage s pairs x0 with x1 and x2 with x3 under w1 = e^(−2πi·j/2h);
// stage s + 1 pairs the results 0 with 2 under w2 = e^(−2πi·j/4h), and 1 with 3 under
// e^(−2πi·(j+h)/4h) = −i·w2. The quarters never overlap, hence __restrict, which lets the
// compiler vectorise the loop without runtime overlap checks.
void radix4Group(double* __restrict r0, double* __restrict i0, double* __restrict r1,
                 double* __restrict i1, double* __restrict r2, double* __restrict i2,
                 double* __restrict r3, double* __restrict i3, const double* __restrict w1r,
                 const double* __restrict w1i, const double* __restrict w2r,
                 const double* __restrict w2i, std::size_t h)
{
    for (std::size_t j = 0; j < h; ++j) {
        const double t1r = w1r[j] * r1[j] - w1i[j] * i1[j];
        const double t1i = w1r[j] * i1[j] + w1i[j] * r1[j];
        const double t3r = w1r[j] * r3[j] - w1i[j] * i3[j];
        const double t3i = w1r[j] * i3[j] + w1i[j] * r3[j];
        const double b0r = r0[j] + t1r, b0i = i0[j] + t1i;
        const double b1r = r0[j] - t1r, b1i = i0[j] - t1i;
        const double b2r = r2[j] + t3r, b2i = i2[j] + t3i;
        const double b3r = r2[j] - t3r, b3i = i2[j] - t3i;
        const double u2r = w2r[j] * b2r - w2i[j] * b2i;
        const double u2i = w2r[j] * b2i + w2i[j] * b2r;
        const double u3r = w2r[j] * b3r - w2i[j] * b3i;
        const double u3i = w2r[j] * b3i + w2i[j] * b3r;
        r0[j] = b0r + u2r;
        i0[j] = b0i + u2i;
        r2[j] = b0r - u2r;
        i2[j] = b0i - u2i;
        // −i·u3 = u3i − i·u3r
        r1[j] = b1r + u3i;
        i1[j] = b1i - u3r;
        r3[j] = b1r - u3i;
        i3[j] = b1i + u3r;
    }
}

void radix4Pass(double* re, double* im, std::size_t m, std::size_t h, const double* w1r,
                const double* w1i, const double* w2r, const double* w2i)
{
    for (std::size_t base = 0; base < m; base += 4 * h) {
        double* r = re + base;
        double* i = im + base;
        radix4Group(r, i, r + h, i + h, r + 2 * h, i + 2 * h, r + 3 * h, i + 3 * h, w1r, w1i,
                    w2r, w2i, h);
    }
}

// out = a·b, element by element.
void multiply(const double* __restrict ar, const double* __restrict ai,
              const double* __restrict br, const double* __restrict bi,
              double* __restrict outR, double* __restrict outI, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k) {
        outR[k] = ar[k] * br[k] - ai[k] * bi[k];
        outI[k] = ar[k] * bi[k] + ai[k] * br[k];
    }
}

// a ·= b, element by element.
void multiplyInPlace(double* __restrict ar, double* __restrict ai, const double* __restrict br,
                     const double* __restrict bi, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k) {
        const double r = ar[k] * br[k] - ai[k] * bi[k];
        ai[k] = ar[k] * bi[k] + ai[k] * br[k];
        ar[k] = r;
    }
}

} // namespace

Fft::Fft(std::size_t n)
    : n_(n)
{
    if (n == 0)
        throw std::invalid_argument("Fft: a transform needs at least one point");
    if (isPowerOfTwo()) {
        if (std::uint64_t(n) > kLargestTransform)
            throw std::bad_alloc();
        planRadix2(n);
    } else {
        // Bluestein's M is at most 4N − 4.
        if (std::uint64_t(n) > kLargestTransform / 2)
            throw std::bad_alloc();
        planBluestein();
    }
}

std::size_t Fft::size() const
{
    return n_;
}

bool Fft::isPowerOfTwo() const
{
    return (n_ & (n_ - 1)) == 0;
}

int Fft::stages() const
{
    return isPowerOfTwo() ? log2m_ : 2 * log2m_;
}

bool Fft::forward(double* re, double* im, const Progress& progress) const
{
    if (re == nullptr || im == nullptr)
        return false;
    if (isPowerOfTwo())
        return radix2(re, im, 1.0 / double(n_), progress, 0);
    return bluestein(re, im, progress);
}

void Fft::planRadix2(std::size_t m)
{
    m_ = m;
    log2m_ = log2Of(m);
    twiddleRe_.assign(m - 1, 0.0);
    twiddleIm_.assign(m - 1, 0.0);
    // Only the last stage's factors are computed; an earlier stage's factor j equals the last
    // stage's factor j·(M/2h) bit for bit (same fraction of a turn), so it is copied.
    const std::size_t top = m / 2;
    for (std::size_t j = 0; j < top; ++j)
        unitRoot(j, m, twiddleRe_[top - 1 + j], twiddleIm_[top - 1 + j]);
    for (std::size_t h = top / 2; h >= 1; h /= 2) {
        for (std::size_t j = 0; j < h; ++j) {
            twiddleRe_[h - 1 + j] = twiddleRe_[top - 1 + j * (top / h)];
            twiddleIm_[h - 1 + j] = twiddleIm_[top - 1 + j * (top / h)];
        }
    }

    swaps_.clear();
    swaps_.reserve(m);
    std::size_t reversed = 0;
    for (std::size_t i = 0; i < m; ++i) {
        if (i < reversed) {
            swaps_.push_back(std::uint32_t(i));
            swaps_.push_back(std::uint32_t(reversed));
        }
        // Count up in reversed bit order: clear the leading ones, set the next bit.
        std::size_t bit = m >> 1;
        while (reversed & bit) {
            reversed ^= bit;
            bit >>= 1;
        }
        reversed |= bit;
    }
}

void Fft::planBluestein()
{
    std::size_t m = 1;
    while (m < 2 * n_ - 1)
        m <<= 1;
    planRadix2(m);

    // The chirp's angle π·k²/N only matters modulo 2π, so k² is reduced modulo 2N exactly
    // (k < 2^31, so k² fits in 64 bits) before it becomes a double.
    const std::uint64_t turn = 2 * std::uint64_t(n_);
    chirpRe_.assign(n_, 0.0);
    chirpIm_.assign(n_, 0.0);
    for (std::size_t k = 0; k < n_; ++k)
        unitRoot(std::uint64_t(k) * k % turn, turn, chirpRe_[k], chirpIm_[k]);

    // The convolution kernel is the conjugate chirp at lags −(N−1) … N−1, wrapped to
    // length M; its transform carries the 1/M of the inverse transform and the 1/N of ours.
    kernelRe_.assign(m, 0.0);
    kernelIm_.assign(m, 0.0);
    kernelRe_[0] = chirpRe_[0];
    kernelIm_[0] = -chirpIm_[0];
    for (std::size_t k = 1; k < n_; ++k) {
        kernelRe_[k] = kernelRe_[m - k] = chirpRe_[k];
        kernelIm_[k] = kernelIm_[m - k] = -chirpIm_[k];
    }
    radix2(kernelRe_.data(), kernelIm_.data(), 1.0 / (double(m) * double(n_)), {}, 0);

    workRe_.assign(m, 0.0);
    workIm_.assign(m, 0.0);
}

bool Fft::radix2(double* re, double* im, double scale, const Progress& progress,
                 int firstStage) const
{
    if (log2m_ == 0) {
        re[0] *= scale;
        im[0] *= scale;
        return true;
    }
    const auto report = [&](int stage) { return !progress || progress(firstStage + stage); };

    // An odd count of stages starts with stage 0 alone; every later pass runs two stages.
    const int firstPassStages = log2m_ % 2 == 0 ? 2 : 1;
    for (int stage = 0; stage < firstPassStages; ++stage) {
        if (!report(stage))
            return false;
    }
    bitReverse(re, im, swaps_);
    if (firstPassStages == 2)
        firstPassRadix4(re, im, m_, scale);
    else
        firstPassRadix2(re, im, m_, scale);

    for (int stage = firstPassStages; stage < log2m_; stage += 2) {
        if (!report(stage) || !report(stage + 1))
            return false;
        const std::size_t h = std::size_t(1) << stage;
        radix4Pass(re, im, m_, h, twiddleRe_.data() + h - 1, twiddleIm_.data() + h - 1,
                   twiddleRe_.data() + 2 * h - 1, twiddleIm_.data() + 2 * h - 1);
    }
    return true;
}

bool Fft::bluestein(double* re, double* im, const Progress& progress) const
{
    double* workRe = workRe_.data();
    double* workIm = workIm_.data();
    multiply(re, im, chirpRe_.data(), chirpIm_.data(), workRe, workIm, n_);
    std::fill(workRe + n_, workRe + m_, 0.0);
    std::fill(workIm + n_, workIm + m_, 0.0);

    if (!radix2(workRe, workIm, 1.0, progress, 0))
        return false;
    multiplyInPlace(workRe, workIm, kernelRe_.data(), kernelIm_.data(), m_);
    // Swapping the real and imaginary parts on the way in and out turns the forward
    // transform into the inverse one.
    if (!radix2(workIm, workRe, 1.0, progress, log2m_))
        return false;

    multiply(workRe, workIm, chirpRe_.data(), chirpIm_.data(), re, im, n_);
    return true;
}
