#pragma once
// A fixed table of comparison records for the tests of the comparison
// library: both layouts, every display mode, PASS and NG, texts that need
// escaping, unknown formula codes and unread tolerances.

#include "ComparisonRecord.h"

#include <QDate>
#include <QList>
#include <QTime>

namespace comparisoncases {

inline QDateTime builtAt()
{
    return QDateTime(QDate(2026, 12, 6), QTime(23, 5, 9));
}

inline ComparisonRecord current(int sequence, const QString& name, int displayMode, int layoutIndex,
                                const ComparisonRecord::Values& standard, const ComparisonRecord::Values& sample,
                                double deltaE, bool pass)
{
    ComparisonRecord r;
    r.sequence = sequence;
    r.testName = name;
    r.time = QDateTime(QDate(2026, 12, 6), QTime(8 + sequence % 12, 7 * sequence % 60));
    r.modelName = QStringLiteral("TX310");
    r.serialNumber = QStringLiteral("SN0042");
    r.standard = standard;
    r.sample = sample;
    r.hazeDifference = sample[ComparisonRecord::Haze] - standard[ComparisonRecord::Haze];
    r.transmittanceDifference = sample[ComparisonRecord::Transmittance] - standard[ComparisonRecord::Transmittance];
    r.deltaE = deltaE;
    r.pass = pass;
    r.settings.hazeTolerance = 1.5;
    r.settings.transmittanceTolerance = 2.0;
    r.settings.deltaEThreshold = 1.0;
    r.settings.parameterThreshold = 2.5;
    r.settings.displayMode = displayModeFromIndex(displayMode);
    r.settings.layoutIndex = layoutIndex;
    r.settings.formulaText = layoutIndex == 1 ? QStringLiteral("\u25B3E*00") : QStringLiteral("\u25B3E*ab");
    return r;
}

inline QList<ComparisonRecord> currentRecords()
{
    using V = ComparisonRecord::Values;
    const V a{12.5, 88.25, 50.12, 1.5, -2.25, 50.12, 2.7, 303.7, 18.4, 0.3123, 0.33};
    const V b{13.0, 87.5, 51.0, 1.25, -2.0, 51.0, 2.4, 301.9, 19.1, 0.312, 0.3305};
    const V c{0.05, 100.0, 99.99, -0.01, 0.0, 99.99, 0.01, 0.1, 100.0, 0.3457, 0.3585};
    const V d{9.87, 45.6, 20.0, 60.5, -70.25, 20.0, 93.0, 310.8, 3.21, 0.1, 0.05};
    QList<ComparisonRecord> records;
    records << current(1, QStringLiteral("Comp1"), 0, 0, a, b, 0.9, true)
            << current(2, QStringLiteral("Comp2"), 1, 0, b, a, 0.9, false)
            << current(3, QStringLiteral("<Lot 7 & \"B\">"), 2, 0, a, c, 49.87, false)
            << current(4, QStringLiteral("样品四"), 3, 0, c, c, 0.0, true)
            << current(5, QStringLiteral("Comp5"), 4, 3, d, a, 77.04, false)
            << current(6, QStringLiteral("Comp6"), 5, 0, a, a, 0.0, true)
            << current(7, QStringLiteral("Comp7"), 6, 0, d, d, 0.0, true)
            << current(8, QStringLiteral("Comp8"), 3, 1, a, b, 1.23456, true)
            << current(9, QStringLiteral("Comp9"), 4, 1, b, d, -1.0, true)
            << current(1000000, QString(), 0, 2, c, d, 123.4, false);
    // Hues either side of 0: the difference goes the short way round (5.8).
    records[4].standard[ComparisonRecord::LchH] = 357.1;
    records[4].sample[ComparisonRecord::LchH] = 2.9;
    // Tolerances never read from the instrument.
    records[6].settings = ComparisonSettings{};
    records[6].settings.displayMode = DisplayMode::HazeTLab;
    return records;
}

inline ComparisonRecord legacy(int sequence, const QString& name, const ComparisonRecord::LegacyValues& standard,
                               const ComparisonRecord::LegacyValues& sample, double deltaE, bool pass)
{
    ComparisonRecord r;
    r.legacy = true;
    r.sequence = sequence;
    r.testName = name;
    r.time = QDateTime(QDate(2025, 1, 31), QTime(23, 59));
    r.modelName = QStringLiteral("CR-10");
    r.serialNumber = QStringLiteral("A&B<1>");
    r.legacyStandard = standard;
    r.legacySample = sample;
    r.deltaE = deltaE;
    r.pass = pass;
    r.settings.deltaEThreshold = 1.5;
    r.settings.formulaText = QStringLiteral("\u25B3E*ab");
    r.settings.thresholdText = QStringLiteral("1.5");
    return r;
}

inline QList<ComparisonRecord> legacyRecords()
{
    using L = ComparisonRecord::LegacyValues;
    QList<ComparisonRecord> records;
    records << legacy(1, QStringLiteral("Comp1"), L{50.12, 1.5, -2.25, 2.7, 303.7}, L{51.0, 1.25, -2.0, 2.4, 301.9},
                      0.94, true)
            << legacy(2, QStringLiteral("Comp2"), L{20.0, 60.5, -70.25, 93.0, 310.8}, L{50.12, 1.5, -2.25, 2.7, 1.5},
                      98.76, false)
            << legacy(3, QStringLiteral("名<称>"), L{99.99, -0.01, 0.0, 0.01, 357.1}, L{99.99, -0.01, 0.0, 0.01, 2.9},
                      -1.0, true);
    records[2].settings.formulaText = QStringLiteral("CMC(1:1)");
    records[2].settings.thresholdText = QString();
    return records;
}

} // namespace comparisoncases
