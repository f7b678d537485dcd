#include "ServerLibrary.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ServerLibrary", text);
}

QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QJsonValue uuid(const QUuid& id)
{
    return id.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(id.toString(QUuid::WithoutBraces));
}

QJsonArray limitsJson(const QList<ToleranceLimit>& limits)
{
    QJsonArray out;
    for (const ToleranceLimit& l : limits) {
        out.append(QJsonObject{{QStringLiteral("quantity"), toleranceQuantityToken(l.quantity)},
                               {QStringLiteral("low"), isDeltaEQuantity(l.quantity) ? QJsonValue() : number(l.low)},
                               {QStringLiteral("high"), number(l.high)},
                               {QStringLiteral("decides"), l.decides}});
    }
    return out;
}

// Limits the server holds; one it cannot read (an unknown quantity, written
// by a newer program) fails the whole set rather than judging without it.
bool limitsFrom(const QByteArray& json, QList<ToleranceLimit>* out)
{
    const QJsonArray array = QJsonDocument::fromJson(json).array();
    for (const QJsonValue& v : array) {
        const QJsonObject o = v.toObject();
        const auto quantity = toleranceQuantityFromToken(o.value(QStringLiteral("quantity")).toString());
        const QJsonValue high = o.value(QStringLiteral("high"));
        if (!quantity || !high.isDouble()) {
            return false;
        }
        ToleranceLimit l;
        l.quantity = *quantity;
        l.high = high.toDouble();
        l.low = isDeltaEQuantity(l.quantity) ? 0.0 : o.value(QStringLiteral("low")).toDouble(-l.high);
        l.decides = o.value(QStringLiteral("decides")).toBool(true);
        out->append(l);
    }
    return true;
}

QJsonObject originJson(const StandardOrigin& origin)
{
    QJsonObject o{{QStringLiteral("kind"), standardOriginToken(origin.kind)}};
    if (origin.kind == StandardOrigin::Kind::Measured) {
        o.insert(QStringLiteral("model"), origin.model);
        o.insert(QStringLiteral("serial"), origin.serial);
        o.insert(QStringLiteral("time"), origin.time.isValid() ? origin.time.toUTC().toString(Qt::ISODateWithMs) : QString());
    } else if (origin.kind == StandardOrigin::Kind::File) {
        o.insert(QStringLiteral("path"), origin.path);
    }
    return o;
}

StandardOrigin originFrom(const QByteArray& json)
{
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    StandardOrigin origin;
    origin.kind = standardOriginFromToken(o.value(QStringLiteral("kind")).toString()).value_or(StandardOrigin::Kind::Typed);
    origin.model = o.value(QStringLiteral("model")).toString();
    origin.serial = o.value(QStringLiteral("serial")).toString();
    origin.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    origin.path = o.value(QStringLiteral("path")).toString();
    return origin;
}

QJsonObject setRow(const LibraryToleranceSet& set)
{
    return QJsonObject{{QStringLiteral("id"), uuid(set.id)},
                       {QStringLiteral("version"), set.version},
                       {QStringLiteral("name"), set.name},
                       {QStringLiteral("limits"), limitsJson(set.limits)},
                       {QStringLiteral("warn_percent"), set.warnPercent}};
}

QJsonObject standardRow(const Standard& s, bool removed)
{
    const auto& v = s.values;
    QJsonArray spectrum;
    for (double x : s.spectrum) {
        spectrum.append(number(x));
    }
    return QJsonObject{{QStringLiteral("id"), uuid(s.id)},
                       {QStringLiteral("version"), removed ? s.version + 1 : s.version},
                       {QStringLiteral("name"), s.name},
                       {QStringLiteral("code"), s.code},
                       {QStringLiteral("lab_l"), number(v[ComparisonRecord::LabL])},
                       {QStringLiteral("lab_a"), number(v[ComparisonRecord::LabA])},
                       {QStringLiteral("lab_b"), number(v[ComparisonRecord::LabB])},
                       {QStringLiteral("haze"), number(v[ComparisonRecord::Haze])},
                       {QStringLiteral("transmittance"), number(v[ComparisonRecord::Transmittance])},
                       {QStringLiteral("spectrum"), s.spectrum.isEmpty() ? QJsonValue() : QJsonValue(spectrum)},
                       {QStringLiteral("origin"), originJson(s.origin)},
                       {QStringLiteral("note"), s.note},
                       {QStringLiteral("tolerance_set"), uuid(s.toleranceSetId)},
                       {QStringLiteral("removed"), removed}};
}

