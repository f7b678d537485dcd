#include "ControlChart.h"

#include <algorithm>
#include <cmath>

void ControlSeries::add(double value)
{
    if (values_.empty()) {
        prefixSum_.push_back(0.0);
        prefixRangeSum_.push_back(0.0);
        ranges_.push_back(0.0);
    } else {
        const double range = std::fabs(value - values_.back());
        prefixRangeSum_.push_back(prefixRangeSum_.back() + range);
        ranges_.push_back(range);
        largestRange_ = std::max(largestRange_, range);
    }
    prefixSum_.push_back(prefixSum_.back() + value);
    values_.push_back(value);
}

void ControlSeries::clear()
{
    values_.clear();
    ranges_.clear();
    largestRange_ = 0.0;
    prefixSum_.clear();
    prefixRangeSum_.clear();
}

ControlLimits ControlSeries::limits(int first, int count) const
{
    ControlLimits l;
    first = std::clamp(first, 0, this->count());
    count = std::clamp(count, 0, this->count() - first);
    l.baselineFirst = first;
    l.baselineCount = count;
    if (count < 2) {
        return l;
    }
    const int last = first + count - 1;
    l.centre = (prefixSum_[last + 1] - prefixSum_[first]) / count;
    // Moving ranges inside the baseline: between first..last, count - 1 of them.
    l.movingRangeCentre = (prefixRangeSum_[last] - prefixRangeSum_[first]) / (count - 1);
    l.lower = l.centre - kIndividualsFactor * l.movingRangeCentre;
    l.upper = l.centre + kIndividualsFactor * l.movingRangeCentre;
    l.movingRangeUpper = kMovingRangeFactor * l.movingRangeCentre;
    l.valid = true;
    return l;
}

std::vector<std::uint8_t> ControlSeries::marks(const ControlLimits& limits) const
{
    std::vector<std::uint8_t> result(values_.size(), 0);
    if (!limits.valid) {
        return result;
    }
    int runStart = 0;
    int runSide = 0;
    const int n = count();
    for (int i = 0; i <= n; ++i) {
        // A point on the centre line belongs to neither side and ends a run.
        int side = 0;
        if (i < n) {
            const double x = values_[i];
            if (x > limits.upper || x < limits.lower) {
                result[i] |= OutsideLimits;
            }
            if (i > 0 && ranges_[i] > limits.movingRangeUpper) {
                result[i] |= MovingRangeOutside;
            }
            side = x > limits.centre ? 1 : (x < limits.centre ? -1 : 0);
        }
        if (i == n || side != runSide) {
            if (runSide != 0 && i - runStart >= kRunLength) {
                for (int k = runStart; k < i; ++k) {
                    result[k] |= InRun;
                }
            }
            runStart = i;
            runSide = side;
        }
    }
    return result;
}
