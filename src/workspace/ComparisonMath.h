#pragma once
// The live comparison of a sample with the standard, computed from the texts
// the comparison display shows (so from the displayed, rounded numbers, and
// from whatever the operator typed over the standard). A plain function: the
// page reads the cells, calls it, and writes back what it returns.

#include "ComparisonJudging.h"
#include "ComparisonRecord.h"
#include "HueDifference.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

struct CurrentComparisonInput
{
    // Haze, Transmittance, L*, a*, b*, L*, C*, h, Y, x, y as shown ("12.34%").
    std::array<QString, ComparisonRecord::ValueCount> standardTexts;
    std::array<QString, ComparisonRecord::ValueCount> sampleTexts;
    DisplayFlags displayFlags{};
    Tolerances tolerances;           // deltaE: the page's delta-E threshold
    int layoutIndex = 0;             // 1: the colorimeter variant with a formula choice
    int formulaCode = 0;             // the instrument's formula code
    double parameterThreshold = -1.0; // the threshold stored with the formula (layout 1)
    QString formulaText;             // the shown formula field, kept with the record
};

struct LegacyComparisonInput
{
    // L*, a*, b*, C*, h as shown.
    std::array<QString, ComparisonRecord::LegacyCount> standardTexts;
    std::array<QString, ComparisonRecord::LegacyCount> sampleTexts;
    int formulaCode = 0;          // first-generation code table
    double deltaEThreshold = -1.0;
    QString formulaText;          // the shown formula field, stored with the row
    QString thresholdText;        // the shown threshold field, stored with the row
};

struct ComparisonOutcome
{
    // Refused: a standard (or sample) cell is empty or not a number. Nothing
    // is compared then, so a missing value is never taken as 0.
    bool refused = false;
    int badStandardIndex = -1; // index into the value order, or -1
    int badSampleIndex = -1;

    // The record without its bookkeeping (sequence, test name, time, model
    // and serial number are the page's), judged by the one rule.
    ComparisonRecord result;
    // Differences as shown (general format, "%" for haze and transmittance),
    // one per value; the hue difference goes the short way round the circle.
    QStringList differenceTexts;
    // Deviation words for L*, a*, b*.
    std::array<QString, 3> words;
    QString deltaEText; // two decimals
    Verdict verdict = Verdict::Pass;
    // The threshold the verdict was judged against (the page keeps it).
    double deltaEThreshold = -1.0;
};

ComparisonOutcome compareCurrent(const CurrentComparisonInput& input);
ComparisonOutcome compareLegacy(const LegacyComparisonInput& input);
