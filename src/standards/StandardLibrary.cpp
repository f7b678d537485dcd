#include "StandardLibrary.h"

#include "Comparison.h"
#include "ComparisonJudging.h"
#include "RecordJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

using R = ComparisonRecord;

std::atomic<int> g_connections{0};

QString tr(const char* text)
{
    return QCoreApplication::translate("StandardLibrary", text);
}

QString key(const QString& text)
{
    return text.trimmed().toCaseFolded();
}

// Numbers as text that reads back as the same double; an unknown one empty.
QString numbersText(const double* values, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i) {
        items << (std::isfinite(values[i]) ? QString::number(values[i], 'g', QLocale::FloatingPointShortest)
                                           : QString());
    }
    return items.join(QLatin1Char(';'));
}

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

QString uuidText(const QUuid& id)
{
    return id.isNull() ? QString() : id.toString(QUuid::WithoutBraces);
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

QString StandardLibrary::codeTakenBy(const QString& code, const QUuid& except) const
{
    const std::optional<Standard> other = findByCode(code);
    return other && other->id != except ? other->name : QString();
}

bool StandardLibrary::writeStandard(const Standard& s, bool current)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO standard_versions (id, version, name, code, vals, spectrum, "
                             "origin, origin_model, origin_serial, origin_time, origin_path, note, set_id, modified)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(uuidText(s.id));
    q.addBindValue(s.version);
    q.addBindValue(s.name);
    q.addBindValue(s.code);
    q.addBindValue(numbersText(s.values.data(), R::ValueCount));
    q.addBindValue(numbersText(s.spectrum.constData(), int(s.spectrum.size())));
    q.addBindValue(standardOriginToken(s.origin.kind));
    q.addBindValue(s.origin.model);
    q.addBindValue(s.origin.serial);
    q.addBindValue(s.origin.time.isValid() ? s.origin.time.toString(Qt::ISODateWithMs) : QString());
    q.addBindValue(s.origin.path);
    q.addBindValue(s.note);
    q.addBindValue(uuidText(s.toleranceSetId));
    q.addBindValue(s.modified.toString(Qt::ISODateWithMs));
    if (!q.exec()) {
        return fail(q.lastError().text());
    }
    if (current) {
        QSqlQuery c(db);
        // A name freed by another standard's rename or removal in this same
        // sync may still be held by its row; the server's copy is the truth.
        c.prepare(QStringLiteral("DELETE FROM standards WHERE name_key = ? AND id <> ?"));
        c.addBindValue(key(s.name));
        c.addBindValue(uuidText(s.id));
        c.exec();
        c.prepare(QStringLiteral("INSERT OR REPLACE INTO standards (id, version, name_key) VALUES (?, ?, ?)"));
        c.addBindValue(uuidText(s.id));
        c.addBindValue(s.version);
        c.addBindValue(key(s.name));
        if (!c.exec()) {
            return fail(c.lastError().text());
        }
    }
    return true;
}

bool StandardLibrary::writeSet(const LibraryToleranceSet& set)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO set_versions (id, version, name, limits, warn) VALUES (?, ?, ?, ?, ?)"));
    q.addBindValue(uuidText(set.id));
    q.addBindValue(set.version);
    q.addBindValue(set.name);
    q.addBindValue(formatToleranceLimits(set.limits));
    q.addBindValue(set.warnPercent);
    if (!q.exec()) {
        return fail(q.lastError().text());
    }
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO sets (id, version, name_key) VALUES (?, ?, ?)"));
    q.addBindValue(uuidText(set.id));
    q.addBindValue(set.version);
    q.addBindValue(set.name.isEmpty() ? QVariant() : QVariant(key(set.name)));
    if (!q.exec()) {
        return fail(q.lastError().text());
    }
    return true;
}

namespace {

// What keeps a standard out of the library; empty when it may be kept.
QString problemOf(const Standard& s)
{
    if (s.name.trimmed().isEmpty()) {
        return tr("A standard needs a name.");
    }
    if (!s.spectrum.isEmpty() && s.spectrum.size() != kStandardSpectrumBands) {
        return tr("The spectrum of \"%1\" has %2 values; a spectrum has 31 (400 to 700 nm).")
            .arg(s.name)
            .arg(s.spectrum.size());
    }
    if (!s.hasLab() && !s.hasHaze() && !s.hasTransmittance()) {
        return tr("The standard \"%1\" has no values: give L*a*b*, haze or T.").arg(s.name);
    }
    return QString();
}

class Transaction
{
public:
    explicit Transaction(const QString& connection) : m_db(QSqlDatabase::database(connection, false))
    {
        m_begun = m_db.transaction();
    }
    ~Transaction()
    {
        if (m_begun && !m_done) {
            m_db.rollback();
        }
    }
    bool begun() const { return m_begun; }
    bool commit()
    {
        m_done = m_db.commit();
        return m_done;
    }
    QString error() const { return m_db.lastError().text(); }

private:
    QSqlDatabase m_db;
    bool m_begun = false;
    bool m_done = false;
};

bool hasContent(const std::optional<LibraryToleranceSet>& set)
{
    return set && (!set->limits.isEmpty() || set->warnPercent > 0.0);
}

} // namespace

