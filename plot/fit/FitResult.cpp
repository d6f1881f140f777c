#include "FitResult.h"

#include "FitData.h"

#include <cmath>
#include <limits>

void FitResult::complete(const FitData& data, std::vector<double> modelValues,
                         const std::vector<double>& unscaledVariances)
{
    const std::vector<double>& y = data.y();
    const std::vector<double>& w = data.weights();
    points = data.size();
    skipped = data.skipped();
    dof = points - parameters.size();
    x = data.x();
    fitted = std::move(modelValues);
    residuals.resize(points);

    double weightSum = 0.0;
    double weightedY = 0.0;
    rss = 0.0;
    for (std::size_t i = 0; i < points; ++i) {
        const double weight = w.empty() ? 1.0 : w[i];
        residuals[i] = y[i] - fitted[i];
        rss += weight * residuals[i] * residuals[i];
        weightSum += weight;
        weightedY += weight * y[i];
    }
    const double mean = weightedY / weightSum;
    double tss = 0.0;
    for (std::size_t i = 0; i < points; ++i)
        tss += (w.empty() ? 1.0 : w[i]) * (y[i] - mean) * (y[i] - mean);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double variance = dof > 0 ? rss / double(dof) : nan;
    residualSd = std::sqrt(variance);
    rSquared = tss > 0.0 ? 1.0 - rss / tss : nan;
    for (std::size_t j = 0; j < parameters.size(); ++j)
        parameters[j].error = std::sqrt(unscaledVariances[j] * variance);
}
