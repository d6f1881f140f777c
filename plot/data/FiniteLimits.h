#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

// The smallest and largest finite value of arrays given a block at a time, so that a reader
// takes them while a block is still in the cache. Four lanes of limits: with one pair every
// value would wait for the one before.
class FiniteLimits
{
public:
    FiniteLimits()
    {
        std::fill(low, low + kLanes, kLargest);
        std::fill(high, high + kLanes, -kLargest);
    }

    void add(const double* values, std::size_t count)
    {
        std::size_t i = 0;
        for (; i + kLanes <= count; i += kLanes) {
            for (std::size_t k = 0; k < kLanes; ++k)
                take(values[i + k], k);
        }
        for (; i < count; ++i)
            take(values[i], 0);
    }

    // False when no finite value came.
    bool found() const
    {
        return *std::min_element(low, low + kLanes) <= *std::max_element(high, high + kLanes);
    }
    double min() const { return *std::min_element(low, low + kLanes); }
    double max() const { return *std::max_element(high, high + kLanes); }

private:
    static constexpr std::size_t kLanes = 4;
    static constexpr double kLargest = std::numeric_limits<double>::max();

    // A value that is not finite leaves the limits as they are.
    void take(double v, std::size_t k)
    {
        const bool finite = std::abs(v) <= kLargest;
        low[k] = std::min(low[k], finite ? v : kLargest);
        high[k] = std::max(high[k], finite ? v : -kLargest);
    }

    double low[kLanes];
    double high[kLanes];
};
