#include "FitData.h"

#include "FitError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

FitData::FitData(const std::vector<double>& x, const std::vector<double>& y,
                 const std::vector<double>& weights)
{
    const double infinity = std::numeric_limits<double>::infinity();
    take(x, y, weights, -infinity, infinity);
}

FitData FitData::inRange(const std::vector<double>& x, const std::vector<double>& y, double x0,
                         double x1, const std::vector<double>& weights)
{
    FitData data;
    data.take(x, y, weights, std::min(x0, x1), std::max(x0, x1));
    return data;
}

void FitData::take(const std::vector<double>& x, const std::vector<double>& y,
                   const std::vector<double>& weights, double x0, double x1)
{
    if (x.size() != y.size() || (!weights.empty() && weights.size() != x.size()))
        throw FitError("The fit needs as many x values as y values" +
                       std::string(weights.empty() ? "" : " and weights") + ".");
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] < x0 || x[i] > x1)
            continue;
        const bool weightUsable = weights.empty() || (std::isfinite(weights[i]) && weights[i] > 0.0);
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]) || !weightUsable) {
            ++skipped_;
            continue;
        }
        x_.push_back(x[i]);
        y_.push_back(y[i]);
        if (!weights.empty())
            weights_.push_back(weights[i]);
    }
}

void FitData::requirePoints(std::size_t parameters) const
{
    if (size() < parameters)
        throw FitError("The fit needs at least as many points as parameters: " + std::to_string(size()) +
                       " points for " + std::to_string(parameters) + " parameters" +
                       (skipped_ ? " (" + std::to_string(skipped_) + " skipped for values that are not finite)." : "."));
}
