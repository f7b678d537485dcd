#pragma once
// What the batch report reads from a record beyond its values and verdict:
// the standard it was compared with, the limits in force, the warning, the
// limit that decided, and the readings behind its values. Every such field
// is read here and nowhere else in the report, so that richer records only
// change these functions.

#include "ComparisonRecord.h"

#include <QString>

struct BatchStandardFields
{
    QString name;    // the library standard's name, else the statistics' "Standard 2 (Comp7)"
    QString version; // the library standard's version; empty: none
    QString origin;  // where its values came from; empty: not known
};

struct BatchJudgementFields
{
    // The tolerance set in force, or the instrument's tolerances as a text
    // ("ΔHaze ±1.50  ΔT ±2.00  ΔE ≤ 1.00 (CIE ΔE*ab)").
    QString tolerances;
    bool instrumentTolerances = true;
    bool warning = false;
    // The limit that decided an NG verdict, or warned ("ΔE ≤ 1.00",
    // "dE00<=1"); empty when none did.
    QString decidedBy;
};

struct BatchReadings
{
    int n = 1;
    QString spread; // the spread of the readings as a short text; empty for one reading
};

// The standard of a record; fallbackName names it when the record carries no
// name of its own (the statistics' "Standard 2 (Comp7)").
BatchStandardFields batchStandardFields(const ComparisonRecord& record, const QString& fallbackName);
BatchJudgementFields batchJudgementFields(const ComparisonRecord& record);
BatchReadings batchReadings(const ComparisonRecord& record);
// The procedure the instrument says its haze measurement follows; empty when
// it does not say (the tester then writes it in).
QString batchHazeProcedure(const ComparisonRecord& record);
