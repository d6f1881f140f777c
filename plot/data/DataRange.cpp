#include "DataRange.h"

DataRange DataRange::of(const double* x, const double* y, std::size_t count)
{
    DataRange r;
    r.xMin = r.xMax = x[0];
    r.yMin = r.yMax = y[0];
    for (std::size_t i = 1; i < count; ++i) {
        if (x[i] > r.xMax)
            r.xMax = x[i];
        if (x[i] < r.xMin)
            r.xMin = x[i];
        if (y[i] > r.yMax)
            r.yMax = y[i];
        if (y[i] < r.yMin)
            r.yMin = y[i];
    }
    return r;
}
