#include "PeakScan.h"

#include <cmath>

PeakPositions scanPeaks(const double* p, std::size_t count, double delta, std::size_t limit)
{
    PeakPositions found;
    // The running extrema start at the first value that is not a gap; every later gap fails
    // each comparison below, so the scan passes over it as if it were not there.
    std::size_t first = 0;
    while (first < count && std::isnan(p[first]))
        ++first;
    if (count - first < 2)
        return found;
    if (!(delta >= 0.0))
        delta = 0.0;
    double mx = p[first];
    double mn = p[first];
    std::size_t mxpos = first;
    std::size_t mnpos = first;
    bool lookForMax = false;
    for (std::size_t i = first + 1; i < count; ++i) {
        const double v = p[i];
        if (v > mx) {
            mx = v;
            mxpos = i;
        }
        if (v < mn) {
            mn = v;
            mnpos = i;
        }
        // After a find the scan goes on from the extremum, with the other running extremum
        // started afresh there. Reading the extremum itself again would change nothing, so
        // the loop's step moves past it.
        if (lookForMax && v < mx - delta) {
            // Every maximum follows a minimum, so the minima reach the limit first.
            found.maxima.push_back(mxpos);
            lookForMax = false;
            mn = p[mxpos];
            mnpos = mxpos;
            i = mxpos;
        } else if (!lookForMax && v > mn + delta) {
            if (found.minima.size() == limit)
                break;
            found.minima.push_back(mnpos);
            lookForMax = true;
            mx = p[mnpos];
            mxpos = mnpos;
            i = mnpos;
        }
    }
    return found;
}
