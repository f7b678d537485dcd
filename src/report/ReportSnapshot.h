#pragma once
// One comparison as a test report shows it: filled by the workspace from one
// row of the comparison table just before a report dialog opens. The report
// dialogs copy it when they are built and write the three test-information
// texts back, so that they carry over to the next report.

#include "DisplayMode.h"
#include <QString>

#include <array>

struct ReportSnapshot
{
    // Order of the eleven values of a standard or a sample. A legacy-layout
    // row fills L*, a*, b* into LabL, LabA, LabB and C*, h into LchC, LchH.
    enum Value { Haze, Transmittance, LabL, LabA, LabB, LchL, LchC, LchH, Y, X, SmallY, ValueCount };

    QString testName;
    QString dateTime;
    std::array<double, ValueCount> standard{};
    std::array<double, ValueCount> sample{};
    double hazeDifference = 0.0;
    double transmittanceDifference = 0.0;
    double deltaE = 0.0;
    QString verdict;             // the translated "PASS" or "NG" as the row shows it
    bool verdictPass = false;    // the verdict as data, independent of the language
    QString hazeToleranceText;   // as the row's hidden column, e.g. "±1.50%"
    QString transmittanceToleranceText;
    QString deltaEThresholdText;
    QString formulaText;         // current layout: the shown formula field
    QString formulaTextLegacy;   // legacy layout: the row's own formula text
    QString modelName;
    QString serialNumber;
    // Test information, written back by the report and information dialogs.
    QString company;
    QString tester;
    QString auditor;
    // Display mode in force.
    DisplayMode displayMode = DisplayMode::None;
};
