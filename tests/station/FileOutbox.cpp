#include "FileOutbox.h"

#include <QDataStream>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

namespace {
QByteArray encode(const ComparisonRecord& r)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << r.testName << r.time << r.modelName << r.deltaE << r.pass << r.standard[ComparisonRecord::LabL]
      << r.sample[ComparisonRecord::LabL];
    return out;
}

void decode(const QByteArray& bytes, ComparisonRecord* r)
{
    QDataStream s(bytes);
    s >> r->testName >> r->time >> r->modelName >> r->deltaE >> r->pass >> r->standard[ComparisonRecord::LabL]
        >> r->sample[ComparisonRecord::LabL];
}
} // namespace

ComparisonRecord testRecord(const QString& testName, double deltaE)
{
    ComparisonRecord r;
    r.id = QUuid::createUuid();
    r.testName = testName;
    r.time = QDateTime::currentDateTime();
    r.modelName = QStringLiteral("TX450");
    r.standard.fill(ComparisonRecord::kUnknown);
    r.sample.fill(ComparisonRecord::kUnknown);
    r.standard[ComparisonRecord::LabL] = 52.1;
    r.sample[ComparisonRecord::LabL] = 52.1 + deltaE;
    r.deltaE = deltaE;
    r.pass = deltaE < 1.0;
    return r;
}

FileOutbox::FileOutbox(QString path)
    : m_path(std::move(path))
{
    QSqlQuery q(db());
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS outbox (id TEXT PRIMARY KEY, version INTEGER NOT NULL,"
                          " acked INTEGER NOT NULL DEFAULT 0, changed INTEGER NOT NULL, deleted INTEGER NOT NULL,"
                          " rejected TEXT, payload BLOB NOT NULL)"));
    q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS outbox_pending ON outbox (changed) WHERE acked < version"
                          " AND rejected IS NULL"));
}

FileOutbox::~FileOutbox()
{
    for (const QString& name : std::as_const(m_connections)) {
        QSqlDatabase::removeDatabase(name);
    }
}

QSqlDatabase FileOutbox::db()
{
    const QString name = QStringLiteral("outbox-%1-%2")
                             .arg(quintptr(this))
                             .arg(quintptr(QThread::currentThread()));
    if (QSqlDatabase::contains(name)) {
        return QSqlDatabase::database(name);
    }
    QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    d.setDatabaseName(m_path);
    d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    d.open();
    QSqlQuery(d).exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    QMutexLocker lock(&m_lock);
    m_connections.append(name);
    return d;
}

bool FileOutbox::journal(const ComparisonRecord& record, bool deleted)
{
    QSqlQuery q(db());
    q.prepare(QStringLiteral("INSERT INTO outbox (id, version, changed, deleted, payload)"
                             " VALUES (?, ?, (SELECT coalesce(max(changed), 0) + 1 FROM outbox), ?, ?)"
                             " ON CONFLICT (id) DO UPDATE SET version = excluded.version, changed = excluded.changed,"
                             " deleted = excluded.deleted, payload = excluded.payload,"
                             " rejected = NULL"));
    q.addBindValue(record.id.toString(QUuid::WithoutBraces));
    q.addBindValue(record.version);
    q.addBindValue(deleted ? 1 : 0);
    q.addBindValue(encode(record));
    if (!q.exec()) {
        m_error = q.lastError().text();
        return false;
    }
    return true;
}

bool FileOutbox::journalAll(const QList<ComparisonRecord>& records)
{
    QSqlDatabase d = db();
    d.transaction();
    for (const ComparisonRecord& r : records) {
        if (!journal(r)) {
            d.rollback();
            return false;
        }
    }
    return d.commit();
}

QList<OutboxEntry> FileOutbox::unacknowledged(int limit)
{
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT id, version, deleted, payload FROM outbox WHERE acked < version"
                             " AND rejected IS NULL ORDER BY changed LIMIT ?"));
    q.addBindValue(limit);
    QList<OutboxEntry> out;
    if (!q.exec()) {
        m_error = q.lastError().text();
        return out;
    }
    while (q.next()) {
        OutboxEntry e;
        e.record.id = QUuid::fromString(q.value(0).toString());
        e.record.version = q.value(1).toLongLong();
        e.deleted = q.value(2).toBool();
        decode(q.value(3).toByteArray(), &e.record);
        out.append(e);
    }
    return out;
}

bool FileOutbox::acknowledge(const QList<OutboxKey>& keys)
{
    QSqlDatabase d = db();
    d.transaction();
    QSqlQuery q(d);
    q.prepare(QStringLiteral("UPDATE outbox SET acked = max(acked, ?) WHERE id = ?"));
    for (const OutboxKey& k : keys) {
        q.addBindValue(k.version);
        q.addBindValue(k.id.toString(QUuid::WithoutBraces));
        if (!q.exec()) {
            m_error = q.lastError().text();
            d.rollback();
            return false;
        }
    }
    return d.commit();
}

bool FileOutbox::reject(const QList<OutboxKey>& keys, const QString& reason)
{
    QSqlQuery q(db());
    q.prepare(QStringLiteral("UPDATE outbox SET rejected = ? WHERE id = ? AND version = ?"));
    for (const OutboxKey& k : keys) {
        q.addBindValue(reason);
        q.addBindValue(k.id.toString(QUuid::WithoutBraces));
        q.addBindValue(k.version);
        if (!q.exec()) {
            return false;
        }
    }
    return true;
}

int FileOutbox::unacknowledgedCount()
{
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("SELECT count(*) FROM outbox WHERE acked < version AND rejected IS NULL")) || !q.next()) {
        return -1;
    }
    return q.value(0).toInt();
}

int FileOutbox::refusedCount()
{
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("SELECT count(*) FROM outbox WHERE rejected IS NOT NULL")) || !q.next()) {
        return -1;
    }
    return q.value(0).toInt();
}

bool FileOutbox::forgetAcknowledgements()
{
    return QSqlQuery(db()).exec(QStringLiteral("UPDATE outbox SET acked = 0"));
}

QString FileOutbox::rejection(const QUuid& id)
{
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT rejected FROM outbox WHERE id = ?"));
    q.addBindValue(id.toString(QUuid::WithoutBraces));
    return q.exec() && q.next() ? q.value(0).toString() : QString();
}
