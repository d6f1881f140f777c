#include "CurveStatistics.h"

#include <cmath>
#include <limits>

namespace {

// Neumaier's compensated sum: the rounding error of every addition is carried separately,
// so a long run of large equal values keeps an exact sum (and hence an exact mean).
class CompensatedSum
{
public:
    void add(double value)
    {
        const double t = sum_ + value;
        if (std::fabs(sum_) >= std::fabs(value))
            compensation_ += (sum_ - t) + value;
        else
            compensation_ += (value - t) + sum_;
        sum_ = t;
    }
    double value() const { return sum_ + compensation_; }

private:
    double sum_ = 0.0;
    double compensation_ = 0.0;
};

} // namespace

CurveStatistics CurveStatistics::of(const double* y, std::size_t count)
{
    DataRange unused;
    return of(nullptr, y, count, unused);
}

// The deviations from the mean need a second pass over y: a one-pass formula for sigma loses
// the digits a large mean cancels.
CurveStatistics CurveStatistics::of(const double* x, const double* y, std::size_t count, DataRange& range)
{
    CurveStatistics s;
    // Limits no value can stay at, so that the first value that is not a gap sets both.
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -minimum;
    std::size_t used = 0;
    CompensatedSum sum;
    CompensatedSum squares;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = y[i];
        if (x)
            range.addX(x[i]);
        range.addY(v);
        if (std::isnan(v))
            continue;
        ++used;
        if (v > maximum)
            maximum = v;
        if (v < minimum)
            minimum = v;
        sum.add(v);
        squares.add(v * v);
    }
    s.samples = static_cast<std::uint32_t>(used);
    s.gaps = static_cast<std::uint32_t>(count - used);
    if (used == 0)
        return s;

    const double n = static_cast<double>(used);
    s.minimum = minimum;
    s.maximum = maximum;
    s.amount = sum.value();
    s.energy = squares.value();
    s.power = s.energy / n;
    s.norm = std::sqrt(s.energy);
    s.rms = std::sqrt(s.power);
    s.mean = s.amount / n;

    CompensatedSum deviations;
    for (std::size_t i = 0; i < count; ++i) {
        if (std::isnan(y[i]))
            continue;
        const double d = y[i] - s.mean;
        deviations.add(d * d);
    }
    s.sigma = std::sqrt(deviations.value() / n);
    return s;
}
