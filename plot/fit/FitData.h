#pragma once

#include <cstddef>
#include <vector>

// The points a fit works on: x, y and, for a weighted fit, the weight 1/sigma^2 of each
// point. A point whose x or y is not finite, or whose weight is not a finite positive
// number, is skipped and counted, so a curve with gaps fits what it holds.
class FitData {
public:
    // Without weights every point weighs 1. Throws FitError when the sizes differ; may throw
    // std::bad_alloc.
    FitData(const std::vector<double>& x, const std::vector<double>& y,
            const std::vector<double>& weights = {});

    // The visible-range rule: only the points with x0 <= x <= x1 (either order of the limits),
    // so a fit follows what the plot shows. Points outside the range are left out without
    // being counted as skipped.
    static FitData inRange(const std::vector<double>& x, const std::vector<double>& y, double x0,
                           double x1, const std::vector<double>& weights = {});

    std::size_t size() const { return x_.size(); }
    const std::vector<double>& x() const { return x_; }
    const std::vector<double>& y() const { return y_; }
    // Empty for an unweighted fit.
    const std::vector<double>& weights() const { return weights_; }
    bool weighted() const { return !weights_.empty(); }
    // Points left out for a value that is not finite or a weight that is not positive.
    std::size_t skipped() const { return skipped_; }
    // Throws FitError when there are fewer points than a model has parameters.
    void requirePoints(std::size_t parameters) const;

private:
    FitData() = default;
    void take(const std::vector<double>& x, const std::vector<double>& y,
              const std::vector<double>& weights, double x0, double x1);

    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<double> weights_;
    std::size_t skipped_ = 0;
};
