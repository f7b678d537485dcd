#include "Readings.h"

#include "Comparison.h"
#include "ComparisonColumns.h"

#include <algorithm>
#include <cmath>

namespace {

using R = ComparisonRecord;

// Readings' values of one index; the hue as offsets from the first reading's
// hue, the short way round, so that the mean, median and spread are taken
// along the circle.
template <std::size_t N>
QList<double> column(const QList<std::array<double, N>>& readings, std::size_t index, int hueIndex)
{
    QList<double> out;
    out.reserve(readings.size());
    const bool hue = int(index) == hueIndex;
    const double first = readings.isEmpty() ? 0.0 : readings.first()[index];
    for (const auto& reading : readings) {
        out.append(hue ? first + hueDifference(first, reading[index]) : reading[index]);
    }
    return out;
}

double wrappedHue(double hue)
{
    if (!std::isfinite(hue)) {
        return hue;
    }
    double h = std::fmod(hue, 360.0);
    if (h < 0.0) {
        h += 360.0;
    }
    return h;
}

double meanOf(const QList<double>& values)
{
    double sum = 0.0;
    for (double v : values) {
        sum += v;
    }
    return values.isEmpty() ? R::kUnknown : sum / double(values.size());
}

double medianOf(QList<double> values)
{
    if (values.isEmpty()) {
        return R::kUnknown;
    }
    if (std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
        return R::kUnknown;
    }
    std::sort(values.begin(), values.end());
    const qsizetype half = values.size() / 2;
    return values.size() % 2 ? values.at(half) : (values.at(half - 1) + values.at(half)) / 2.0;
}

double deviationOf(const QList<double>& values)
{
    if (values.size() < 2) {
        return R::kUnknown;
    }
    const double mean = meanOf(values);
    double squares = 0.0;
    for (double v : values) {
        squares += (v - mean) * (v - mean);
    }
    return std::sqrt(squares / double(values.size() - 1));
}

double rangeOf(const QList<double>& values)
{
    if (values.size() < 2) {
        return R::kUnknown;
    }
    if (std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
        return R::kUnknown;
    }
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return *hi - *lo;
}

template <std::size_t N>
std::array<double, N> average(const QList<std::array<double, N>>& readings, bool median, int hueIndex)
{
    std::array<double, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        const QList<double> values = column(readings, i, hueIndex);
        out[i] = median ? medianOf(values) : meanOf(values);
    }
    out[std::size_t(hueIndex)] = wrappedHue(out[std::size_t(hueIndex)]);
    return out;
}

// The mean or median of values shown with `decimals` decimals, rounded to
// them half away from zero, worked out in whole units of the last decimal so
// that a mean of exactly a half (12.35 and 12.42: 12.385) rounds up as by
// hand, not down as its nearest double would.
double shownAverageOf(const QList<double>& values, bool median, int decimals)
{
    if (values.isEmpty() || std::any_of(values.begin(), values.end(), [](double v) { return !std::isfinite(v); })) {
        return median ? medianOf(values) : meanOf(values);
    }
    const double scale = std::pow(10.0, decimals);
    QList<qint64> units;
    units.reserve(values.size());
    for (double v : values) {
        if (std::fabs(v * scale) > 1e15) {
            return roundedTo(median ? medianOf(values) : meanOf(values), decimals);
        }
        units.append(std::llround(v * scale));
    }
    qint64 sum = 0;
    qint64 count = units.size();
    if (median) {
        std::sort(units.begin(), units.end());
        const qsizetype half = units.size() / 2;
        sum = units.size() % 2 ? units.at(half) : units.at(half - 1) + units.at(half);
        count = units.size() % 2 ? 1 : 2;
    } else {
        for (qint64 u : units) {
            sum += u;
        }
    }
    qint64 whole = sum / count;
    const qint64 rest = sum % count;
    if (2 * std::llabs(rest) >= count) {
        whole += sum < 0 ? -1 : 1;
    }
    return double(whole) / scale;
}

