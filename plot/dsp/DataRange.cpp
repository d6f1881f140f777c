#include "DataRange.h"

#include <cmath>
#include <limits>

void DataRange::widen(double v, double& min, double& max, bool& found)
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

// The limits live in locals while the loop runs, so no sample waits for the store of the one
// before it.
void DataRange::widenAll(const double* v, std::size_t count, double& min, double& max, bool& found)
{
    std::size_t i = 0;
    while (!found && i < count)
        widen(v[i++], min, max, found);
    double low = min;
    double high = max;
    for (; i < count; ++i) {
        const double value = v[i];
        if (value < low && value >= -std::numeric_limits<double>::max())
            low = value;
        if (value > high && value <= std::numeric_limits<double>::max())
            high = value;
    }
    min = low;
    max = high;
}

void DataRange::addX(const double* x, std::size_t count)
{
    widenAll(x, count, xMin, xMax, xFound);
}

void DataRange::addY(const double* y, std::size_t count)
{
    widenAll(y, count, yMin, yMax, yFound);
}

void DataRange::unite(const DataRange& other)
{
    if (other.xFound) {
        addX(other.xMin);
        addX(other.xMax);
    }
    if (other.yFound) {
        addY(other.yMin);
        addY(other.yMax);
    }
}

DataRange DataRange::of(const double* x, const double* y, std::size_t count)
{
    DataRange r;
    for (std::size_t i = 0; i < count; ++i) {
        r.addX(x[i]);
        r.addY(y[i]);
    }
    return r;
}
