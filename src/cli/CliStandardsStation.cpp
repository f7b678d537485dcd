#include "CliStandardsStation.h"

#include "CliContext.h"
#include "CliStationCommands.h"
#include "PgConnection.h"
#include "ServerLibrary.h"
#include "StandardLibrary.h"
#include "StationSchema.h"

#include <QHash>
#include <QSet>
#include <QTemporaryDir>

namespace {

// What the command changed in the copy: the versions it made, the sets
// they name, the standards it took out.
ServerLibraryChange changes(const ServerLibraryCopy& before, const StandardLibrary& after)
{
    QHash<QUuid, qint64> standardVersions;
    for (const Standard& s : before.standards) {
        standardVersions.insert(s.id, s.version);
    }
    QHash<QUuid, qint64> setVersions;
    for (const LibraryToleranceSet& t : before.sets) {
        setVersions.insert(t.id, t.version);
    }
    ServerLibraryChange change;
    QSet<QUuid> setsTaken;
    const auto takeSet = [&](const std::optional<LibraryToleranceSet>& set) {
        if (set && set->version > setVersions.value(set->id, 0) && !setsTaken.contains(set->id)) {
            setsTaken.insert(set->id);
            change.sets.append(*set);
        }
    };
    for (const LibraryToleranceSet& shared : after.sharedSets()) {
        takeSet(shared);
    }
    QSet<QUuid> current;
    for (const Standard& s : after.standards()) {
        current.insert(s.id);
        if (!s.toleranceSetId.isNull()) {
            takeSet(after.toleranceSet(s.toleranceSetId));
        }
        if (s.version > standardVersions.value(s.id, 0)) {
            change.standards.append(s);
        }
    }
    for (const Standard& s : before.standards) {
        if (!current.contains(s.id)) {
            change.removed.append(s);
        }
    }
    return change;
}

} // namespace

bool stationLibraryInUse(CliContext& cli)
{
    return stationConfigFrom(cli).isConfigured();
}

int runStandardsOnServer(CliContext& cli, bool edits, const std::function<int(CliContext&)>& run)
{
    StationConfig config = stationConfigFrom(cli);
    if (!readStationPassword(cli, config)) {
        return ExitFile;
    }
    PgConnection connection(config);
    if (!connection.open()) {
        cli.message(connection.failureText());
        return ExitRefused;
    }
    QString error;
    const int version = StationSchema::serverVersion(connection, &error);
    if (version < 0) {
        cli.message(error);
        return ExitRefused;
    }
    if (const QString refusal = StationSchema::writeRefusal(connection, version); !refusal.isEmpty()) {
        cli.message(refusal);
        return ExitRefused;
    }
    // Asked before anything is read or parsed: a station's role is told at
    // once who may edit.
    if (edits && !ServerLibrary::mayEdit(connection)) {
        cli.message(ServerLibrary::editRefusal(config));
        return ExitUsage;
    }
    ServerLibraryCopy server;
    if (!ServerLibrary::read(connection, 0, &server, &error)) {
        cli.message(error);
        return ExitRefused;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("standards.sqlite"));
    {
        StandardLibrary copy(path);
        if (!dir.isValid() || !copy.open() || !copy.replaceFromServer(server.standards, server.sets)) {
            cli.message(Cli::tr("The library of standards of %1 cannot be copied here: %2")
                            .arg(config.serverName(), dir.isValid() ? copy.errorText() : dir.errorString()));
            return ExitFile;
        }
    }
    // The command opens the copy as it would open the station's own library.
    CliEnvironment& env = cli.environment();
    const QString ownPath = env.standardsPath;
    env.standardsPath = path;
    const int status = run(cli);
    env.standardsPath = ownPath;
    if (status != ExitOk || !edits) {
        return status;
    }
    StandardLibrary after(path);
    if (!after.open()) {
        cli.message(after.errorText());
        return ExitFile;
    }
    if (!ServerLibrary::write(connection, changes(server, after), &error)) {
        cli.message(error);
        // An edit refused (the role, a name taken, a version someone else
        // wrote meanwhile) as a refused edit is here; anything else as the
        // server's failure.
        const QByteArray state = connection.sqlState();
        const bool refusedEdit = state == "42501" || state == "40001" || state.startsWith("23");
        return refusedEdit ? ExitUsage : ExitRefused;
    }
    return ExitOk;
}
