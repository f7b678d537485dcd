#pragma once
// "Judge again with the current standards": rows judged against a library
// standard are judged again with that standard's current version (values and
// set); until the operator asks, every row keeps the version it was judged
// with. What changed is summed up for the operator's message.

#include "ComparisonRecord.h"

#include <QList>
#include <QString>

class StandardLibrary;
struct ComparisonSettings;

struct CurrentVersionOutcome
{
    // A standard's rows moved from one version to another.
    struct Move
    {
        QString standardName;
        qint64 from = 0;
        qint64 to = 0;
        int rows = 0;
    };
    QList<int> changedRows;          // rows whose record changed, ascending
    QList<ComparisonRecord> records; // their new records, in the same order
    int libraryRows = 0;             // rows judged against a library standard
    int verdictChanged = 0;          // rows whose PASS / warning / NG changed
    int gone = 0;                    // rows kept: their standard left the library
    QList<Move> moves;

    // The operator's message, in the language in force.
    QString message() const;
};

// Judges the rows (indices into records; empty: every row) again with the
// current versions; records is not changed, the outcome holds the new ones.
CurrentVersionOutcome judgeWithCurrentVersions(const QList<ComparisonRecord>& records, const QList<int>& rows,
                                               const ComparisonSettings& settings, const StandardLibrary& library);