const QByteArray kInsertSets = R"sql(
INSERT INTO tintwell.tolerance_sets (id, version, name, limits, warn_percent)
SELECT b.id, b.version, coalesce(b.name, ''), b.limits, coalesce(b.warn_percent, 0)
FROM ROWS FROM (jsonb_to_recordset($1::jsonb) AS (
        id uuid, version bigint, name text, limits jsonb, warn_percent float8)) WITH ORDINALITY AS b
ORDER BY b.ordinality
)sql";

const QByteArray kInsertStandards = R"sql(
INSERT INTO tintwell.standards (id, version, name, code, lab_l, lab_a, lab_b, haze, transmittance, spectrum,
                                origin, note, tolerance_set, removed)
SELECT b.id, b.version, b.name, coalesce(b.code, ''), b.lab_l, b.lab_a, b.lab_b, b.haze, b.transmittance,
       b.spectrum, coalesce(b.origin, '{}'), coalesce(b.note, ''), b.tolerance_set, coalesce(b.removed, false)
FROM ROWS FROM (jsonb_to_recordset($1::jsonb) AS (
        id uuid, version bigint, name text, code text, lab_l float8, lab_a float8, lab_b float8, haze float8,
        transmittance float8, spectrum float8[], origin jsonb, note text, tolerance_set uuid,
        removed boolean)) WITH ORDINALITY AS b
ORDER BY b.ordinality
)sql";

// The columns a standard is read from, in the order standardFrom() takes them.
const char* const kStandardColumns =
    "s.id, s.version, s.name, s.code, s.lab_l, s.lab_a, s.lab_b, s.haze, s.transmittance,"
    " pg_catalog.array_to_string(s.spectrum, ','), s.origin::text, s.note, s.tolerance_set, s.removed,"
    " (extract(epoch FROM s.changed_at) * 1000)::bigint";

double numberAt(const PgResult& r, int row, int column)
{
    return r.isNull(row, column) ? ComparisonRecord::kUnknown : r.text(row, column).toDouble();
}

Standard standardFrom(const PgResult& r, int row)
{
    Standard s;
    s.id = QUuid::fromString(r.text(row, 0));
    s.version = r.toInt(row, 1);
    s.name = r.text(row, 2);
    s.code = r.text(row, 3);
    if (!r.isNull(row, 4)) {
        s.withLab(numberAt(r, row, 4), numberAt(r, row, 5), numberAt(r, row, 6));
    }
    s.values[ComparisonRecord::Haze] = numberAt(r, row, 7);
    s.values[ComparisonRecord::Transmittance] = numberAt(r, row, 8);
    if (!r.isNull(row, 9)) {
        for (const QString& x : r.text(row, 9).split(QLatin1Char(','))) {
            s.spectrum.append(x.toDouble());
        }
    }
    s.origin = originFrom(r.bytes(row, 10));
    s.note = r.text(row, 11);
    s.toleranceSetId = r.isNull(row, 12) ? QUuid() : QUuid::fromString(r.text(row, 12));
    s.modified = QDateTime::fromMSecsSinceEpoch(r.toInt(row, 14), Qt::UTC);
    return s;
}

QString failed(const PgConnection& connection, const QString& what)
{
    return tr("%1 on %2: %3").arg(what, connection.config().serverName(), connection.errorText());
}

} // namespace

