#include "StationSchema.h"

#include "PgConnection.h"

#include <QCoreApplication>

namespace {
// Every migrator takes this lock first, so two never interleave.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(7311904)";
// The migrator's own statements, and the migrations, find nothing a station
// may have made (an operator or function in a schema it may create in).
constexpr const char* kMigrationPath = "SET LOCAL search_path = pg_catalog, pg_temp";

QString failure(const PgConnection& connection, const QString& what)
{
    return QCoreApplication::translate("StationSchema", "%1 on %2: %3")
        .arg(what, connection.config().serverName(), connection.errorText());
}

bool execOrRollback(PgConnection& connection, const QByteArray& sql, const QList<PgParam>& params = {})
{
    if (connection.exec(sql, params).ok()) {
        return true;
    }
    connection.rollback();
    return false;
}

// CREATE ROLE for a login in group, carrying only the password's hash;
// empty when quoting or hashing failed (the connection's errorText() says why).
QByteArray createRoleSql(PgConnection& connection, const QString& role, const QString& password, const char* group)
{
    const QByteArray roleId = connection.quoteIdentifier(role);
    const QByteArray secret = connection.quoteLiteral(QString::fromUtf8(connection.encryptedPassword(password, role)));
    if (roleId.isEmpty() || secret.size() <= 2) {
        return QByteArray();
    }
    return "CREATE ROLE " + roleId + " LOGIN PASSWORD " + secret + " IN ROLE " + group;
}
} // namespace

