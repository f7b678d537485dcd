#pragma once
// The texts a standard and its tolerances are shown by, in the language in
// force: a limit ("ΔE*00 ≤ 1.00", "Δb* −0.30 … +0.60"), a whole set, a
// standard's values, and the verdict cell's tooltip naming the limit that
// decided or warned. The workspace and the library window share them.

#include "ComparisonRecord.h"
#include "Standard.h"

#include <QCoreApplication>
#include <QString>

class StandardTexts
{
    Q_DECLARE_TR_FUNCTIONS(StandardTexts)
public:
    // "ΔL*", "Δa*", …, "ΔE*00", "ΔE CMC 2:1", "ΔHaze", "ΔT".
    static QString symbol(ToleranceQuantity quantity);
    // One limit, "(informs)" added when it does not decide.
    static QString limit(const ToleranceLimit& limit);
    // Every limit of the set, then its warning band; "no limits" when empty.
    static QString set(const LibraryToleranceSet& set);
    // "L* 50.00  a* 10.00  b* −5.00  Haze 1.20 %  T 90.00 %": what the standard has.
    static QString values(const Standard& standard);
    // The verdict cell's tooltip: the verdict, the limit that decided or
    // warned, and what the row was judged against (the library standard
    // and its set, or the instrument's tolerances).
    static QString verdictToolTip(const ComparisonRecord& record);
    // The token of the limit that decided or warned ("dE00"), as its symbol;
    // empty for none.
    static QString decidedBySymbol(const QString& token);
};
