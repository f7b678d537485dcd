#include "StandardLibrary.h"

#include "Comparison.h"
#include "ComparisonJudging.h"
#include "RecordJournal.h"
#include "StandardLibrarySql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cmath>

using namespace standardsql;

namespace {

using R = ComparisonRecord;

std::atomic<int> g_connections{0};

QList<double> numbersFrom(const QString& text)
{
    QList<double> values;
    if (text.isEmpty()) {
        return values;
    }
    for (const QString& item : text.split(QLatin1Char(';'))) {
        bool ok = false;
        const double value = item.toDouble(&ok);
        values << (ok ? value : R::kUnknown);
    }
    return values;
}

// Texts may be empty (bound as NULL by Qt); they read back as empty.
constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS standard_versions (id TEXT NOT NULL, version INTEGER NOT NULL,"
    " name TEXT NOT NULL, code TEXT, vals TEXT, spectrum TEXT, origin TEXT, origin_model TEXT, origin_serial TEXT,"
    " origin_time TEXT, origin_path TEXT, note TEXT, set_id TEXT, modified TEXT,"
    " PRIMARY KEY (id, version))",
    // The current version of every standard in the library; a removed one has no row.
    "CREATE TABLE IF NOT EXISTS standards (id TEXT PRIMARY KEY, version INTEGER NOT NULL,"
    " name_key TEXT NOT NULL UNIQUE)",
    "CREATE TABLE IF NOT EXISTS set_versions (id TEXT NOT NULL, version INTEGER NOT NULL, name TEXT,"
    " limits TEXT, warn REAL NOT NULL, PRIMARY KEY (id, version))",
    // The current version of every set; a shared set's name is unique, a standard's own has none.
    "CREATE TABLE IF NOT EXISTS sets (id TEXT PRIMARY KEY, version INTEGER NOT NULL, name_key TEXT UNIQUE)",
};

constexpr const char* kStandardColumns =
    "v.id, v.version, v.name, v.code, v.vals, v.spectrum, v.origin, v.origin_model, v.origin_serial,"
    " v.origin_time, v.origin_path, v.note, v.set_id, v.modified";

Standard standardFrom(const QSqlQuery& q)
{
    Standard s;
    s.id = QUuid::fromString(q.value(0).toString());
    s.version = q.value(1).toLongLong();
    s.name = q.value(2).toString();
    s.code = q.value(3).toString();
    const QList<double> values = numbersFrom(q.value(4).toString());
    for (int i = 0; i < R::ValueCount && i < values.size(); ++i) {
        s.values[std::size_t(i)] = values[i];
    }
    s.spectrum = numbersFrom(q.value(5).toString());
    s.origin.kind = standardOriginFromToken(q.value(6).toString()).value_or(StandardOrigin::Kind::Typed);
    s.origin.model = q.value(7).toString();
    s.origin.serial = q.value(8).toString();
    s.origin.time = QDateTime::fromString(q.value(9).toString(), Qt::ISODateWithMs);
    s.origin.path = q.value(10).toString();
    s.note = q.value(11).toString();
    s.toleranceSetId = QUuid::fromString(q.value(12).toString());
    s.modified = QDateTime::fromString(q.value(13).toString(), Qt::ISODateWithMs);
    return s;
}

LibraryToleranceSet setFrom(const QSqlQuery& q)
{
    LibraryToleranceSet set;
    set.id = QUuid::fromString(q.value(0).toString());
    set.version = q.value(1).toLongLong();
    set.name = q.value(2).toString();
    set.limits = parseToleranceLimits(q.value(3).toString()).limits;
    set.warnPercent = q.value(4).toDouble();
    return set;
}

} // namespace

StandardLibrary::StandardLibrary(const QString& path, Access access)
    : m_path(path.isEmpty() ? defaultPath() : path),
      m_connection(QStringLiteral("tintwell-standards-%1").arg(++g_connections)),
      m_access(access)
{
}

StandardLibrary::~StandardLibrary()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString StandardLibrary::defaultPath()
{
    return QFileInfo(RecordJournal::defaultPath()).absolutePath() + QStringLiteral("/standards.sqlite");
}

bool StandardLibrary::fail(const QString& text)
{
    m_error = text;
    return false;
}

bool StandardLibrary::open()
{
    m_open = false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    const auto failed = [&](const QString& why) {
        return fail(tr("The library of standards %1 cannot be used: %2").arg(QDir::toNativeSeparators(m_path), why));
    };
    if (!db.open()) {
        return failed(db.lastError().text());
    }
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    for (const char* statement : kSchema) {
        if (!q.exec(QLatin1String(statement))) {
            return failed(q.lastError().text());
        }
    }
    if (!load()) {
        return failed(m_error);
    }
    m_open = true;
    m_error.clear();
    return true;
}

bool StandardLibrary::reload()
{
    if (!m_open) {
        return fail(tr("The library of standards is not open."));
    }
    return load();
}

bool StandardLibrary::load()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    m_current.clear();
    m_sets.clear();
    if (!q.exec(QStringLiteral("SELECT %1 FROM standards c JOIN standard_versions v ON v.id = c.id AND v.version = "
                               "c.version")
                    .arg(QLatin1String(kStandardColumns)))) {
        m_error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        Standard s = standardFrom(q);
        m_current.append({s, key(s.name), key(s.code)});
    }
    if (!q.exec(QStringLiteral("SELECT v.id, v.version, v.name, v.limits, v.warn FROM sets c JOIN set_versions v"
                               " ON v.id = c.id AND v.version = c.version"))) {
        m_error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        LibraryToleranceSet set = setFrom(q);
        m_sets.insert(set.id, set);
    }
    reindex();
    return true;
}

