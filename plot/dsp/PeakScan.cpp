#include "PeakScan.h"

PeakPositions scanPeaks(const double* p, std::size_t count, double delta, std::size_t limit)
{
    PeakPositions found;
    if (count < 2)
        return found;
    if (!(delta >= 0.0))
        delta = 0.0;
    double mx = p[0];
    double mn = p[0];
    std::size_t mxpos = 0;
    std::size_t mnpos = 0;
    bool lookForMax = false;
    for (std::size_t i = 1; i < count; ++i) {
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
            if (found.maxima.size() == limit)
                break;
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
