#include "StationHistory.h"

#include "PgConnection.h"
#include "RecordRow.h"

#include <QJsonDocument>
#include <QJsonObject>

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
                       " r.transmittance_difference, r.pass, r.arrival, row_to_json(r)::text"
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
            row.record = recordFromRow(QJsonDocument::fromJson(r.bytes(i, 13)).object());
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

namespace {
QDateTime hourFloor(const QDateTime& t)
{
    const QDateTime u = t.toUTC();
    return QDateTime(u.date(), QTime(u.time().hour(), 0), Qt::UTC);
}

// Count, sums and extremes of a selection, from which mean and deviation follow.
struct Sums
{
    qint64 records = 0, passed = 0, deltaECount = 0, hazeCount = 0, transmittanceCount = 0;
    double deltaESum = 0, deltaESquares = 0, hazeSum = 0, transmittanceSum = 0;
    double deltaEMin = std::numeric_limits<double>::quiet_NaN();
    double deltaEMax = std::numeric_limits<double>::quiet_NaN();

    void add(const PgResult& r)
    {
        records += r.toInt(0, 0);
        passed += r.toInt(0, 1);
        deltaECount += r.toInt(0, 2);
        deltaESum += numberOr(r, 0, 3) == numberOr(r, 0, 3) ? numberOr(r, 0, 3) : 0.0;
        deltaESquares += numberOr(r, 0, 4) == numberOr(r, 0, 4) ? numberOr(r, 0, 4) : 0.0;
        const double lo = numberOr(r, 0, 5);
        const double hi = numberOr(r, 0, 6);
        deltaEMin = std::isnan(deltaEMin) ? lo : (std::isnan(lo) ? deltaEMin : std::min(deltaEMin, lo));
        deltaEMax = std::isnan(deltaEMax) ? hi : (std::isnan(hi) ? deltaEMax : std::max(deltaEMax, hi));
        hazeCount += r.toInt(0, 7);
        hazeSum += r.isNull(0, 8) ? 0.0 : numberOr(r, 0, 8);
        transmittanceCount += r.toInt(0, 9);
        transmittanceSum += r.isNull(0, 10) ? 0.0 : numberOr(r, 0, 10);
    }

    HistoryStatistics result() const
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        HistoryStatistics s;
        s.count = records;
        s.passCount = passed;
        s.deltaEMean = deltaECount > 0 ? deltaESum / deltaECount : nan;
        s.deltaEStandardDeviation =
            deltaECount > 1
                ? std::sqrt(std::max(0.0, (deltaESquares - deltaESum * deltaESum / deltaECount) / (deltaECount - 1)))
                : nan;
        s.deltaEMinimum = deltaEMin;
        s.deltaEMaximum = deltaEMax;
        s.hazeDifferenceMean = hazeCount > 0 ? hazeSum / hazeCount : nan;
        s.transmittanceDifferenceMean = transmittanceCount > 0 ? transmittanceSum / transmittanceCount : nan;
        return s;
    }
};

const char* kRawSums = "count(*), count(*) FILTER (WHERE r.pass), count(r.delta_e), sum(r.delta_e),"
                       " sum(r.delta_e * r.delta_e), min(r.delta_e), max(r.delta_e), count(r.haze_difference),"
                       " sum(r.haze_difference), count(r.transmittance_difference), sum(r.transmittance_difference)";
} // namespace

