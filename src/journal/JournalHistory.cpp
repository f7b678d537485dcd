#include "JournalHistory.h"

#include "RecordCodec.h"
#include "RecordJournal.h"
#include "RecordJournalSql.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QVariant number(double v)
{
    return std::isfinite(v) ? QVariant(v) : QVariant();
}

double numberOr(const QVariant& v)
{
    return v.isNull() ? std::numeric_limits<double>::quiet_NaN() : v.toDouble();
}

QString text(const char* source, int n = -1)
{
    return QCoreApplication::translate("JournalHistory", source, nullptr, n);
}

// '*' and '?' as GLOB's own wildcards, everything else literal ('[' is
// GLOB's only other special character). Case-sensitive, as on the server.
QString globPattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        out += c == QLatin1Char('[') ? QStringLiteral("[[]") : QString(c);
    }
    return out;
}

QString whereClause(const HistoryFilter& f, QVariantList* params)
{
    QStringList conditions;
    const auto add = [&](const char* condition, const QVariant& value) {
        conditions << QLatin1String(condition);
        params->append(value);
    };
    if (!f.includeDeleted) {
        conditions << QStringLiteral("deleted = 0");
    }
    if (f.from.isValid()) {
        add("measured_at >= ?", f.from.toMSecsSinceEpoch());
    }
    if (f.to.isValid()) {
        add("measured_at < ?", f.to.toMSecsSinceEpoch());
    }
    if (!f.model.isEmpty()) {
        add("model = ?", f.model);
    }
    if (!f.standard.isEmpty()) {
        add("standard = ?", f.standard);
    }
    if (!f.testNamePattern.isEmpty()) {
        add("test_name GLOB ?", globPattern(f.testNamePattern));
    }
    if (f.pass.has_value()) {
        add("pass = ?", *f.pass ? 1 : 0);
    }
    if (f.session > 0) {
        add("session = ?", f.session);
    }
    return conditions.isEmpty() ? QStringLiteral("1") : conditions.join(QStringLiteral(" AND "));
}

bool prepared(QSqlQuery& q, const QString& statement, const QVariantList& params, QString* error)
{
    if (!q.prepare(statement)) {
        *error = q.lastError().text();
        return false;
    }
    for (int i = 0; i < params.size(); ++i) {
        q.bindValue(i, params.at(i));
    }
    if (!q.exec()) {
        *error = q.lastError().text();
        return false;
    }
    return true;
}

QString failure(const QString& path, const QString& error)
{
    return text("The journal %1 cannot be read: %2").arg(path, error);
}

} // namespace

