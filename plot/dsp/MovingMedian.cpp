#include "MovingMedian.h"

#include "GapRuns.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

// The window's values in two halves: `low` holds the smaller half and, for an odd count, the
// middle value, so the median is read from the edges of the halves.
class SlidingMedian
{
public:
    void insert(double value)
    {
        if (low.empty() || value <= *low.rbegin())
            low.insert(value);
        else
            high.insert(value);
        balance();
    }

    void erase(double value)
    {
        if (value <= *low.rbegin())
            low.erase(low.find(value));
        else
            high.erase(high.find(value));
        balance();
    }

    double median() const
    {
        if (low.size() > high.size())
            return *low.rbegin();
        return (*low.rbegin() + *high.begin()) / 2;
    }

private:
    void balance()
    {
        if (low.size() > high.size() + 1) {
            high.insert(*low.rbegin());
            low.erase(std::prev(low.end()));
        } else if (high.size() > low.size()) {
            low.insert(*high.begin());
            high.erase(high.begin());
        }
    }

    std::multiset<double> low;
    std::multiset<double> high;
};

void medianRun(const double* y, std::size_t n, std::size_t window, double* out)
{
    const std::size_t before = (window - 1) / 2;
    const std::size_t after = window / 2;
    SlidingMedian values;
    std::size_t lo = 0;
    std::size_t hi = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t wantLo = i > before ? i - before : 0;
        const std::size_t wantHi = std::min(n, i + after + 1);
        for (; hi < wantHi; ++hi)
            values.insert(y[hi]);
        for (; lo < wantLo; ++lo)
            values.erase(y[lo]);
        out[i] = values.median();
    }
}

} // namespace

std::vector<double> movingMedian(const double* x, const double* y, std::size_t count, std::size_t window)
{
    if (window == 0)
        throw std::invalid_argument("The moving median needs a window of at least one point.");
    return filterEachRun(x, y, count, [window](const double*, const double* runY, std::size_t n, double* out) {
        medianRun(runY, n, window, out);
    });
}
