#include "RunningStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

double sortedPercentile(const std::vector<double>& sorted, double p)
{
    const auto n = static_cast<double>(sorted.size());
    if (sorted.empty()) {
        return kNaN;
    }
    const double rank = p * (n + 1.0);
    if (rank <= 1.0) {
        return sorted.front();
    }
    if (rank >= n) {
        return sorted.back();
    }
    const auto below = static_cast<size_t>(std::floor(rank));
    const double fraction = rank - std::floor(rank);
    return sorted[below - 1] + fraction * (sorted[below] - sorted[below - 1]);
}

void RunningStatistics::add(double x)
{
    if (std::isnan(x)) {
        return;
    }
    const int n = count() + 1;
    const double delta = x - mean_;
    mean_ += delta / n;
    m2_ += delta * (x - mean_);
    if (n > 1) {
        movingRangeSum_ += std::fabs(x - last_);
    }
    last_ = x;
    sorted_.insert(std::upper_bound(sorted_.begin(), sorted_.end(), x), x);
    if (keepsPositive_) {
        positive_.add(positiveForFit(x));
    }
}

void RunningStatistics::clear()
{
    *this = RunningStatistics(keepsPositive_);
}

void RunningStatistics::accumulate(const std::vector<double>& valuesInOrder)
{
    const bool keepsPositive = keepsPositive_;
    clear();
    long long n = 0;
    for (const double x : valuesInOrder) {
        if (std::isnan(x)) {
            continue;
        }
        ++n;
        const double delta = x - mean_;
        mean_ += delta / static_cast<double>(n);
        m2_ += delta * (x - mean_);
        if (n > 1) {
            movingRangeSum_ += std::fabs(x - last_);
        }
        last_ = x;
        if (keepsPositive) {
            positive_.add(positiveForFit(x));
        }
    }
}

void RunningStatistics::assign(const std::vector<double>& valuesInOrder)
{
    accumulate(valuesInOrder);
    sorted_.reserve(valuesInOrder.size());
    for (const double x : valuesInOrder) {
        if (!std::isnan(x)) {
            sorted_.push_back(x);
        }
    }
    std::sort(sorted_.begin(), sorted_.end());
}

void RunningStatistics::assign(const std::vector<double>& valuesInOrder, std::vector<double>&& sorted)
{
    accumulate(valuesInOrder);
    sorted_ = std::move(sorted);
}

double RunningStatistics::mean() const
{
    return sorted_.empty() ? kNaN : mean_;
}

double RunningStatistics::standardDeviation() const
{
    return count() < 2 ? kNaN : std::sqrt(m2_ / (count() - 1));
}

double RunningStatistics::minimum() const
{
    return sorted_.empty() ? kNaN : sorted_.front();
}

double RunningStatistics::maximum() const
{
    return sorted_.empty() ? kNaN : sorted_.back();
}

double RunningStatistics::percentile(double p) const
{
    return sortedPercentile(sorted_, p);
}

double RunningStatistics::movingRangeMean() const
{
    return count() < 2 ? kNaN : movingRangeSum_ / (count() - 1);
}

double RunningStatistics::sigmaWithin() const
{
    return movingRangeMean() / kD2ForTwo;
}

void RunningCovariance::add(double x, double y)
{
    ++n;
    const double dx = x - meanX;
    meanX += dx / n;
    const double dy = y - meanY;
    meanY += dy / n;
    sxx += dx * (x - meanX);
    syy += dy * (y - meanY);
    sxy += dx * (y - meanY);
}