namespace RecordJournalSql {

void bindHistoryColumns(QSqlQuery& q, int first, const ComparisonRecord& r)
{
    q.bindValue(first, r.time.isValid() ? QVariant(r.time.toMSecsSinceEpoch()) : QVariant());
    q.bindValue(first + 1, r.testName);
    q.bindValue(first + 2, r.modelName);
    q.bindValue(first + 3, standardName(r));
    q.bindValue(first + 4, r.pass ? 1 : 0);
    q.bindValue(first + 5, number(r.deltaE));
    q.bindValue(first + 6, number(r.hazeDifference));
    q.bindValue(first + 7, number(r.transmittanceDifference));
}

bool addHistoryColumns(QSqlDatabase& db, QString* error)
{
    QSqlQuery q(db);
    QStringList columns;
    if (q.exec(QStringLiteral("PRAGMA table_info(records)"))) {
        while (q.next()) {
            columns << q.value(1).toString();
        }
    }
    const std::pair<const char*, const char*> added[] = {
        {"measured_at", "INTEGER"}, {"test_name", "TEXT"},       {"model", "TEXT"},
        {"standard", "TEXT"},       {"pass", "INTEGER"},         {"delta_e", "REAL"},
        {"haze_difference", "REAL"}, {"transmittance_difference", "REAL"},
    };
    bool fill = false;
    for (const auto& [name, type] : added) {
        if (!columns.contains(QLatin1String(name))) {
            fill = true;
            if (!q.exec(QStringLiteral("ALTER TABLE records ADD COLUMN %1 %2").arg(QLatin1String(name), QLatin1String(type)))) {
                *error = q.lastError().text();
                return false;
            }
        }
    }
    // The time orders every page; its rowid (seq) breaks ties.
    // A name pattern with a literal start reads its own index (GLOB is
    // case-sensitive, as the index is).
    if (!q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS records_history ON records(measured_at)"))
        || !q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS records_history_name ON records(test_name)"))) {
        *error = q.lastError().text();
        return false;
    }
    // Rows kept before the columns (and those just converted) get them now;
    // a row whose data cannot be read keeps them empty.
    if (!fill && !q.exec(QStringLiteral("SELECT 1 FROM records WHERE test_name IS NULL LIMIT 1"))) {
        *error = q.lastError().text();
        return false;
    }
    if (!fill && !q.next()) {
        return true;
    }
    QSqlQuery read(db);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT seq, data FROM records WHERE test_name IS NULL"))) {
        *error = read.lastError().text();
        return false;
    }
    QSqlQuery write(db);
    write.prepare(QStringLiteral("UPDATE records SET measured_at = ?, test_name = ?, model = ?, standard = ?, pass = ?,"
                                 " delta_e = ?, haze_difference = ?, transmittance_difference = ? WHERE seq = ?"));
    RecordCodec::Decoder decoder;
    while (read.next()) {
        ComparisonRecord record;
        if (!decoder.decode(read.value(1).toByteArray(), record)) {
            continue;
        }
        bindHistoryColumns(write, 0, record);
        write.bindValue(kHistoryColumnCount, read.value(0));
        if (!write.exec()) {
            *error = write.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace RecordJournalSql

JournalHistory::JournalHistory(QString path, int pageSize)
    : m_path(std::move(path))
    , m_pageSize(pageSize > 0 ? pageSize : 1000)
{
}

QString JournalHistory::title() const
{
    return QCoreApplication::translate("HistoryWindow", "History of this computer");
}

bool JournalHistory::rows(const HistoryFilter& filter, qint64 offset, QList<HistoryRow>* out, QString* error,
                          const std::function<void(int)>& progress, const std::atomic<bool>* cancelled) const
{
    RecordJournal journal(m_path);
    if (!journal.open(RecordJournal::Role::Shared)) {
        *error = journal.errorText();
        return false;
    }
    QVariantList params;
    const QString where = whereClause(filter, &params);
    params << m_pageSize << offset;
    QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
    q.setForwardOnly(true);
    if (!prepared(q,
                  QStringLiteral("SELECT seq, session, id, version, data, %1 FROM records WHERE %2"
                                 " ORDER BY measured_at, seq LIMIT ? OFFSET ?")
                      .arg(QLatin1String(RecordJournalSql::kHistoryColumns), where),
                  params, error)) {
        *error = failure(m_path, *error);
        return false;
    }
    RecordCodec::Decoder decoder;
    out->reserve(out->size() + m_pageSize);
    int done = 0;
    while (q.next()) {
        if (cancelled && cancelled->load()) {
            error->clear();
            return false;
        }
        HistoryRow row;
        row.session = q.value(1).toLongLong();
        const QUuid id = QUuid::fromRfc4122(q.value(2).toByteArray());
        row.id = id.toString(QUuid::WithoutBraces);
        row.version = q.value(3).toLongLong();
        if (decoder.decode(q.value(4).toByteArray(), row.record)) {
            row.record.id = id;
            row.record.version = row.version;
        }
        row.measuredAt = q.value(5).isNull() ? QDateTime() : row.record.time;
        row.testName = q.value(6).toString();
        row.model = q.value(7).toString();
        row.serialNumber = row.record.serialNumber;
        row.standard = q.value(8).toString();
        row.pass = q.value(9).toInt() != 0;
        row.deltaE = numberOr(q.value(10));
        row.hazeDifference = numberOr(q.value(11));
        row.transmittanceDifference = numberOr(q.value(12));
        out->append(std::move(row));
        if (progress && (++done % 256) == 0) {
            progress(done);
        }
    }
    if (q.lastError().isValid()) {
        *error = failure(m_path, q.lastError().text());
        return false;
    }
    return true;
}

bool JournalHistory::statistics(const HistoryFilter& filter, HistoryStatistics* out, QString* error,
                                const std::atomic<bool>* cancelled) const
{
    RecordJournal journal(m_path);
    if (!journal.open(RecordJournal::Role::Shared)) {
        *error = journal.errorText();
        return false;
    }
    if (cancelled && cancelled->load()) {
        error->clear();
        return false;
    }
    QVariantList params;
    const QString where = whereClause(filter, &params);
    QSqlQuery q(QSqlDatabase::database(journal.connectionName()));
    if (!prepared(q,
                  QStringLiteral("SELECT count(*), total(pass), count(delta_e), total(delta_e), total(delta_e * delta_e),"
                                 " min(delta_e), max(delta_e), count(haze_difference), total(haze_difference),"
                                 " count(transmittance_difference), total(transmittance_difference) FROM records WHERE %1")
                      .arg(where),
                  params, error)
        || !q.next()) {
        *error = failure(m_path, error->isEmpty() ? q.lastError().text() : *error);
        return false;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const qint64 n = q.value(2).toLongLong();
    const double sum = q.value(3).toDouble();
    const double squares = q.value(4).toDouble();
    const qint64 hazeCount = q.value(7).toLongLong();
    const qint64 transmittanceCount = q.value(9).toLongLong();
    out->count = q.value(0).toLongLong();
    out->passCount = qint64(q.value(1).toDouble());
    out->deltaEMean = n > 0 ? sum / double(n) : nan;
    out->deltaEStandardDeviation = n > 1 ? std::sqrt(std::max(0.0, (squares - sum * sum / double(n)) / double(n - 1))) : nan;
    out->deltaEMinimum = numberOr(q.value(5));
    out->deltaEMaximum = numberOr(q.value(6));
    out->hazeDifferenceMean = hazeCount > 0 ? q.value(8).toDouble() / double(hazeCount) : nan;
    out->transmittanceDifferenceMean = transmittanceCount > 0 ? q.value(10).toDouble() / double(transmittanceCount) : nan;
    return true;
}

QList<HistorySession> JournalHistory::sessions(QString* error) const
{
    RecordJournal journal(m_path);
    if (!journal.open(RecordJournal::Role::Shared)) {
        *error = journal.errorText();
        return {};
    }
    QList<JournalSession> all = journal.openSessions();
    all += journal.closedSessions();
    std::sort(all.begin(), all.end(), [](const JournalSession& a, const JournalSession& b) { return a.id > b.id; });
    QList<HistorySession> out;
    for (const JournalSession& s : all) {
        const QString when = s.started.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        out.append({s.id, (s.closed ? text("%1, %2, %n record(s)", s.recordCount) : text("%1, %2, %n record(s), open", s.recordCount))
                              .arg(when, s.model.isEmpty() ? QStringLiteral("-") : s.model)});
    }
    return out;
}
