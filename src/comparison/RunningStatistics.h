#pragma once
// The descriptive statistics of one quantity over a growing list of values,
// kept so that adding a value costs little: mean and variance by Welford's
// update (exact enough for 1 000 000.1-style data where the textbook sum of
// squares loses every digit), the values kept sorted for the median and the
// percentiles, the sum of moving ranges for the within-subgroup sigma, and the
// sums a skewed-distribution fit needs.

#include "Distributions.h"

#include <vector>

class RunningStatistics
{
public:
    // keepsPositiveSums: also keep the sums a skewed fit needs (a logarithm
    // per value, so only for the quantity that is fitted).
    explicit RunningStatistics(bool keepsPositiveSums = false) : keepsPositive_(keepsPositiveSums) {}

    // A NaN (a value that was not measured) is ignored.
    void add(double x);
    void clear();
    // Builds from a whole list at once: one sort instead of n insertions.
    void assign(const std::vector<double>& valuesInOrder);
    // The same with the values already sorted (merged from the groups' lists).
    void assign(const std::vector<double>& valuesInOrder, std::vector<double>&& sorted);

    int count() const { return static_cast<int>(sorted_.size()); }
    double mean() const;
    // Sample standard deviation (n - 1); NaN below two values.
    double standardDeviation() const;
    double minimum() const;
    double maximum() const;
    double median() const { return percentile(0.5); }
    // The p-quantile with rank p(n + 1), interpolated between neighbours and
    // held at the smallest or largest value outside 1..n.
    double percentile(double p) const;
    // Mean of |x(i) - x(i-1)| over consecutive values; NaN below two values.
    double movingRangeMean() const;
    // MR-bar / d2 with d2 = 1.128 for ranges of two.
    double sigmaWithin() const;
    const PositiveSums& positiveSums() const { return positive_; }
    const std::vector<double>& sorted() const { return sorted_; }

private:
    std::vector<double> sorted_;
    double mean_ = 0.0;
    double m2_ = 0.0;
    double last_ = 0.0;
    double movingRangeSum_ = 0.0;
    PositiveSums positive_;
    bool keepsPositive_ = false;

    void accumulate(const std::vector<double>& valuesInOrder);
};

// Means and (n - 1) covariance matrix of pairs, by the same one-pass update.
struct RunningCovariance
{
    long long n = 0;
    double meanX = 0.0;
    double meanY = 0.0;
    double sxx = 0.0; // sums of products of deviations
    double syy = 0.0;
    double sxy = 0.0;

    void add(double x, double y);
    double varianceX() const { return n < 2 ? 0.0 : sxx / (n - 1); }
    double varianceY() const { return n < 2 ? 0.0 : syy / (n - 1); }
    double covariance() const { return n < 2 ? 0.0 : sxy / (n - 1); }
};

// d2 for subgroups of two: the mean of the range of two normal values in
// units of sigma.
inline constexpr double kD2ForTwo = 1.128;

// The p-quantile of sorted values (rank p(n + 1)); NaN for no values.
double sortedPercentile(const std::vector<double>& sorted, double p);