bool statistics(PgConnection& c, const HistoryFilter& filter, HistoryStatistics* out, QString* error)
{
    const QString from = filter.stations.isEmpty()
                             ? QStringLiteral("tintwell.records r")
                             : QStringLiteral("tintwell.records r JOIN tintwell.stations s ON s.id = r.station_id");
    // Only time, standard and station asked: whole hours come from the
    // hourly sums, the parts of an hour at either end from the records.
    const bool hourly = filter.model.isEmpty() && filter.testNamePattern.isEmpty() && !filter.pass.has_value()
                        && !filter.includeDeleted;
    if (!hourly) {
        QList<QByteArray> params;
        const QString where = whereClause(filter, &params);
        const PgResult r = c.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(QLatin1String(kRawSums), from, where).toUtf8(),
                                  asParams(params));
        if (!r.ok()) {
            *error = failure(c);
            return false;
        }
        Sums sums;
        sums.add(r);
        *out = sums.result();
        return true;
    }
    Sums sums;
    // Whole hours: from the first whole hour after `from` to the last before `to`.
    QDateTime first = filter.from.isValid() ? hourFloor(filter.from) : QDateTime();
    if (first.isValid() && first < filter.from) {
        first = first.addSecs(3600);
    }
    const QDateTime last = filter.to.isValid() ? hourFloor(filter.to) : QDateTime();
    QList<QByteArray> params;
    QStringList conditions;
    if (!filter.standard.isEmpty()) {
        params << filter.standard.toUtf8();
        conditions << QStringLiteral("h.standard = $%1").arg(params.size());
    }
    if (!filter.stations.isEmpty()) {
        HistoryFilter onlyStations;
        onlyStations.stations = filter.stations;
        onlyStations.includeDeleted = true;
        QList<QByteArray> stationParams;
        conditions << whereClause(onlyStations, &stationParams, int(params.size()) + 1)
                          .replace(QStringLiteral("s.name"), QStringLiteral("(SELECT s.name FROM tintwell.stations s WHERE s.id = h.station_id)"));
        params << stationParams;
    }
    if (first.isValid()) {
        params << first.toString(Qt::ISODate).toUtf8();
        conditions << QStringLiteral("h.hour >= ($%1::timestamptz AT TIME ZONE 'UTC')").arg(params.size());
    }
    if (last.isValid()) {
        params << last.toString(Qt::ISODate).toUtf8();
        conditions << QStringLiteral("h.hour < ($%1::timestamptz AT TIME ZONE 'UTC')").arg(params.size());
    }
    if (filter.from.isValid() || filter.to.isValid()) {
        conditions << QStringLiteral("h.hour > '-infinity'");
    }
    const bool anyWholeHour = !(first.isValid() && last.isValid() && first >= last);
    if (anyWholeHour) {
        const PgResult r = c.exec(
            QStringLiteral("SELECT coalesce(sum(records), 0), coalesce(sum(passed), 0), coalesce(sum(delta_e_count), 0),"
                           " sum(delta_e_sum), sum(delta_e_squares), min(delta_e_min), max(delta_e_max),"
                           " coalesce(sum(haze_count), 0), sum(haze_sum), coalesce(sum(transmittance_count), 0),"
                           " sum(transmittance_sum) FROM tintwell.standard_hours h WHERE %1")
                .arg(conditions.isEmpty() ? QStringLiteral("true") : conditions.join(QStringLiteral(" AND ")))
                .toUtf8(),
            asParams(params));
        if (!r.ok()) {
            *error = failure(c);
            return false;
        }
        sums.add(r);
    }
    // The ends: records inside the range but outside the whole hours.
    if (filter.from.isValid() || filter.to.isValid()) {
        QList<QByteArray> edgeParams;
        QString where = whereClause(filter, &edgeParams);
        if (anyWholeHour) {
            QStringList outside;
            if (first.isValid()) {
                edgeParams << first.toString(Qt::ISODate).toUtf8();
                outside << QStringLiteral("r.measured_at < $%1::timestamptz").arg(edgeParams.size());
            }
            if (last.isValid()) {
                edgeParams << last.toString(Qt::ISODate).toUtf8();
                outside << QStringLiteral("r.measured_at >= $%1::timestamptz").arg(edgeParams.size());
            }
            where += QStringLiteral(" AND (") + outside.join(QStringLiteral(" OR ")) + QLatin1Char(')');
        }
        const PgResult r = c.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(QLatin1String(kRawSums), from, where).toUtf8(),
                                  asParams(edgeParams));
        if (!r.ok()) {
            *error = failure(c);
            return false;
        }
        sums.add(r);
    }
    *out = sums.result();
    return true;
}

} // namespace StationHistory

QString StationHistorySource::title() const
{
    return QCoreApplication::translate("HistoryWindow", "History of every station");
}

bool StationHistorySource::connect(PgConnection& connection, QString* error) const
{
    if (connection.open()) {
        return true;
    }
    *error = QCoreApplication::translate("HistoryWindow", "The station database %1 cannot be reached: %2")
                 .arg(m_config.serverName(), connection.errorText());
    return false;
}

bool StationHistorySource::rows(const HistoryFilter& filter, qint64, QList<HistoryRow>* out, QString* error,
                                const std::function<void(int)>& progress, const std::atomic<bool>* cancelled) const
{
    PgConnection connection(m_config);
    return connect(connection, error) && StationHistory::records(connection, filter, out, error, progress, cancelled);
}

bool StationHistorySource::statistics(const HistoryFilter& filter, HistoryStatistics* out, QString* error,
                                      const std::atomic<bool>*) const
{
    PgConnection connection(m_config);
    return connect(connection, error) && StationHistory::statistics(connection, filter, out, error);
}
