#include "FftPlan.h"

#include "FftBluestein.h"
#include "FftKernelTable.h"
#include "FftRoots.h"

#include <algorithm>
#include <utility>

namespace {

// Every pass is one sweep over all the data, so fewer passes of larger radices are faster.
// A 2 therefore joins a 5 (radix 10) or a lone 3 (radix 6) where it can, 3s go in pairs
// (radix 9), and the 2s left go in eights, then fours. A radix-8 pass writes 16 rows a power
// of two apart, which crowd the cache once they lie far apart: so at most three of them,
// first, while the rows are still close.
constexpr int kLargestEights = 3;

// The radices of the passes for the factors 2, 3, 5 and 7 of n, in the order they run;
// `rest` is what they leave.
std::vector<int> radicesOf(std::size_t n, std::size_t& rest)
{
    int count[8] = {};
    for (int p : {2, 3, 5, 7}) {
        while (n % std::size_t(p) == 0) {
            n /= std::size_t(p);
            ++count[p];
        }
    }
    rest = n;
    const int tens = std::min(count[2], count[5]);
    count[2] -= tens;
    count[5] -= tens;
    const int nines = count[3] / 2;
    count[3] %= 2;
    const int sixes = std::min(count[2], count[3]);
    count[2] -= sixes;
    count[3] -= sixes;
    int eights = std::min(kLargestEights, count[2] / 3);
    count[2] -= 3 * eights;
    // An odd rest of 2s would need a radix-2 pass; one eight fewer makes it radix-4 ones.
    if (count[2] % 2 != 0 && eights > 0) {
        --eights;
        count[2] += 3;
    }
    const std::pair<int, int> passes[] = {
        {8, eights},   {4, count[2] / 2}, {10, tens},   {6, sixes},       {9, nines},
        {7, count[7]}, {5, count[5]},     {3, count[3]}, {2, count[2] % 2},
    };
    std::vector<int> radices;
    for (const auto& [radix, times] : passes)
        radices.insert(radices.end(), std::size_t(times), radix);
    return radices;
}

// The prime factors of a radix: the stages its pass stands for.
int stagesOf(int radix)
{
    int stages = 0;
    for (int p : {2, 3, 5, 7}) {
        for (; radix % p == 0; radix /= p)
            ++stages;
    }
    return stages;
}

} // namespace

FftPlan::FftPlan(std::size_t n, std::size_t maxBatch)
    : n_(n)
{
    std::size_t rest = 1;
    const std::vector<int> radices = radicesOf(n, rest);
    if (!radices.empty()) {
        const FftRoots roots(n);
        // Pass i leaves sequences of `remaining` points; its factors are w^(r·q) of that
        // length, which is w^(r·q·n/remaining) of the whole.
        std::size_t remaining = n;
        for (std::size_t i = 0; i < radices.size(); ++i) {
            Pass pass;
            pass.radix = radices[i];
            pass.stages = stagesOf(pass.radix);
            pass.count = remaining / std::size_t(pass.radix);
            if (pass.count > 1) {
                const std::size_t rows = std::size_t(pass.radix - 1);
                pass.twiddleRe.resize(rows * pass.count);
                pass.twiddleIm.resize(rows * pass.count);
                for (std::size_t r = 1; r <= rows; ++r) {
                    roots.fill(r * (n / remaining), pass.count,
                               pass.twiddleRe.data() + (r - 1) * pass.count,
                               pass.twiddleIm.data() + (r - 1) * pass.count);
                }
            }
            remaining = pass.count;
            passes_.push_back(std::move(pass));
        }
    }
    if (rest > 1)
        bluestein_ = std::make_unique<FftBluestein>(rest, maxBatch * (n / rest));
}

FftPlan::~FftPlan() = default;

std::size_t FftPlan::size() const
{
    return n_;
}

int FftPlan::stages() const
{
    int count = bluestein_ ? bluestein_->stages() : 0;
    for (const Pass& pass : passes_)
        count += pass.stages;
    return count;
}

bool FftPlan::needsSpare() const
{
    return !passes_.empty();
}

bool FftPlan::run(double* re, double* im, double* spareRe, double* spareIm, bool intoSpare,
                  std::size_t batch, double scale, const Progress& progress,
                  int firstStage) const
{
    const FftKernelTable& kernels = fftKernelTable();
    double* const resultRe = intoSpare ? spareRe : re;
    double* const resultIm = intoSpare ? spareIm : im;
    // The passes go back and forth between the two pairs of arrays; the last one writes
    // where the result belongs, in place if need be, which its shape allows.
    double* fromRe = re;
    double* fromIm = im;
    double* toRe = spareRe;
    double* toIm = spareIm;
    int stage = firstStage;
    std::size_t span = batch;
    for (std::size_t i = 0; i < passes_.size(); ++i) {
        const Pass& pass = passes_[i];
        for (int k = 0; k < pass.stages; ++k) {
            if (progress && !progress(stage))
                return false;
            ++stage;
        }
        const bool last = pass.twiddleRe.empty();
        FftPassData data{fromRe, fromIm, last ? resultRe : toRe, last ? resultIm : toIm,
                         span, pass.count, nullptr, nullptr, last ? scale : 1.0};
        if (!last) {
            data.twiddleRe = pass.twiddleRe.data();
            data.twiddleIm = pass.twiddleIm.data();
        }
        kernels.pass(pass.radix, data);
        std::swap(fromRe, toRe);
        std::swap(fromIm, toIm);
        span *= std::size_t(pass.radix);
    }
    if (bluestein_)
        return bluestein_->run(fromRe, fromIm, resultRe, resultIm, span, scale, progress, stage);
    if (passes_.empty()) {
        // One point is its own transform.
        for (std::size_t j = 0; j < batch; ++j) {
            resultRe[j] = re[j] * scale;
            resultIm[j] = im[j] * scale;
        }
    }
    return true;
}
