// report batch: the batch report of comparisons the window kept in its
// journal, written as a PDF without a window.

#include "CliCommand.h"
#include "CliContext.h"
#include "CliSubcommands.h"

#include "BatchRecordFields.h"
#include "BatchReport.h"
#include "RecordJournal.h"
#include "StatisticsTable.h"
#include "TestInformation.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

int runReportBatch(CliContext& cli)
{
    const CliArguments& args = cli.args();
    if (!args.has(QStringLiteral("output"))) {
        return cli.usage(Cli::tr("report batch needs -o FILE.pdf."));
    }
    if (args.has(QStringLiteral("session")) && args.has(QStringLiteral("since"))) {
        return cli.usage(Cli::tr("Give --session or --since, not both."));
    }
    qint64 session = -1;
    if (args.has(QStringLiteral("session"))) {
        bool ok = false;
        session = args.value(QStringLiteral("session")).toLongLong(&ok);
        if (!ok || session <= 0) {
            return cli.usage(Cli::tr("--session takes the number of a session of the journal."));
        }
    }
    QDateTime since;
    if (!cli.dateOption(QStringLiteral("since"), since)) {
        return ExitUsage;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        cli.message(Cli::tr("The report cannot be drawn in this process."));
        return ExitFile;
    }
    const QString path = cli.environment().journalPath.isEmpty() ? RecordJournal::defaultPath()
                                                                  : cli.environment().journalPath;
    if (!QFileInfo::exists(path)) {
        return cli.usage(Cli::tr("No journal at %1: the window has kept nothing yet.").arg(path));
    }
    // A second connection, as the station sync opens it: the window may run meanwhile.
    RecordJournal journal(path);
    if (!journal.open(RecordJournal::Role::Shared)) {
        cli.message(journal.errorText());
        return ExitFile;
    }
    QList<JournalSession> sessions = journal.closedSessions();
    sessions += journal.openSessions();
    std::sort(sessions.begin(), sessions.end(),
              [](const JournalSession& a, const JournalSession& b) { return a.id < b.id; });
    if (session > 0 && std::none_of(sessions.cbegin(), sessions.cend(),
                                    [&](const JournalSession& s) { return s.id == session; })) {
        return cli.usage(Cli::tr("The journal has no session %1.").arg(session));
    }
    QList<ComparisonRecord> records;
    for (const JournalSession& s : sessions) {
        if (session > 0 && s.id != session) {
            continue;
        }
        for (const ComparisonRecord& record : journal.records(s.id)) {
            if (!since.isValid() || record.time >= since) {
                records << record;
            }
        }
    }
    BatchReportInput input;
    if (session > 0) {
        input.scope = Cli::tr("session %1").arg(session);
    } else if (since.isValid()) {
        input.scope = Cli::tr("since %1").arg(since.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
    }
    if (args.has(QStringLiteral("standard"))) {
        // One standard's rows: named as the report names it, by its number
        // or by the name of its first row.
        const QString name = args.value(QStringLiteral("standard")).trimmed();
        WorkStatistics work(shownQuantities(records));
        work.rebuild(records);
        int chosen = -1;
        for (int g = 0; g < static_cast<int>(work.groups().size()) && chosen < 0; ++g) {
            const StatisticsGroup& group = work.groups()[g];
            const ComparisonRecord& first = records.at(group.rows.front());
            const QString reportName = batchStandardFields(first, statisticsGroupName(group, g)).name;
            if (reportName.compare(name, Qt::CaseInsensitive) == 0
                || group.firstTestName.compare(name, Qt::CaseInsensitive) == 0 || name == QString::number(g + 1)) {
                chosen = g;
            }
        }
        if (chosen < 0) {
            return cli.usage(Cli::tr("No rows were compared with a standard named %1.").arg(name));
        }
        QList<ComparisonRecord> kept;
        for (const int row : work.groups()[chosen].rows) {
            kept << records.at(row);
        }
        records = kept;
        input.scope = input.scope.isEmpty() ? name : input.scope + QStringLiteral(", ") + name;
    }
    if (records.isEmpty()) {
        return cli.usage(Cli::tr("No records to report: the journal holds none of those chosen."));
    }
    const TestInformation information = loadTestInformation();
    input.records = records;
    input.company = information.company;
    input.tester = information.tester;
    input.auditor = information.auditor;
    const BatchReportDocument document = buildBatchReport(input, QDateTime::currentDateTime());
    QString error;
    if (!writeBatchReportPdf(document, args.value(QStringLiteral("output")), &error)) {
        cli.message(error);
        return ExitFile;
    }
    cli.message(Cli::tr("Report of %1 records written to %2.").arg(records.size()).arg(args.value(QStringLiteral("output"))));
    return ExitOk;
}
