#include "StartValues.h"

#include "FitData.h"
#include "RealFft.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <numeric>

namespace {

constexpr double kPi = 3.141592653589793;

struct Points {
    std::vector<double> x;
    std::vector<double> y;
};

Points sortedByX(const FitData& data)
{
    std::vector<std::size_t> order(data.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return data.x()[a] < data.x()[b]; });
    Points points;
    for (std::size_t i : order) {
        points.x.push_back(data.x()[i]);
        points.y.push_back(data.y()[i]);
    }
    return points;
}

double span(const Points& points)
{
    const double width = points.x.back() - points.x.front();
    return width > 0.0 ? width : 1.0;
}

double mean(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

double median(std::vector<double> values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Slope and intercept of the least-squares line through (u, v).
struct Line {
    double slope = 0.0;
    double intercept = 0.0;
};

Line lineThrough(const std::vector<double>& u, const std::vector<double>& v)
{
    const double uMean = mean(u);
    const double vMean = mean(v);
    double uu = 0.0;
    double uv = 0.0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        uu += (u[i] - uMean) * (u[i] - uMean);
        uv += (u[i] - uMean) * (v[i] - vMean);
    }
    Line line;
    line.slope = uu > 0.0 ? uv / uu : 0.0;
    line.intercept = vMean - line.slope * uMean;
    return line;
}

// The rate b of y = a*exp(b*x) + c from y' = b*(y - c): integrated from the first point,
// y - y0 = b*S - b*c*(x - x0) with S the running trapezoid integral of y, linear in b and b*c.
double exponentialRate(const Points& p)
{
    double integral = 0.0;
    double uu = 0.0, us = 0.0, ss = 0.0, du = 0.0, ds = 0.0;
    for (std::size_t k = 1; k < p.x.size(); ++k) {
        integral += 0.5 * (p.y[k] + p.y[k - 1]) * (p.x[k] - p.x[k - 1]);
        const double u = p.x[k] - p.x[0];
        const double d = p.y[k] - p.y[0];
        uu += u * u;
        us += u * integral;
        ss += integral * integral;
        du += d * u;
        ds += d * integral;
    }
    const double rate = (ds * uu - du * us) / (uu * ss - us * us);
    return std::isfinite(rate) && rate != 0.0 ? rate : 1.0 / span(p);
}

struct Peak {
    double height = 0.0;
    double centre = 0.0;
    double fullWidth = 0.0;
    double baseline = 0.0;
};

Peak peakOf(const Points& p)
{
    Peak peak;
    peak.baseline = median(p.y);
    std::size_t top = 0;
    for (std::size_t i = 1; i < p.y.size(); ++i) {
        if (std::fabs(p.y[i] - peak.baseline) > std::fabs(p.y[top] - peak.baseline))
            top = i;
    }
    peak.height = p.y[top] - peak.baseline;
    peak.centre = p.x[top];
    const double half = 0.5 * std::fabs(peak.height);
    std::size_t left = top;
    while (left > 0 && std::fabs(p.y[left] - peak.baseline) > half)
        --left;
    std::size_t right = top;
    while (right + 1 < p.y.size() && std::fabs(p.y[right] - peak.baseline) > half)
        ++right;
    peak.fullWidth = p.x[right] - p.x[left];
    if (peak.fullWidth <= 0.0)
        peak.fullWidth = span(p) / double(p.x.size());
    return peak;
}

// The data at `count` evenly spaced x over their range, by linear interpolation, less their
// mean, so that a spectrum can be taken of points that were measured unevenly.
std::vector<double> evenlySpaced(const Points& p, std::size_t count, double yMean)
{
    std::vector<double> values(count);
    const double step = (p.x.back() - p.x.front()) / double(count - 1);
    std::size_t k = 0;
    for (std::size_t j = 0; j < count; ++j) {
        const double at = p.x.front() + double(j) * step;
        while (k + 2 < p.x.size() && p.x[k + 1] < at)
            ++k;
        const double width = p.x[k + 1] - p.x[k];
        const double t = width > 0.0 ? std::clamp((at - p.x[k]) / width, 0.0, 1.0) : 0.0;
        values[j] = p.y[k] + t * (p.y[k + 1] - p.y[k]) - yMean;
    }
    return values;
}

// The frequency of the strongest bin other than DC, moved between bins by the parabola
// through its magnitude and its neighbours'.
double strongestFrequency(const Points& p, double yMean)
{
    // A power of two at or above the point count, so that the transform is the quick one and
    // the resampling loses nothing; a million bins resolve more than any start needs.
    std::size_t count = 4;
    while (count < p.x.size() && count < (std::size_t(1) << 20))
        count *= 2;
    const std::vector<double> values = evenlySpaced(p, count, yMean);
    const RealFft& fft = realFftPlan(count);
    std::vector<std::complex<double>> bins(fft.bins());
    fft.forward(values.data(), bins.data());
    std::size_t best = 1;
    for (std::size_t k = 2; k < bins.size(); ++k) {
        if (std::abs(bins[k]) > std::abs(bins[best]))
            best = k;
    }
    double shift = 0.0;
    if (best + 1 < bins.size()) {
        const double before = std::abs(bins[best - 1]);
        const double at = std::abs(bins[best]);
        const double after = std::abs(bins[best + 1]);
        const double curvature = before - 2.0 * at + after;
        if (curvature < 0.0)
            shift = 0.5 * (before - after) / curvature;
    }
    const double step = (p.x.back() - p.x.front()) / double(count - 1);
    return (double(best) + shift) / (double(count) * step);
}

// The x where y first passes level on its way in the data's direction.
double crossing(const Points& p, double level, bool rising)
{
    for (std::size_t i = 0; i < p.y.size(); ++i) {
        if (rising ? p.y[i] >= level : p.y[i] <= level)
            return p.x[i];
    }
    return p.x.back();
}

} // namespace

