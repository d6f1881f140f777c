#include "DataRange.h"

#include <cmath>

namespace {

void widen(double v, double& min, double& max, bool& found)
{
    if (!std::isfinite(v))
        return;
    if (!found) {
        min = max = v;
        found = true;
    } else if (v > max) {
        max = v;
    } else if (v < min) {
        min = v;
    }
}

} // namespace

DataRange DataRange::of(const double* x, const double* y, std::size_t count)
{
    DataRange r;
    for (std::size_t i = 0; i < count; ++i) {
        widen(x[i], r.xMin, r.xMax, r.xFound);
        widen(y[i], r.yMin, r.yMax, r.yFound);
    }
    return r;
}
