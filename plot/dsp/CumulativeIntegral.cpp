#include "CumulativeIntegral.h"

#include "GapRuns.h"

std::vector<double> cumulativeIntegral(const double* x, const double* y, std::size_t count)
{
    // The runs come in order, so the value a run ends on carries into the next.
    double carried = 0;
    return filterEachRun(x, y, count, [&carried](const double* rx, const double* ry, std::size_t n, double* out) {
        out[0] = carried;
        for (std::size_t i = 1; i < n; ++i)
            out[i] = out[i - 1] + (rx[i] - rx[i - 1]) * (ry[i] + ry[i - 1]) / 2;
        carried = out[n - 1];
    });
}
