// The history window's first page over a journal of 1 000 000 records in 100
// closed sessions: the journal is written in one transaction through one
// prepared statement (as the journal's own columns are filled), then the
// first page of JournalHistory is timed with no filter, with a model, with a
// test-name pattern, with a verdict and a date range, and with a session
// (medians of 5, each on a connection of its own as the window opens it), and
// the statistics of the whole selection after it.
//
//   tintwell_history_bench [--rows N]
//
// The last line is "first page of N records: M ms" (the slowest median).

#include "JournalHistory.h"
#include "RecordCodec.h"
#include "RecordJournal.h"
#include "RecordJournalSql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

ComparisonRecord recordAt(qint64 i, const QDateTime& start)
{
    ComparisonRecord r;
    r.testName = QStringLiteral("Comp%1").arg(i % 10000);
    r.modelName = i % 3 == 0 ? QStringLiteral("TX450") : QStringLiteral("TX310");
    r.serialNumber = QStringLiteral("SN-0042");
    r.time = start.addSecs(i * 30);
    for (int v = 0; v < ComparisonRecord::ValueCount; ++v) {
        r.standard[v] = std::nan("");
        r.sample[v] = std::nan("");
    }
    r.standard[ComparisonRecord::LabL] = 50.0 + double(i / 10000 % 5);
    r.standard[ComparisonRecord::LabA] = 1.0;
    r.standard[ComparisonRecord::LabB] = 2.0;
    r.sample[ComparisonRecord::LabL] = 50.5;
    r.deltaE = double(i % 400) / 100.0;
    r.pass = r.deltaE < 2.0;
    return r;
}

double medianMs(const std::function<void()>& run)
{
    std::vector<double> times;
    for (int k = 0; k < 5; ++k) {
        QElapsedTimer t;
        t.start();
        run();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qint64 count = 1000000;
    const QStringList args = app.arguments();
    if (const int i = int(args.indexOf(QStringLiteral("--rows"))); i > 0 && i + 1 < args.size()) {
        count = args.at(i + 1).toLongLong();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    {
        RecordJournal journal(path);
        if (!journal.open()) {
            std::fprintf(stderr, "cannot open the journal: %s\n", qPrintable(journal.errorText()));
            return 1;
        }
    }
    const QDateTime start(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    QElapsedTimer built;
    built.start();
    qint64 middleSession = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(path);
        if (!db.open() || !db.transaction()) {
            std::fprintf(stderr, "cannot write the journal\n");
            return 1;
        }
        QSqlQuery session(db);
        session.prepare(QStringLiteral("INSERT INTO sessions (started, model, closed) VALUES (?, 'TX310', 1)"));
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO records (session, id, version, data, %1) VALUES (?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                           .arg(QLatin1String(RecordJournalSql::kHistoryColumns)));
        const qint64 perSession = std::max<qint64>(1, count / 100);
        qint64 sessionId = 0;
        for (qint64 i = 0; i < count; ++i) {
            const ComparisonRecord r = recordAt(i, start);
            if (i % perSession == 0) {
                session.bindValue(0, r.time.toString(Qt::ISODateWithMs));
                session.exec();
                sessionId = session.lastInsertId().toLongLong();
                if (i / perSession == 50) {
                    middleSession = sessionId;
                }
            }
            insert.bindValue(0, sessionId);
            insert.bindValue(1, QUuid::createUuid().toRfc4122());
            insert.bindValue(2, RecordCodec::encode(r));
            RecordJournalSql::bindHistoryColumns(insert, 3, r);
            if (!insert.exec()) {
                std::fprintf(stderr, "insert failed: %s\n", qPrintable(insert.lastError().text()));
                return 1;
            }
        }
        if (!db.commit()) {
            std::fprintf(stderr, "commit failed\n");
            return 1;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    std::printf("journal of %lld records written in %.1f s\n", static_cast<long long>(count), double(built.elapsed()) / 1000.0);

    const JournalHistory history(path);
    struct Case
    {
        const char* name;
        HistoryFilter filter;
    };
    std::vector<Case> cases{{"no filter", {}}};
    HistoryFilter f;
    f.model = QStringLiteral("TX450");
    cases.push_back({"model", f});
    f = {};
    f.testNamePattern = QStringLiteral("Comp99*");
    cases.push_back({"test name Comp99*", f});
    f = {};
    f.pass = false;
    f.from = start.addDays(100);
    f.to = start.addDays(110);
    cases.push_back({"NG within 10 days", f});
    f = {};
    f.session = middleSession;
    cases.push_back({"one session", f});
    double slowest = 0.0;
    for (const Case& c : cases) {
        int rows = 0;
        bool ok = true;
        const double ms = medianMs([&] {
            QList<HistoryRow> out;
            QString error;
            ok = history.rows(c.filter, 0, &out, &error, {}, nullptr) && ok;
            rows = int(out.size());
        });
        HistoryStatistics s;
        QString error;
        const double statisticsMs = medianMs([&] { history.statistics(c.filter, &s, &error, nullptr); });
        std::printf("%-20s first page %5d rows: %7.1f ms; statistics of %lld: %7.1f ms%s\n", c.name, rows, ms,
                    static_cast<long long>(s.count), statisticsMs, ok ? "" : " (FAILED)");
        slowest = std::max(slowest, ms);
    }
    std::printf("first page of %lld records: %.0f ms\n", static_cast<long long>(count), slowest);
    return 0;
}
