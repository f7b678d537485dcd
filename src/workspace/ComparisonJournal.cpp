#include "ComparisonJournal.h"

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

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, started TEXT NOT NULL, model TEXT,"
    " layout INTEGER NOT NULL DEFAULT 0, closed INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS rows ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, session INTEGER NOT NULL REFERENCES sessions(id),"
    " payload BLOB NOT NULL, deleted INTEGER NOT NULL DEFAULT 0, changed TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS rows_session ON rows(session)",
};

QString now()
{
    return QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
}

} // namespace

ComparisonJournal::ComparisonJournal(const QString& path)
    : m_path(path.isEmpty() ? defaultPath() : path),
      m_connection(QStringLiteral("tintwell-journal-%1").arg(++g_connections))
{
}

ComparisonJournal::~ComparisonJournal()
{
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString ComparisonJournal::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/journal.sqlite");
}

void ComparisonJournal::setFailureHandler(std::function<void(const QString&)> handler)
{
    m_onFailure = std::move(handler);
}

bool ComparisonJournal::fail(const QString& what, const QString& error)
{
    const bool wasActive = m_active;
    m_active = false;
    m_error = QStringLiteral("%1: %2 (%3)").arg(QDir::toNativeSeparators(m_path), what, error);
    if (wasActive && m_onFailure) {
        m_onFailure(m_error);
    }
    return false;
}

bool ComparisonJournal::openDatabase()
{
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!db.isValid()) {
        return fail(QStringLiteral("no SQLite driver"), db.lastError().text());
    }
    db.setDatabaseName(m_path);
    if (!db.open()) {
        return fail(QStringLiteral("cannot open"), db.lastError().text());
    }
    QSqlQuery q(db);
    // A file that is not a database fails here already ("file is not a database").
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()
        || q.value(0).toString() != QLatin1String("ok")) {
        const QString error = q.lastError().isValid() ? q.lastError().text()
                                                      : q.value(0).toString();
        db.close();
        m_damage = error.isEmpty() ? QStringLiteral("damaged") : error;
        return false;
    }
    // WAL keeps readers and the writer apart; FULL syncs every commit, so a
    // power cut keeps what was shown, not only a killed process.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next()
        || q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        return fail(QStringLiteral("cannot switch to WAL"), q.lastError().text());
    }
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    for (const char* statement : kSchema) {
        if (!q.exec(QString::fromLatin1(statement))) {
            return fail(QStringLiteral("cannot create the tables"), q.lastError().text());
        }
    }
    return true;
}

bool ComparisonJournal::open()
{
    m_error.clear();
    m_movedAside.clear();
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        return fail(QStringLiteral("cannot create the folder"), info.absolutePath());
    }
    m_active = false;
    m_damage.clear();
    if (openDatabase()) {
        m_active = true;
        return true;
    }
    if (m_damage.isEmpty()) {
        return false; // could not open at all: m_error says why
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
    m_movedAside = aside;
    if (!openDatabase()) {
        return false;
    }
    m_active = true;
    return true;
}

QList<JournalSession> ComparisonJournal::openSessions()
{
    QList<JournalSession> sessions;
    if (!m_active) {
        return sessions;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral(
            "SELECT s.id, s.started, s.model, s.layout, COUNT(r.id) FROM sessions s"
            " JOIN rows r ON r.session = s.id AND r.deleted = 0"
            " WHERE s.closed = 0 GROUP BY s.id ORDER BY s.id DESC"))) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return sessions;
    }
    while (q.next()) {
        JournalSession s;
        s.id = q.value(0).toLongLong();
        s.started = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
        s.model = q.value(2).toString();
        s.layout = q.value(3).toInt();
        s.rowCount = q.value(4).toInt();
        sessions.append(s);
    }
    return sessions;
}

QList<JournalRow> ComparisonJournal::rows(qint64 session)
{
    QList<JournalRow> out;
    if (!m_active) {
        return out;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral(
        "SELECT id, payload FROM rows WHERE session = ? AND deleted = 0 ORDER BY id"));
    q.addBindValue(session);
    if (!q.exec()) {
        fail(QStringLiteral("cannot read"), q.lastError().text());
        return out;
    }
    while (q.next()) {
        out.append({q.value(0).toLongLong(), q.value(1).toByteArray()});
    }
    return out;
}

void ComparisonJournal::setSessionInfo(const QString& model, int layout)
{
    m_model = model;
    m_layout = layout;
}

void ComparisonJournal::resume(qint64 session)
{
    m_session = session;
}

bool ComparisonJournal::ensureSession()
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

QList<qint64> ComparisonJournal::appendRows(const QList<QByteArray>& payloads)
{
    QList<qint64> ids;
    if (!m_active || payloads.isEmpty()) {
        return ids;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        fail(QStringLiteral("cannot write"), db.lastError().text());
        return ids;
    }
    const qint64 before = m_session;
    if (!ensureSession()) {
        db.rollback();
        return ids;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO rows (session, payload, changed) VALUES (?, ?, ?)"));
    const QString stamp = now();
    for (const QByteArray& payload : payloads) {
        q.bindValue(0, m_session);
        q.bindValue(1, payload);
        q.bindValue(2, stamp);
        if (!q.exec()) {
            const QString error = q.lastError().text();
            db.rollback();
            m_session = before;
            fail(QStringLiteral("cannot write"), error);
            return {};
        }
        ids.append(q.lastInsertId().toLongLong());
    }
    if (!db.commit()) {
        const QString error = db.lastError().text();
        db.rollback();
        m_session = before;
        fail(QStringLiteral("cannot write"), error);
        return {};
    }
    return ids;
}

qint64 ComparisonJournal::appendRow(const QByteArray& payload)
{
    const QList<qint64> ids = appendRows({payload});
    return ids.isEmpty() ? 0 : ids.first();
}

bool ComparisonJournal::updateRows(const QList<std::pair<qint64, QByteArray>>& rows)
{
    if (!m_active || rows.isEmpty()) {
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE rows SET payload = ?, changed = ? WHERE id = ?"));
    const QString stamp = now();
    for (const auto& row : rows) {
        q.bindValue(0, row.second);
        q.bindValue(1, stamp);
        q.bindValue(2, row.first);
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

bool ComparisonJournal::deleteRow(qint64 id)
{
    if (!m_active) {
        return false;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("UPDATE rows SET deleted = 1, changed = ? WHERE id = ?"));
    q.addBindValue(now());
    q.addBindValue(id);
    return q.exec() || fail(QStringLiteral("cannot write"), q.lastError().text());
}

bool ComparisonJournal::closeSession(qint64 session)
{
    if (!m_active || session == 0) {
        return false;
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("UPDATE sessions SET closed = 1 WHERE id = ?"));
    q.addBindValue(session);
    if (!q.exec()) {
        return fail(QStringLiteral("cannot write"), q.lastError().text());
    }
    if (session == m_session) {
        m_session = 0;
    }
    return true;
}

bool ComparisonJournal::closeCurrentSession()
{
    if (m_session == 0) {
        return true; // nothing was journaled since the last close
    }
    return closeSession(m_session);
}
