#pragma once
// A comparison of a sample with a standard as a function of numbers: the
// values as the live display shows them (rounded to its decimals, which the
// column mapping gives), the differences with the hue the short way round,
// delta-E and the verdict of the one judging rule. The page, the measuring
// session, pushed results, record import and the command line all make their
// records here; nothing reads a number back from a text.

#include "ComparisonRecord.h"
#include "HueDifference.h"

#include <array>

// value rounded to decimals, half away from zero, as the display's text shows
// it; NaN stays NaN.
double roundedTo(double value, int decimals);
// The values rounded to the decimals the live display shows them with.
ComparisonRecord::Values shownValues(ComparisonRecord::Values values);
ComparisonRecord::LegacyValues shownLegacyValues(ComparisonRecord::LegacyValues values);

// Sample minus standard of every value (the hue the short way round); NaN
// where either is not known.
ComparisonRecord::Values valueDifferences(const ComparisonRecord& record);
ComparisonRecord::LegacyValues legacyValueDifferences(const ComparisonRecord& record);

// A judged record (without its bookkeeping: sequence, name, time, model and
// serial number are the caller's) of the standard's and the sample's values,
// rounded as the display shows them, judged against the settings in force.
// An unknown value (NaN) stays unknown; the verdict judges it NG where the
// display mode looks at it. With a library standard in use, its set judges.
ComparisonRecord compareValues(const ComparisonRecord::Values& standard, const ComparisonRecord::Values& sample,
                               const ComparisonSettings& settings, const LibraryJudgement& library = LibraryJudgement());
// The same for a first-generation colorimeter's five values.
ComparisonRecord compareLegacyValues(const ComparisonRecord::LegacyValues& standard,
                                     const ComparisonRecord::LegacyValues& sample, const ComparisonSettings& settings,
                                     const LibraryJudgement& library = LibraryJudgement());

// The index of the first value that keeps a comparison from being made, or
// -1: a value not known (an edit the operator left empty or not a number, or
// never measured), except haze and transmittance in a mode judged by
// delta-E alone (a standard taken from a colour file has none).
int unusableValue(const ComparisonRecord::Values& values, DisplayMode mode);
int unusableLegacyValue(const ComparisonRecord::LegacyValues& values);
