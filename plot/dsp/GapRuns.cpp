#include "GapRuns.h"

#include <cmath>
#include <limits>

bool isGap(double x, double y)
{
    return !std::isfinite(x) || !std::isfinite(y);
}

std::vector<GapRun> gapFreeRuns(const double* x, const double* y, std::size_t count)
{
    std::vector<GapRun> runs;
    std::size_t i = 0;
    while (i < count) {
        while (i < count && isGap(x[i], y[i]))
            ++i;
        const std::size_t begin = i;
        while (i < count && !isGap(x[i], y[i]))
            ++i;
        if (i > begin)
            runs.push_back({begin, i});
    }
    return runs;
}

std::vector<double> filterEachRun(const double* x, const double* y, std::size_t count, const RunFilter& filter)
{
    std::vector<double> out(count, std::numeric_limits<double>::quiet_NaN());
    for (const GapRun& run : gapFreeRuns(x, y, count))
        filter(x + run.begin, y + run.begin, run.size(), out.data() + run.begin);
    return out;
}
