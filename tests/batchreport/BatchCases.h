#pragma once
// Batches of comparisons for the batch report's tests and its benchmark:
// colour (L*a*b*) and haze, made by compareValues as the window makes them,
// with values that wander from row to row.

#include "Comparison.h"

#include <QDateTime>
#include <QList>

#include <cmath>

namespace batchcases {

inline ComparisonSettings settingsFor(DisplayMode mode)
{
    ComparisonSettings s;
    s.displayMode = mode;
    s.hazeTolerance = 1.5;
    s.transmittanceTolerance = 2.0;
    s.deltaEThreshold = 1.0;
    s.formulaCode = 0;
    s.formulaText = QStringLiteral("CIE ΔE*ab");
    return s;
}

inline ComparisonRecord::Values labValues(double l, double a, double b)
{
    ComparisonRecord::Values v{};
    v[ComparisonRecord::Haze] = 1.0;
    v[ComparisonRecord::Transmittance] = 90.0;
    v[ComparisonRecord::LabL] = l;
    v[ComparisonRecord::LabA] = a;
    v[ComparisonRecord::LabB] = b;
    v[ComparisonRecord::LchL] = l;
    v[ComparisonRecord::LchC] = std::hypot(a, b);
    double h = std::atan2(b, a) * 180.0 / 3.14159265358979323846;
    v[ComparisonRecord::LchH] = h < 0 ? h + 360.0 : h;
    return v;
}

inline ComparisonRecord named(ComparisonRecord r, int i)
{
    r.id = QUuid::createUuid();
    r.testName = QStringLiteral("Comp%1").arg(i + 1);
    r.time = QDateTime(QDate(2026, 12, 8), QTime(8, 0)).addSecs(37 * i);
    r.modelName = QStringLiteral("TX460");
    r.serialNumber = QStringLiteral("SN20260042");
    r.sequence = i + 1;
    return r;
}

// count colour rows against one standard (two when standards > 1).
inline QList<ComparisonRecord> colourBatch(int count, int standards = 1)
{
    QList<ComparisonRecord> records;
    records.reserve(count);
    const ComparisonSettings settings = settingsFor(DisplayMode::Lab);
    for (int i = 0; i < count; ++i) {
        const double shift = (i % standards) * 5.0;
        const auto standard = labValues(50.0 + shift, 10.0, -5.0);
        const double t = i * 0.37;
        const auto sample = labValues(50.0 + shift + 0.6 * std::sin(t), 10.0 + 0.5 * std::cos(1.3 * t),
                                      -5.0 + 0.4 * std::sin(0.7 * t + 1.0));
        records << named(compareValues(standard, sample, settings), i);
    }
    return records;
}

// Haze rows, one per sample haze value given, against a standard of haze 30.
inline QList<ComparisonRecord> hazeBatch(const QList<double>& sampleHaze)
{
    QList<ComparisonRecord> records;
    const ComparisonSettings settings = settingsFor(DisplayMode::HazeT);
    ComparisonRecord::Values standard{};
    standard[ComparisonRecord::Haze] = 30.0;
    standard[ComparisonRecord::Transmittance] = 88.0;
    for (int i = 0; i < sampleHaze.size(); ++i) {
        ComparisonRecord::Values sample = standard;
        sample[ComparisonRecord::Haze] = sampleHaze.at(i);
        sample[ComparisonRecord::Transmittance] = 88.0 + 0.1 * (i % 7);
        records << named(compareValues(standard, sample, settings), i);
    }
    return records;
}

} // namespace batchcases
