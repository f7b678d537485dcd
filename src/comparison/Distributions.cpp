#include "Distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;

double normalCdf(double x)
{
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

double normalDensity(double x)
{
    return std::exp(-0.5 * x * x) / std::sqrt(2.0 * kPi);
}

// Upper tail by a continued fraction (modified Lentz), for x >= a + 1.
double gammaQContinuedFraction(double a, double x)
{
    const double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny) {
            d = tiny;
        }
        c = b + an / c;
        if (std::fabs(c) < tiny) {
            c = tiny;
        }
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-15) {
            break;
        }
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// Lower tail by its series, for x < a + 1.
double gammaPSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < 1000; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * 1e-16) {
            break;
        }
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

} // namespace

double normalQuantile(double p)
{
    if (!(p > 0.0 && p < 1.0)) {
        return kNaN;
    }
    // Newton's method on the upper half: the distribution function is concave
    // there, so starting at 0 the steps approach the root from below and never
    // overshoot.
    const double q = p < 0.5 ? 1.0 - p : p;
    double x = 0.0;
    for (int i = 0; i < 200; ++i) {
        const double step = (normalCdf(x) - q) / normalDensity(x);
        x -= step;
        if (std::fabs(step) < 1e-14 * (1.0 + std::fabs(x))) {
            break;
        }
    }
    return p < 0.5 ? -x : x;
}

double regularizedGammaP(double a, double x)
{
    if (!(a > 0.0) || !(x >= 0.0)) {
        return kNaN;
    }
    if (x == 0.0) {
        return 0.0;
    }
    if (x < a + 1.0) {
        return gammaPSeries(a, x);
    }
    return 1.0 - gammaQContinuedFraction(a, x);
}

double gammaQuantile(double p, double shape, double scale)
{
    if (!(p > 0.0 && p < 1.0) || !(shape > 0.0) || !(scale > 0.0)) {
        return kNaN;
    }
    const double z = normalQuantile(p);
    const double c = 1.0 / (9.0 * shape);
    if (shape > 1e4) {
        // Nearly normal: Wilson-Hilferty is exact to about 1e-8 here, and the
        // incomplete gamma's series would need too many terms.
        return scale * shape * std::pow(1.0 - c + z * std::sqrt(c), 3.0);
    }
    // Bracket the root, start from the Wilson-Hilferty approximation, then
    // Newton steps kept inside the bracket (bisection when one leaves it).
    double lo = 0.0;
    double hi = std::max(1.0, shape);
    while (regularizedGammaP(shape, hi) < p) {
        lo = hi;
        hi *= 2.0;
    }
    double x = shape * std::pow(std::max(1.0 - c + z * std::sqrt(c), 1e-3), 3.0);
    if (!(x > lo && x < hi)) {
        x = 0.5 * (lo + hi);
    }
    for (int i = 0; i < 200; ++i) {
        const double f = regularizedGammaP(shape, x) - p;
        if (f < 0.0) {
            lo = x;
        } else {
            hi = x;
        }
        const double density = std::exp((shape - 1.0) * std::log(x) - x - std::lgamma(shape));
        double next = density > 0.0 ? x - f / density : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) {
            next = 0.5 * (lo + hi);
        }
        if (std::fabs(next - x) < 1e-13 * x || hi - lo < 1e-14 * hi) {
            x = next;
            break;
        }
        x = next;
    }
    return x * scale;
}

double digamma(double x)
{
    double result = 0.0;
    while (x < 6.0) {
        result -= 1.0 / x;
        x += 1.0;
    }
    const double f = 1.0 / (x * x);
    return result + std::log(x) - 0.5 / x
        - f * (1.0 / 12.0 - f * (1.0 / 120.0 - f * (1.0 / 252.0 - f * (1.0 / 240.0 - f / 132.0))));
}

double trigamma(double x)
{
    double result = 0.0;
    while (x < 6.0) {
        result += 1.0 / (x * x);
        x += 1.0;
    }
    const double f = 1.0 / (x * x);
    return result + 1.0 / x + f / 2.0
        + f / x * (1.0 / 6.0 - f * (1.0 / 30.0 - f * (1.0 / 42.0 - f / 30.0)));
}

void PositiveSums::add(double x)
{
    const double l = std::log(x);
    ++n;
    sum += x;
    sumLog += l;
    sumLogSquares += l * l;
}

void PositiveSums::remove(double x)
{
    const double l = std::log(x);
    --n;
    sum -= x;
    sumLog -= l;
    sumLogSquares -= l * l;
}

double positiveForFit(double x)
{
    return x < 0.005 ? 0.0025 : x;
}

double DistributionFit::quantile(double p) const
{
    switch (kind) {
    case Gamma:
        return gammaQuantile(p, first, second);
    case LogNormal:
        return std::exp(first + second * normalQuantile(p));
    case None:
        break;
    }
    return kNaN;
}

DistributionFit fitGamma(const PositiveSums& sums)
{
    DistributionFit fit;
    if (sums.n < 2) {
        return fit;
    }
    const double n = static_cast<double>(sums.n);
    const double mean = sums.sum / n;
    const double s = std::log(mean) - sums.sumLog / n;
    // s = ln(mean) - mean(ln x) >= 0 by Jensen; 0 when every value is equal.
    if (!(s > 1e-12)) {
        return fit;
    }
    // The shape solves ln k - digamma(k) = s: start from the usual closed-form
    // approximation and polish with Newton steps.
    double k = (3.0 - s + std::sqrt((s - 3.0) * (s - 3.0) + 24.0 * s)) / (12.0 * s);
    for (int i = 0; i < 50; ++i) {
        const double f = std::log(k) - digamma(k) - s;
        const double derivative = 1.0 / k - trigamma(k);
        double next = k - f / derivative;
        if (!(next > 0.0)) {
            next = k / 2.0;
        }
        const bool done = std::fabs(next - k) < 1e-12 * k;
        k = next;
        if (done) {
            break;
        }
    }
    const double theta = mean / k;
    fit.kind = DistributionFit::Gamma;
    fit.first = k;
    fit.second = theta;
    fit.logLikelihood = (k - 1.0) * sums.sumLog - sums.sum / theta - n * k * std::log(theta) - n * std::lgamma(k);
    return fit;
}

DistributionFit fitLogNormal(const PositiveSums& sums)
{
    DistributionFit fit;
    if (sums.n < 2) {
        return fit;
    }
    const double n = static_cast<double>(sums.n);
    const double mu = sums.sumLog / n;
    const double variance = sums.sumLogSquares / n - mu * mu;
    if (!(variance > 1e-12 * (1.0 + mu * mu))) {
        return fit;
    }
    fit.kind = DistributionFit::LogNormal;
    fit.first = mu;
    fit.second = std::sqrt(variance);
    fit.logLikelihood = -sums.sumLog - 0.5 * n * std::log(2.0 * kPi * variance) - 0.5 * n;
    return fit;
}

DistributionFit fitSkewed(const PositiveSums& sums)
{
    const DistributionFit gamma = fitGamma(sums);
    const DistributionFit logNormal = fitLogNormal(sums);
    if (gamma.kind == DistributionFit::None) {
        return logNormal;
    }
    if (logNormal.kind == DistributionFit::None) {
        return gamma;
    }
    return logNormal.logLikelihood > gamma.logLikelihood ? logNormal : gamma;
}
