#pragma once
// The comparison the page tests show, export and journal: a film and its
// standard with every value of both readings (ΔE*ab 0.45 against 1.0,
// Δhaze 0.15 and ΔT -0.20 against 0.50 and 1.00), taken on a TX310 at
// 09:30 on 8 December 2026. Tests change what they look at.
#include "ComparisonRecord.h"

inline ComparisonRecord sampleComparison(int n, bool pass = true, const QString& name = QStringLiteral("Comp%1"))
{
    ComparisonRecord r;
    r.sequence = n;
    r.testName = name.arg(n);
    r.time = QDateTime(QDate(2026, 12, 8), QTime(9, 30));
    r.standard = {1.25, 91.3, 52.1, 3.2, -14.8, 52.1, 15.14, 282.2, 20.5, 0.31234, 0.33};
    r.sample = {1.4, 91.1, 52.4, 3.05, -15.1, 52.4, 15.4, 281.4, 20.9, 0.3125, 0.3301};
    r.hazeDifference = 0.15;
    r.transmittanceDifference = -0.2;
    r.deltaE = 0.44721;
    r.pass = pass;
    r.settings.hazeTolerance = 0.5;
    r.settings.transmittanceTolerance = 1.0;
    r.settings.deltaEThreshold = 1.0;
    r.settings.formulaText = QStringLiteral("\u25B3E*ab");
    r.settings.thresholdText = QStringLiteral("1.0");
    r.modelName = QStringLiteral("TX310");
    r.serialNumber = QStringLiteral("23100158");
    r.legacyStandard = {52.1, 3.2, -14.8, 15.14, 282.24};
    r.legacySample = {52.4, 3.05, -15.1, 15.4, 281.4};
    return r;
}