std::optional<Standard> StandardLibrary::add(Standard standard, const std::optional<LibraryToleranceSet>& ownSet)
{
    if (!writable()) {
        return std::nullopt;
    }
    standard.name = standard.name.trimmed();
    standard.code = standard.code.trimmed();
    if (const QString problem = problemOf(standard); !problem.isEmpty()) {
        fail(problem);
        return std::nullopt;
    }
    if (nameTaken(standard.name, QUuid())) {
        fail(tr("A standard named \"%1\" is in the library already.").arg(standard.name));
        return std::nullopt;
    }
    if (const QString taken = codeTakenBy(standard.code, QUuid()); !taken.isEmpty()) {
        fail(tr("The code \"%1\" is that of \"%2\" already; a barcode must find one standard.")
                 .arg(standard.code, taken));
        return std::nullopt;
    }
    standard.id = QUuid::createUuid();
    standard.version = 1;
    standard.modified = QDateTime::currentDateTimeUtc();
    Transaction t(m_connection);
    std::optional<LibraryToleranceSet> set;
    if (hasContent(ownSet)) {
        set = *ownSet;
        set->id = QUuid::createUuid();
        set->name.clear();
        set->version = 1;
        standard.toleranceSetId = set->id;
        if (!writeSet(*set)) {
            return std::nullopt;
        }
    } else if (!standard.toleranceSetId.isNull() && !m_sets.contains(standard.toleranceSetId)) {
        fail(tr("The tolerance set named for \"%1\" is not in the library.").arg(standard.name));
        return std::nullopt;
    }
    if (!t.begun() || !writeStandard(standard, true) || !t.commit()) {
        if (m_error.isEmpty()) {
            fail(t.error());
        }
        return std::nullopt;
    }
    if (set) {
        m_sets.insert(set->id, *set);
    }
    m_current.append({standard, key(standard.name), key(standard.code)});
    reindex();
    return standard;
}

std::optional<Standard> StandardLibrary::edit(Standard standard, const std::optional<LibraryToleranceSet>& ownSet)
{
    if (!writable()) {
        return std::nullopt;
    }
    const std::optional<Standard> was = this->standard(standard.id);
    if (!was) {
        fail(tr("The standard \"%1\" is not in the library.").arg(standard.name));
        return std::nullopt;
    }
    standard.name = standard.name.trimmed();
    standard.code = standard.code.trimmed();
    if (const QString problem = problemOf(standard); !problem.isEmpty()) {
        fail(problem);
        return std::nullopt;
    }
    if (nameTaken(standard.name, standard.id)) {
        fail(tr("A standard named \"%1\" is in the library already.").arg(standard.name));
        return std::nullopt;
    }
    if (const QString taken = codeTakenBy(standard.code, standard.id); !taken.isEmpty()) {
        fail(tr("The code \"%1\" is that of \"%2\" already; a barcode must find one standard.")
                 .arg(standard.code, taken));
        return std::nullopt;
    }
    standard.version = was->version + 1;
    standard.modified = QDateTime::currentDateTimeUtc();
    Transaction t(m_connection);
    std::optional<LibraryToleranceSet> set;
    if (ownSet) {
        const std::optional<LibraryToleranceSet> old = toleranceSet(was->toleranceSetId);
        set = *ownSet;
        set->name.clear();
        if (old && old->name.isEmpty()) {
            set->id = old->id;
            set->version = old->version + 1;
        } else {
            set->id = QUuid::createUuid();
            set->version = 1;
        }
        standard.toleranceSetId = set->id;
        if (!writeSet(*set)) {
            return std::nullopt;
        }
    } else if (!standard.toleranceSetId.isNull() && !m_sets.contains(standard.toleranceSetId)) {
        fail(tr("The tolerance set named for \"%1\" is not in the library.").arg(standard.name));
        return std::nullopt;
    }
    if (!t.begun() || !writeStandard(standard, true) || !t.commit()) {
        if (m_error.isEmpty()) {
            fail(t.error());
        }
        return std::nullopt;
    }
    if (set) {
        m_sets.insert(set->id, *set);
    }
    m_current[m_byId.value(standard.id)] = {standard, key(standard.name), key(standard.code)};
    reindex();
    return standard;
}

bool StandardLibrary::remove(const QUuid& id)
{
    if (!writable()) {
        return false;
    }
    if (!m_byId.contains(id)) {
        return fail(tr("That standard is not in the library."));
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("DELETE FROM standards WHERE id = ?"));
    q.addBindValue(uuidText(id));
    if (!q.exec()) {
        return fail(q.lastError().text());
    }
    m_current.removeAt(m_byId.value(id));
    reindex();
    return true;
}

