#pragma once
// The individuals and moving-range control chart of one quantity: limits from
// a baseline (all values, the first N, or a chosen range) and the marks of
// the points judged against them. The values are kept with running sums so
// that the limits of any baseline cost O(1) and a new value O(1); the marks
// are one pass over the values.

#include <cmath>
#include <cstdint>
#include <vector>

struct ControlLimits
{
    bool valid = false;   // false below two baseline values
    int baselineFirst = 0;
    int baselineCount = 0;
    double centre = 0.0;  // mean of the baseline
    double lower = 0.0;   // centre -/+ 2.66 MR-bar (3 sigma with sigma = MR-bar / 1.128)
    double upper = 0.0;
    double movingRangeCentre = 0.0; // MR-bar of the baseline
    double movingRangeUpper = 0.0;  // 3.267 MR-bar; the lower limit is 0
};

inline constexpr double kIndividualsFactor = 2.66; // 3 / d2, d2 = 1.128
inline constexpr double kMovingRangeFactor = 3.267; // D4 for ranges of two
inline constexpr int kRunLength = 8;

// Marks of one point.
enum PointMark : std::uint8_t {
    OutsideLimits = 1,       // the value lies outside lower..upper
    InRun = 2,               // one of 8 or more in a row on one side of the centre
    MovingRangeOutside = 4,  // its moving range lies above the MR limit
};

class ControlSeries
{
public:
    void add(double value);
    void clear();
    int count() const { return static_cast<int>(values_.size()); }
    const std::vector<double>& values() const { return values_; }
    // |x(i) - x(i-1)|; 0 for the first value (it has none, and is not drawn).
    double movingRange(int i) const { return ranges_[i]; }
    const std::vector<double>& movingRanges() const { return ranges_; }
    double largestMovingRange() const { return largestRange_; }

    // Limits from values first .. first + count - 1 (clamped to the series).
    ControlLimits limits(int first, int count) const;
    ControlLimits limits() const { return limits(0, count()); }

    // Marks of every value against the limits (OutsideLimits, InRun,
    // MovingRangeOutside); all 0 when the limits are not valid.
    std::vector<std::uint8_t> marks(const ControlLimits& limits) const;

private:
    std::vector<double> values_;
    std::vector<double> ranges_;
    double largestRange_ = 0.0;
    std::vector<double> prefixSum_;        // sum of values before index i
    std::vector<double> prefixRangeSum_;   // sum of moving ranges 1..i
};
