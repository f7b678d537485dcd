// Writing the library: new versions of standards and sets, removal, and the
// station's copy taken from the server.
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
using R = ComparisonRecord;

namespace {
// A text column's value: never NULL (SQLite takes a null QString for NULL).
QString textValue(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The values of a standard_versions row, in the order of its INSERT.
void bindStandardVersion(QSqlQuery& q, const Standard& s)
{
    q.addBindValue(uuidText(s.id));
    q.addBindValue(s.version);
    q.addBindValue(textValue(s.name));
    q.addBindValue(textValue(s.code));
    q.addBindValue(numbersText(s.values.data(), R::ValueCount));
    q.addBindValue(numbersText(s.spectrum.constData(), int(s.spectrum.size())));
    q.addBindValue(standardOriginToken(s.origin.kind));
    q.addBindValue(textValue(s.origin.model));
    q.addBindValue(textValue(s.origin.serial));
    q.addBindValue(textValue(s.origin.time.isValid() ? s.origin.time.toString(Qt::ISODateWithMs) : QString()));
    q.addBindValue(textValue(s.origin.path));
    q.addBindValue(textValue(s.note));
    q.addBindValue(textValue(uuidText(s.toleranceSetId)));
    q.addBindValue(textValue(s.modified.toString(Qt::ISODateWithMs)));
}

void bindSetVersion(QSqlQuery& q, const LibraryToleranceSet& set)
{
    q.addBindValue(uuidText(set.id));
    q.addBindValue(set.version);
    q.addBindValue(textValue(set.name));
    q.addBindValue(textValue(formatToleranceLimits(set.limits)));
    q.addBindValue(set.warnPercent);
}
} // namespace

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
    bindStandardVersion(q, s);
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
    bindSetVersion(q, set);
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

bool StandardLibrary::acceptable(Standard& standard, const QUuid& except)
{
    standard.name = standard.name.trimmed();
    standard.code = standard.code.trimmed();
    if (const QString problem = problemOf(standard); !problem.isEmpty()) {
        return fail(problem);
    }
    if (nameTaken(standard.name, except)) {
        return fail(tr("A standard named \"%1\" is in the library already.").arg(standard.name));
    }
    if (const QString taken = codeTakenBy(standard.code, except); !taken.isEmpty()) {
        return fail(tr("The code \"%1\" is that of \"%2\" already; a barcode must find one standard.")
                        .arg(standard.code, taken));
    }
    return true;
}

std::optional<Standard> StandardLibrary::add(Standard standard, const std::optional<LibraryToleranceSet>& ownSet)
{
    if (!writable()) {
        return std::nullopt;
    }
    if (!acceptable(standard, QUuid())) {
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
    if (!acceptable(standard, standard.id)) {
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
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    if (!t.begun() || !q.exec(QStringLiteral("DELETE FROM standards")) || !q.exec(QStringLiteral("DELETE FROM sets"))) {
        return fail(q.lastError().text());
    }
    // A whole library at once: each statement prepared once, not per row
    // (the server keeps the names unique, and every name was freed above).
    QSqlQuery setVersion(db);
    QSqlQuery setCurrent(db);
    QSqlQuery version(db);
    QSqlQuery current(db);
    if (!setVersion.prepare(QStringLiteral("INSERT OR REPLACE INTO set_versions (id, version, name, limits, warn)"
                                           " VALUES (?, ?, ?, ?, ?)"))
        || !setCurrent.prepare(QStringLiteral("INSERT OR REPLACE INTO sets (id, version, name_key) VALUES (?, ?, ?)"))
        || !version.prepare(QStringLiteral("INSERT OR REPLACE INTO standard_versions (id, version, name, code, vals,"
                                           " spectrum, origin, origin_model, origin_serial, origin_time, origin_path,"
                                           " note, set_id, modified) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
        || !current.prepare(QStringLiteral("INSERT OR REPLACE INTO standards (id, version, name_key) VALUES (?, ?, ?)"))) {
        return fail(db.lastError().text());
    }
    for (const LibraryToleranceSet& set : sets) {
        bindSetVersion(setVersion, set);
        setCurrent.addBindValue(uuidText(set.id));
        setCurrent.addBindValue(set.version);
        setCurrent.addBindValue(set.name.isEmpty() ? QVariant() : QVariant(key(set.name)));
        if (!setVersion.exec() || !setCurrent.exec()) {
            return fail(setVersion.lastError().text() + setCurrent.lastError().text());
        }
    }
    for (const Standard& s : standards) {
        bindStandardVersion(version, s);
        current.addBindValue(uuidText(s.id));
        current.addBindValue(s.version);
        current.addBindValue(key(s.name));
        if (!version.exec() || !current.exec()) {
            return fail(version.lastError().text() + current.lastError().text());
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
    QList<LibraryToleranceSet> newerSets;
    for (const LibraryToleranceSet& set : sets) {
        const std::optional<LibraryToleranceSet> old = toleranceSet(set.id);
        if (!old || old->version < set.version) {
            if (!writeSet(set)) {
                return false;
            }
            newerSets.append(set);
        }
    }
    QList<Standard> newer;
    for (const Standard& s : standards) {
        const std::optional<Standard> old = standard(s.id);
        if (!old || old->version < s.version) {
            if (!writeStandard(s, true)) {
                return false;
            }
            newer.append(s);
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
    // The standards in memory follow the rows just written, as the file now
    // has them (a name taken over drops the standard that held it), without
    // reading the whole library again.
    for (const LibraryToleranceSet& set : newerSets) {
        m_sets.insert(set.id, set);
    }
    QSet<QUuid> replaced(removed.cbegin(), removed.cend());
    QHash<QString, QUuid> names;
    for (const Standard& s : newer) {
        replaced.insert(s.id);
        names.insert(key(s.name), s.id);
    }
    m_current.erase(std::remove_if(m_current.begin(), m_current.end(),
                                   [&](const Entry& e) {
                                       const auto name = names.constFind(e.nameKey);
                                       return replaced.contains(e.standard.id)
                                              || (name != names.cend() && *name != e.standard.id);
                                   }),
                    m_current.end());
    for (const Standard& s : newer) {
        m_current.append({s, key(s.name), key(s.code)});
    }
    reindex();
    return true;
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
