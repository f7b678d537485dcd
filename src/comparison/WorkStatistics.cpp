#include "WorkStatistics.h"

#include "ComparisonJudging.h"
#include "HueDifference.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

using R = ComparisonRecord;

double difference(const R& record, int value)
{
    return record.sample[value] - record.standard[value];
}

double legacyDifference(const R& record, int value)
{
    return record.legacySample[value] - record.legacyStandard[value];
}

// Metric hue difference 2 sqrt(C1 C2) sin(Δh / 2), Δh the short way round.
double metricHueDifference(double c1, double h1, double c2, double h2)
{
    const double dh = hueDifference(h1, h2);
    return 2.0 * std::sqrt(std::max(0.0, c1 * c2)) * std::sin(dh * kRadiansPerDegree / 2.0);
}

QuantityStatistics emptyQuantity(StatQuantity quantity)
{
    QuantityStatistics q;
    q.quantity = quantity;
    q.values = RunningStatistics(quantity == StatQuantity::DeltaE);
    return q;
}

} // namespace

QList<StatQuantity> shownQuantities(DisplayMode displayMode, bool legacy)
{
    using Q = StatQuantity;
    const QList<Q> colour{Q::L, Q::A, Q::B, Q::C, Q::H, Q::DeltaE};
    if (legacy) {
        return colour;
    }
    switch (displayMode) {
    case DisplayMode::HazeT:
        return {Q::Haze, Q::Transmittance};
    case DisplayMode::Haze:
        return {Q::Haze};
    case DisplayMode::Transmittance:
        return {Q::Transmittance};
    case DisplayMode::Lab:
    case DisplayMode::LCh:
        return colour;
    case DisplayMode::Yxy:
        return {Q::Y, Q::X, Q::SmallY, Q::DeltaE};
    case DisplayMode::HazeTLab:
        return {Q::Haze, Q::Transmittance, Q::L, Q::A, Q::B, Q::C, Q::H, Q::DeltaE};
    default:
        break;
    }
    return {Q::Haze, Q::Transmittance, Q::L, Q::A, Q::B, Q::C, Q::H, Q::DeltaE, Q::Y, Q::X, Q::SmallY};
}

QList<StatQuantity> shownQuantities(const QList<ComparisonRecord>& records)
{
    if (records.isEmpty()) {
        return shownQuantities(DisplayMode::None, false);
    }
    return shownQuantities(records.back().settings.displayMode, records.back().legacy);
}

QString quantitySymbol(StatQuantity quantity)
{
    switch (quantity) {
    // Words have Chinese; the symbols below read the same in both languages.
    case StatQuantity::Haze: return QCoreApplication::translate("Statistics", "ΔHaze");
    case StatQuantity::Transmittance: return QCoreApplication::translate("Statistics", "ΔT");
    case StatQuantity::L: return QStringLiteral("ΔL*");
    case StatQuantity::A: return QStringLiteral("Δa*");
    case StatQuantity::B: return QStringLiteral("Δb*");
    case StatQuantity::C: return QStringLiteral("ΔC*");
    case StatQuantity::H: return QStringLiteral("ΔH*");
    case StatQuantity::DeltaE: return QStringLiteral("ΔE");
    case StatQuantity::Y: return QStringLiteral("ΔY");
    case StatQuantity::X: return QStringLiteral("Δx");
    case StatQuantity::SmallY: return QStringLiteral("Δy");
    }
    return QString();
}

double quantityValue(const ComparisonRecord& r, StatQuantity quantity)
{
    if (r.legacy) {
        switch (quantity) {
        case StatQuantity::L: return legacyDifference(r, R::LegacyL);
        case StatQuantity::A: return legacyDifference(r, R::LegacyA);
        case StatQuantity::B: return legacyDifference(r, R::LegacyB);
        case StatQuantity::C: return legacyDifference(r, R::LegacyC);
        case StatQuantity::H:
            return metricHueDifference(r.legacyStandard[R::LegacyC], r.legacyStandard[R::LegacyH],
                                       r.legacySample[R::LegacyC], r.legacySample[R::LegacyH]);
        case StatQuantity::DeltaE: return r.deltaE >= 0.0 ? r.deltaE : kNaN;
        default: return kNaN;
        }
    }
    switch (quantity) {
    case StatQuantity::Haze: return r.hazeDifference;
    case StatQuantity::Transmittance: return r.transmittanceDifference;
    case StatQuantity::L: return difference(r, R::LabL);
    case StatQuantity::A: return difference(r, R::LabA);
    case StatQuantity::B: return difference(r, R::LabB);
    case StatQuantity::C: return difference(r, R::LchC);
    case StatQuantity::H:
        return metricHueDifference(r.standard[R::LchC], r.standard[R::LchH], r.sample[R::LchC], r.sample[R::LchH]);
    case StatQuantity::DeltaE: return r.deltaE >= 0.0 ? r.deltaE : kNaN;
    case StatQuantity::Y: return difference(r, R::Y);
    case StatQuantity::X: return difference(r, R::X);
    case StatQuantity::SmallY: return difference(r, R::SmallY);
    }
    return kNaN;
}

