#include "Comparison.h"

#include "ComparisonColumns.h"
#include "ComparisonJudging.h"

#include <cmath>

namespace {

using R = ComparisonRecord;

template <std::size_t N>
int firstUnknown(const std::array<double, N>& values, std::size_t from)
{
    for (std::size_t i = from; i < N; ++i) {
        if (std::isnan(values[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

double roundedTo(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, decimals);
    // value * scale split into its rounded product and the exact remainder,
    // so a value just below a half is not rounded up by the product's error.
    const double product = value * scale;
    const double error = std::fma(value, scale, -product);
    double whole = std::floor(product);
    const double fraction = product - whole;
    if (fraction > 0.5 || (fraction == 0.5 && error >= 0.0)) {
        whole += 1.0;
    }
    if (value < 0.0 && fraction == 0.5 && error == 0.0) {
        whole -= 1.0; // half away from zero below zero too
    }
    // Exact integers divided once: the nearest number to the shown decimals.
    return std::copysign(whole / scale, value);
}

ComparisonRecord::Values shownValues(ComparisonRecord::Values values)
{
    for (int i = 0; i < R::ValueCount; ++i) {
        values[std::size_t(i)] = roundedTo(values[std::size_t(i)], ComparisonColumns::liveDecimals(ComparisonColumns::Layout::Current, i));
    }
    return values;
}

ComparisonRecord::LegacyValues shownLegacyValues(ComparisonRecord::LegacyValues values)
{
    for (int i = 0; i < R::LegacyCount; ++i) {
        values[std::size_t(i)] = roundedTo(values[std::size_t(i)], ComparisonColumns::liveDecimals(ComparisonColumns::Layout::Legacy, i));
    }
    return values;
}

ComparisonRecord::Values valueDifferences(const ComparisonRecord& record)
{
    R::Values d{};
    for (int i = 0; i < R::ValueCount; ++i) {
        d[std::size_t(i)] = record.sample[std::size_t(i)] - record.standard[std::size_t(i)];
    }
    d[R::LchH] = hueDifference(record.standard[R::LchH], record.sample[R::LchH]);
    return d;
}

ComparisonRecord::LegacyValues legacyValueDifferences(const ComparisonRecord& record)
{
    R::LegacyValues d{};
    for (int i = 0; i < R::LegacyCount; ++i) {
        d[std::size_t(i)] = record.legacySample[std::size_t(i)] - record.legacyStandard[std::size_t(i)];
    }
    d[R::LegacyH] = hueDifference(record.legacyStandard[R::LegacyH], record.legacySample[R::LegacyH]);
    return d;
}

ComparisonRecord compareValues(const ComparisonRecord::Values& standard, const ComparisonRecord::Values& sample,
                               const ComparisonSettings& settings, const LibraryJudgement& library)
{
    ComparisonRecord r;
    r.library = library;
    r.standard = shownValues(standard);
    r.sample = shownValues(sample);
    r.hazeDifference = r.sample[R::Haze] - r.standard[R::Haze];
    r.transmittanceDifference = r.sample[R::Transmittance] - r.standard[R::Transmittance];
    judgeRecord(r, settings);
    return r;
}

ComparisonRecord compareLegacyValues(const ComparisonRecord::LegacyValues& standard,
                                     const ComparisonRecord::LegacyValues& sample, const ComparisonSettings& settings,
                                     const LibraryJudgement& library)
{
    ComparisonRecord r;
    r.library = library;
    r.legacy = true;
    r.legacyStandard = shownLegacyValues(standard);
    r.legacySample = shownLegacyValues(sample);
    // An unknown formula code gives a delta-E of -1, which the legacy verdict passes.
    judgeRecord(r, settings);
    return r;
}

int unusableValue(const ComparisonRecord::Values& values, DisplayMode mode)
{
    if (!judgesByDeltaEAlone(mode)) {
        return firstUnknown(values, 0);
    }
    return firstUnknown(values, R::LabL);
}

int unusableLegacyValue(const ComparisonRecord::LegacyValues& values)
{
    return firstUnknown(values, 0);
}