namespace ServerLibrary {

bool read(PgConnection& connection, qint64 since, ServerLibraryCopy* copy, QString* error)
{
    *copy = ServerLibraryCopy();
    copy->whole = since <= 0;
    const QByteArray from = QByteArray::number(std::max<qint64>(since, 0));
    if (!connection.exec("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY").ok()) {
        *error = failed(connection, tr("Reading the library of standards failed"));
        return false;
    }
    // A whole copy leaves removed standards out; a change names them.
    const PgResult standards = connection.exec(
        QByteArray("SELECT ") + kStandardColumns
            + " FROM tintwell.standards s WHERE s.current AND s.revision > $1::bigint"
              " AND ($1::bigint > 0 OR NOT s.removed)",
        {from});
    const PgResult sets = standards.ok()
                              ? connection.exec("SELECT t.id, t.version, t.name, t.limits::text, t.warn_percent"
                                                " FROM tintwell.tolerance_sets t WHERE t.current AND NOT t.removed"
                                                " AND t.revision > $1::bigint",
                                                {from})
                              : PgResult();
    const PgResult revision =
        sets.ok() ? connection.exec("SELECT greatest((SELECT max(revision) FROM tintwell.standards),"
                                    " (SELECT max(revision) FROM tintwell.tolerance_sets), 0)")
                  : PgResult();
    if (!revision.ok()) {
        *error = failed(connection, tr("Reading the library of standards failed"));
        connection.rollback();
        return false;
    }
    connection.exec("COMMIT");
    copy->revision = std::max(since, revision.toInt(0, 0));
    for (int row = 0; row < sets.rows(); ++row) {
        LibraryToleranceSet set;
        set.id = QUuid::fromString(sets.text(row, 0));
        set.version = sets.toInt(row, 1);
        set.name = sets.text(row, 2);
        set.warnPercent = sets.text(row, 4).toDouble();
        if (!limitsFrom(sets.bytes(row, 3), &set.limits)) {
            *error = tr("The station database %1 holds the tolerance set %2 with a limit this Tintwell does not "
                        "know; update Tintwell.")
                         .arg(connection.config().serverName(), set.name.isEmpty() ? set.id.toString() : set.name);
            return false;
        }
        copy->sets.append(set);
    }
    copy->standards.reserve(standards.rows());
    for (int row = 0; row < standards.rows(); ++row) {
        if (standards.text(row, 13) == QLatin1String("t")) {
            copy->removed.append(QUuid::fromString(standards.text(row, 0)));
        } else {
            copy->standards.append(standardFrom(standards, row));
        }
    }
    return true;
}

bool versions(PgConnection& connection, const QUuid& id, QList<Standard>* out, QString* error)
{
    out->clear();
    const PgResult r = connection.exec(QByteArray("SELECT ") + kStandardColumns
                                           + " FROM tintwell.standards s WHERE s.id = $1::uuid ORDER BY s.version",
                                       {id.toString(QUuid::WithoutBraces).toUtf8()});
    if (!r.ok()) {
        *error = failed(connection, tr("Reading the library of standards failed"));
        return false;
    }
    for (int row = 0; row < r.rows(); ++row) {
        out->append(standardFrom(r, row));
    }
    return true;
}

bool knownIds(PgConnection& connection, const QList<QUuid>& ids, QList<QUuid>* known, QString* error)
{
    known->clear();
    QStringList texts;
    for (const QUuid& id : ids) {
        texts << id.toString(QUuid::WithoutBraces);
    }
    const PgResult r = connection.exec("SELECT DISTINCT s.id FROM tintwell.standards s WHERE s.id = ANY ($1::uuid[])",
                                       {(QLatin1Char('{') + texts.join(QLatin1Char(',')) + QLatin1Char('}')).toUtf8()});
    if (!r.ok()) {
        *error = failed(connection, tr("Reading the library of standards failed"));
        return false;
    }
    for (int row = 0; row < r.rows(); ++row) {
        known->append(QUuid::fromString(r.text(row, 0)));
    }
    return true;
}

bool mayEdit(PgConnection& connection)
{
    const PgResult r = connection.exec("SELECT has_table_privilege('tintwell.standards', 'INSERT')"
                                       " AND has_table_privilege('tintwell.tolerance_sets', 'INSERT')");
    return r.ok() && r.text(0, 0) == QLatin1String("t");
}

QString editRefusal(const StationConfig& config)
{
    return tr("The library of standards is kept in the station database %1: only a manager or a library editor "
              "may change it (log in with that role, e.g. \"tintwell-cli standards ... --user MANAGER\"); the role "
              "%2 only reads it.")
        .arg(config.serverName(), config.user);
}

bool write(PgConnection& connection, const ServerLibraryChange& change, QString* error)
{
    if (change.isEmpty()) {
        return true;
    }
    QJsonArray sets;
    for (const LibraryToleranceSet& s : change.sets) {
        sets.append(setRow(s));
    }
    QJsonArray standards;
    for (const Standard& s : change.standards) {
        standards.append(standardRow(s, false));
    }
    for (const Standard& s : change.removed) {
        standards.append(standardRow(s, true));
    }
    const bool ok = connection.exec("BEGIN").ok()
                    && (sets.isEmpty()
                        || connection.exec(kInsertSets, {QJsonDocument(sets).toJson(QJsonDocument::Compact)}).ok())
                    && (standards.isEmpty()
                        || connection.exec(kInsertStandards, {QJsonDocument(standards).toJson(QJsonDocument::Compact)})
                               .ok())
                    && connection.exec("COMMIT").ok();
    if (ok) {
        return true;
    }
    connection.rollback();
    const QByteArray state = connection.sqlState();
    if (state == "42501") {
        *error = editRefusal(connection.config());
    } else if (state == "23505") {
        *error = tr("The station database %1 already holds a standard or shared set of that name: %2")
                     .arg(connection.config().serverName(), connection.errorText());
    } else if (state == "40001") {
        *error = tr("Someone else changed the library on the station database %1 meanwhile; nothing was written. "
                    "Try again: %2")
                     .arg(connection.config().serverName(), connection.errorText());
    } else {
        *error = failed(connection, tr("Writing the library of standards failed"));
    }
    return false;
}

} // namespace ServerLibrary
