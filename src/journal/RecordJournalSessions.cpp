#include "RecordJournal.h"

#include "JournalLog.h"
#include "RecordCodec.h"
#include "RecordJournalSql.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using RecordJournalSql::idBytes;

namespace {

QString now()
{
    return QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
}

} // namespace

QList<JournalSession> RecordJournal::sessions(bool closed)
{
    QList<JournalSession> out;
    if (!m_active) {
        return out;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT s.id, s.started, s.model, s.layout, s.counter, s.closed_at,"
        " (SELECT COUNT(*) FROM records r WHERE r.session = s.id AND r.deleted = 0) AS n"
        " FROM sessions s WHERE s.closed = ? AND (s.closed = 1 OR n > 0) ORDER BY s.id DESC"));
    q.addBindValue(closed ? 1 : 0);
    if (!q.exec()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return out;
    }
    while (q.next()) {
        JournalSession s;
        s.id = q.value(0).toLongLong();
        s.started = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
        s.model = q.value(2).toString();
        s.layout = q.value(3).toInt();
        s.counter = q.value(4).toInt();
        if (!q.value(5).isNull()) {
            s.closedAt = QDateTime::fromMSecsSinceEpoch(q.value(5).toLongLong());
        }
        s.recordCount = q.value(6).toInt();
        s.closed = closed;
        out.append(s);
    }
    return out;
}

QList<JournalSession> RecordJournal::openSessions()
{
    return sessions(false);
}

QList<JournalSession> RecordJournal::closedSessions()
{
    return sessions(true);
}

