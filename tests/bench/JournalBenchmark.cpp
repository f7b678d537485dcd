// What the comparison journal costs the operator.
//  - live records: one comparison record committed in its own transaction, on
//    the disk that holds the user's data folder; median and 95th percentile.
//  - bytes per record: 100 000 records (imports of 1000), the file's size
//    after a checkpoint over the records it holds.
//  - restore: a new start's view of an open session of 100 000 (and 2 000)
//    records: opening the journal, its open sessions, and the session's
//    records put back into the work's record list (the tables that show the
//    list are not part of it); the memory they take (resident set growth).
//  - start with 100000 closed: opening the journal and asking for open
//    sessions with 100 000 records in closed sessions, over the same with an
//    empty journal (medians of 11, alternating).
//  - rejudge 1000: the 1000 records of the open work changed by re-judging
//    (after 100 000 closed ones), written in one transaction; and 1000
//    records spread over an open session of 100 000.
//  - import overhead: 1000 stored Lab records imported through the workspace
//    page's "Read comparison record" button from the emulated instrument,
//    with the journal off and on (one transaction for the whole import),
//    alternating, five times each; the medians are compared, once over the
//    paced wire (1 ms per report, as the instrument moves them) and once with
//    the emulator answering at once (the page's own work alone).
//
//   tintwell_journal_bench [--rows N]
//
// The last line is "import overhead: R": the paced import's median time with
// the journal over its median time without it.

#include "BenchProcess.h"
#include "EmulatedLink.h"
#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "RecordTables.h"
#include "FirstPageForm.h"
#include "InstrumentLink.h"
#include "QtDialogs.h"
#include "ComparisonRecordList.h"
#include "JournalKeeper.h"
#include "RecordJournal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

ComparisonRecord benchRecord(int n)
{
    ComparisonRecord r;
    r.id = QUuid::createUuid();
    r.sequence = n;
    r.testName = QStringLiteral("Comp%1").arg(n);
    r.time = QDateTime(QDate(2026, 12, 8), QTime(8, 0)).addSecs(60 * (n / 10));
    r.modelName = QStringLiteral("TX310");
    r.serialNumber = QStringLiteral("T310-2026-0042");
    // Values as the instrument reports them: two decimals, x and y four.
    for (int i = 0; i < ComparisonRecord::ValueCount; ++i) {
        const int places = i == ComparisonRecord::X || i == ComparisonRecord::SmallY ? 4 : 2;
        const double step = places == 4 ? 0.0001 : 0.01;
        r.standard[i] = std::round((30.0 + 7 * i + (n % 97) * step) * std::pow(10, places)) / std::pow(10, places);
        r.sample[i] = std::round((30.0 + 7 * i + (n % 89) * step) * std::pow(10, places)) / std::pow(10, places);
    }
    r.hazeDifference = r.sample[0] - r.standard[0];
    r.transmittanceDifference = r.sample[1] - r.standard[1];
    r.deltaE = std::round((n % 300) * 1.0) / 100.0;
    r.pass = r.deltaE <= 2.0;
    r.settings.hazeTolerance = 0.5;
    r.settings.transmittanceTolerance = 1.0;
    r.settings.deltaEThreshold = 2.0;
    r.settings.formulaCode = 1;
    r.settings.displayMode = DisplayMode::HazeTLab;
    r.settings.formulaText = QStringLiteral("CIE76");
    return r;
}

using BenchPage = FirstPageFor310;

// Median seconds of importing `records` Lab records, journal off then on.
std::pair<double, double> importTimes(const QString& journalPath, int records, bool paced, int runs,
                                      Dialogs& dialogs);

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[static_cast<std::size_t>(p * (v.size() - 1))];
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0.0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return 0.0;
}

// A journal file holding `count` records in sessions of `perSession`, the
// last one left open when `leaveOpen`.
bool fillJournal(const QString& path, int count, int perSession, bool leaveOpen)
{
    RecordJournal journal(path);
    if (!journal.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(journal.errorText()));
        return false;
    }
    journal.setSessionInfo(QStringLiteral("TX310"), 0);
    for (int made = 0; made < count;) {
        QList<ComparisonRecord> batch;
        for (int i = 0; i < 1000 && made < count; ++i, ++made) {
            batch.append(benchRecord(made + 1));
        }
        if (!journal.append(batch, made)) {
            std::fprintf(stderr, "append failed: %s\n", qPrintable(journal.errorText()));
            return false;
        }
        if (made % perSession == 0 && !(leaveOpen && made == count)) {
            journal.closeCurrentSession();
        }
    }
    QSqlQuery(QSqlDatabase::database(journal.connectionName())).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return true;
}

