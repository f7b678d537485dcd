#include "StationHistory.h"

#include "PgConnection.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {
double numberOr(const PgResult& r, int row, int column)
{
    return r.isNull(row, column) ? std::numeric_limits<double>::quiet_NaN() : r.text(row, column).toDouble();
}

// A name pattern with * and ? as LIKE's % and _, everything else literal.
QString likePattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*')) {
            out += QLatin1Char('%');
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('_');
        } else if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\') + c;
        } else {
            out += c;
        }
    }
    return out;
}

QString failure(const PgConnection& c)
{
    return QCoreApplication::translate("StationHistory", "The station database %1 did not answer the query: %2")
        .arg(c.config().serverName(), c.errorText());
}

QList<PgParam> asParams(const QList<QByteArray>& params)
{
    QList<PgParam> out;
    for (const QByteArray& p : params) {
        out.append(p);
    }
    return out;
}
} // namespace

namespace StationHistory {

QString whereClause(const HistoryFilter& f, QList<QByteArray>* params, int first)
{
    QStringList conditions;
    auto add = [&](const QString& condition, const QByteArray& value) {
        params->append(value);
        conditions << condition.arg(first + params->size() - 1);
    };
    if (!f.includeDeleted) {
        conditions << QStringLiteral("NOT r.deleted");
    }
    if (f.from.isValid()) {
        add(QStringLiteral("r.measured_at >= $%1::timestamptz"), f.from.toString(Qt::ISODateWithMs).toUtf8());
    }
    if (f.to.isValid()) {
        add(QStringLiteral("r.measured_at < $%1::timestamptz"), f.to.toString(Qt::ISODateWithMs).toUtf8());
    }
    if (!f.stations.isEmpty()) {
        QStringList quoted;
        for (QString s : f.stations) {
            s.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
            quoted << QLatin1Char('"') + s + QLatin1Char('"');
        }
        add(QStringLiteral("s.name = ANY($%1::text[])"), (QLatin1Char('{') + quoted.join(QLatin1Char(',')) + QLatin1Char('}')).toUtf8());
    }
    if (!f.model.isEmpty()) {
        add(QStringLiteral("r.model = $%1"), f.model.toUtf8());
    }
    if (!f.standard.isEmpty()) {
        add(QStringLiteral("r.standard = $%1"), f.standard.toUtf8());
    }
    if (!f.testNamePattern.isEmpty()) {
        add(QStringLiteral("r.test_name LIKE $%1"), likePattern(f.testNamePattern).toUtf8());
    }
    if (f.pass.has_value()) {
        add(QStringLiteral("r.pass = $%1::boolean"), *f.pass ? "true" : "false");
    }
    return conditions.isEmpty() ? QStringLiteral("true") : conditions.join(QStringLiteral(" AND "));
}

bool records(PgConnection& c, const HistoryFilter& filter, QList<HistoryRow>* rows, QString* error,
             const std::function<void(int)>& progress, const std::atomic<bool>* cancelled, int pageSize)
{
    QList<QByteArray> params;
    const QString where = whereClause(filter, &params, 2);
    // Keyset paging on the order of arrival: each page is a short query, so
    // a cancel takes effect within one page.
    const QByteArray sql =
        QStringLiteral("SELECT r.id, r.version, s.name, extract(epoch FROM r.measured_at) * 1000, r.test_name,"
                       " r.model, r.serial_number, r.standard, r.delta_e, r.haze_difference,"
                       " r.transmittance_difference, r.pass, r.arrival"
                       " FROM tintwell.records r JOIN tintwell.stations s ON s.id = r.station_id"
                       " WHERE %1 AND r.arrival > $1::bigint ORDER BY r.arrival LIMIT %2")
            .arg(where)
            .arg(pageSize)
            .toUtf8();
    QByteArray after = "0";
    for (;;) {
        if (cancelled && cancelled->load()) {
            error->clear();
            return false;
        }
        const PgResult r = c.exec(sql, QList<PgParam>{after} + asParams(params));
        if (!r.ok()) {
            *error = failure(c);
            return false;
        }
        for (int i = 0; i < r.rows(); ++i) {
            HistoryRow row;
            row.id = r.text(i, 0);
            row.version = r.toInt(i, 1);
            row.station = r.text(i, 2);
            if (!r.isNull(i, 3)) {
                row.measuredAt = QDateTime::fromMSecsSinceEpoch(qint64(std::llround(r.text(i, 3).toDouble())));
            }
            row.testName = r.text(i, 4);
            row.model = r.text(i, 5);
            row.serialNumber = r.text(i, 6);
            row.standard = r.text(i, 7);
            row.deltaE = numberOr(r, i, 8);
            row.hazeDifference = numberOr(r, i, 9);
            row.transmittanceDifference = numberOr(r, i, 10);
            row.pass = r.text(i, 11) == QLatin1String("t");
            rows->append(row);
        }
        if (progress) {
            progress(int(rows->size()));
        }
        if (r.rows() < pageSize) {
            return true;
        }
        after = r.bytes(r.rows() - 1, 12);
    }
}

bool statistics(PgConnection& c, const HistoryFilter& filter, HistoryStatistics* out, QString* error)
{
    QList<QByteArray> params;
    const QString where = whereClause(filter, &params);
    // The stations table is joined only when a station is asked for, so a
    // question about one standard reads the standard's index alone.
    const QString from = filter.stations.isEmpty()
                             ? QStringLiteral("tintwell.records r")
                             : QStringLiteral("tintwell.records r JOIN tintwell.stations s ON s.id = r.station_id");
    const QByteArray sql =
        QStringLiteral("SELECT count(*), count(*) FILTER (WHERE r.pass), avg(r.delta_e), stddev_samp(r.delta_e),"
                       " min(r.delta_e), max(r.delta_e), avg(r.haze_difference), avg(r.transmittance_difference)"
                       " FROM %1 WHERE %2")
            .arg(from, where)
            .toUtf8();
    const PgResult r = c.exec(sql, asParams(params));
    if (!r.ok()) {
        *error = failure(c);
        return false;
    }
    out->count = r.toInt(0, 0);
    out->passCount = r.toInt(0, 1);
    out->deltaEMean = numberOr(r, 0, 2);
    out->deltaEStandardDeviation = numberOr(r, 0, 3);
    out->deltaEMinimum = numberOr(r, 0, 4);
    out->deltaEMaximum = numberOr(r, 0, 5);
    out->hazeDifferenceMean = numberOr(r, 0, 6);
    out->transmittanceDifferenceMean = numberOr(r, 0, 7);
    return true;
}

} // namespace StationHistory