ToleranceLimits quantityLimits(const ComparisonSettings& settings, StatQuantity quantity, bool legacy)
{
    const Tolerances judged = judgedTolerances(settings, legacy);
    switch (quantity) {
    case StatQuantity::Haze:
        return judged.haze >= 0.0 ? ToleranceLimits{-judged.haze, judged.haze} : noLimits();
    case StatQuantity::Transmittance:
        return judged.transmittance >= 0.0 ? ToleranceLimits{-judged.transmittance, judged.transmittance}
                                           : noLimits();
    case StatQuantity::DeltaE:
        return judged.deltaE >= 0.0 ? ToleranceLimits{kNaN, judged.deltaE} : noLimits();
    default:
        break;
    }
    return noLimits();
}

QuantitySummary::QuantitySummary()
    : mean(kNaN), standardDeviation(kNaN), minimum(kNaN), maximum(kNaN), median(kNaN), percentile95(kNaN),
      sigmaWithin(kNaN), limits(noLimits())
{
}

double StatisticsGroup::passRate() const
{
    return records == 0 ? kNaN : static_cast<double>(passed) / records;
}

const QuantityStatistics* StatisticsGroup::find(StatQuantity quantity) const
{
    for (const QuantityStatistics& q : quantities) {
        if (q.quantity == quantity) {
            return &q;
        }
    }
    return nullptr;
}

QuantitySummary StatisticsGroup::summary(StatQuantity quantity) const
{
    QuantitySummary s;
    s.limits = quantityLimits(settings, quantity, legacy);
    const QuantityStatistics* q = find(quantity);
    if (!q) {
        return s;
    }
    const RunningStatistics& v = q->values;
    s.n = v.count();
    s.mean = v.mean();
    s.standardDeviation = v.standardDeviation();
    s.minimum = v.minimum();
    s.maximum = v.maximum();
    s.median = v.median();
    s.percentile95 = v.percentile(0.95);
    s.sigmaWithin = v.sigmaWithin();
    double p50 = kNaN;
    double p99865 = kNaN;
    if (quantity == StatQuantity::DeltaE && s.limits.known()) {
        s.fit = fitSkewed(v.positiveSums());
        p50 = s.fit.quantile(0.5);
        p99865 = s.fit.quantile(0.99865);
    }
    s.indices = capabilityIndices(s.limits, s.n, s.mean, s.sigmaWithin, s.standardDeviation, p50, p99865);
    return s;
}

WorkStatistics::WorkStatistics(const QList<StatQuantity>& quantities)
{
    setQuantities(quantities);
}

void WorkStatistics::setQuantities(const QList<StatQuantity>& quantities)
{
    quantities_ = quantities;
    overall_ = StatisticsGroup();
    overall_.overall = true;
    for (const StatQuantity q : quantities_) {
        overall_.quantities.push_back(emptyQuantity(q));
    }
    groups_.clear();
    groupByStandard_.clear();
    groupOfRow_.clear();
    passOfRow_.clear();
    rowCount_ = 0;
    keepsAb_ = quantities_.contains(StatQuantity::A) && quantities_.contains(StatQuantity::B);
}

QByteArray WorkStatistics::standardKey(const ComparisonRecord& record)
{
    QByteArray key(1, record.legacy ? 'L' : 'C');
    if (record.legacy) {
        key.append(reinterpret_cast<const char*>(record.legacyStandard.data()),
                   static_cast<int>(sizeof(double) * record.legacyStandard.size()));
    } else {
        key.append(reinterpret_cast<const char*>(record.standard.data()),
                   static_cast<int>(sizeof(double) * record.standard.size()));
    }
    if (record.library.inUse()) {
        // Each version of a library standard is a standard of its own.
        key.append(record.library.standardId.toRfc4122());
        key.append(QByteArray::number(record.library.standardVersion));
    }
    return key;
}