QList<ComparisonRecord> RecordJournal::records(qint64 session)
{
    QList<ComparisonRecord> out;
    if (!m_active) {
        return out;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    // Counted from the session's index first: the list is made once, not
    // grown (and moved) a few dozen times over 100 000 records.
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM records WHERE session = ? AND deleted = 0"));
    q.addBindValue(session);
    if (q.exec() && q.next()) {
        out.reserve(q.value(0).toInt());
    }
    q.finish();
    q.prepare(QStringLiteral(
        "SELECT id, version, data FROM records WHERE session = ? AND deleted = 0 ORDER BY seq"));
    q.addBindValue(session);
    if (!q.exec()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return out;
    }
    RecordCodec::Decoder decoder;
    int unreadable = 0;
    while (q.next()) {
        ComparisonRecord record;
        if (!decoder.decode(q.value(2).toByteArray(), record)) {
            ++unreadable;
            continue;
        }
        record.id = QUuid::fromRfc4122(q.value(0).toByteArray());
        record.version = q.value(1).toLongLong();
        out.append(std::move(record));
    }
    if (unreadable > 0) {
        qCWarning(lcJournal) << unreadable << "records of session" << session << "cannot be read";
    }
    return out;
}

void RecordJournal::setSessionInfo(const QString& model, int layout)
{
    m_model = model;
    m_layout = layout;
}

void RecordJournal::resume(qint64 session)
{
    m_session = session;
}

bool RecordJournal::ensureSession()
{
    if (m_session != 0) {
        return true;
    }
    QSqlQuery q(database());
    q.prepare(QStringLiteral("INSERT INTO sessions (started, model, layout) VALUES (?, ?, ?)"));
    q.addBindValue(now());
    q.addBindValue(m_model);
    q.addBindValue(m_layout);
    if (!q.exec()) {
        return fail(QStringLiteral("cannot write"), q.lastError().text());
    }
    m_session = q.lastInsertId().toLongLong();
    return true;
}

bool RecordJournal::upsert(const QList<ComparisonRecord>& records, int counter, bool intoSession)
{
    if (!m_active) {
        return false;
    }
    if (records.isEmpty() && counter < 0) {
        return true;
    }
    QSqlDatabase db = database();
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    const qint64 before = m_session;
    const auto rollback = [&](const QString& error) {
        db.rollback();
        m_session = before;
        return fail(QStringLiteral("cannot write"), error);
    };
    if (!ensureSession()) {
        db.rollback();
        m_session = before;
        return false;
    }
    QSqlQuery q(db);
    // A record the journal holds keeps its place (and, when changed, its
    // session); its version rises past the journal's, so the station database
    // sees every change.
    q.prepare(QStringLiteral(
        "INSERT INTO records (session, id, version, data, %2) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
        " ON CONFLICT(id) DO UPDATE SET version = MAX(excluded.version, records.version + 1),"
        " deleted = 0, data = excluded.data, measured_at = excluded.measured_at, test_name = excluded.test_name,"
        " model = excluded.model, standard = excluded.standard, pass = excluded.pass, delta_e = excluded.delta_e,"
        " haze_difference = excluded.haze_difference, transmittance_difference = excluded.transmittance_difference%1")
                  .arg(intoSession ? QStringLiteral(", session = excluded.session") : QString(),
                       QLatin1String(RecordJournalSql::kHistoryColumns)));
    for (const ComparisonRecord& record : records) {
        // A record without an id would take the place of every other one
        // without: it is kept under an id of its own.
        const QUuid id = record.id.isNull() ? QUuid::createUuid() : record.id;
        if (record.id.isNull()) {
            qCWarning(lcJournal) << "a record without an id was given an id of its own";
        }
        q.bindValue(0, m_session);
        q.bindValue(1, idBytes(id));
        q.bindValue(2, record.version);
        q.bindValue(3, RecordCodec::encode(record));
        RecordJournalSql::bindHistoryColumns(q, 4, record);
        if (!q.exec()) {
            return rollback(q.lastError().text());
        }
    }
    if (counter >= 0) {
        QSqlQuery c(db);
        c.prepare(QStringLiteral("UPDATE sessions SET counter = ? WHERE id = ?"));
        c.addBindValue(counter);
        c.addBindValue(m_session);
        if (!c.exec()) {
            return rollback(c.lastError().text());
        }
    }
    if (!db.commit()) {
        return rollback(db.lastError().text());
    }
    return true;
}

bool RecordJournal::append(const QList<ComparisonRecord>& records, int counter)
{
    return upsert(records, counter, true);
}

bool RecordJournal::update(const QList<ComparisonRecord>& records)
{
    return records.isEmpty() ? m_active : upsert(records, -1, false);
}

bool RecordJournal::merge(qint64 from, qint64 into)
{
    if (!m_active || from == 0 || into == 0 || from == into) {
        return false;
    }
    QSqlDatabase db = database();
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    QSqlQuery q(db);
    const auto run = [&](const QString& statement, std::initializer_list<QVariant> values) {
        q.prepare(statement);
        for (const QVariant& v : values) {
            q.addBindValue(v);
        }
        return q.exec();
    };
    const bool ok =
        run(QStringLiteral("UPDATE records SET session = ? WHERE session = ?"), {into, from})
        && run(QStringLiteral("UPDATE sessions SET counter = MAX(counter, (SELECT counter FROM sessions WHERE id = ?))"
                              " WHERE id = ?"),
               {from, into})
        && run(QStringLiteral("UPDATE sessions SET closed = 1, closed_at = ? WHERE id = ?"),
               {QDateTime::currentMSecsSinceEpoch(), from});
    if (!ok || !db.commit()) {
        const QString error = ok ? db.lastError().text() : q.lastError().text();
        db.rollback();
        return fail(QStringLiteral("cannot write"), error);
    }
    m_session = into;
    return true;
}

bool RecordJournal::remove(const QList<QUuid>& ids)
{
    return writeEach(QStringLiteral("UPDATE records SET deleted = 1, version = version + 1 WHERE id = ? AND deleted = 0"),
                     ids.size(), [&](QSqlQuery& q, qsizetype i) { q.bindValue(0, idBytes(ids[i])); });
}

bool RecordJournal::closeSession(qint64 session)
{
    if (!m_active || session == 0) {
        return false;
    }
    QSqlQuery q(database());
    q.prepare(QStringLiteral("UPDATE sessions SET closed = 1, closed_at = ? WHERE id = ?"));
    q.addBindValue(QDateTime::currentMSecsSinceEpoch());
    q.addBindValue(session);
    if (!q.exec()) {
        return fail(QStringLiteral("cannot write"), q.lastError().text());
    }
    if (session == m_session) {
        m_session = 0;
    }
    return true;
}

bool RecordJournal::closeCurrentSession()
{
    if (m_session == 0) {
        return true; // nothing was journaled since the last close
    }
    return closeSession(m_session);
}

RecordJournal::Pruned RecordJournal::pruneClosedSessions(const QDateTime& closedBefore, bool keepUnacknowledged)
{
    Pruned pruned;
    if (!m_active) {
        return {-1, -1};
    }
    QSqlDatabase db = database();
    if (!db.transaction()) {
        fail(QStringLiteral("cannot write"), db.lastError().text());
        return {-1, -1};
    }
    QSqlQuery q(db);
    const QString unacknowledged = QStringLiteral(
        " AND NOT EXISTS (SELECT 1 FROM records r WHERE r.session = sessions.id AND r.acked < r.version"
        " AND r.refused < r.version)");
    // Sessions converted from the former format without a closing time count
    // from when they started.
    q.prepare(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS pruning (id INTEGER PRIMARY KEY)"));
    bool ok = q.exec() && q.exec(QStringLiteral("DELETE FROM pruning"));
    if (ok) {
        q.prepare(QStringLiteral("INSERT INTO pruning SELECT id FROM sessions WHERE closed = 1 AND id != ?"
                                 " AND COALESCE(closed_at, 0) < ?")
                  + (keepUnacknowledged ? unacknowledged : QString()));
        q.addBindValue(m_session);
        q.addBindValue(closedBefore.toMSecsSinceEpoch());
        ok = q.exec();
    }
    if (ok && (ok = q.exec(QStringLiteral("DELETE FROM records WHERE session IN (SELECT id FROM pruning)")))) {
        pruned.records = q.numRowsAffected();
    }
    if (ok && (ok = q.exec(QStringLiteral("DELETE FROM sessions WHERE id IN (SELECT id FROM pruning)")))) {
        pruned.sessions = q.numRowsAffected();
    }
    if (!ok || !db.commit()) {
        const QString error = ok ? db.lastError().text() : q.lastError().text();
        db.rollback();
        fail(QStringLiteral("cannot write"), error);
        return {-1, -1};
    }
    if (pruned.sessions > 0) {
        qCInfo(lcJournal) << "pruned" << pruned.sessions << "closed sessions with" << pruned.records << "records";
    }
    return pruned;
}
