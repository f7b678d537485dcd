#include "CliStationCommands.h"

#include "CliContext.h"
#include "PgConnection.h"
#include "StationHistory.h"
#include "StationSchema.h"

#include <QFile>
#include <QJsonObject>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

// The saved configuration with the command line's options over it.
StationConfig configFrom(CliContext& cli)
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

// The password: the first line of standard input with --password-stdin,
// otherwise the key store's.
bool readPassword(CliContext& cli, StationConfig& c)
{
    if (cli.args().has(QStringLiteral("password-stdin"))) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            return false;
        }
        c.password = QString::fromUtf8(in.readLine()).trimmed();
        return true;
    }
    QString error;
    KeychainPasswordStore store;
    if (!store.read(passwordKey(c), &c.password, &error)) {
        cli.message(Cli::tr("The key store could not be read: %1").arg(error));
        return false;
    }
    return true;
}

int needsServer(CliContext& cli, const StationConfig& c)
{
    if (c.isConfigured()) {
        return ExitOk;
    }
    return cli.usage(Cli::tr("No station database is configured: give --server, --database and --user, "
                             "or run \"tintwell-cli db configure\" first."));
}

QString number(double v)
{
    return std::isnan(v) ? QString() : QString::number(v, 'f', 4);
}

QString csvField(QString text)
{
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))) {
        text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
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
        cli.printJson({{QStringLiteral("server"), c.serverName()},
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
        if (!readPassword(cli, c)) {
            return ExitFile;
        }
        PgConnection connection(c);
        QString error;
        const int version = connection.open() ? StationSchema::serverVersion(connection, &error) : -1;
        if (version < 0) {
            cli.message(error.isEmpty() ? Cli::tr("The station database %1 cannot be reached: %2")
                                              .arg(c.serverName(), connection.errorText())
                                        : error);
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
    for (const auto& [name, target] : {std::pair{QStringLiteral("from"), &filter.from}, std::pair{QStringLiteral("to"), &filter.to}}) {
        if (a.has(name)) {
            *target = QDateTime::fromString(a.value(name), Qt::ISODate);
            if (!target->isValid()) {
                return cli.usage(Cli::tr("--%1 takes a date (yyyy-MM-dd or yyyy-MM-ddThh:mm), not \"%2\".").arg(name, a.value(name)));
            }
        }
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
    if (!connection.open()) {
        cli.message(Cli::tr("The station database %1 cannot be reached: %2").arg(c.serverName(), connection.errorText()));
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
            cli.printJson({{QStringLiteral("count"), s.count},
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
    if (!cli.json()) {
        cli.print(QStringLiteral("id,station,time,test name,model,serial number,standard,dE,haze difference,"
                                 "transmittance difference,verdict"));
    }
    for (const HistoryRow& r : rows) {
        if (cli.json()) {
            cli.printJson({{QStringLiteral("id"), r.id},
                           {QStringLiteral("station"), r.station},
                           {QStringLiteral("time"), r.measuredAt.toUTC().toString(Qt::ISODate)},
                           {QStringLiteral("testName"), r.testName},
                           {QStringLiteral("model"), r.model},
                           {QStringLiteral("standard"), r.standard},
                           {QStringLiteral("deltaE"), std::isnan(r.deltaE) ? QJsonValue() : QJsonValue(r.deltaE)},
                           {QStringLiteral("pass"), r.pass}});
            continue;
        }
        cli.print(QStringList{r.id, csvField(r.station), r.measuredAt.toUTC().toString(Qt::ISODate), csvField(r.testName),
                              csvField(r.model), csvField(r.serialNumber), csvField(r.standard), number(r.deltaE),
                              number(r.hazeDifference), number(r.transmittanceDifference),
                              r.pass ? QStringLiteral("PASS") : QStringLiteral("NG")}
                      .join(QLatin1Char(',')));
    }
    return ExitOk;
}