StatisticsGroup WorkStatistics::newGroup(const ComparisonRecord& record) const
{
    StatisticsGroup g;
    g.legacy = record.legacy;
    g.standard = record.standard;
    g.legacyStandard = record.legacyStandard;
    g.firstTestName = record.testName;
    if (record.library.inUse()) {
        g.libraryName = record.library.standardName;
        g.libraryVersion = record.library.standardVersion;
    }
    for (const StatQuantity q : quantities_) {
        g.quantities.push_back(emptyQuantity(q));
    }
    return g;
}

int WorkStatistics::groupIndex(const ComparisonRecord& record)
{
    const QByteArray key = standardKey(record);
    const auto it = groupByStandard_.constFind(key);
    if (it != groupByStandard_.constEnd()) {
        return it.value();
    }
    groups_.push_back(newGroup(record));
    const int index = static_cast<int>(groups_.size()) - 1;
    groupByStandard_.insert(key, index);
    return index;
}

int WorkStatistics::groupOfRow(int row) const
{
    return row >= 0 && row < static_cast<int>(groupOfRow_.size()) ? groupOfRow_[row] : -1;
}


void WorkStatistics::count(const ComparisonRecord& record, int row, StatisticsGroup& g) const
{
    ++g.records;
    g.passed += record.pass ? 1 : 0;
    g.warnings += record.pass && record.library.warning ? 1 : 0;
    g.settings = record.settings;
    g.rows.push_back(row);
    if (keepsAb_) {
        const double a = quantityValue(record, StatQuantity::A);
        const double b = quantityValue(record, StatQuantity::B);
        if (!std::isnan(a) && !std::isnan(b)) {
            g.ab.add(a, b);
        }
    }
}

void WorkStatistics::add(const ComparisonRecord& record)
{
    const int row = rowCount_++;
    const int index = groupIndex(record);
    groupOfRow_.push_back(index);
    passOfRow_.push_back(record.pass ? 1 : 0);
    for (StatisticsGroup* g : {&overall_, &groups_[index]}) {
        count(record, row, *g);
        for (QuantityStatistics& q : g->quantities) {
            const double x = quantityValue(record, q.quantity);
            if (std::isnan(x)) {
                continue;
            }
            q.values.add(x);
            q.series.add(x);
            q.rows.push_back(row);
            q.ng.push_back(record.pass ? 0 : 1);
        }
    }
}

void WorkStatistics::rebuild(const QList<ComparisonRecord>& records)
{
    setQuantities(quantities_);
    groupOfRow_.reserve(records.size());
    passOfRow_.reserve(records.size());
    for (const ComparisonRecord& record : records) {
        const int row = rowCount_++;
        const int index = groupIndex(record);
        groupOfRow_.push_back(index);
        passOfRow_.push_back(record.pass ? 1 : 0);
        for (StatisticsGroup* g : {&overall_, &groups_[index]}) {
            count(record, row, *g);
            for (QuantityStatistics& q : g->quantities) {
                const double x = quantityValue(record, q.quantity);
                if (std::isnan(x)) {
                    continue;
                }
                q.series.add(x);
                q.rows.push_back(row);
                q.ng.push_back(record.pass ? 0 : 1);
            }
        }
    }
    // One sort per quantity and group instead of a sorted insertion per value;
    // all rows are the groups' sorted lists merged.
    for (StatisticsGroup& g : groups_) {
        for (QuantityStatistics& q : g.quantities) {
            q.values.assign(q.series.values());
        }
    }
    for (size_t k = 0; k < overall_.quantities.size(); ++k) {
        QuantityStatistics& q = overall_.quantities[k];
        if (groups_.size() > 8) {
            q.values.assign(q.series.values());
            continue;
        }
        std::vector<double> merged;
        std::vector<double> next;
        for (const StatisticsGroup& g : groups_) {
            const std::vector<double>& part = g.quantities[k].values.sorted();
            next.resize(merged.size() + part.size());
            std::merge(merged.begin(), merged.end(), part.begin(), part.end(), next.begin());
            merged.swap(next);
        }
        q.values.assign(q.series.values(), std::move(merged));
    }
}
