#include "RecordJournal.h"

#include "JournalLog.h"
#include "JournalMigration.h"
#include "RecordJournalSql.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <utility>

using RecordJournalSql::kWaiting;

namespace {

// sessions and records of the current schema. The former format had
// sessions without counter and closed_at, and a rows table instead of records.
const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, started TEXT NOT NULL, model TEXT,"
    " layout INTEGER NOT NULL DEFAULT 0, closed INTEGER NOT NULL DEFAULT 0,"
    " counter INTEGER NOT NULL DEFAULT 0, closed_at INTEGER)",
    // seq: the order records were made in. id: the record's UUID (16 bytes).
    // acked: the newest version the station database acknowledged.
    // refused: the newest version it refused for good, refusal: its reason.
    "CREATE TABLE IF NOT EXISTS records ("
    " seq INTEGER PRIMARY KEY, session INTEGER NOT NULL, id BLOB NOT NULL,"
    " version INTEGER NOT NULL, deleted INTEGER NOT NULL DEFAULT 0,"
    " acked INTEGER NOT NULL DEFAULT 0, data BLOB NOT NULL,"
    " refused INTEGER NOT NULL DEFAULT 0, refusal TEXT)",
    "CREATE UNIQUE INDEX IF NOT EXISTS records_id ON records(id)",
    // Counting and restoring a session read this index, never the records of
    // other sessions.
    "CREATE INDEX IF NOT EXISTS records_session ON records(session, deleted)",
    // 'open': 1 while an owner has the journal open; still 1 at the next start
    // means the last one did not close it (crash, kill, power cut).
    "CREATE TABLE IF NOT EXISTS state (key TEXT PRIMARY KEY, value INTEGER) WITHOUT ROWID",
};

// Adds to table the columns (name, type) it lacks: journals of a former
// schema are converted in place.
bool addMissingColumns(QSqlQuery& q, const char* table, std::initializer_list<std::pair<const char*, const char*>> added)
{
    QStringList columns;
    if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table)))) {
        while (q.next()) {
            columns << q.value(1).toString();
        }
    }
    for (const auto& [name, type] : added) {
        if (!columns.contains(QLatin1String(name))
            && !q.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                           .arg(QLatin1String(table), QLatin1String(name), QLatin1String(type)))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool RecordJournal::prepareSchema()
{
    QSqlDatabase db = database();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return fail(QStringLiteral("cannot write"), q.lastError().text());
    }
    const auto rollback = [&](const QString& what, const QString& error) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(what, error);
    };
    // Another connection may have done it meanwhile.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        return rollback(QStringLiteral("cannot read"), q.lastError().text());
    }
    if (q.value(0).toInt() >= kSchemaVersion) {
        q.exec(QStringLiteral("COMMIT"));
        return true;
    }
    for (const char* statement : kSchema) {
        if (!q.exec(QString::fromLatin1(statement))) {
            return rollback(QStringLiteral("cannot create the tables"), q.lastError().text());
        }
    }
    // Sessions of the former format lack the newer columns, records of
    // schema 2 the refusal; the outbox index follows the outbox's condition.
    if (!addMissingColumns(q, "sessions", {{"counter", "INTEGER NOT NULL DEFAULT 0"}, {"closed_at", "INTEGER"}})
        || !addMissingColumns(q, "records", {{"refused", "INTEGER NOT NULL DEFAULT 0"}, {"refusal", "TEXT"}})) {
        return rollback(QStringLiteral("cannot convert the journal"), q.lastError().text());
    }
    if (!q.exec(QStringLiteral("DROP INDEX IF EXISTS records_outbox"))
        || !q.exec(QStringLiteral("CREATE INDEX records_outbox ON records(seq) WHERE %1").arg(QLatin1String(kWaiting)))) {
        return rollback(QStringLiteral("cannot create the tables"), q.lastError().text());
    }
    JournalMigration::Outcome converted;
    if (!JournalMigration::convertTableRows(db, converted)) {
        return rollback(QStringLiteral("cannot convert the journal"), converted.error);
    }
    // After the conversion, whose rows need them too.
    QString historyError;
    if (!RecordJournalSql::addHistoryColumns(db, &historyError)) {
        return rollback(QStringLiteral("cannot convert the journal"), historyError);
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))
        || !q.exec(QStringLiteral("COMMIT"))) {
        return rollback(QStringLiteral("cannot write"), q.lastError().text());
    }
    m_converted = converted.converted;
    if (converted.converted > 0 || converted.kept > 0) {
        qCInfo(lcJournal) << "converted" << converted.converted << "rows of the former journal;"
                          << converted.kept << "could not be read and stay in its rows table";
    }
    if (converted.dropped) {
        // The former rows took about 4 KB each: give the space back once.
        if (!q.exec(QStringLiteral("VACUUM"))) {
            qCWarning(lcJournal) << "cannot compact the converted journal:" << q.lastError().text();
        }
    }
    return true;
}
