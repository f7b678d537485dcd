#include "CliStationCommands.h"

#include "CliContext.h"
#include "CsvFormat.h"
#include "PgConnection.h"
#include "StationHistory.h"
#include "StationSchema.h"

#include <QFile>
#include <QJsonObject>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <functional>

// The saved configuration with the command line's options over it.
StationConfig stationConfigFrom(CliContext& cli)
{
    StationConfig c = StationConfig::loadSaved();
    const CliArguments& a = cli.args();
    if (a.has(QStringLiteral("server"))) {
        c.host = a.value(QStringLiteral("server"));
    }
    if (a.has(QStringLiteral("port"))) {
        c.port = a.value(QStringLiteral("port")).toInt();
    }
    if (a.has(QStringLiteral("database"))) {
        c.database = a.value(QStringLiteral("database"));
    }
    if (a.has(QStringLiteral("user"))) {
        c.user = a.value(QStringLiteral("user"));
    }
    if (a.has(QStringLiteral("station"))) {
        c.station = a.value(QStringLiteral("station"));
    }
    if (a.has(QStringLiteral("ca"))) {
        c.caFile = a.value(QStringLiteral("ca"));
    }
    return c;
}

namespace {

StationConfig configFrom(CliContext& cli)
{
    return stationConfigFrom(cli);
}

// The next line of standard input, without its line end; lines are taken in
// turn (the login's password, then a new role's).
bool stdinLine(QString* line)
{
    static QFile in;
    if (!in.isOpen() && !in.open(stdin, QIODevice::ReadOnly)) {
        return false;
    }
    QByteArray bytes = in.readLine();
    // Only the line end: spaces are part of a password.
    if (bytes.endsWith('\n')) {
        bytes.chop(1);
    }
    if (bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    *line = QString::fromUtf8(bytes);
    return true;
}

// The password: the first line of standard input with --password-stdin,
// otherwise the key store's.
bool readPassword(CliContext& cli, StationConfig& c)
{
    if (cli.args().has(QStringLiteral("password-stdin"))) {
        return stdinLine(&c.password);
    }
    QString error;
    KeychainPasswordStore store;
    if (!store.read(passwordKey(c), &c.password, &error)) {
        cli.message(Cli::tr("The key store could not be read: %1").arg(error));
        return false;
    }
    return true;
}

} // namespace

bool readStationPassword(CliContext& cli, StationConfig& c)
{
    return readPassword(cli, c);
}

namespace {

int needsServer(CliContext& cli, const StationConfig& c)
{
    if (c.isConfigured()) {
        return ExitOk;
    }
    return cli.usage(Cli::tr("No station database is configured: give --server, --database and --user, "
                             "or run \"tintwell-cli db configure\" first."));
}

// Opens the connection, or says why it cannot.
bool reached(CliContext& cli, PgConnection& connection)
{
    if (connection.open()) {
        return true;
    }
    cli.message(connection.failureText());
    return false;
}

QString number(double v)
{
    return std::isnan(v) ? QString() : QString::number(v, 'f', 4);
}

} // namespace

int runDbMigrate(CliContext& cli)
{
    StationConfig c = configFrom(cli);
    if (const int status = needsServer(cli, c); status != ExitOk) {
        return status;
    }
    if (cli.args().has(QStringLiteral("password-stdin")) && !readPassword(cli, c)) {
        return ExitUsage;
    }
    PgConnection connection(c);
    const MigrationOutcome outcome = StationSchema::migrate(connection);
    if (!outcome.ok) {
        cli.message(outcome.error);
        return ExitRefused;
    }
    if (cli.json()) {
        cli.printJson({{QStringLiteral("type"), QStringLiteral("migration")},
                       {QStringLiteral("server"), c.serverName()},
                       {QStringLiteral("before"), outcome.before},
                       {QStringLiteral("after"), outcome.after}});
    } else {
        cli.print(Cli::tr("%1: schema version %2 (was %3)").arg(c.serverName()).arg(outcome.after).arg(outcome.before));
    }
    return ExitOk;
}

int runDbConfigure(CliContext& cli)
{
    StationConfig c = configFrom(cli);
    if (const int status = needsServer(cli, c); status != ExitOk) {
        return status;
    }
    if (cli.args().has(QStringLiteral("password-stdin"))) {
        if (!readPassword(cli, c)) {
            return ExitUsage;
        }
        QString error;
        KeychainPasswordStore store;
        if (!store.write(passwordKey(c), c.password, &error)) {
            cli.message(Cli::tr("The password was not stored: the key store refused: %1").arg(error));
            return ExitFile;
        }
    }
    c.saveAsSaved();
    if (cli.args().has(QStringLiteral("test"))) {
        // The line given on standard input was read above, and is the one tested.
        if (!cli.args().has(QStringLiteral("password-stdin")) && !readPassword(cli, c)) {
            return ExitFile;
        }
        PgConnection connection(c);
        if (!reached(cli, connection)) {
            return ExitRefused;
        }
        QString error;
        const int version = StationSchema::serverVersion(connection, &error);
        if (version < 0) {
            cli.message(error);
            return ExitRefused;
        }
        const QString refusal = StationSchema::writeRefusal(connection, version);
        if (!refusal.isEmpty()) {
            cli.message(refusal);
            return ExitRefused;
        }
    }
    cli.print(Cli::tr("Station %1 sends to %2 as %3.").arg(c.station, c.serverName(), c.user));
    return ExitOk;
}

int runHistory(CliContext& cli)
{
    StationConfig c = configFrom(cli);
    if (const int status = needsServer(cli, c); status != ExitOk) {
        return status;
    }
    if (!readPassword(cli, c)) {
        return ExitFile;
    }
    const CliArguments& a = cli.args();
    HistoryFilter filter;
    if (!cli.dateOption(QStringLiteral("from"), filter.from) || !cli.dateOption(QStringLiteral("to"), filter.to)) {
        return ExitUsage;
    }
    filter.stations = a.values(QStringLiteral("at"));
    filter.model = a.value(QStringLiteral("model"));
    filter.standard = a.value(QStringLiteral("standard"));
    filter.testNamePattern = a.value(QStringLiteral("name"));
    if (a.has(QStringLiteral("verdict"))) {
        const QString v = a.value(QStringLiteral("verdict")).toLower();
        if (v != QLatin1String("pass") && v != QLatin1String("ng")) {
            return cli.usage(Cli::tr("--verdict takes pass or ng."));
        }
        filter.pass = v == QLatin1String("pass");
    }
    PgConnection connection(c);
    if (!reached(cli, connection)) {
        return ExitRefused;
    }
    QString error;
    if (a.has(QStringLiteral("stats"))) {
        HistoryStatistics s;
        if (!StationHistory::statistics(connection, filter, &s, &error)) {
            cli.message(error);
            return ExitRefused;
        }
        if (cli.json()) {
            cli.printJson({{QStringLiteral("type"), QStringLiteral("historyStatistics")},
                           {QStringLiteral("count"), s.count},
                           {QStringLiteral("pass"), s.passCount},
                           {QStringLiteral("deltaEMean"), std::isnan(s.deltaEMean) ? QJsonValue() : QJsonValue(s.deltaEMean)},
                           {QStringLiteral("deltaESd"), std::isnan(s.deltaEStandardDeviation) ? QJsonValue() : QJsonValue(s.deltaEStandardDeviation)},
                           {QStringLiteral("deltaEMin"), std::isnan(s.deltaEMinimum) ? QJsonValue() : QJsonValue(s.deltaEMinimum)},
                           {QStringLiteral("deltaEMax"), std::isnan(s.deltaEMaximum) ? QJsonValue() : QJsonValue(s.deltaEMaximum)}});
        } else {
            cli.print(QStringLiteral("count,pass,ng,dE mean,dE sd,dE min,dE max"));
            cli.print(QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                          .arg(s.count)
                          .arg(s.passCount)
                          .arg(s.count - s.passCount)
                          .arg(number(s.deltaEMean), number(s.deltaEStandardDeviation), number(s.deltaEMinimum),
                               number(s.deltaEMaximum)));
        }
        return ExitOk;
    }
    QList<HistoryRow> rows;
    if (!StationHistory::records(connection, filter, &rows, &error)) {
        cli.message(error);
        return ExitRefused;
    }
    if (cli.json()) {
        for (const HistoryRow& r : rows) {
            cli.printJson({{QStringLiteral("type"), QStringLiteral("historyRecord")},
                           {QStringLiteral("id"), r.id},
                           {QStringLiteral("station"), r.station},
                           {QStringLiteral("time"), r.measuredAt.toUTC().toString(Qt::ISODate)},
                           {QStringLiteral("testName"), r.testName},
                           {QStringLiteral("model"), r.model},
                           {QStringLiteral("standard"), r.standard},
                           {QStringLiteral("deltaE"), std::isnan(r.deltaE) ? QJsonValue() : QJsonValue(r.deltaE)},
                           {QStringLiteral("pass"), r.pass}});
        }
        return ExitOk;
    }
    // The names come from every station: the writer keeps one that starts
    // like a formula from running in a spreadsheet.
    formats::CsvWriter csv(*cli.environment().out);
    for (const char* title : {"id", "station", "time", "test name", "model", "serial number", "standard", "dE",
                              "haze difference", "transmittance difference", "verdict"}) {
        csv.text(QString::fromLatin1(title));
    }
    bool written = csv.endRow();
    for (const HistoryRow& r : rows) {
        for (const QString& text : {r.id, r.station, r.measuredAt.toUTC().toString(Qt::ISODate), r.testName, r.model,
                                    r.serialNumber, r.standard}) {
            csv.text(text);
        }
        for (const double value : {r.deltaE, r.hazeDifference, r.transmittanceDifference}) {
            csv.number(value, 4);
        }
        csv.text(r.pass ? QStringLiteral("PASS") : QStringLiteral("NG"));
        if (!csv.endRow()) {
            written = false;
            break;
        }
    }
    if (!written || !csv.finish()) {
        cli.message(csv.errorString());
        return ExitFile;
    }
    return ExitOk;
}

namespace {

// Logs in as the configured (or given) role, reads the new role's password
// and hands both to `add`. The new password comes from standard input with
// --new-password-stdin (after the login's line with --password-stdin), or
// else from the key store's entry of that role on that server (as
// "db configure" stored it); never from the command line, where any user
// could read it in the process list.
int addRole(CliContext& cli, const QString& role, const QString& kind, const QString& station,
            const std::function<bool(PgConnection&, const QString&, QString*)>& add)
{
    StationConfig c = configFrom(cli);
    if (const int status = needsServer(cli, c); status != ExitOk) {
        return status;
    }
    if (role.trimmed().isEmpty()) {
        return cli.usage(Cli::tr("\"%1\" cannot be the name of a role.").arg(role));
    }
    if (cli.args().has(QStringLiteral("password-stdin")) && !readPassword(cli, c)) {
        return ExitUsage;
    }
    QString password;
    if (cli.args().has(QStringLiteral("new-password-stdin"))) {
        if (!stdinLine(&password)) {
            return ExitUsage;
        }
    } else {
        StationConfig target = c;
        target.user = role;
        QString error;
        KeychainPasswordStore store;
        if (!store.read(passwordKey(target), &password, &error)) {
            cli.message(Cli::tr("The key store could not be read: %1").arg(error));
            return ExitFile;
        }
    }
    if (password.isEmpty()) {
        return cli.usage(Cli::tr("No password for the role %1: give it on standard input with --new-password-stdin, "
                                 "or store it first with \"tintwell-cli db configure --user %1 --password-stdin\".")
                             .arg(role));
    }
    PgConnection connection(c);
    if (!reached(cli, connection)) {
        return ExitRefused;
    }
    QString error;
    if (!add(connection, password, &error)) {
        cli.message(error);
        return ExitRefused;
    }
    if (cli.json()) {
        QJsonObject o{{QStringLiteral("type"), QStringLiteral("role")},
                      {QStringLiteral("server"), c.serverName()},
                      {QStringLiteral("role"), role},
                      {QStringLiteral("kind"), kind}};
        if (!station.isEmpty()) {
            o.insert(QStringLiteral("station"), station);
        }
        cli.printJson(o);
    } else if (kind == QLatin1String("editor")) {
        cli.print(Cli::tr("%1: the editor role %2 edits the library of standards.").arg(c.serverName(), role));
    } else if (station.isEmpty()) {
        cli.print(Cli::tr("%1: the manager role %2 reads every station's records.").arg(c.serverName(), role));
    } else {
        cli.print(Cli::tr("%1: station %2 sends as the role %3.").arg(c.serverName(), station, role));
    }
    return ExitOk;
}

} // namespace

int runDbAddStation(CliContext& cli)
{
    const QString station = cli.args().positionals.value(0);
    const QString role = cli.args().has(QStringLiteral("role")) ? cli.args().value(QStringLiteral("role")) : station;
    if (station.trimmed().isEmpty()) {
        return cli.usage(Cli::tr("A station needs a name."));
    }
    return addRole(cli, role, QStringLiteral("station"), station,
                   [&](PgConnection& connection, const QString& password, QString* error) {
                       return StationSchema::addStation(connection, station, role, password, error);
                   });
}

int runDbAddManager(CliContext& cli)
{
    const QString role = cli.args().positionals.value(0);
    return addRole(cli, role, QStringLiteral("manager"), QString(),
                   [&](PgConnection& connection, const QString& password, QString* error) {
                       return StationSchema::addManager(connection, role, password, error);
                   });
}

int runDbAddEditor(CliContext& cli)
{
    const QString role = cli.args().positionals.value(0);
    return addRole(cli, role, QStringLiteral("editor"), QString(),
                   [&](PgConnection& connection, const QString& password, QString* error) {
                       return StationSchema::addEditor(connection, role, password, error);
                   });
}
