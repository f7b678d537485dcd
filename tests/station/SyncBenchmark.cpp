// tintwell_sync_bench: the station database against a throw-away local
// PostgreSQL cluster. 10 stations send 10 000 journaled records each while
// new records keep being journaled, one at a time, until the stations have
// caught up; prints how long until everything was acknowledged, the
// journal's cost per row with and without the sync running (the same rows,
// one transaction each, timed one by one), and how long one standard's
// statistics over 1 000 000 records take. Last line: "throughput: N records/s".
#include "JournalOutbox.h"
#include "PgTestCluster.h"
#include "RecordJournal.h"
#include "StationHistory.h"
#include "StationSchema.h"
#include "StationSync.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

namespace {
constexpr int kStations = 10;
constexpr int kRecordsPerStation = 10000;
constexpr int kAloneRows = 3000;
// Rows keep coming while more than this many wait to be sent (one batch a station).
constexpr int kCaughtUp = kStations * 500;
constexpr int kHistoryRecords = 1000000;

ComparisonRecord benchRecord(int n, int station)
{
    ComparisonRecord r;
    r.id = QUuid::createUuid();
    r.testName = QStringLiteral("Comp%1").arg(n);
    r.time = QDateTime::currentDateTime();
    r.modelName = QStringLiteral("TX450");
    r.serialNumber = QStringLiteral("S%1").arg(station);
    r.standard.fill(ComparisonRecord::kUnknown);
    r.sample.fill(ComparisonRecord::kUnknown);
    r.standard[ComparisonRecord::LabL] = 52.1;
    r.standard[ComparisonRecord::LabA] = -1.2;
    r.standard[ComparisonRecord::LabB] = 3.4;
    r.sample = r.standard;
    r.sample[ComparisonRecord::LabL] += 0.001 * (n % 1000);
    r.deltaE = 0.001 * (n % 1000);
    r.pass = r.deltaE < 0.8;
    return r;
}

// Nanoseconds this thread has waited for a CPU while it could run (Linux);
// -1 where the kernel does not say.
qint64 runQueueWait()
{
    std::ifstream stat("/proc/thread-self/schedstat");
    qint64 onCpu = 0;
    qint64 waited = -1;
    return stat >> onCpu >> waited ? waited : -1;
}

struct JournalCost
{
    int rows = 0;
    double meanMs = 0;
    double medianMs = 0;
    double cpuWaitMs = -1; // per row: runnable, waiting for a CPU
};

// Appends single records (one transaction each) round the journals while
// `more()` says so, checked every 100 rows outside the timing.
JournalCost journalRows(const std::vector<std::unique_ptr<RecordJournal>>& journals, int first,
                        const std::function<bool(int rows)>& more)
{
    std::vector<double> times;
    const qint64 waitedBefore = runQueueWait();
    for (int n = 0; n % 100 != 0 || more(n); ++n) {
        const int station = n % int(journals.size());
        const ComparisonRecord record = benchRecord(first + n, station);
        QElapsedTimer t;
        t.start();
        journals[station]->append({record});
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    const qint64 waitedAfter = runQueueWait();
    JournalCost cost;
    cost.rows = int(times.size());
    if (cost.rows == 0) {
        return cost;
    }
    for (double t : times) {
        cost.meanMs += t / cost.rows;
    }
    std::nth_element(times.begin(), times.begin() + cost.rows / 2, times.end());
    cost.medianMs = times[cost.rows / 2];
    if (waitedBefore >= 0 && waitedAfter >= 0) {
        cost.cpuWaitMs = (waitedAfter - waitedBefore) / 1e6 / cost.rows;
    }
    return cost;
}

int fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PgTestCluster cluster;
    QString skip;
    QString error;
    // The server's files on a RAM disk where there is one: in a plant the
    // server has a disk of its own, and the stations' journals should not
    // queue behind its writes here.
    const QString serverParent = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QString();
    cluster.setBackground(true);
    if (!cluster.start(&skip, &error, serverParent)) {
        return fail(skip.isEmpty() ? error : skip);
    }
    std::printf("server: files in %s, runs %s\n", qPrintable(serverParent.isEmpty() ? QDir::tempPath() : serverParent),
                qPrintable(cluster.backgroundText()));
    PgConnection admin(cluster.admin());
    const MigrationOutcome migrated = StationSchema::migrate(admin);
    if (!migrated.ok) {
        return fail(migrated.error);
    }
    QTemporaryDir dir;
    std::vector<StationConfig> stations;
    std::vector<std::unique_ptr<RecordJournal>> journals;
    for (int s = 0; s < kStations; ++s) {
        stations.push_back(cluster.addStation(QStringLiteral("bench_%1").arg(s)));
        journals.push_back(std::make_unique<RecordJournal>(dir.filePath(QStringLiteral("j%1.sqlite").arg(s))));
        if (!journals.back()->open()) {
            return fail(journals.back()->errorText());
        }
    }
    for (int s = 0; s < kStations; ++s) {
        QList<ComparisonRecord> batch;
        for (int n = 0; n < kRecordsPerStation; ++n) {
            batch.append(benchRecord(n, s));
        }
        journals[s]->append(batch);
    }
    // The journal's cost per row with no sync running, on journals as full
    // as the ones timed while syncing.
    const JournalCost alone = journalRows(journals, 2 * kRecordsPerStation, [](int rows) { return rows < kAloneRows; });
    std::printf("stations: %d, records journaled before the sync: %d\n", kStations,
                kStations * kRecordsPerStation + alone.rows);

    std::vector<std::unique_ptr<JournalOutbox>> outboxes;
    std::vector<std::unique_ptr<StationSync>> syncs;
    auto waiting = [&] {
        int sum = 0;
        for (auto& j : journals) {
            sum += j->unacknowledgedCount();
        }
        return sum;
    };
    QElapsedTimer clock;
    clock.start();
    for (int s = 0; s < kStations; ++s) {
        outboxes.push_back(std::make_unique<JournalOutbox>(journals[s]->fileName()));
        syncs.push_back(std::make_unique<StationSync>(stations[s], outboxes[s].get()));
    }
    // New records keep coming while the sync runs, until it has caught up.
    const JournalCost withSync = journalRows(journals, 3 * kRecordsPerStation, [&](int) {
        return waiting() > kCaughtUp && clock.elapsed() < 60000;
    });
    const int total = kStations * kRecordsPerStation + alone.rows + withSync.rows;
    for (auto& sync : syncs) {
        sync->journaled();
    }
    while (waiting() > 0 && clock.elapsed() < 120000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    const qint64 elapsed = clock.elapsed();
    const int left = waiting();
    syncs.clear();
    outboxes.clear();
    const qint64 arrived = cluster.adminCount("SELECT count(*) FROM tintwell.records");
    std::printf("acknowledged: %lld of %d records in %.2f s (%d still waiting)\n", static_cast<long long>(arrived),
                total, elapsed / 1000.0, left);
    std::printf("journal per row: %.3f ms alone (%d rows), %.3f ms while syncing (%d rows) (x%.2f)\n", alone.meanMs,
                alone.rows, withSync.meanMs, withSync.rows, withSync.meanMs / alone.meanMs);
    std::printf("  median %.3f ms alone, %.3f ms while syncing", alone.medianMs, withSync.medianMs);
    if (alone.cpuWaitMs >= 0 && withSync.cpuWaitMs >= 0) {
        std::printf("; waiting for a CPU %.3f / %.3f ms per row", alone.cpuWaitMs, withSync.cpuWaitMs);
    }
    std::printf("\n");
    double loadAverage[3] = {0, 0, 0};
    if (getloadavg(loadAverage, 3) > 0) {
        std::printf("load average of the computer meanwhile: %.2f on %d cores\n", loadAverage[0], QThread::idealThreadCount());
    }

    // One standard's statistics over a million records of ten stations
    // (left out with --sync-only).
    if (app.arguments().contains(QStringLiteral("--sync-only"))) {
        std::printf("throughput: %.0f records/s\n", arrived * 1000.0 / std::max<qint64>(elapsed, 1));
        return 0;
    }
    QElapsedTimer load;
    load.start();
    cluster.adminExec("SET statement_timeout = 0");
    const QString loaded = cluster.adminExec(
        "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model, serial_number,"
        " standard, legacy, standard_values, sample_values, delta_e, haze_difference, transmittance_difference,"
        " pass, settings) SELECT gen_random_uuid(), 1, 1 + n % 10, now() - n * interval '1 second',"
        " 'Comp' || n, 'TX450', 'S1', 'Lab 60.00 1.00 2.00', false, '{60,1,2}', '{60,1,2}',"
        " (n % 997) / 1000.0, 0, 0, n % 997 < 800, '{}' FROM generate_series(1, "
        + QByteArray::number(kHistoryRecords) + ") n");
    if (!loaded.isEmpty()) {
        return fail(loaded);
    }
    cluster.adminExec("VACUUM ANALYZE tintwell.records");
    std::printf("history: %d records of one standard loaded in %.1f s\n", kHistoryRecords, load.elapsed() / 1000.0);
    QString managerError;
    StationSchema::addManager(admin, QStringLiteral("bench_manager"), QStringLiteral("pw"), &managerError);
    PgConnection manager(cluster.as(QStringLiteral("bench_manager"), QStringLiteral("pw")));
    if (!manager.open()) {
        return fail(manager.errorText());
    }
    HistoryFilter filter;
    filter.standard = QStringLiteral("Lab 60.00 1.00 2.00");
    std::vector<double> times;
    HistoryStatistics stats;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer q;
        q.start();
        if (!StationHistory::statistics(manager, filter, &stats, &error)) {
            return fail(error);
        }
        times.push_back(q.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("history statistics of one standard: %lld records, mean dE %.4f, sd %.4f, %lld pass;"
                " %.1f ms (median of 5, slowest %.1f ms)\n",
                static_cast<long long>(stats.count), stats.deltaEMean, stats.deltaEStandardDeviation,
                static_cast<long long>(stats.passCount), times[2], times[4]);
    std::printf("throughput: %.0f records/s\n", arrived * 1000.0 / std::max<qint64>(elapsed, 1));
    return 0;
}