template <std::size_t N>
std::array<double, N> shownAverage(const QList<std::array<double, N>>& readings, bool median, int hueIndex,
                                   ComparisonColumns::Layout layout)
{
    std::array<double, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = shownAverageOf(column(readings, i, hueIndex), median, ComparisonColumns::liveDecimals(layout, int(i)));
    }
    out[std::size_t(hueIndex)] = wrappedHue(out[std::size_t(hueIndex)]);
    return out;
}

template <std::size_t N, typename F>
std::array<double, N> perValue(const QList<std::array<double, N>>& readings, int hueIndex, F f)
{
    std::array<double, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = f(column(readings, i, hueIndex));
    }
    return out;
}

template <typename List, typename Compare>
double largestDeltaE(const List& readings, Compare compare)
{
    if (readings.size() < 2) {
        return R::kUnknown;
    }
    double largest = 0.0;
    for (qsizetype i = 0; i < readings.size(); ++i) {
        for (qsizetype j = i + 1; j < readings.size(); ++j) {
            const double d = compare(readings.at(i), readings.at(j)).deltaE;
            if (!(d >= 0.0)) {
                return R::kUnknown; // a formula not known, or a value not known
            }
            largest = std::max(largest, d);
        }
    }
    return largest;
}

} // namespace

ComparisonRecord::Values averageReadings(const Readings& readings, bool median)
{
    return average(readings, median, R::LchH);
}

ComparisonRecord::LegacyValues averageLegacyReadings(const LegacyReadings& readings, bool median)
{
    return average(readings, median, R::LegacyH);
}

ComparisonRecord::Values shownAverageReadings(const Readings& readings, bool median)
{
    return shownAverage(readings, median, R::LchH, ComparisonColumns::Layout::Current);
}

ComparisonRecord::LegacyValues shownAverageLegacyReadings(const LegacyReadings& readings, bool median)
{
    return shownAverage(readings, median, R::LegacyH, ComparisonColumns::Layout::Legacy);
}

ComparisonRecord::Values readingsDeviation(const Readings& readings)
{
    return perValue(readings, R::LchH, deviationOf);
}

ComparisonRecord::Values readingsRange(const Readings& readings)
{
    return perValue(readings, R::LchH, rangeOf);
}

ComparisonRecord::LegacyValues legacyReadingsDeviation(const LegacyReadings& readings)
{
    return perValue(readings, R::LegacyH, deviationOf);
}

ComparisonRecord::LegacyValues legacyReadingsRange(const LegacyReadings& readings)
{
    return perValue(readings, R::LegacyH, rangeOf);
}

double readingsDeltaESpread(const Readings& readings, const ComparisonSettings& settings)
{
    return largestDeltaE(readings, [&](const R::Values& a, const R::Values& b) { return compareValues(a, b, settings); });
}

double legacyReadingsDeltaESpread(const LegacyReadings& readings, const ComparisonSettings& settings)
{
    return largestDeltaE(readings, [&](const R::LegacyValues& a, const R::LegacyValues& b) {
        return compareLegacyValues(a, b, settings);
    });
}

int standardReadingCount(const ComparisonRecord& record)
{
    const qsizetype n = record.legacy ? record.readings.legacyStandard.size() : record.readings.standard.size();
    return n > 1 ? int(n) : 1;
}

int sampleReadingCount(const ComparisonRecord& record)
{
    const qsizetype n = record.legacy ? record.readings.legacySample.size() : record.readings.sample.size();
    return n > 1 ? int(n) : 1;
}

bool hasSeveralReadings(const ComparisonRecord& record)
{
    return standardReadingCount(record) > 1 || sampleReadingCount(record) > 1;
}

QList<double> averageCurves(const QList<QList<double>>& curves, bool median)
{
    if (curves.isEmpty()) {
        return {};
    }
    qsizetype bands = curves.first().size();
    for (const QList<double>& curve : curves) {
        bands = std::min(bands, curve.size());
    }
    QList<double> out;
    out.reserve(bands);
    for (qsizetype band = 0; band < bands; ++band) {
        QList<double> values;
        values.reserve(curves.size());
        for (const QList<double>& curve : curves) {
            values.append(curve.at(band));
        }
        out.append(median ? medianOf(values) : meanOf(values));
    }
    return out;
}
