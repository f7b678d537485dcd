#include "RecordJournal.h"

#include "JournalLog.h"
#include "JournalMigration.h"
#include "RecordCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>

namespace {

std::atomic<int> g_connections{0};

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

// The outbox: versions the server has neither acknowledged nor refused. A
// refused record goes again once it is changed (a newer version).
const char* const kWaiting = "acked < version AND refused < version";

QString now()
{
    return QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
}

// SQLITE_CORRUPT and SQLITE_NOTADB: the file is not a sound database.
bool isDamage(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

QByteArray idBytes(const QUuid& id)
{
    return id.toRfc4122();
}

// The owner's mark, written without waiting for the disk: the next commit of
// a record syncs it with the record (WAL keeps the order), and a mark lost
// with nothing after it guards nothing.
bool markOpen(QSqlQuery& q, bool open)
{
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    const bool ok = q.exec(QStringLiteral("INSERT OR REPLACE INTO state (key, value) VALUES ('open', %1)").arg(open ? 1 : 0));
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    return ok;
}

} // namespace

RecordJournal::RecordJournal(const QString& path)
    : m_path(path.isEmpty() ? defaultPath() : path),
      m_connection(QStringLiteral("tintwell-journal-%1").arg(++g_connections))
{
}

RecordJournal::~RecordJournal()
{
    if (!QSqlDatabase::contains(m_connection)) {
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (m_active && m_owner) {
            QSqlQuery q(db);
            markOpen(q, false);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString RecordJournal::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/journal.sqlite");
}

void RecordJournal::setFailureHandler(std::function<void(const QString&)> handler)
{
    m_onFailure = std::move(handler);
}

bool RecordJournal::fail(const QString& what, const QString& error)
{
    const bool wasActive = m_active;
    m_active = false;
    m_error = QStringLiteral("%1: %2 (%3)").arg(QDir::toNativeSeparators(m_path), what, error);
    qCWarning(lcJournal).noquote() << m_error;
    if (wasActive && m_onFailure) {
        m_onFailure(m_error);
    }
    return false;
}

bool RecordJournal::openDatabase(Role role)
{
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!db.isValid()) {
        return fail(QStringLiteral("no SQLite driver"), db.lastError().text());
    }
    db.setDatabaseName(m_path);
    // The owner and the station sync write to the same file: wait for each
    // other's commits instead of failing.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        return fail(QStringLiteral("cannot open"), db.lastError().text());
    }
    QSqlQuery q(db);
    // The first read of the file: one that is not a database fails here.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        if (isDamage(q.lastError())) {
            m_damage = q.lastError().text();
            db.close();
            return false;
        }
        return fail(QStringLiteral("cannot read"), q.lastError().text());
    }
    const int version = q.value(0).toInt();
    if (version > kSchemaVersion) {
        return fail(QStringLiteral("written by a newer Tintwell"), QStringLiteral("schema %1").arg(version));
    }
    // The whole file is read only when it may be damaged: the last owner did
    // not close it, or it is about to be converted from the former format.
    bool check = version < kSchemaVersion;
    if (role == Role::Owner && !check && q.exec(QStringLiteral("SELECT value FROM state WHERE key = 'open'"))
        && q.next()) {
        check = q.value(0).toInt() != 0;
    }
    if (check) {
        m_checked = true;
        if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()
            || q.value(0).toString() != QLatin1String("ok")) {
            const QString error = q.lastError().isValid() ? q.lastError().text() : q.value(0).toString();
            db.close();
            m_damage = error.isEmpty() ? QStringLiteral("damaged") : error;
            return false;
        }
    }
    // WAL keeps readers and the writer apart; FULL syncs every commit, so a
    // power cut keeps what was shown, not only a killed process.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next()
        || q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        return fail(QStringLiteral("cannot switch to WAL"), q.lastError().text());
    }
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (version < kSchemaVersion && !prepareSchema()) {
        return false;
    }
    if (role == Role::Owner) {
        if (!markOpen(q, true)) {
            return fail(QStringLiteral("cannot write"), q.lastError().text());
        }
        // Sessions whose records were all deleted have nothing to offer back.
        q.exec(QStringLiteral("UPDATE sessions SET closed = 1, closed_at = %1 WHERE closed = 0 AND NOT EXISTS"
                              " (SELECT 1 FROM records r WHERE r.session = sessions.id AND r.deleted = 0)")
                   .arg(QDateTime::currentMSecsSinceEpoch()));
    }
    return true;
}