std::optional<LibraryToleranceSet> StandardLibrary::saveSharedSet(LibraryToleranceSet set)
{
    if (!writable()) {
        return std::nullopt;
    }
    set.name = set.name.trimmed();
    if (set.name.isEmpty()) {
        fail(tr("A shared tolerance set needs a name."));
        return std::nullopt;
    }
    if (const std::optional<LibraryToleranceSet> other = findSharedSet(set.name); other && other->id != set.id) {
        fail(tr("A tolerance set named \"%1\" is in the library already.").arg(set.name));
        return std::nullopt;
    }
    const std::optional<LibraryToleranceSet> old = toleranceSet(set.id);
    if (old) {
        set.version = old->version + 1;
    } else {
        set.id = QUuid::createUuid();
        set.version = 1;
    }
    Transaction t(m_connection);
    if (!t.begun() || !writeSet(set) || !t.commit()) {
        if (m_error.isEmpty()) {
            fail(t.error());
        }
        return std::nullopt;
    }
    m_sets.insert(set.id, set);
    return set;
}

bool StandardLibrary::replaceFromServer(const QList<Standard>& standards, const QList<LibraryToleranceSet>& sets)
{
    if (!m_open) {
        return fail(tr("The library of standards is not open."));
    }
    Transaction t(m_connection);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!t.begun() || !q.exec(QStringLiteral("DELETE FROM standards")) || !q.exec(QStringLiteral("DELETE FROM sets"))) {
        return fail(q.lastError().text());
    }
    for (const LibraryToleranceSet& set : sets) {
        if (!writeSet(set)) {
            return false;
        }
    }
    for (const Standard& s : standards) {
        if (!writeStandard(s, true)) {
            return false;
        }
    }
    if (!t.commit()) {
        return fail(t.error());
    }
    return load();
}

bool StandardLibrary::upsertFromServer(const QList<Standard>& standards, const QList<LibraryToleranceSet>& sets,
                                       const QList<QUuid>& removed)
{
    if (!m_open) {
        return fail(tr("The library of standards is not open."));
    }
    Transaction t(m_connection);
    if (!t.begun()) {
        return fail(t.error());
    }
    for (const LibraryToleranceSet& set : sets) {
        const std::optional<LibraryToleranceSet> old = toleranceSet(set.id);
        if ((!old || old->version < set.version) && !writeSet(set)) {
            return false;
        }
    }
    for (const Standard& s : standards) {
        const std::optional<Standard> old = standard(s.id);
        if ((!old || old->version < s.version) && !writeStandard(s, true)) {
            return false;
        }
    }
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    for (const QUuid& id : removed) {
        q.prepare(QStringLiteral("DELETE FROM standards WHERE id = ?"));
        q.addBindValue(uuidText(id));
        if (!q.exec()) {
            return fail(q.lastError().text());
        }
    }
    if (!t.commit()) {
        return fail(t.error());
    }
    return load();
}

bool judgeWithCurrentVersion(ComparisonRecord& record, const ComparisonSettings& settings,
                             const StandardLibrary& library, bool* changed)
{
    if (!record.library.inUse()) {
        return false;
    }
    const std::optional<Standard> current = library.standard(record.library.standardId);
    if (!current) {
        return false;
    }
    const LibraryJudgement judgement = library.judgementFor(*current);
    const R::Values& v = current->values;
    // The comparison made again as it was made first, from the numbers.
    ComparisonRecord again =
        record.legacy ? compareLegacyValues({v[R::LabL], v[R::LabA], v[R::LabB], v[R::LchC], v[R::LchH]},
                                            record.legacySample, settings, judgement)
                      : compareValues(v, record.sample, settings, judgement);
    const auto same = [](const auto& a, const auto& b) {
        return std::equal(a.begin(), a.end(), b.begin(),
                          [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); });
    };
    const bool differs = again.pass != record.pass || again.library.warning != record.library.warning
                         || again.library.decidedBy != record.library.decidedBy
                         || again.library.standardVersion != record.library.standardVersion
                         || again.library.tolerances.version != record.library.tolerances.version
                         || again.library.tolerances.id != record.library.tolerances.id
                         || !same(again.standard, record.standard)
                         || !same(again.legacyStandard, record.legacyStandard)
                         || !(again.deltaE == record.deltaE || (std::isnan(again.deltaE) && std::isnan(record.deltaE)));
    if (changed) {
        *changed = differs;
    }
    if (differs) {
        again.id = record.id;
        again.version = record.version + 1;
        again.sequence = record.sequence;
        again.testName = record.testName;
        again.time = record.time;
        again.modelName = record.modelName;
        again.serialNumber = record.serialNumber;
        record = again;
    }
    return true;
}
