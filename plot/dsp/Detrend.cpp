#include "Detrend.h"

#include "GapRuns.h"

#include <limits>

std::vector<double> detrend(const double* x, const double* y, std::size_t count, Trend trend)
{
    std::vector<double> out(count, std::numeric_limits<double>::quiet_NaN());
    const std::vector<GapRun> runs = gapFreeRuns(x, y, count);
    std::size_t points = 0;
    double xMean = 0;
    double yMean = 0;
    for (const GapRun& run : runs) {
        for (std::size_t i = run.begin; i < run.end; ++i, ++points) {
            xMean += (x[i] - xMean) / double(points + 1);
            yMean += (y[i] - yMean) / double(points + 1);
        }
    }
    // Sums about the means, where they do not cancel.
    double sxy = 0;
    double sxx = 0;
    for (const GapRun& run : runs) {
        for (std::size_t i = run.begin; i < run.end; ++i) {
            sxy += (x[i] - xMean) * (y[i] - yMean);
            sxx += (x[i] - xMean) * (x[i] - xMean);
        }
    }
    const double slope = trend == Trend::Linear && sxx > 0 ? sxy / sxx : 0.0;
    for (const GapRun& run : runs) {
        for (std::size_t i = run.begin; i < run.end; ++i)
            out[i] = y[i] - yMean - slope * (x[i] - xMean);
    }
    return out;
}