bool RecordJournal::prepareSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
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
    // Sessions of the former format lack the newer columns.
    QStringList columns;
    if (q.exec(QStringLiteral("PRAGMA table_info(sessions)"))) {
        while (q.next()) {
            columns << q.value(1).toString();
        }
    }
    for (const auto& [name, type] : {std::pair{"counter", "INTEGER NOT NULL DEFAULT 0"}, {"closed_at", "INTEGER"}}) {
        if (!columns.contains(QLatin1String(name))
            && !q.exec(QStringLiteral("ALTER TABLE sessions ADD COLUMN %1 %2")
                           .arg(QLatin1String(name), QLatin1String(type)))) {
            return rollback(QStringLiteral("cannot convert the journal"), q.lastError().text());
        }
    }
    // Records of schema 2 lack the refusal; the outbox index follows the
    // outbox's condition.
    columns.clear();
    if (q.exec(QStringLiteral("PRAGMA table_info(records)"))) {
        while (q.next()) {
            columns << q.value(1).toString();
        }
    }
    for (const auto& [name, type] : {std::pair{"refused", "INTEGER NOT NULL DEFAULT 0"}, {"refusal", "TEXT"}}) {
        if (!columns.contains(QLatin1String(name))
            && !q.exec(QStringLiteral("ALTER TABLE records ADD COLUMN %1 %2")
                           .arg(QLatin1String(name), QLatin1String(type)))) {
            return rollback(QStringLiteral("cannot convert the journal"), q.lastError().text());
        }
    }
    if (!q.exec(QStringLiteral("DROP INDEX IF EXISTS records_outbox"))
        || !q.exec(QStringLiteral("CREATE INDEX records_outbox ON records(seq) WHERE %1").arg(QLatin1String(kWaiting)))) {
        return rollback(QStringLiteral("cannot create the tables"), q.lastError().text());
    }
    JournalMigration::Outcome converted;
    if (!JournalMigration::convertTableRows(db, converted)) {
        return rollback(QStringLiteral("cannot convert the journal"), converted.error);
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

bool RecordJournal::open(Role role)
{
    m_error.clear();
    m_movedAside.clear();
    m_checked = false;
    m_converted = 0;
    m_owner = role == Role::Owner;
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        return fail(QStringLiteral("cannot create the folder"), info.absolutePath());
    }
    m_active = false;
    m_damage.clear();
    if (openDatabase(role)) {
        m_active = true;
        return true;
    }
    if (m_damage.isEmpty() || role != Role::Owner) {
        if (!m_damage.isEmpty()) {
            fail(QStringLiteral("damaged"), m_damage);
        }
        return false; // m_error says why
    }
    // Damaged: keep it for whoever wants to look, start a new journal.
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    const QString aside = m_path + QStringLiteral(".damaged-")
                          + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::rename(m_path, aside)) {
        return fail(QStringLiteral("damaged, and cannot be moved aside"), m_damage);
    }
    for (const char* suffix : {"-wal", "-shm"}) {
        QFile::rename(m_path + QLatin1String(suffix), aside + QLatin1String(suffix));
    }
    qCWarning(lcJournal).noquote() << m_path << "is damaged (" << m_damage << "), moved to" << aside;
    m_movedAside = aside;
    if (!openDatabase(role)) {
        return false;
    }
    m_active = true;
    return true;
}

