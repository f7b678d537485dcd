#pragma once

// Shared by the files implementing RecordJournal; not part of its interface.

#include "ComparisonRecord.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

class QSqlDatabase;
class QSqlQuery;

namespace RecordJournalSql {

// The outbox: versions the server has neither acknowledged nor refused. A
// refused record goes again once it is changed (a newer version).
inline constexpr const char* kWaiting = "acked < version AND refused < version";

inline QByteArray idBytes(const QUuid& id)
{
    return id.toRfc4122();
}

// The columns the history filters and sorts by, copied from the record so
// that a query reads an index, not every record's data.
inline constexpr const char* kHistoryColumns =
    "measured_at, test_name, model, standard, pass, delta_e, haze_difference, transmittance_difference";
inline constexpr int kHistoryColumnCount = 8;
// Binds the record's values to the placeholders from `first` on, in the
// order of kHistoryColumns; a value never measured as NULL.
void bindHistoryColumns(QSqlQuery& q, int first, const ComparisonRecord& record);
// Adds the columns and their index to a journal of an older schema and fills
// them from every row's data. Inside the caller's transaction.
bool addHistoryColumns(QSqlDatabase& db, QString* error);

} // namespace RecordJournalSql