void StandardLibrary::reindex()
{
    std::sort(m_current.begin(), m_current.end(), [](const Entry& a, const Entry& b) {
        return a.nameKey < b.nameKey;
    });
    m_byId.clear();
    m_byCode.clear();
    for (int i = 0; i < m_current.size(); ++i) {
        m_byId.insert(m_current[i].standard.id, i);
        if (!m_current[i].standard.code.isEmpty()) {
            m_byCode.insert(m_current[i].standard.code, i);
        }
    }
}

QList<Standard> StandardLibrary::standards() const
{
    QList<Standard> list;
    list.reserve(m_current.size());
    for (const Entry& e : m_current) {
        list.append(e.standard);
    }
    return list;
}

std::optional<Standard> StandardLibrary::standard(const QUuid& id) const
{
    const auto it = m_byId.constFind(id);
    return it == m_byId.cend() ? std::nullopt : std::optional<Standard>(m_current[*it].standard);
}

std::optional<Standard> StandardLibrary::standardVersion(const QUuid& id, qint64 version) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT %1 FROM standard_versions v WHERE v.id = ? AND v.version = ?")
                  .arg(QLatin1String(kStandardColumns)));
    q.addBindValue(uuidText(id));
    q.addBindValue(version);
    if (!q.exec() || !q.next()) {
        return std::nullopt;
    }
    return standardFrom(q);
}

QList<Standard> StandardLibrary::versions(const QUuid& id) const
{
    QList<Standard> list;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT %1 FROM standard_versions v WHERE v.id = ? ORDER BY v.version")
                  .arg(QLatin1String(kStandardColumns)));
    q.addBindValue(uuidText(id));
    if (q.exec()) {
        while (q.next()) {
            list.append(standardFrom(q));
        }
    }
    return list;
}

std::optional<Standard> StandardLibrary::findByName(const QString& name) const
{
    const QString k = key(name);
    const auto it = std::lower_bound(m_current.cbegin(), m_current.cend(), k,
                                     [](const Entry& e, const QString& v) { return e.nameKey < v; });
    if (it != m_current.cend() && it->nameKey == k) {
        return it->standard;
    }
    return std::nullopt;
}

std::optional<Standard> StandardLibrary::findByCode(const QString& code) const
{
    const QString exact = code.trimmed();
    if (exact.isEmpty()) {
        return std::nullopt;
    }
    const auto it = m_byCode.constFind(exact);
    return it == m_byCode.cend() ? std::nullopt : std::optional<Standard>(m_current[*it].standard);
}

QList<Standard> StandardLibrary::search(const QString& text, int limit) const
{
    const QString k = key(text);
    QList<Standard> prefix;
    QList<const Entry*> containing;
    for (const Entry& e : m_current) {
        if (prefix.size() >= limit) {
            break;
        }
        if (k.isEmpty() || e.nameKey.startsWith(k) || e.codeKey.startsWith(k)) {
            prefix.append(e.standard);
        } else if (containing.size() < limit && (e.nameKey.contains(k) || e.codeKey.contains(k))) {
            containing.append(&e);
        }
    }
    for (int i = 0; i < containing.size() && prefix.size() < limit; ++i) {
        prefix.append(containing[i]->standard);
    }
    return prefix;
}

std::optional<LibraryToleranceSet> StandardLibrary::toleranceSet(const QUuid& id) const
{
    const auto it = m_sets.constFind(id);
    return it == m_sets.cend() ? std::nullopt : std::optional<LibraryToleranceSet>(*it);
}

std::optional<LibraryToleranceSet> StandardLibrary::toleranceSetVersion(const QUuid& id, qint64 version) const
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT id, version, name, limits, warn FROM set_versions WHERE id = ? AND version = ?"));
    q.addBindValue(uuidText(id));
    q.addBindValue(version);
    if (!q.exec() || !q.next()) {
        return std::nullopt;
    }
    return setFrom(q);
}

QList<LibraryToleranceSet> StandardLibrary::sharedSets() const
{
    QList<LibraryToleranceSet> list;
    for (const LibraryToleranceSet& set : m_sets) {
        if (!set.name.isEmpty()) {
            list.append(set);
        }
    }
    std::sort(list.begin(), list.end(),
              [](const LibraryToleranceSet& a, const LibraryToleranceSet& b) { return key(a.name) < key(b.name); });
    return list;
}

std::optional<LibraryToleranceSet> StandardLibrary::findSharedSet(const QString& name) const
{
    const QString k = key(name);
    for (const LibraryToleranceSet& set : m_sets) {
        if (!set.name.isEmpty() && key(set.name) == k) {
            return set;
        }
    }
    return std::nullopt;
}

LibraryToleranceSet StandardLibrary::setOf(const Standard& standard) const
{
    return toleranceSet(standard.toleranceSetId).value_or(LibraryToleranceSet());
}

LibraryJudgement StandardLibrary::judgementFor(const Standard& standard) const
{
    return libraryJudgementFor(standard, setOf(standard));
}

bool StandardLibrary::writable()
{
    m_error.clear();
    if (!m_open) {
        return fail(tr("The library of standards is not open."));
    }
    if (m_access == Access::ReadOnly) {
        return fail(tr("The library of standards is read-only here: it is kept in the station database, "
                       "where a manager changes it."));
    }
    return true;
}

bool StandardLibrary::nameTaken(const QString& name, const QUuid& except) const
{
    const std::optional<Standard> other = findByName(name);
    return other && other->id != except;
}
