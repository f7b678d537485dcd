#pragma once
// Statistics of the current work: per standard (the rows compared against one
// standard's values) and over all rows, for every difference the display
// mode shows. Records are added one by one as they arrive (cheap: sorted
// insertion, running sums) or all at once after a change of the list (one
// sort per quantity). Summaries and indices are worked out when asked for.

#include "Capability.h"
#include "ComparisonRecord.h"
#include "ControlChart.h"
#include "Distributions.h"
#include "RunningStatistics.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

enum class StatQuantity { Haze, Transmittance, L, A, B, C, H, DeltaE, Y, X, SmallY };

// The differences a display mode shows (0 Haze/T, 1 Haze, 2 T, 3 Lab, 4 LCh,
// 5 Yxy, 6 Haze/T/Lab; legacy records: the colour differences). A mode of -1
// (none set) shows every difference the record can have.
QList<StatQuantity> shownQuantities(DisplayMode displayMode, bool legacy);
// The differences of a list of records: those of the newest record's mode.
QList<StatQuantity> shownQuantities(const QList<ComparisonRecord>& records);
// "ΔHaze", "ΔT", "ΔL*", …, "ΔE", "ΔY", "Δx", "Δy".
QString quantitySymbol(StatQuantity quantity);
// Sample minus standard; NaN when the record has no such value (ΔE of -1:
// unknown formula). ΔH* is the metric hue difference, signed by the hue angle.
double quantityValue(const ComparisonRecord& record, StatQuantity quantity);
// Haze and transmittance: plus or minus the tolerance; ΔE: up to the threshold
// the verdict used (a legacy record's own threshold, else the one in force);
// none otherwise or while a tolerance is unknown (-1).
ToleranceLimits quantityLimits(const ComparisonSettings& settings, StatQuantity quantity, bool legacy = false);

struct QuantityStatistics
{
    StatQuantity quantity = StatQuantity::DeltaE;
    RunningStatistics values;
    ControlSeries series;   // the same values in row order
    std::vector<int> rows;  // the record row of each value in the series
    std::vector<std::uint8_t> ng; // 1 where that row was judged NG
};

struct QuantitySummary
{
    int n = 0;
    double mean, standardDeviation, minimum, maximum, median, percentile95;
    double sigmaWithin;
    ToleranceLimits limits;
    DistributionFit fit; // ΔE only: the skewed fit behind the percentile index
    CapabilityIndices indices;

    QuantitySummary();
};

struct StatisticsGroup
{
    bool overall = false;
    bool legacy = false;
    ComparisonRecord::Values standard{};
    ComparisonRecord::LegacyValues legacyStandard{};
    QString firstTestName;
    int records = 0;
    int passed = 0;
    int warnings = 0;            // PASS rows with a warning (a library standard's band)
    // The library standard the group's rows were judged against ("" for none).
    QString libraryName;
    qint64 libraryVersion = 0;
    ComparisonSettings settings; // of the group's newest record
    std::vector<QuantityStatistics> quantities;
    std::vector<int> rows;       // record rows of the group
    // (Δa*, Δb*) of the rows that have both, when both are shown.
    RunningCovariance ab;

    int failed() const { return records - passed; }
    double passRate() const; // NaN without records
    const QuantityStatistics* find(StatQuantity quantity) const;
    QuantitySummary summary(StatQuantity quantity) const;
};

class WorkStatistics
{
public:
    explicit WorkStatistics(const QList<StatQuantity>& quantities = {});

    // Forgets everything and keeps statistics of these quantities.
    void setQuantities(const QList<StatQuantity>& quantities);
    const QList<StatQuantity>& quantities() const { return quantities_; }

    // The record of the next row.
    void add(const ComparisonRecord& record);
    // All records again, as after a deletion, a rename or a re-judging.
    void rebuild(const QList<ComparisonRecord>& records);

    int rowCount() const { return rowCount_; }
    const StatisticsGroup& overall() const { return overall_; }
    const std::vector<StatisticsGroup>& groups() const { return groups_; }
    // The group of a record row, or -1.
    int groupOfRow(int row) const;
    // The verdict of a record row (false outside the rows).
    bool rowPassed(int row) const
    {
        return row >= 0 && row < static_cast<int>(passOfRow_.size()) && passOfRow_[row] != 0;
    }

private:
    StatisticsGroup newGroup(const ComparisonRecord& record) const;
    int groupIndex(const ComparisonRecord& record);
    static QByteArray standardKey(const ComparisonRecord& record);
    // Counts, rows and pairs of one record; the values are left to the caller.
    void count(const ComparisonRecord& record, int row, StatisticsGroup& group) const;

    QList<StatQuantity> quantities_;
    StatisticsGroup overall_;
    std::vector<StatisticsGroup> groups_;
    QHash<QByteArray, int> groupByStandard_;
    std::vector<int> groupOfRow_;
    std::vector<std::uint8_t> passOfRow_;
    bool keepsAb_ = false;
    int rowCount_ = 0;
};
