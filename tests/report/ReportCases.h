#pragma once
// Snapshots shared by the report tests.
#include "ReportSnapshot.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace reportcases {

enum Flag { HazeT, Haze, T, Lab, LCh, Yxy, HazeTLab };

inline QDateTime builtAt()
{
    return QDateTime(QDate(2026, 12, 6), QTime(23, 5, 9));
}

// A Lab comparison of the current layout, standard L* 50.123 against 51.
inline ReportSnapshot labComparison(Flag flag = Lab)
{
    ReportSnapshot s;
    s.testName = QStringLiteral("Comp1");
    s.dateTime = QStringLiteral("2026/12/06  23:05");
    s.modelName = QStringLiteral("TX310");
    s.serialNumber = QStringLiteral("SN001");
    s.company = QStringLiteral("ACME");
    s.tester = QStringLiteral("Li");
    s.auditor = QStringLiteral("Wang");
    s.standard = {12.5, 88.25, 50.123, 1.5, -2.25, 50.123, 2.7, 303.66, 18.4, 0.31234, 0.32998};
    s.sample = {13.0, 87.5, 51.0, 1.25, -2.0, 51.0, 2.4, 301.92, 19.1, 0.31201, 0.33051};
    s.hazeDifference = 0.5;
    s.transmittanceDifference = -0.75;
    s.deltaE = 0.9;
    s.verdict = QStringLiteral("PASS");
    s.verdictPass = true;
    s.hazeToleranceText = QStringLiteral("±1.00%");
    s.transmittanceToleranceText = QStringLiteral("±2.00%");
    s.deltaEThresholdText = QStringLiteral("1.0");
    s.formulaText = QStringLiteral("△E*ab");
    s.formulaTextLegacy = QStringLiteral("△E*00");
    s.displayMode = displayModeFromIndex(flag);
    return s;
}

} // namespace reportcases
