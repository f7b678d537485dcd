#pragma once
// Reading journals of the former format once: they kept each comparison as a
// whole table row (every cell's data in every role, about 4 KB). Their cell
// texts become records through ComparisonColumns::recordFromTexts, the one
// reader of shown rows, here and nowhere else.

#include "ComparisonRecord.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

namespace JournalMigration {

struct Outcome
{
    int converted = 0;    // rows that became records
    int kept = 0;         // rows that could not be read: they stay in the rows table
    bool dropped = false; // the rows table is gone (every row converted)
    QString error;
};

// Converts the rows table, if there is one, into records of the same sessions
// (deleted rows as deleted records); sessions get their comparison counter and
// closing time. Runs in the caller's transaction.
bool convertTableRows(QSqlDatabase& db, Outcome& outcome);

// One row of the former journal as a record with a new id. layout: the
// session's workspace layout. counter: the page's comparison counter kept with
// the row. false when the bytes are not such a row.
bool decodeTableRow(const QByteArray& payload, int layout, ComparisonRecord& record, int& counter);

} // namespace JournalMigration
