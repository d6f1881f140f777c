#include "FftRoots.h"

#include <cmath>

namespace {

constexpr double kHalfPi = 1.57079632679489661923;

} // namespace

FftRoots::FftRoots(std::size_t len)
    : len_(len)
    , grain_(len % 4 == 0 ? 4 : len % 2 == 0 ? 2 : 1)
{
    // 4k − quarterTurns·len is a multiple of 4 when len is, and even when len is even.
    const std::size_t count = std::size_t(len_ / 2 / grain_ + 1);
    cos_.resize(count);
    sin_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double angle = kHalfPi * (double(i * grain_) / double(len_));
        cos_[i] = std::cos(angle);
        sin_[i] = std::sin(angle);
    }
}

void FftRoots::fill(std::uint64_t step, std::size_t count, double* re, double* im) const
{
    // 4·step·q = quarterTurns·len + rest, kept up to date by addition alone.
    const std::uint64_t stepTurns = 4 * step / len_;
    const std::uint64_t stepRest = 4 * step % len_;
    std::uint64_t quarterTurns = 0;
    std::uint64_t rest = 0;
    for (std::size_t q = 0; q < count; ++q) {
        rotate(quarterTurns, rest, re[q], im[q]);
        quarterTurns += stepTurns;
        rest += stepRest;
        if (rest >= len_) {
            rest -= len_;
            ++quarterTurns;
        }
    }
}

void FftRoots::at(std::uint64_t k, double& re, double& im) const
{
    const std::uint64_t reduced = k % len_;
    rotate(4 * reduced / len_, 4 * reduced % len_, re, im);
}

void FftRoots::rotate(std::uint64_t quarterTurns, std::uint64_t rest, double& re,
                      double& im) const
{
    double c = 0.0;
    double s = 0.0;
    if (2 * rest <= len_) {
        c = cos_[rest / grain_];
        s = sin_[rest / grain_];
    } else {
        c = sin_[(len_ - rest) / grain_];
        s = cos_[(len_ - rest) / grain_];
    }
    // Turn c + i·s by the quarter turns, then conjugate for the negative exponent.
    switch (quarterTurns % 4) {
    case 0: re = c; im = -s; break;
    case 1: re = -s; im = -c; break;
    case 2: re = -c; im = s; break;
    default: re = s; im = c; break;
    }
}
