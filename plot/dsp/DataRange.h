#pragma once

#include <cstddef>

// Smallest and largest x and y of sample arrays: the one min/max scan of the library. Only
// finite values count: an infinity or NaN among the samples would make an axis that shows
// nothing. Without a finite value an axis's limits stay 0 and it is not `found`.
struct DataRange {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    bool xFound = false; // a finite x value was seen
    bool yFound = false;

    bool found() const { return xFound && yFound; }

    void addX(double v) { widen(v, xMin, xMax, xFound); }
    void addY(double v) { widen(v, yMin, yMax, yFound); }
    void addX(const double* x, std::size_t count);
    void addY(const double* y, std::size_t count);
    // Widens this range by every limit the other one found.
    void unite(const DataRange& other);

    static DataRange of(const double* x, const double* y, std::size_t count);

private:
    static void widen(double v, double& min, double& max, bool& found);
    static void widenAll(const double* v, std::size_t count, double& min, double& max, bool& found);
};
