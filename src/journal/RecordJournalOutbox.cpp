#include "RecordJournal.h"

#include "JournalLog.h"
#include "RecordCodec.h"
#include "RecordJournalSql.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using RecordJournalSql::idBytes;
using RecordJournalSql::kWaiting;

QList<JournalOutboxEntry> RecordJournal::unacknowledged(int limit)
{
    QList<JournalOutboxEntry> out;
    if (!m_active || limit <= 0) {
        return out;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, version, deleted, session, data FROM records"
                             " WHERE %1 ORDER BY seq LIMIT ?").arg(QLatin1String(kWaiting)));
    q.addBindValue(limit);
    if (!q.exec()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return out;
    }
    RecordCodec::Decoder decoder;
    int unreadable = 0;
    while (q.next()) {
        JournalOutboxEntry entry;
        entry.deleted = q.value(2).toInt() != 0;
        // A tombstone whose last fields cannot be read is still sent as a delete.
        if (!decoder.decode(q.value(4).toByteArray(), entry.record) && !entry.deleted) {
            // Handed out marked, not left out: skipped, it would come back at
            // the head of every later batch and hold up the records behind it.
            entry.record = ComparisonRecord();
            entry.unreadable = true;
            ++unreadable;
        }
        entry.record.id = QUuid::fromRfc4122(q.value(0).toByteArray());
        entry.record.version = q.value(1).toLongLong();
        entry.session = q.value(3).toLongLong();
        out.append(std::move(entry));
    }
    if (unreadable > 0) {
        qCWarning(lcJournal) << unreadable << "records in the outbox cannot be read";
    }
    return out;
}

int RecordJournal::unacknowledgedCount()
{
    if (!m_active) {
        return 0;
    }
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM records WHERE %1").arg(QLatin1String(kWaiting))) || !q.next()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return 0;
    }
    return q.value(0).toInt();
}
bool RecordJournal::acknowledge(const QList<std::pair<QUuid, qint64>>& versions)
{
    if (!m_active) {
        return false;
    }
    if (versions.isEmpty()) {
        return true;
    }
    QSqlDatabase db = database();
    QSqlQuery q(db);
    // The batch goes into a table of this connection's own first, without
    // the journal's lock; the lock is then held for one statement, so the
    // window's next record never waits behind hundreds of single updates.
    // BEGIN IMMEDIATE takes the lock before reading (a deferred transaction
    // could be refused outright when another writer got in between).
    const auto failed = [&](const QString& error) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(QStringLiteral("cannot write"), error);
    };
    if (!q.exec(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS acked_batch (id BLOB NOT NULL, version INTEGER NOT NULL)"))
        || !q.exec(QStringLiteral("BEGIN")) || !q.exec(QStringLiteral("DELETE FROM temp.acked_batch"))) {
        return failed(q.lastError().text());
    }
    q.prepare(QStringLiteral("INSERT INTO temp.acked_batch (id, version) VALUES (?, ?)"));
    for (const auto& [id, version] : versions) {
        q.bindValue(0, idBytes(id));
        q.bindValue(1, version);
        if (!q.exec()) {
            return failed(q.lastError().text());
        }
    }
    if (!q.exec(QStringLiteral("COMMIT")) || !q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return failed(q.lastError().text());
    }
    // An acknowledged version older than the record's (changed meanwhile)
    // leaves it in the outbox.
    if (!q.exec(QStringLiteral("UPDATE records SET acked = MAX(records.acked, MIN(b.version, records.version))"
                               " FROM (SELECT id, MAX(version) AS version FROM temp.acked_batch GROUP BY id) AS b"
                               " WHERE records.id = b.id"))
        || !q.exec(QStringLiteral("COMMIT"))) {
        return failed(q.lastError().text());
    }
    return true;
}

bool RecordJournal::refuse(const QList<std::pair<QUuid, qint64>>& versions, const QString& reason)
{
    // Only the version refused: a record changed meanwhile stays in the outbox.
    return writeEach(
        QStringLiteral("UPDATE records SET refused = ?, refusal = ? WHERE id = ? AND version = ? AND refused < ?"),
        versions.size(), [&](QSqlQuery& q, qsizetype i) {
            const auto& [id, version] = versions[i];
            q.bindValue(0, version);
            q.bindValue(1, reason);
            q.bindValue(2, idBytes(id));
            q.bindValue(3, version);
            q.bindValue(4, version);
        });
}

int RecordJournal::refusedCount()
{
    if (!m_active) {
        return 0;
    }
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM records WHERE refused > 0 AND refused = version")) || !q.next()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return 0;
    }
    return q.value(0).toInt();
}

QList<JournalRefusal> RecordJournal::refusals()
{
    QList<JournalRefusal> out;
    if (!m_active) {
        return out;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, refused, refusal FROM records WHERE refused > 0 AND refused = version"
                               " ORDER BY seq"))) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return out;
    }
    while (q.next()) {
        out.append({QUuid::fromRfc4122(q.value(0).toByteArray()), q.value(1).toLongLong(), q.value(2).toString()});
    }
    return out;
}
