#include "Fft.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

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

std::uint32_t reverseBits(std::uint32_t value, int bits)
{
    std::uint32_t reversed = 0;
    for (int b = 0; b < bits; ++b) {
        reversed = (reversed << 1) | (value & 1);
        value >>= 1;
    }
    return reversed;
}

// 2-point transforms on neighbours (twiddle 1), scaled: stage 0 of decimation in time, or
// the last stage of decimation in frequency, when the count of stages is odd.
void pairsOfTwo(double* __restrict re, double* __restrict im, std::size_t m, double scale)
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

// Decimation in time, stages 0 and 1 together: 4-point transforms on neighbours whose
// twiddles are 1 and −i, scaled.
void firstFoursInTime(double* __restrict re, double* __restrict im, std::size_t m,
                      double scale)
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

// Decimation in frequency, the last two stages together: the mirror of firstFoursInTime.
void lastFoursInFrequency(double* __restrict re, double* __restrict im, std::size_t m)
{
    for (std::size_t q = 0; q < m; q += 4) {
        const double b0r = re[q] + re[q + 2], b0i = im[q] + im[q + 2];
        const double b2r = re[q] - re[q + 2], b2i = im[q] - im[q + 2];
        const double b1r = re[q + 1] + re[q + 3], b1i = im[q + 1] + im[q + 3];
        // −i·(x1 − x3)
        const double b3r = im[q + 1] - im[q + 3], b3i = re[q + 3] - re[q + 1];
        re[q] = b0r + b1r;
        im[q] = b0i + b1i;
        re[q + 1] = b0r - b1r;
        im[q + 1] = b0i - b1i;
        re[q + 2] = b2r + b3r;
        im[q + 2] = b2i + b3i;
        re[q + 3] = b2r - b3r;
        im[q + 3] = b2i - b3i;
    }
}

