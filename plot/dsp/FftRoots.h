#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The roots of unity w^k = e^(−2πi·k/len) that the transform's tables are made of. Each comes
// from std::cos and std::sin of an angle reduced in integer arithmetic, never from a
// recurrence: k is split into whole quarter turns and a rest, and the rest folded into the
// first octant. So quarter turns come out exact, mirrored angles give exactly mirrored
// values, and equal fractions k/len give identical values whatever the denominator.
//
// The first octant's values are computed once, so a table of a million roots costs only
// the sines and cosines of an eighth of them.
class FftRoots
{
public:
    // len >= 1; may throw std::bad_alloc.
    explicit FftRoots(std::size_t len);

    // w^(step·q) for q < count, into re and im.
    void fill(std::uint64_t step, std::size_t count, double* re, double* im) const;
    void at(std::uint64_t k, double& re, double& im) const;

private:
    // The root at `quarterTurns` quarter turns and the angle (π/2)·rest/len past them.
    void rotate(std::uint64_t quarterTurns, std::uint64_t rest, double& re, double& im) const;

    std::uint64_t len_ = 0;
    // The rest is always a multiple of this: 4 when len is, else 2 when len is even, else 1.
    std::uint64_t grain_ = 1;
    // cos and sin of (π/2)·(i·grain_)/len, for i·grain_ <= len/2.
    std::vector<double> cos_;
    std::vector<double> sin_;
};
