#pragma once
// The one rule that decides a comparison's verdict. Live measurement, pushed
// results, record import and judging again after a settings change all call
// judgeRecord; nothing else decides PASS or NG.

#include "ComparisonRecord.h"
#include "Judgement.h"

#include <QList>

#include <optional>

// Delta-E of the record's standard and sample under the formula the settings
// name (the legacy layout's own code table for a legacy record; -1 for an
// unknown legacy code).
double recordDeltaE(const ComparisonRecord& record, const ComparisonSettings& settings);

// What a verdict judges against: the haze and transmittance tolerances and
// the delta-E threshold in force (layout 1: the threshold stored with the
// formula); a legacy record's own threshold. Statistics draw the same limits.
Tolerances judgedTolerances(const ComparisonSettings& settings, bool legacy);

// The verdict of the record's differences and delta-E against the settings.
// Current layout: the differences the display mode looks at against their
// tolerances, delta-E against the threshold in force (layout 1: the threshold
// stored with the formula). Legacy layout: delta-E against its threshold.
// A record lacking a value its display mode judges (unknown, NaN: the haze or
// transmittance of a standard read from a colour file, the L*a*b* of an
// imported haze record) is NG: what was not compared never passes.
// A record judged against a library standard is judged by its set alone
// (judgeAgainstSet); a standard whose set has no limits, by the instrument's
// tolerances (an empty set would pass anything).
Verdict verdictOf(const ComparisonRecord& record, const ComparisonSettings& settings);

// Takes the settings into the record, computes delta-E again and decides the
// verdict. The version goes up when anything the record shows changed; true then.
// A record judged against a library standard keeps the standard's version and
// the set it carries (record.library), whatever the settings; its warning and
// the limit that decided are filled in.
bool judgeRecord(ComparisonRecord& record, const ComparisonSettings& settings);
// Judges the record against another library standard or set version (the
// operator re-judging with the current version, or a standard chosen for a
// new comparison); a library not in use returns the record to the
// instrument's tolerances. true when anything the record shows changed.
bool judgeRecordWithLibrary(ComparisonRecord& record, const ComparisonSettings& settings,
                            const LibraryJudgement& library);

// The differences of the record's sample from its standard that the set
// limits (the others NaN): L*a*b*, C* and H* (H* signed as the hue
// difference, the short way round), delta-E under each formula, haze and
// transmittance.
ToleranceDifferences toleranceDifferences(const ComparisonRecord& record, const LibraryToleranceSet& set);

// Whether settings may judge the record again: not a record taken in another
// display mode or workspace layout (rows restored from another instrument's
// session), which the settings in force would judge by values it does not
// have; such a record keeps its verdict and the settings it was judged under.
// A record that names no display mode is judged again.
bool judgedUnder(const ComparisonRecord& record, const ComparisonSettings& settings);

// Judges every record again against one set of settings (those judgedUnder
// them); the indexes of the records that changed.
QList<int> judgeRecordsAgain(QList<ComparisonRecord>& records, const ComparisonSettings& settings);

// The display mode records were taken in: the first one's that names one,
// None when none does.
DisplayMode takenInDisplayMode(const QList<ComparisonRecord>& records);

// A number read from a displayed or typed text ("12.34%", " 2.3 "): nothing
// for an empty text, dashes or a text that is not a finite number. Used for
// the live comparison's standard and sample columns (shown, or typed over by
// the operator), for values given on the command line, and for the rows of a
// journal of the former text format, converted once.
std::optional<double> displayedNumber(const QString& text);