std::vector<double> StartValues::exponential(const FitData& data)
{
    const Points p = sortedByX(data);
    const double rate = exponentialRate(p);
    std::vector<double> growth(p.x.size());
    for (std::size_t i = 0; i < p.x.size(); ++i)
        growth[i] = std::exp(rate * (p.x[i] - p.x[0]));
    const Line line = lineThrough(growth, p.y);
    const double scale = line.slope != 0.0 ? line.slope : 1.0;
    return {scale * std::exp(-rate * p.x[0]), rate, line.intercept};
}

std::vector<double> StartValues::gauss(const FitData& data)
{
    const Peak peak = peakOf(sortedByX(data));
    return {peak.height, peak.centre, peak.fullWidth / (2.0 * std::sqrt(2.0 * std::log(2.0))), peak.baseline};
}

std::vector<double> StartValues::lorentz(const FitData& data)
{
    const Peak peak = peakOf(sortedByX(data));
    return {peak.height, peak.centre, 0.5 * peak.fullWidth, peak.baseline};
}

std::vector<double> StartValues::sine(const FitData& data)
{
    const Points p = sortedByX(data);
    const double offset = mean(p.y);
    const double frequency = p.x.back() > p.x.front() ? strongestFrequency(p, offset) : 1.0;
    double inPhase = 0.0;
    double quadrature = 0.0;
    for (std::size_t i = 0; i < p.x.size(); ++i) {
        const double angle = 2.0 * kPi * frequency * p.x[i];
        inPhase += (p.y[i] - offset) * std::sin(angle);
        quadrature += (p.y[i] - offset) * std::cos(angle);
    }
    const double n = double(p.x.size());
    const double amplitude = 2.0 * std::hypot(inPhase, quadrature) / n;
    return {amplitude > 0.0 ? amplitude : 1.0, frequency, std::atan2(quadrature, inPhase), offset};
}

std::vector<double> StartValues::power(const FitData& data)
{
    double ySum = 0.0;
    for (double y : data.y())
        ySum += y;
    const double sign = ySum < 0.0 ? -1.0 : 1.0;
    std::vector<double> logX;
    std::vector<double> logY;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data.x()[i] > 0.0 && sign * data.y()[i] > 0.0) {
            logX.push_back(std::log(data.x()[i]));
            logY.push_back(std::log(sign * data.y()[i]));
        }
    }
    if (logX.size() < 2)
        return {sign, 1.0};
    const Line line = lineThrough(logX, logY);
    return {sign * std::exp(line.intercept), line.slope != 0.0 ? line.slope : 1.0};
}

std::vector<double> StartValues::logistic(const FitData& data)
{
    const Points p = sortedByX(data);
    const auto [low, high] = std::minmax_element(p.y.begin(), p.y.end());
    const double bottom = *low;
    const double height = *high > *low ? *high - *low : 1.0;
    const std::size_t quarter = std::max<std::size_t>(1, p.y.size() / 4);
    const double first = std::accumulate(p.y.begin(), p.y.begin() + std::ptrdiff_t(quarter), 0.0);
    const double last = std::accumulate(p.y.end() - std::ptrdiff_t(quarter), p.y.end(), 0.0);
    const bool rising = last >= first;
    const double centre = crossing(p, bottom + 0.5 * height, rising);
    // The logistic passes a quarter and three quarters of its height 2*ln(3)/|b| apart.
    double spread = std::fabs(crossing(p, bottom + 0.75 * height, rising) -
                              crossing(p, bottom + 0.25 * height, rising));
    if (spread <= 0.0)
        spread = 0.1 * span(p);
    const double rate = 2.0 * std::log(3.0) / spread;
    return {height, rising ? rate : -rate, centre, bottom};
}
