#include "RecordJournal.h"

#include "JournalLog.h"

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

// SQLITE_CORRUPT and SQLITE_NOTADB: the file is not a sound database.
bool isDamage(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
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

QSqlDatabase RecordJournal::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

RecordJournal::~RecordJournal()
{
    if (!QSqlDatabase::contains(m_connection)) {
        return;
    }
    {
        QSqlDatabase db = database();
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
                          ? database()
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
        QSqlDatabase db = database();
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

bool RecordJournal::writeEach(const QString& statement, qsizetype count,
                              const std::function<void(QSqlQuery&, qsizetype)>& bind)
{
    if (!m_active) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    QSqlDatabase db = database();
    if (!db.transaction()) {
        return fail(QStringLiteral("cannot write"), db.lastError().text());
    }
    QSqlQuery q(db);
    q.prepare(statement);
    for (qsizetype i = 0; i < count; ++i) {
        bind(q, i);
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