// Decimation in time, stages s and s + 1 (half-span h = 2^s) on one group of 4h points,
// split into its quarters x0 … x3. Stage s pairs x0 with x1 and x2 with x3 under
// w1 = e^(−2πi·j/2h); stage s + 1 pairs the results 0 with 2 under w2 = e^(−2πi·j/4h), and
// 1 with 3 under e^(−2πi·(j+h)/4h) = −i·w2. The quarters never overlap, hence __restrict,
// which lets the compiler vectorise the loop without runtime overlap checks.
void groupInTime(double* __restrict r0, double* __restrict i0, double* __restrict r1,
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

// Decimation in frequency, the same two stages run backwards: x0 with x2 under w2 and x1
// with x3 under −i·w2 first, then the results 0 with 1 and 2 with 3 under w1.
void groupInFrequency(double* __restrict r0, double* __restrict i0, double* __restrict r1,
                      double* __restrict i1, double* __restrict r2, double* __restrict i2,
                      double* __restrict r3, double* __restrict i3,
                      const double* __restrict w1r, const double* __restrict w1i,
                      const double* __restrict w2r, const double* __restrict w2i,
                      std::size_t h)
{
    for (std::size_t j = 0; j < h; ++j) {
        const double b0r = r0[j] + r2[j], b0i = i0[j] + i2[j];
        const double b1r = r1[j] + r3[j], b1i = i1[j] + i3[j];
        const double d2r = r0[j] - r2[j], d2i = i0[j] - i2[j];
        const double d3r = r1[j] - r3[j], d3i = i1[j] - i3[j];
        const double b2r = w2r[j] * d2r - w2i[j] * d2i;
        const double b2i = w2r[j] * d2i + w2i[j] * d2r;
        // −i·w2·d3 = e_i − i·e_r with e = w2·d3
        const double b3r = w2r[j] * d3i + w2i[j] * d3r;
        const double b3i = w2i[j] * d3i - w2r[j] * d3r;
        const double c1r = b0r - b1r, c1i = b0i - b1i;
        const double c3r = b2r - b3r, c3i = b2i - b3i;
        r0[j] = b0r + b1r;
        i0[j] = b0i + b1i;
        r1[j] = w1r[j] * c1r - w1i[j] * c1i;
        i1[j] = w1r[j] * c1i + w1i[j] * c1r;
        r2[j] = b2r + b3r;
        i2[j] = b2i + b3i;
        r3[j] = w1r[j] * c3r - w1i[j] * c3i;
        i3[j] = w1r[j] * c3i + w1i[j] * c3r;
    }
}

using GroupKernel = void (*)(double*, double*, double*, double*, double*, double*, double*,
                             double*, const double*, const double*, const double*,
                             const double*, std::size_t);

// One pass of two stages over all groups of 4h points; w1 and w2 point at the tables of
// half-spans h and 2h.
void passOfFours(GroupKernel kernel, double* re, double* im, std::size_t m, std::size_t h,
                 const double* twiddleRe, const double* twiddleIm)
{
    const double* w1r = twiddleRe + h - 1;
    const double* w1i = twiddleIm + h - 1;
    const double* w2r = twiddleRe + 2 * h - 1;
    const double* w2i = twiddleIm + 2 * h - 1;
    for (std::size_t base = 0; base < m; base += 4 * h) {
        double* r = re + base;
        double* i = im + base;
        kernel(r, i, r + h, i + h, r + 2 * h, i + 2 * h, r + 3 * h, i + 3 * h, w1r, w1i, w2r,
               w2i, h);
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

// Bit reversal's tiles: at most 2^5 × 2^5 points, so the two it holds at once take 16 KiB,
// well inside the L1 cache.
constexpr int kLargestTileBits = 5;
constexpr std::size_t kLargestTile = std::size_t(1) << kLargestTileBits;

// Copies the tile whose rows start at high·2^highShift + offset, `tile` neighbours each.
void loadTile(const double* from, double* tileBuffer, std::size_t offset, int highShift,
              std::size_t tile)
{
    for (std::size_t a = 0; a < tile; ++a) {
        const double* row = from + ((a << highShift) | offset);
        std::copy(row, row + tile, tileBuffer + a * tile);
    }
}

// Writes a tile back transposed, rows and columns reversed: point (a, c) of the destination
// takes point (rev c, rev a) of the buffer.
void storeTileReversed(const double* tileBuffer, double* to, std::size_t offset, int highShift,
                       std::size_t tile, const std::uint32_t* reversedLow)
{
    for (std::size_t a = 0; a < tile; ++a) {
        double* row = to + ((a << highShift) | offset);
        for (std::size_t c = 0; c < tile; ++c)
            row[c] = tileBuffer[reversedLow[c] * tile + reversedLow[a]];
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
        return decimateInTime(re, im, 1.0 / double(n_), true, progress, 0);
    return bluestein(re, im, progress);
}

void Fft::planRadix2(std::size_t m)
{
    m_ = m;
    log2m_ = log2Of(m);
    planTwiddles();

    tileBits_ = std::min(kLargestTileBits, log2m_ / 2);
    const int middleBits = log2m_ - 2 * tileBits_;
    reversedMiddle_.resize(std::size_t(1) << middleBits);
    for (std::size_t b = 0; b < reversedMiddle_.size(); ++b)
        reversedMiddle_[b] = reverseBits(std::uint32_t(b), middleBits);
}

void Fft::planTwiddles()
{
    twiddleRe_.assign(m_ - 1, 0.0);
    twiddleIm_.assign(m_ - 1, 0.0);
    // One point has no stage and so no factor; the pointers below would start before the table.
    if (m_ < 2)
        return;
    double* re = twiddleRe_.data() + m_ / 2 - 1;
    double* im = twiddleIm_.data() + m_ / 2 - 1;

    // The last stage's factors W(j) = e^(−2πi·j/M), j < M/2: the first octant from the sine
    // and cosine, the rest by symmetry, W(M/4 − j) = −i·conj W(j) and W(M/4 + j) = −i·W(j),
    // which gives the very bits unitRoot would.
    const std::size_t eighth = m_ / 8;
    const std::size_t quarter = m_ / 4;
    for (std::size_t j = 0; j < m_ / 2; ++j) {
        if (m_ < 8 || j <= eighth) {
            unitRoot(j, m_, re[j], im[j]);
        } else if (j < quarter) {
            re[j] = -im[quarter - j];
            im[j] = -re[quarter - j];
        } else {
            re[j] = im[j - quarter];
            im[j] = -re[j - quarter];
        }
    }

    // An earlier stage's factor j equals the last stage's factor j·(M/2h), the same
    // fraction of a turn, so it is copied.
    for (std::size_t h = m_ / 4; h >= 1; h /= 2) {
        for (std::size_t j = 0; j < h; ++j) {
            twiddleRe_[h - 1 + j] = re[j * (m_ / 2 / h)];
            twiddleIm_[h - 1 + j] = im[j * (m_ / 2 / h)];
        }
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
    decimateInFrequency(kernelRe_.data(), kernelIm_.data(), {}, 0);
    const double scale = 1.0 / (double(m) * double(n_));
    for (std::size_t k = 0; k < m; ++k) {
        kernelRe_[k] *= scale;
        kernelIm_[k] *= scale;
    }

    workRe_.assign(m, 0.0);
    workIm_.assign(m, 0.0);
}

bool Fft::decimateInTime(double* re, double* im, double scale, bool reorder,
                         const Progress& progress, int firstStage) const
{
    // One point is its own transform: no stages, and the scale is 1/1.
    if (log2m_ == 0)
        return true;
    const auto report = [&](int stage) { return !progress || progress(firstStage + stage); };

    // An odd count of stages starts with stage 0 alone; every later pass runs two stages.
    const int firstPassStages = log2m_ % 2 == 0 ? 2 : 1;
    for (int stage = 0; stage < firstPassStages; ++stage) {
        if (!report(stage))
            return false;
    }
    if (reorder) {
        bitReverse(re);
        bitReverse(im);
    }
    if (firstPassStages == 2)
        firstFoursInTime(re, im, m_, scale);
    else
        pairsOfTwo(re, im, m_, scale);

    for (int stage = firstPassStages; stage < log2m_; stage += 2) {
        if (!report(stage) || !report(stage + 1))
            return false;
        passOfFours(groupInTime, re, im, m_, std::size_t(1) << stage, twiddleRe_.data(),
                    twiddleIm_.data());
    }
    return true;
}

bool Fft::decimateInFrequency(double* re, double* im, const Progress& progress,
                              int firstStage) const
{
    if (log2m_ == 0)
        return true;
    const auto report = [&](int stage) { return !progress || progress(firstStage + stage); };

    // The stages of decimation in time in reverse: pairs of them from the widest down, and
    // the narrowest alone when their count is odd.
    int stage = 0;
    std::size_t h = m_ / 4;
    for (; h >= 2; h /= 4, stage += 2) {
        if (!report(stage) || !report(stage + 1))
            return false;
        passOfFours(groupInFrequency, re, im, m_, h, twiddleRe_.data(), twiddleIm_.data());
    }
    if (h == 1) {
        if (!report(stage) || !report(stage + 1))
            return false;
        lastFoursInFrequency(re, im, m_);
    } else {
        if (!report(stage))
            return false;
        pairsOfTwo(re, im, m_, 1.0);
    }
    return true;
}

void Fft::bitReverse(double* values) const
{
    // An index is split as high·2^(L−t) + middle·2^t + low, with t = tileBits_ and L = log2(M);
    // its reversal is rev(low)·2^(L−t) + rev(middle)·2^t + rev(high). So the tile of one
    // middle, read as rows (high) of 2^t neighbours (low), trades places with the tile of
    // the reversed middle, transposed and with rows and columns reversed. Both tiles go
    // through small buffers, so the array is only read and written a whole row at a time:
    // rows lie 2^(L−t) apart and would otherwise evict each other from the cache.
    const std::size_t tile = std::size_t(1) << tileBits_;
    const int highShift = log2m_ - tileBits_;
    std::uint32_t reversedLow[kLargestTile];
    for (std::size_t c = 0; c < tile; ++c)
        reversedLow[c] = reverseBits(std::uint32_t(c), tileBits_);

    double mine[kLargestTile * kLargestTile];
    double theirs[kLargestTile * kLargestTile];
    for (std::size_t b = 0; b < reversedMiddle_.size(); ++b) {
        const std::size_t rb = reversedMiddle_[b];
        if (rb < b)
            continue;
        const std::size_t here = b << tileBits_;
        const std::size_t there = rb << tileBits_;
        loadTile(values, mine, here, highShift, tile);
        if (rb == b) {
            storeTileReversed(mine, values, here, highShift, tile, reversedLow);
        } else {
            loadTile(values, theirs, there, highShift, tile);
            storeTileReversed(theirs, values, here, highShift, tile, reversedLow);
            storeTileReversed(mine, values, there, highShift, tile, reversedLow);
        }
    }
}

bool Fft::bluestein(double* re, double* im, const Progress& progress) const
{
    double* workRe = workRe_.data();
    double* workIm = workIm_.data();
    multiply(re, im, chirpRe_.data(), chirpIm_.data(), workRe, workIm, n_);
    std::fill(workRe + n_, workRe + m_, 0.0);
    std::fill(workIm + n_, workIm + m_, 0.0);

    // Decimation in frequency leaves the spectrum in bit-reversed order, where the kernel
    // waits in the same order; decimation in time takes it from there back to natural
    // order. Swapping the real and imaginary parts on the way in and out turns that forward
    // transform into the inverse one.
    if (!decimateInFrequency(workRe, workIm, progress, 0))
        return false;
    multiplyInPlace(workRe, workIm, kernelRe_.data(), kernelIm_.data(), m_);
    if (!decimateInTime(workIm, workRe, 1.0, false, progress, log2m_))
        return false;

    multiply(workRe, workIm, chirpRe_.data(), chirpIm_.data(), re, im, n_);
    return true;
}
