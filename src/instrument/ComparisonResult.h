#pragma once
// One finished standard/sample comparison, as the comparison table appends it.
// The values are the numbers read back from the comparison display's text, so
// they carry the display's rounding. Built by measurement, by pushed results
// and by record import; appended by the comparison table.

#include <QString>

#include <array>

struct ComparisonResult
{
    // Order of the eleven values of a standard or a sample (current layout).
    enum Value { Haze, Transmittance, LabL, LabA, LabB, LchL, LchC, LchH, Y, X, SmallY, ValueCount };
    // Order of the five values of the legacy layout.
    enum LegacyValue { LegacyL, LegacyA, LegacyB, LegacyC, LegacyH, LegacyCount };

    double sequence = 0;   // totalCount after this comparison was counted
    QString testName;      // "Comp%1"
    QString dateTime;      // "yyyy/MM/dd  hh:mm"
    std::array<double, ValueCount> standard{};
    std::array<double, ValueCount> sample{};
    double hazeDifference = 0.0;
    double transmittanceDifference = 0.0;
    double deltaE = 0.0;
    bool pass = false;     // the verdict as data; the row shows the translated "PASS" or "NG"
    QString hazeToleranceText;          // 2 decimals
    QString transmittanceToleranceText; // 2 decimals
    QString deltaEThresholdText;        // 1 decimal
    QString modelName;
    QString serialNumber;

    // Legacy layout only.
    std::array<double, LegacyCount> legacyStandard{};
    std::array<double, LegacyCount> legacySample{};
    QString formulaText;   // the shown formula field
    QString thresholdText; // the shown threshold field
};
