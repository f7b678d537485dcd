#pragma once
// Probability functions the capability indices need, written as plain
// functions: the normal quantile, the gamma distribution (regularised
// incomplete gamma, quantile, digamma and trigamma) and maximum-likelihood
// fits of a gamma and a log-normal distribution to positive data, kept as
// sufficient statistics so that a fit costs the same for 10 or 100 000 values.

// Quantile of the standard normal distribution; NaN outside (0, 1).
double normalQuantile(double p);
// P(a, x): the regularised lower incomplete gamma function, a > 0, x >= 0.
double regularizedGammaP(double a, double x);
// Quantile of a gamma distribution with the given shape and scale.
double gammaQuantile(double p, double shape, double scale);
double digamma(double x);
double trigamma(double x);

// n, sum of x, sum of ln x and sum of (ln x)^2 of positive values.
struct PositiveSums
{
    long long n = 0;
    double sum = 0.0;
    double sumLog = 0.0;
    double sumLogSquares = 0.0;

    void add(double x);
    void remove(double x);
};

// A positive value as the fits take it: a difference shown as 0.00 stands for
// anything in [0, 0.005), so zero (and a negative rounding artefact) is taken
// as the middle of that interval rather than making ln x minus infinity.
double positiveForFit(double x);

struct DistributionFit
{
    enum Kind { None, Gamma, LogNormal };
    Kind kind = None;
    // Gamma: shape and scale. Log-normal: mu and sigma of ln x.
    double first = 0.0;
    double second = 0.0;
    double logLikelihood = 0.0;

    double quantile(double p) const;
};

// Maximum-likelihood fits; None when fewer than 2 values or all are equal.
DistributionFit fitGamma(const PositiveSums& sums);
DistributionFit fitLogNormal(const PositiveSums& sums);
// The one of the two with the larger likelihood (both have two parameters).
DistributionFit fitSkewed(const PositiveSums& sums);