qint64 fileBytes(const QString& path)
{
    qint64 bytes = 0;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        bytes += QFileInfo(path + QLatin1String(suffix)).size();
    }
    return bytes;
}

// Milliseconds a new start takes: open, the open sessions; and, when
// `restore`, the first one's records put back into the work's record list.
double startMs(const QString& path, bool restore, int* restored = nullptr, double* megabytes = nullptr)
{
    const double before = residentMegabytes();
    QElapsedTimer timer;
    timer.start();
    ComparisonRecordList work;
    JournalKeeper keeper(std::make_unique<RecordJournal>(path));
    if (!keeper.journal().open()) {
        return -1.0;
    }
    keeper.watch(&work, false);
    const QList<JournalSession> sessions = keeper.openSessions();
    if (restore && !sessions.isEmpty()) {
        keeper.restore(sessions.first());
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    if (restored) {
        *restored = work.size();
    }
    if (megabytes) {
        *megabytes = residentMegabytes() - before;
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList args = app.arguments();
    const int rows = bench::intOption(args, "--rows", 300, 1);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nqt.*=false\ntintwell.journal.info=false"));
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(base);
    QTemporaryDir dir(base + QStringLiteral("/tintwell-journal-bench-XXXXXX"));
    {
        RecordJournal journal(dir.filePath(QStringLiteral("live.sqlite")));
        if (!journal.open()) {
            std::fprintf(stderr, "%s\n", qPrintable(journal.errorText()));
            return 1;
        }
        std::vector<double> costs;
        for (int r = 0; r < rows; ++r) {
            const ComparisonRecord record = benchRecord(r + 1);
            QElapsedTimer timer;
            timer.start();
            if (!journal.append({record}, r + 1)) {
                std::fprintf(stderr, "append failed: %s\n", qPrintable(journal.errorText()));
                return 1;
            }
            costs.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::printf("journal file: %s\n", qPrintable(journal.fileName()));
        std::printf("live records: %d, median %.3f ms, p95 %.3f ms per record (goal: median <= 2 ms)\n", rows,
                    percentile(costs, 0.5), percentile(costs, 0.95));
    }

    constexpr int kMany = 100000;
    const QString open100k = dir.filePath(QStringLiteral("open100k.sqlite"));
    const QString open2k = dir.filePath(QStringLiteral("open2k.sqlite"));
    const QString closed100k = dir.filePath(QStringLiteral("closed100k.sqlite"));
    const QString empty = dir.filePath(QStringLiteral("empty.sqlite"));
    if (!fillJournal(open100k, kMany, kMany, true) || !fillJournal(open2k, 2000, 2000, true)
        || !fillJournal(closed100k, kMany, 2000, false) || !fillJournal(empty, 0, 1, false)) {
        return 1;
    }
    std::printf("goal: bytes per record <= 300\n");
    std::printf("bytes per record: %lld\n", fileBytes(open100k) / kMany);

    int restored = 0;
    double megabytes = 0.0;
    std::vector<double> restore100k, restore2k;
    for (int run = 0; run < 3; ++run) {
        restore100k.push_back(startMs(open100k, true, &restored, run == 0 ? &megabytes : nullptr));
        if (restored != kMany) {
            std::fprintf(stderr, "restored %d of %d records\n", restored, kMany);
            return 1;
        }
    }
    for (int run = 0; run < 7; ++run) {
        restore2k.push_back(startMs(open2k, true, &restored));
    }
    std::printf("goal: restore 100000 <= 1000 ms and <= 200 MB, restore 2000 <= 50 ms (median of 3 and of 7)\n");
    std::printf("restore 100000 memory: %.0f MB\n", megabytes);
    std::printf("restore 2000: %.1f ms\n", percentile(restore2k, 0.5));
    std::printf("restore 100000: %.0f ms\n", percentile(restore100k, 0.5));

    std::vector<double> withClosed, withNothing;
    for (int run = 0; run < 11; ++run) {
        withClosed.push_back(startMs(closed100k, false));
        withNothing.push_back(startMs(empty, false));
    }
    std::printf("start: %.2f ms with 100000 closed records, %.2f ms empty (median of 11; goal: ratio <= 1.1)\n",
                percentile(withClosed, 0.5), percentile(withNothing, 0.5));
    std::printf("start with 100000 closed: %.3f\n", percentile(withClosed, 0.5) / percentile(withNothing, 0.5));

    // Re-judging changes the records of the open work: 1000 records after
    // 100 000 closed ones; then, for comparison, 1000 spread over an open
    // session of 100 000 (every page of the file a different one).
    const auto rejudgeMs = [](const QString& path, int step) {
        RecordJournal journal(path);
        journal.open();
        const QList<JournalSession> sessions = journal.openSessions();
        const QList<ComparisonRecord> records = sessions.isEmpty() ? QList<ComparisonRecord>()
                                                                   : journal.records(sessions.first().id);
        QList<ComparisonRecord> changed;
        for (int i = 0; i < records.size() && changed.size() < 1000; i += step) {
            ComparisonRecord r = records.at(i);
            r.pass = !r.pass;
            r.settings.deltaEThreshold = 1.5;
            ++r.version;
            changed.append(r);
        }
        QElapsedTimer timer;
        timer.start();
        if (changed.size() != 1000 || !journal.update(changed)) {
            std::fprintf(stderr, "update failed: %s\n", qPrintable(journal.errorText()));
            return -1.0;
        }
        return timer.nsecsElapsed() / 1e6;
    };
    {
        RecordJournal journal(closed100k);
        journal.open();
        QList<ComparisonRecord> work;
        for (int i = 0; i < 1000; ++i) {
            work.append(benchRecord(kMany + i + 1));
        }
        journal.append(work);
    }
    const double spread = rejudgeMs(open100k, 97);
    const double work = rejudgeMs(closed100k, 1);
    if (spread < 0 || work < 0) {
        return 1;
    }
    std::printf("rejudge 1000 spread over an open session of 100000: %.1f ms\n", spread);
    std::printf("goal: rejudge 1000 <= 50 ms (one transaction)\n");
    std::printf("rejudge 1000: %.1f ms\n", work);

    QtDialogs progressOnly; // the import's progress dialog is the real one
    double pacedRatio = 0.0;
    for (const bool paced : {false, true}) {
        const auto [off, on] = importTimes(dir.filePath(paced ? QStringLiteral("paced.sqlite") : QStringLiteral("unpaced.sqlite")), 1000, paced, 5, progressOnly);
        if (off <= 0 || on <= 0) {
            return 1;
        }
        std::printf("import of 1000 records through the page, %s: journal off %.3f s, on %.3f s (median of 5)\n",
                    paced ? "paced wire" : "unpaced", off, on);
        if (paced) {
            pacedRatio = on / off;
        }
    }
    std::printf("goal: import overhead <= 1.1 (paced, as an instrument imports)\n");
    std::printf("import overhead: %.3f\n", pacedRatio);
    return 0;
}

namespace {

std::pair<double, double> importTimes(const QString& journalPath, int records, bool paced, int runs,
                                      Dialogs& dialogs)
{
    EmulatedLink link(QStringLiteral("TX310"));
    link.emulator.setPaced(paced);
    link.instrument().fillComparisonRecords(3, records);
    link.instrument().setDisplayMode(3);
    InstrumentLink access(&link.transport);
    BenchPage plain(access, dialogs);
    BenchPage journaled(access, dialogs);
    journaled.tables().startJournal(journalPath);
    std::vector<double> off, on;
    for (int run = 0; run < runs; ++run) {
        for (BenchPage* page : {&plain, &journaled}) {
            page->state().modelName = QStringLiteral("TX310");
            page->state().displayMode = DisplayMode::Lab;
            page->state().deltaEThreshold = 2.0;
            page->panel().applyDisplayMode();
            page->panel().clearWork(false); // the Clear operation without its question
            QApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            page->form().pushButton_readComparisonRecord->click();
            QApplication::processEvents(); // the journal's deferred work runs here
            (page == &plain ? off : on).push_back(timer.nsecsElapsed() / 1e9);
            if (page->form().tableWidget_data->model()->rowCount() != records) {
                std::fprintf(stderr, "import gave %d rows, %d expected\n", page->form().tableWidget_data->model()->rowCount(),
                             records);
                return {0.0, 0.0};
            }
        }
    }
    return {percentile(off, 0.5), percentile(on, 0.5)};
}

} // namespace
