#pragma once
// Process capability indices of one quantity against its tolerance. An index
// that cannot be given (fewer than two values, no tolerance, no spread) is
// NaN, which every reader shows as a dash, never as 0.

#include <limits>

// Lower and upper tolerance limits; NaN where a side has none. Haze and
// transmittance differences are two-sided (plus or minus the tolerance), the
// colour difference has only an upper limit (the threshold).
struct ToleranceLimits
{
    double lower;
    double upper;

    bool known() const;
    bool twoSided() const;
};

ToleranceLimits noLimits();

struct CapabilityIndices
{
    int n = 0;
    // Within-subgroup sigma (moving range): Cp, Cpk. Overall sigma: Pp, Ppk.
    // With an upper limit only Cp and Pp stay NaN and Cpk is CPU.
    double cp;
    double cpk;
    double pp;
    double ppk;
    // 95 % lower confidence bounds of Cpk and Ppk (Bissell's approximation).
    double cpkLower;
    double ppkLower;
    // Percentile-method index from a fitted skewed distribution:
    // (USL - X50) / (X99.865 - X50) for an upper limit.
    double percentileIndex;

    CapabilityIndices();
};

// z of a one-sided 95 % bound.
inline constexpr double kOneSided95 = 1.6448536269514722;

// Bissell's lower confidence bound of a Cpk-type index from n values:
// index - z * sqrt(1 / (9n) + index^2 / (2(n - 1))). NaN below n = 2.
double bissellLowerBound(double index, int n, double z = kOneSided95);

// Indices from the summary of the values. sigmaWithin may be NaN (then Cp and
// Cpk are NaN); percentile50 and percentile99865 are the fitted distribution's
// quantiles (NaN when none was fitted).
CapabilityIndices capabilityIndices(const ToleranceLimits& limits, int n, double mean, double sigmaWithin,
                                    double sigmaOverall,
                                    double percentile50 = std::numeric_limits<double>::quiet_NaN(),
                                    double percentile99865 = std::numeric_limits<double>::quiet_NaN());