QList<JournalSession> RecordJournal::sessions(bool closed)
{
    QList<JournalSession> out;
    if (!m_active) {
        return out;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
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
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
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
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
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
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
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
        "INSERT INTO records (session, id, version, data) VALUES (?, ?, ?, ?)"
        " ON CONFLICT(id) DO UPDATE SET version = MAX(excluded.version, records.version + 1),"
        " deleted = 0, data = excluded.data%1")
                  .arg(intoSession ? QStringLiteral(", session = excluded.session") : QString()));
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
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
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
    if (!m_active) {
        return false;
    }
    if (ids.isEmpty()) {
        return true;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE records SET deleted = 1, version = version + 1 WHERE id = ? AND deleted = 0"));
    for (const QUuid& id : ids) {
        q.bindValue(0, idBytes(id));
        if (!q.exec()) {
            const QString error = q.lastError().text();
            db.rollback();
            return fail(QStringLiteral("cannot write"), error);
        }
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("cannot write"), error);
    }
    return true;
}

bool RecordJournal::closeSession(qint64 session)
{
    if (!m_active || session == 0) {
        return false;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
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
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
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

QList<JournalOutboxEntry> RecordJournal::unacknowledged(int limit)
{
    QList<JournalOutboxEntry> out;
    if (!m_active || limit <= 0) {
        return out;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, version, deleted, session, data FROM records"
                             " WHERE %1 ORDER BY seq LIMIT ?").arg(QLatin1String(kWaiting)));
    q.addBindValue(limit);
    if (!q.exec()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return out;
    }
    RecordCodec::Decoder decoder;
    while (q.next()) {
        JournalOutboxEntry entry;
        // A tombstone whose last fields cannot be read is still sent as a delete.
        if (!decoder.decode(q.value(4).toByteArray(), entry.record) && q.value(2).toInt() == 0) {
            qCWarning(lcJournal) << "a record in the outbox cannot be read";
            continue;
        }
        entry.record.id = QUuid::fromRfc4122(q.value(0).toByteArray());
        entry.record.version = q.value(1).toLongLong();
        entry.deleted = q.value(2).toInt() != 0;
        entry.session = q.value(3).toLongLong();
        out.append(std::move(entry));
    }
    return out;
}

int RecordJournal::unacknowledgedCount()
{
    if (!m_active) {
        return 0;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
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
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE records SET acked = MAX(acked, MIN(?, version)) WHERE id = ?"));
    for (const auto& [id, version] : versions) {
        q.bindValue(0, version);
        q.bindValue(1, idBytes(id));
        if (!q.exec()) {
            const QString error = q.lastError().text();
            db.rollback();
            return fail(QStringLiteral("cannot write"), error);
        }
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("cannot write"), error);
    }
    return true;
}

bool RecordJournal::refuse(const QList<std::pair<QUuid, qint64>>& versions, const QString& reason)
{
    if (!m_active) {
        return false;
    }
    if (versions.isEmpty()) {
        return true;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    QSqlQuery q(db);
    // Only the version refused: a record changed meanwhile stays in the outbox.
    q.prepare(QStringLiteral("UPDATE records SET refused = ?, refusal = ? WHERE id = ? AND version = ? AND refused < ?"));
    for (const auto& [id, version] : versions) {
        q.bindValue(0, version);
        q.bindValue(1, reason);
        q.bindValue(2, idBytes(id));
        q.bindValue(3, version);
        q.bindValue(4, version);
        if (!q.exec()) {
            const QString error = q.lastError().text();
            db.rollback();
            return fail(QStringLiteral("cannot write"), error);
        }
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        return fail(QStringLiteral("cannot write"), error);
    }
    return true;
}

QList<JournalRefusal> RecordJournal::refusals()
{
    QList<JournalRefusal> out;
    if (!m_active) {
        return out;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
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
