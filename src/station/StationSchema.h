#pragma once
// The station database's schema: the migrations compiled into this program,
// applying them, and the check every writer makes first: a schema newer than
// this program knows is never written to.

#include <QList>
#include <QString>

class PgConnection;

struct Migration
{
    int version = 0;
    QString name;
    QByteArray sql;
};

struct MigrationOutcome
{
    bool ok = false;
    int before = 0;   // the server's version before (0: no schema yet)
    int after = 0;
    QString error;    // names the server and PostgreSQL's message
};

namespace StationSchema {

// The migrations in version order (generated from src/station/migrations).
const QList<Migration>& migrations();
// The newest schema version this program knows.
int knownVersion();

// The version the server's schema is at: 0 when there is none; -1 with
// *error set when it cannot be read.
int serverVersion(PgConnection& connection, QString* error);

// Empty when this program may write to a schema of that version; otherwise
// the text that says why not, naming the server.
QString writeRefusal(const PgConnection& connection, int serverVersion);

// Applies the missing migrations, each in its own transaction, serialised
// against other migrators by an advisory lock. Refuses a newer schema.
// target: the version to stop at (negative: the newest this program knows).
MigrationOutcome migrate(PgConnection& connection, int target = -1);

// Creates the login role of a station (a member of tintwell_station) and
// registers the station under that role. Needs a role that may create roles.
bool addStation(PgConnection& connection, const QString& station, const QString& role,
                const QString& password, QString* error);
// Creates a manager's login role: reads every station's rows, writes none.
bool addManager(PgConnection& connection, const QString& role, const QString& password, QString* error);
// Creates a library editor's login role: adds and edits the standards and
// tolerance sets, reads no records.
bool addEditor(PgConnection& connection, const QString& role, const QString& password, QString* error);

} // namespace StationSchema