namespace StationSchema {

int knownVersion()
{
    return migrations().isEmpty() ? 0 : migrations().last().version;
}

int serverVersion(PgConnection& connection, QString* error)
{
    const PgResult exists = connection.exec("SELECT to_regclass('tintwell.schema_version') IS NOT NULL");
    if (!exists.ok()) {
        *error = failure(connection, QCoreApplication::translate("StationSchema", "Reading the schema version failed"));
        return -1;
    }
    if (exists.text(0, 0) != QLatin1String("t")) {
        return 0;
    }
    const PgResult r = connection.exec("SELECT coalesce(max(version), 0) FROM tintwell.schema_version");
    if (!r.ok()) {
        *error = failure(connection, QCoreApplication::translate("StationSchema", "Reading the schema version failed"));
        return -1;
    }
    return int(r.toInt(0, 0));
}

QString writeRefusal(const PgConnection& connection, int version)
{
    if (version > knownVersion()) {
        return QCoreApplication::translate("StationSchema",
                                           "The station database %1 has schema version %2, newer than this "
                                           "Tintwell knows (%3). Nothing is written to it; records wait "
                                           "until Tintwell is updated.")
            .arg(connection.config().serverName())
            .arg(version)
            .arg(knownVersion());
    }
    if (version < knownVersion()) {
        return QCoreApplication::translate("StationSchema",
                                           "The station database %1 has schema version %2; this Tintwell "
                                           "needs %3. Run \"tintwell-cli db migrate\" first.")
            .arg(connection.config().serverName())
            .arg(version)
            .arg(knownVersion());
    }
    return QString();
}

MigrationOutcome migrate(PgConnection& connection, int target)
{
    if (target < 0) {
        target = knownVersion();
    }
    MigrationOutcome out;
    if (!connection.isOpen() && !connection.open()) {
        out.error = failure(connection, QCoreApplication::translate("StationSchema", "Connecting failed"));
        return out;
    }
    // The schema and its version table come first: the lock and the version
    // read need them, and both are harmless to create twice.
    if (!execOrRollback(connection, "BEGIN") || !execOrRollback(connection, kMigrationPath)
        || !execOrRollback(connection, kMigrationLock)
        || !execOrRollback(connection, "CREATE SCHEMA IF NOT EXISTS tintwell")
        || !execOrRollback(connection,
                           "CREATE TABLE IF NOT EXISTS tintwell.schema_version ("
                           " version integer PRIMARY KEY,"
                           " name text NOT NULL,"
                           " applied_at timestamptz NOT NULL DEFAULT now())")
        || !execOrRollback(connection, "COMMIT")) {
        out.error = failure(connection, QCoreApplication::translate("StationSchema", "Preparing the schema failed"));
        return out;
    }
    QString error;
    out.before = serverVersion(connection, &error);
    if (out.before < 0) {
        out.error = error;
        return out;
    }
    if (out.before > knownVersion()) {
        out.after = out.before;
        out.error = writeRefusal(connection, out.before);
        return out;
    }
    for (const Migration& m : migrations()) {
        if (m.version > target) {
            break;
        }
        if (!execOrRollback(connection, "BEGIN") || !execOrRollback(connection, kMigrationPath)
            || !execOrRollback(connection, kMigrationLock)) {
            out.error = failure(connection, QCoreApplication::translate("StationSchema", "Migrating failed"));
            return out;
        }
        // Another migrator may have applied it while we waited for the lock.
        const PgResult done = connection.exec("SELECT 1 FROM tintwell.schema_version WHERE version = $1",
                                              {QByteArray::number(m.version)});
        if (!done.ok()) {
            connection.rollback();
            out.error = failure(connection, QCoreApplication::translate("StationSchema", "Migrating failed"));
            return out;
        }
        if (done.rows() > 0) {
            connection.exec("COMMIT");
            continue;
        }
        if (!execOrRollback(connection, m.sql)
            || !execOrRollback(connection, "INSERT INTO tintwell.schema_version (version, name) VALUES ($1, $2)",
                               {QByteArray::number(m.version), m.name.toUtf8()})
            || !execOrRollback(connection, "COMMIT")) {
            out.error = failure(connection,
                                QCoreApplication::translate("StationSchema", "Migration %1 (%2) failed")
                                    .arg(m.version)
                                    .arg(m.name));
            return out;
        }
    }
    out.after = serverVersion(connection, &error);
    out.ok = out.after == target;
    if (!out.ok) {
        out.error = error.isEmpty() ? writeRefusal(connection, out.after) : error;
    }
    return out;
}

bool addStation(PgConnection& connection, const QString& station, const QString& role, const QString& password,
                QString* error)
{
    if (password.isEmpty() || role.isEmpty() || station.trimmed().isEmpty()) {
        *error = QCoreApplication::translate("StationSchema", "A station needs a name, a role and a password.");
        return false;
    }
    const QByteArray createRole = createRoleSql(connection, role, password, "tintwell_station");
    const bool ok = !createRole.isEmpty() && execOrRollback(connection, "BEGIN")
                    && execOrRollback(connection, createRole)
                    && execOrRollback(connection, "INSERT INTO tintwell.stations (name, db_role) VALUES ($1, $2)",
                                      {station.toUtf8(), role.toUtf8()})
                    && execOrRollback(connection, "COMMIT");
    if (!ok) {
        *error = failure(connection, QCoreApplication::translate("StationSchema", "Adding the station failed"));
    }
    return ok;
}

bool addManager(PgConnection& connection, const QString& role, const QString& password, QString* error)
{
    if (password.isEmpty() || role.isEmpty()) {
        *error = QCoreApplication::translate("StationSchema", "A manager needs a role and a password.");
        return false;
    }
    const QByteArray createRole = createRoleSql(connection, role, password, "tintwell_manager");
    if (createRole.isEmpty() || !connection.exec(createRole).ok()) {
        *error = failure(connection, QCoreApplication::translate("StationSchema", "Adding the manager failed"));
        return false;
    }
    return true;
}

bool addEditor(PgConnection& connection, const QString& role, const QString& password, QString* error)
{
    if (password.isEmpty() || role.isEmpty()) {
        *error = QCoreApplication::translate("StationSchema", "An editor needs a role and a password.");
        return false;
    }
    const QByteArray createRole = createRoleSql(connection, role, password, "tintwell_editor");
    if (createRole.isEmpty() || !connection.exec(createRole).ok()) {
        *error = failure(connection, QCoreApplication::translate("StationSchema", "Adding the editor failed"));
        return false;
    }
    return true;
}

} // namespace StationSchema
