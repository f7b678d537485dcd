#pragma once
// One comparison of a sample with a standard, as data: the measured values as
// numbers, the differences, the verdict and the settings it was judged
// against. A record is kept once, in the list of the current work; the two
// comparison tables, the export, the report, the journal, statistics, the
// command line and the station database all read records. A cell's text is
// made from a record for the eye and is never parsed back.
//
// Values are the numbers as the instrument reported them (rounded as the
// live display shows them). A value the instrument did not send (the Lab of
// an imported haze record) is 0, and its cell shows 0 as the table always
// has. A value that is not known (kUnknown, NaN: the haze and transmittance
// of a standard loaded from a colour file) shows dashes.

#include "DisplayMode.h"
#include "ToleranceSet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <array>
#include <limits>

// The settings in force when a record was judged.
struct ComparisonSettings
{
    // In displayed units (percent for haze and transmittance); -1: not read
    // from the instrument.
    double hazeTolerance = -1.0;
    double transmittanceTolerance = -1.0;
    double deltaEThreshold = -1.0;
    // The instrument's colour-difference formula code (the legacy layout has
    // a code table of its own) and, for layout 1, the threshold stored with it.
    int formulaCode = 0;
    double parameterThreshold = -1.0;
    // The display mode judged by; None when none is set (legacy records).
    DisplayMode displayMode = DisplayMode::None;
    // Workspace layout of the instrument the record was taken with (0..3).
    int layoutIndex = 0;
    // The formula as shown beside the table (kept for the report and export).
    QString formulaText;
    // The threshold as shown (legacy layout; kept for the report and export).
    QString thresholdText;

    // The delta-E threshold a comparison is judged against: in layout 1 the
    // one stored with the formula on the instrument, elsewhere the tolerance.
    double thresholdInForce() const { return layoutIndex == 1 ? parameterThreshold : deltaEThreshold; }
};

struct ComparisonRecord
{
    // Order of the eleven values of a standard or a sample (current layout).
    enum Value { Haze, Transmittance, LabL, LabA, LabB, LchL, LchC, LchH, Y, X, SmallY, ValueCount };
    // Order of the five values of the legacy layout.
    enum LegacyValue { LegacyL, LegacyA, LegacyB, LegacyC, LegacyH, LegacyCount };
    using Values = std::array<double, ValueCount>;
    using LegacyValues = std::array<double, LegacyCount>;

    static constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

    // Made by the station when the record is made; never changes. Journal,
    // station database and exports key records by it.
    QUuid id;
    // Raised by every change (rename, re-judging): the station database keeps
    // the newest version.
    qint64 version = 1;

    // true: a first-generation colorimeter's record (the 21-column table).
    bool legacy = false;
    // NO: the count of rows after this one was counted, as the table shows it.
    double sequence = 0;
    QString testName;          // "Comp%1" for a measured comparison; editable
    QDateTime time;            // local time; the tables show it to the minute
    QString modelName;
    QString serialNumber;

    Values standard{};         // current layout
    Values sample{};
    LegacyValues legacyStandard{};
    LegacyValues legacySample{};

    double hazeDifference = 0.0;          // sample minus standard, percent
    double transmittanceDifference = 0.0; // sample minus standard, percent
    double deltaE = 0.0;                  // by the formula in force; -1: unknown formula code
    bool pass = false;

    ComparisonSettings settings;
    // The library standard and tolerance set judged against; not in use when
    // the instrument's tolerances judge.
    LibraryJudgement library;

    // Several readings of one specimen: every reading of the standard and of
    // the sample as the display showed it (current or legacy layout, as the
    // record is). The values above are their mean or median. Empty: one
    // reading, as every record had before. n and the spread: Readings.h.
    struct ReadingsSummary
    {
        QList<Values> standard;
        QList<Values> sample;
        QList<LegacyValues> legacyStandard;
        QList<LegacyValues> legacySample;
        bool median = false; // the values are the median of the readings (else their mean)
    };
    ReadingsSummary readings;
};

// The date-time text every table and export shows: "yyyy/MM/dd  hh:mm".
inline constexpr const char* kComparisonTimeFormat = "yyyy/MM/dd  hh:mm";
