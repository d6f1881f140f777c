#include "DataRange.h"

#include <cmath>

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

void DataRange::addX(const double* x, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        addX(x[i]);
}

void DataRange::addY(const double* y, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        addY(y[i]);
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
