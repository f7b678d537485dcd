#include "Capability.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool usable(double sigma)
{
    return std::isfinite(sigma) && sigma > 0.0;
}

// min(CPU, CPL) for the sides the tolerance has, against one sigma.
double centredIndex(const ToleranceLimits& limits, double mean, double sigma)
{
    if (!usable(sigma) || !std::isfinite(mean)) {
        return kNaN;
    }
    double index = std::numeric_limits<double>::infinity();
    if (!std::isnan(limits.upper)) {
        index = std::min(index, (limits.upper - mean) / (3.0 * sigma));
    }
    if (!std::isnan(limits.lower)) {
        index = std::min(index, (mean - limits.lower) / (3.0 * sigma));
    }
    return std::isinf(index) ? kNaN : index;
}

double spreadIndex(const ToleranceLimits& limits, double sigma)
{
    if (!limits.twoSided() || !usable(sigma)) {
        return kNaN;
    }
    return (limits.upper - limits.lower) / (6.0 * sigma);
}

} // namespace

bool ToleranceLimits::known() const
{
    return !std::isnan(lower) || !std::isnan(upper);
}

bool ToleranceLimits::twoSided() const
{
    return !std::isnan(lower) && !std::isnan(upper);
}

ToleranceLimits noLimits()
{
    return {kNaN, kNaN};
}

CapabilityIndices::CapabilityIndices()
    : cp(kNaN), cpk(kNaN), pp(kNaN), ppk(kNaN), cpkLower(kNaN), ppkLower(kNaN), percentileIndex(kNaN)
{
}

double bissellLowerBound(double index, int n, double z)
{
    if (n < 2 || !std::isfinite(index)) {
        return kNaN;
    }
    return index - z * std::sqrt(1.0 / (9.0 * n) + index * index / (2.0 * (n - 1)));
}

CapabilityIndices capabilityIndices(const ToleranceLimits& limits, int n, double mean, double sigmaWithin,
                                    double sigmaOverall, double percentile50, double percentile99865)
{
    CapabilityIndices c;
    c.n = n;
    if (n < 2 || !limits.known()) {
        return c;
    }
    c.cp = spreadIndex(limits, sigmaWithin);
    c.cpk = centredIndex(limits, mean, sigmaWithin);
    c.pp = spreadIndex(limits, sigmaOverall);
    c.ppk = centredIndex(limits, mean, sigmaOverall);
    c.cpkLower = bissellLowerBound(c.cpk, n);
    c.ppkLower = bissellLowerBound(c.ppk, n);
    const double upperTail = percentile99865 - percentile50;
    if (!std::isnan(limits.upper) && std::isnan(limits.lower) && std::isfinite(upperTail) && upperTail > 0.0) {
        c.percentileIndex = (limits.upper - percentile50) / upperTail;
    }
    return c;
}
