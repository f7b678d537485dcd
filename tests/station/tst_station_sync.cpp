// The sync worker against a real PostgreSQL server, with the faults a plant
// network brings: the server stopped in the middle of the work, the station
// killed between the server's commit and the journal's acknowledgement, the
// connection terminated under it, two stations at once, a station touching
// another's row, a schema newer than the program, a batch cancelled on the
// server, damaged journal rows; and when the worker tries again.
#include "FileOutbox.h"
#include "JournalOutbox.h"
#include "RecordJournal.h"
#include "PgTestStart.h"
#include "StationHistory.h"
#include "StationSchema.h"
#include "StationSync.h"
#include "WaitUntil.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
QList<ComparisonRecord> makeRecords(int count, const QString& prefix)
{
    QList<ComparisonRecord> out;
    for (int n = 0; n < count; ++n) {
        out.append(testRecord(QStringLiteral("%1%2").arg(prefix).arg(n), 0.01 * n));
    }
    return out;
}

SyncOptions quickOptions()
{
    SyncOptions o;
    o.batchSize = 100;
    o.firstRetryDelayMs = 50;
    o.longestRetryDelayMs = 400;
    o.idlePollMs = 100;
    return o;
}
} // namespace

class TestStationSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void sendsInJournalOrder_resentBatchIsSuccess();
    void serverStopped_everyRecordArrivesOnce_data();
    void serverStopped_everyRecordArrivesOnce();
    void killedBetweenCommitAndAcknowledgement_resendIsHarmless();
    void backendTerminated_reconnectsAndPreparesAgain();
    void twoStationsAtOnce_anotherStationsRowRefused();
    void newerSchema_refusesToWriteAndSaysSo();
    void journalIsTheOutbox_changesAndDeletionsArrive();
    void journalOutbox_refusalSurvivesRestart();
    void batchCancelled_triedAgainNotRefused();
    void damagedJournalRows_setAsideTheRestArrive();
    void legacyRecord_arrivesWithEveryValue();
    void retryDelay_doublesAfterEachFailure_data();
    void retryDelay_doublesAfterEachFailure();

private:
    // The records of a station on the server, in the order they arrived.
    QStringList serverNames(const QString& role);
    StationConfig newStation();

    PgTestCluster m_cluster;
    QTemporaryDir m_dir;
    int m_stations = 0;
};

void TestStationSync::initTestCase()
{
    PG_TEST_CLUSTER_START_MIGRATED(m_cluster);
}

void TestStationSync::init()
{
    if (!m_cluster.isRunning()) {
        QVERIFY2(m_cluster.startAgain(), qPrintable(m_cluster.log()));
    }
}

StationConfig TestStationSync::newStation()
{
    return m_cluster.addStation(QStringLiteral("station_%1").arg(++m_stations));
}

QStringList TestStationSync::serverNames(const QString& role)
{
    PgConnection admin(m_cluster.admin());
    const PgResult r = admin.open() ? admin.exec("SELECT r.test_name FROM tintwell.records r JOIN tintwell.stations s"
                                                 " ON s.id = r.station_id WHERE s.db_role = $1 ORDER BY r.arrival",
                                                 {role.toUtf8()})
                                    : PgResult();
    QStringList names;
    for (int row = 0; row < r.rows(); ++row) {
        names << r.text(row, 0);
    }
    return names;
}

static QStringList namesOf(const QList<ComparisonRecord>& records)
{
    QStringList names;
    for (const ComparisonRecord& r : records) {
        names << r.testName;
    }
    return names;
}

void TestStationSync::sendsInJournalOrder_resentBatchIsSuccess()
{
    const StationConfig station = newStation();
    FileOutbox outbox(m_dir.filePath(QStringLiteral("order.sqlite")));
    const QList<ComparisonRecord> records = makeRecords(450, QStringLiteral("Comp"));
    QVERIFY(outbox.journalAll(records));
    StationSync sync(station, &outbox, quickOptions());
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QCOMPARE(sync.state(), SyncWorker::State::Online);
    QCOMPARE(serverNames(station.user), namesOf(records));
    // A change replaces the row where it first arrived.
    ComparisonRecord renamed = records.first();
    renamed.testName = QStringLiteral("Renamed");
    renamed.version = 2;
    QVERIFY(outbox.journal(renamed));
    sync.journaled();
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QStringList expected = namesOf(records);
    expected.first() = QStringLiteral("Renamed");
    QCOMPARE(serverNames(station.user), expected);

    // Every acknowledgement lost: the whole journal goes again, and that is fine.
    QVERIFY(outbox.forgetAcknowledgements());
    QSignalSpy problems(&sync, &StationSync::rejected);
    sync.journaled();
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QCOMPARE(sync.state(), SyncWorker::State::Online);
    QCOMPARE(sync.message(), QString());
    QCOMPARE(problems.count(), 0);
    QCOMPARE(serverNames(station.user), expected);
}

void TestStationSync::serverStopped_everyRecordArrivesOnce_data()
{
    QTest::addColumn<bool>("afterCommit");
    QTest::newRow("before the batch reached the server") << false;
    QTest::newRow("after the server committed, before the acknowledgement") << true;
}

void TestStationSync::serverStopped_everyRecordArrivesOnce()
{
    QFETCH(bool, afterCommit);
    const StationConfig station = newStation();
    FileOutbox outbox(m_dir.filePath(QStringLiteral("stopped-%1.sqlite").arg(afterCommit)));
    const QList<ComparisonRecord> records = makeRecords(600, QStringLiteral("Stop"));
    QVERIFY(outbox.journalAll(records));
    SyncOptions options = quickOptions();
    std::atomic<int> batches{0};
    std::atomic<bool> stopped{false};
    // The third batch: the server goes down under it (an immediate stop, as a
    // power cut would).
    auto stopServer = [&](const QList<OutboxKey>&) {
        if (++batches == 3) {
            stopped = m_cluster.stop("immediate");
        }
    };
    (afterCommit ? options.afterCommit : options.beforeSend) = stopServer;
    StationSync sync(station, &outbox, options);
    QVERIFY(waitUntil([&] { return sync.state() == SyncWorker::State::Offline; }, 20000));
    QVERIFY(stopped);
    QVERIFY2(sync.message().contains(station.serverName()), qPrintable(sync.message()));
    // Journaling goes on while the server is away.
    const QList<ComparisonRecord> more = makeRecords(50, QStringLiteral("Later"));
    QVERIFY(outbox.journalAll(more));
    sync.journaled();
    QCOMPARE(outbox.unacknowledgedCount(), (afterCommit ? 300 : 400) + 50);
    QVERIFY2(m_cluster.startAgain(), qPrintable(m_cluster.log()));
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 30000));
    QVERIFY(waitUntil([&] { return sync.state() == SyncWorker::State::Online; }));
    QCOMPARE(sync.message(), QString());
    QCOMPARE(serverNames(station.user), namesOf(records + more));
}

void TestStationSync::killedBetweenCommitAndAcknowledgement_resendIsHarmless()
{
    const StationConfig station = newStation();
    const QString path = m_dir.filePath(QStringLiteral("killed.sqlite"));
    const QList<ComparisonRecord> records = makeRecords(300, QStringLiteral("Kill"));
    {
        FileOutbox outbox(path);
        QVERIFY(outbox.journalAll(records));
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/station_sync_child"),
                {path, station.host, station.user, station.password});
    QVERIFY(child.waitForStarted());
    QVERIFY(waitUntil([&] { return child.canReadLine() || child.state() == QProcess::NotRunning; }, 20000));
    QCOMPARE(child.readLine().trimmed(), QByteArray("committed 100"));
    child.kill(); // SIGKILL
    QVERIFY(child.waitForFinished(5000));
    // The server holds the first batch; the journal does not know it.
    QCOMPARE(serverNames(station.user), namesOf(records.mid(0, 100)));
    FileOutbox outbox(path);
    QCOMPARE(outbox.unacknowledgedCount(), 300);

    StationSync sync(station, &outbox, quickOptions());
    QSignalSpy refused(&sync, &StationSync::rejected);
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QCOMPARE(refused.count(), 0);
    QCOMPARE(sync.message(), QString());
    QCOMPARE(serverNames(station.user), namesOf(records));
}

void TestStationSync::backendTerminated_reconnectsAndPreparesAgain()
{
    const StationConfig station = newStation();
    FileOutbox outbox(m_dir.filePath(QStringLiteral("terminated.sqlite")));
    const QList<ComparisonRecord> first = makeRecords(150, QStringLiteral("Before"));
    QVERIFY(outbox.journalAll(first));
    StationSync sync(station, &outbox, quickOptions());
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QCOMPARE(sync.worker()->connectionCount(), 1);
    QCOMPARE(sync.worker()->prepareCount(), 1);
    QCOMPARE(m_cluster.adminCount("SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity WHERE usename = '"
                                  + station.user.toUtf8() + "'"),
             qint64(1));
    // The connection looks fine to the worker until it next uses it.
    const QList<ComparisonRecord> second = makeRecords(150, QStringLiteral("After"));
    QVERIFY(outbox.journalAll(second));
    sync.journaled();
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QCOMPARE(sync.worker()->connectionCount(), 2);
    QCOMPARE(sync.worker()->prepareCount(), 2);
    QCOMPARE(serverNames(station.user), namesOf(first + second));
}

void TestStationSync::twoStationsAtOnce_anotherStationsRowRefused()
{
    const StationConfig a = newStation();
    const StationConfig b = newStation();
    FileOutbox outboxA(m_dir.filePath(QStringLiteral("two-a.sqlite")));
    FileOutbox outboxB(m_dir.filePath(QStringLiteral("two-b.sqlite")));
    const QList<ComparisonRecord> recordsA = makeRecords(800, QStringLiteral("A"));
    const QList<ComparisonRecord> recordsB = makeRecords(800, QStringLiteral("B"));
    QVERIFY(outboxA.journalAll(recordsA));
    QVERIFY(outboxB.journalAll(recordsB));
    {
        StationSync syncA(a, &outboxA, quickOptions());
        StationSync syncB(b, &outboxB, quickOptions());
        QVERIFY(waitUntil([&] { return outboxA.unacknowledgedCount() == 0 && outboxB.unacknowledgedCount() == 0; },
                          30000));
    }
    QCOMPARE(serverNames(a.user), namesOf(recordsA));
    QCOMPARE(serverNames(b.user), namesOf(recordsB));

    // Station b journals a change of a's record, then one of its own.
    ComparisonRecord foreign = recordsA.at(5);
    foreign.testName = QStringLiteral("Taken over");
    foreign.version = 2;
    const ComparisonRecord own = testRecord(QStringLiteral("B after"));
    QVERIFY(outboxB.journal(foreign));
    QVERIFY(outboxB.journal(own));
    StationSync syncB(b, &outboxB, quickOptions());
    QSignalSpy refused(&syncB, &StationSync::rejected);
    QVERIFY(waitUntil([&] { return outboxB.unacknowledgedCount() == 0 && refused.count() > 0; }, 20000));
    QCOMPARE(refused.count(), 1);
    QVERIFY2(outboxB.rejection(foreign.id).contains(QStringLiteral("row-level security")),
             qPrintable(outboxB.rejection(foreign.id)));
    QCOMPARE(serverNames(a.user), namesOf(recordsA));
    QCOMPARE(serverNames(b.user), namesOf(recordsB) << own.testName);
}

void TestStationSync::newerSchema_refusesToWriteAndSaysSo()
{
    const StationConfig station = newStation();
    const QByteArray newer = QByteArray::number(StationSchema::knownVersion() + 1);
    QCOMPARE(m_cluster.adminExec("INSERT INTO tintwell.schema_version (version, name) VALUES (" + newer + ", 'next')"),
             QString());
    FileOutbox outbox(m_dir.filePath(QStringLiteral("newer.sqlite")));
    QVERIFY(outbox.journalAll(makeRecords(20, QStringLiteral("N"))));
    StationSync sync(station, &outbox, quickOptions());
    const bool refused = waitUntil([&] { return sync.state() == SyncWorker::State::Refused; }, 10000);
    const QString message = sync.message();
    const int waiting = outbox.unacknowledgedCount();
    const QStringList arrived = serverNames(station.user);
    QCOMPARE(m_cluster.adminExec("DELETE FROM tintwell.schema_version WHERE version = " + newer), QString());
    QVERIFY(refused);
    QVERIFY2(message.contains(QStringLiteral("schema version %1, newer").arg(QString::fromLatin1(newer))),
             qPrintable(message));
    QVERIFY2(message.contains(station.serverName()), qPrintable(message));
    QCOMPARE(waiting, 20);
    QCOMPARE(arrived, QStringList());
}

void TestStationSync::journalIsTheOutbox_changesAndDeletionsArrive()
{
    const StationConfig station = newStation();
    const QString path = m_dir.filePath(QStringLiteral("journal.sqlite"));
    RecordJournal journal(path);
    QVERIFY2(journal.open(), qPrintable(journal.errorText()));
    QList<ComparisonRecord> records = makeRecords(3, QStringLiteral("Comp"));
    QVERIFY(journal.append(records));
    JournalOutbox outbox(path);
    StationSync sync(station, &outbox, quickOptions());
    QVERIFY(waitUntil([&] { return journal.unacknowledgedCount() == 0; }, 20000));
    // Renamed and deleted while online: both changes go as newer versions.
    records[1].testName = QStringLiteral("Renamed");
    QVERIFY(journal.update({records[1]}));
    QVERIFY(journal.remove({records[2].id}));
    sync.journaled();
    QVERIFY(waitUntil([&] { return journal.unacknowledgedCount() == 0; }, 20000));
    QCOMPARE(serverNames(station.user), (QStringList{QStringLiteral("Comp0"), QStringLiteral("Renamed"),
                                                     QStringLiteral("Comp2")}));
    QCOMPARE(m_cluster.adminCount("SELECT count(*) FROM tintwell.records r JOIN tintwell.stations s ON s.id ="
                                  " r.station_id WHERE s.db_role = '" + station.user.toUtf8()
                                  + "' AND r.deleted AND r.test_name = 'Comp2' AND r.version > 1"),
             qint64(1));
}

// A record the server refused stays set aside when the station starts again
// (a new outbox on the same journal), and does not hold up the others.
void TestStationSync::journalOutbox_refusalSurvivesRestart()
{
    const QString path = m_dir.filePath(QStringLiteral("refusal.sqlite"));
    RecordJournal journal(path);
    QVERIFY2(journal.open(), qPrintable(journal.errorText()));
    const QList<ComparisonRecord> records = makeRecords(2, QStringLiteral("R"));
    QVERIFY(journal.append(records));
    const QString reason = QStringLiteral("another station's row");
    {
        JournalOutbox outbox(path);
        QCOMPARE(outbox.unacknowledged(10).size(), 2);
        QVERIFY(outbox.reject({{records.at(0).id, 1}}, reason));
        QCOMPARE(outbox.unacknowledgedCount(), 1);
    }
    JournalOutbox restarted(path);
    const QList<OutboxEntry> waiting = restarted.unacknowledged(10);
    QCOMPARE(waiting.size(), 1);
    QCOMPARE(waiting.first().record.id, records.at(1).id);
    QCOMPARE(restarted.unacknowledgedCount(), 1);
    QCOMPARE(restarted.rejection({records.at(0).id, 1}), reason);
    QCOMPARE(restarted.rejection({records.at(1).id, 1}), QString());
}

// A batch the server cancels (here by hand, while it waits for a lock; a
// statement time-out or a deadlock alike) is tried again after the usual
// back-off: the line says so, never that the server refuses the records.
void TestStationSync::batchCancelled_triedAgainNotRefused()
{
    const StationConfig station = newStation();
    FileOutbox outbox(m_dir.filePath(QStringLiteral("cancelled.sqlite")));
    const QList<ComparisonRecord> records = makeRecords(30, QStringLiteral("Held"));
    QVERIFY(outbox.journalAll(records));
    PgConnection locker(m_cluster.admin());
    QVERIFY2(locker.open(), qPrintable(locker.errorText()));
    QVERIFY(locker.exec("BEGIN").ok());
    QVERIFY(locker.exec("LOCK TABLE tintwell.records IN EXCLUSIVE MODE").ok());
    StationSync sync(station, &outbox, quickOptions());
    QList<SyncWorker::State> states;
    connect(&sync, &StationSync::stateChanged, this, [&](SyncWorker::State state, const QString&) { states << state; });
    PgConnection admin(m_cluster.admin());
    QVERIFY2(admin.open(), qPrintable(admin.errorText()));
    QVERIFY(waitUntil([&] {
        const PgResult r = admin.exec("SELECT pg_cancel_backend(pid) FROM pg_stat_activity"
                                      " WHERE usename = $1 AND wait_event_type = 'Lock'",
                                      {station.user.toUtf8()});
        return r.ok() && r.rows() > 0;
    }, 10000));
    QVERIFY(waitUntil([&] { return states.contains(SyncWorker::State::Offline); }, 10000));
    QVERIFY2(sync.message().contains(QStringLiteral("trying again")), qPrintable(sync.message()));
    QVERIFY(locker.exec("COMMIT").ok());
    QVERIFY(waitUntil([&] { return outbox.unacknowledgedCount() == 0; }, 20000));
    QVERIFY(waitUntil([&] { return sync.state() == SyncWorker::State::Online; }, 5000));
    QVERIFY(!states.contains(SyncWorker::State::Refused));
    QCOMPARE(serverNames(station.user), namesOf(records));
}

// A whole batch of rows the journal cannot read, ahead of good ones: they are
// set aside as refused, with the reason, the count is published, and the good
// records behind them go.
void TestStationSync::damagedJournalRows_setAsideTheRestArrive()
{
    const StationConfig station = newStation();
    const QString path = m_dir.filePath(QStringLiteral("damaged.sqlite"));
    RecordJournal journal(path);
    QVERIFY2(journal.open(), qPrintable(journal.errorText()));
    const QList<ComparisonRecord> damaged = makeRecords(500, QStringLiteral("Damaged"));
    const QList<ComparisonRecord> good = makeRecords(10, QStringLiteral("Good"));
    QVERIFY(journal.append(damaged + good));
    {
        QSqlQuery cut(QSqlDatabase::database(journal.connectionName()));
        QVERIFY(cut.exec(QStringLiteral("UPDATE records SET data = substr(data, 1, 3)"
                                        " WHERE seq IN (SELECT seq FROM records ORDER BY seq LIMIT 500)")));
        QCOMPARE(cut.numRowsAffected(), 500);
    }
    JournalOutbox outbox(path);
    SyncOptions options = quickOptions();
    options.batchSize = 500;
    StationSync sync(station, &outbox, options);
    QSignalSpy setAside(&sync, &StationSync::rejected);
    QVERIFY(waitUntil([&] { return journal.unacknowledgedCount() == 0; }, 20000));
    QVERIFY(waitUntil([&] { return sync.refused() == 500; }, 5000));
    QCOMPARE(serverNames(station.user), namesOf(good));
    QCOMPARE(setAside.count(), 1);
    QCOMPARE(setAside.first().at(0).toInt(), 500);
    const QList<JournalRefusal> refusals = journal.refusals();
    QCOMPARE(refusals.size(), 500);
    QCOMPARE(refusals.first().id, damaged.first().id);
    QVERIFY2(refusals.last().reason.contains(QStringLiteral("damaged")), qPrintable(refusals.last().reason));
}

// A record of the first-generation layout keeps every value through the
// journal, the sync and the server, read back as the history reads it.
void TestStationSync::legacyRecord_arrivesWithEveryValue()
{
    const StationConfig station = newStation();
    const QString path = m_dir.filePath(QStringLiteral("legacy.sqlite"));
    RecordJournal journal(path);
    QVERIFY2(journal.open(), qPrintable(journal.errorText()));
    ComparisonRecord legacy;
    legacy.id = QUuid::createUuid();
    legacy.legacy = true;
    legacy.sequence = 7;
    legacy.testName = QStringLiteral("Legacy7");
    legacy.time = QDateTime(QDate(2026, 3, 4), QTime(10, 12), Qt::UTC);
    legacy.modelName = QStringLiteral("TX200");
    legacy.serialNumber = QStringLiteral("SN1");
    legacy.standard.fill(ComparisonRecord::kUnknown);
    legacy.sample.fill(ComparisonRecord::kUnknown);
    legacy.legacyStandard = {50.0, 1.0, 2.0, 2.24, 63.4};
    legacy.legacySample = {51.0, 1.5, 2.0, 2.5, 53.1};
    legacy.hazeDifference = ComparisonRecord::kUnknown;
    legacy.transmittanceDifference = ComparisonRecord::kUnknown;
    legacy.deltaE = 1.12;
    legacy.pass = true;
    legacy.settings.formulaCode = 2;
    legacy.settings.parameterThreshold = 1.5;
    legacy.settings.formulaText = QStringLiteral("CIE94");
    legacy.settings.thresholdText = QStringLiteral("1.5");
    // The sample read twice: both readings arrive, with their median.
    legacy.readings.median = true;
    legacy.readings.legacySample = {{50.9, 1.4, 2.0, 2.44, 55.0}, {51.1, 1.6, 2.0, 2.56, 51.3}};
    QVERIFY(journal.append({legacy}));
    JournalOutbox outbox(path);
    StationSync sync(station, &outbox, quickOptions());
    QVERIFY(waitUntil([&] { return journal.unacknowledgedCount() == 0; }, 20000));

    PgConnection admin(m_cluster.admin());
    QVERIFY2(admin.open(), qPrintable(admin.errorText()));
    HistoryFilter filter;
    filter.testNamePattern = legacy.testName;
    QList<HistoryRow> rows;
    QString error;
    QVERIFY2(StationHistory::records(admin, filter, &rows, &error), qPrintable(error));
    QCOMPARE(rows.size(), 1);
    const ComparisonRecord back = rows.first().record;
    const auto same = [](double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; };
    const auto sameValues = [&](const ComparisonRecord::LegacyValues& a, const ComparisonRecord::LegacyValues& b) {
        return std::equal(a.begin(), a.end(), b.begin(), same);
    };
    QCOMPARE(rows.first().standard, QStringLiteral("Lab 50.00 1.00 2.00"));
    QVERIFY(back.legacy);
    QCOMPARE(back.id, legacy.id);
    QCOMPARE(back.testName, legacy.testName);
    QCOMPARE(back.time, legacy.time);
    QCOMPARE(back.modelName, legacy.modelName);
    QCOMPARE(back.serialNumber, legacy.serialNumber);
    QCOMPARE(back.sequence, legacy.sequence);
    QVERIFY(sameValues(back.legacyStandard, legacy.legacyStandard));
    QVERIFY(sameValues(back.legacySample, legacy.legacySample));
    QVERIFY(back.readings.median);
    QVERIFY(back.readings.legacyStandard.isEmpty());
    QCOMPARE(back.readings.legacySample.size(), 2);
    QVERIFY(sameValues(back.readings.legacySample.at(1), legacy.readings.legacySample.at(1)));
    QVERIFY(same(back.hazeDifference, legacy.hazeDifference));
    QVERIFY(same(back.transmittanceDifference, legacy.transmittanceDifference));
    QCOMPARE(back.deltaE, legacy.deltaE);
    QCOMPARE(back.pass, legacy.pass);
    QCOMPARE(back.settings.formulaCode, legacy.settings.formulaCode);
    QCOMPARE(back.settings.parameterThreshold, legacy.settings.parameterThreshold);
    QCOMPARE(back.settings.formulaText, legacy.settings.formulaText);
    QCOMPARE(back.settings.thresholdText, legacy.settings.thresholdText);
}

void TestStationSync::retryDelay_doublesAfterEachFailure_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("delayMs");
    QTest::newRow("first failure") << 1 << 250;
    QTest::newRow("second") << 2 << 500;
    QTest::newRow("third") << 3 << 1000;
    QTest::newRow("seventh") << 7 << 16000;
    QTest::newRow("eighth: at the longest") << 8 << 30000;
    QTest::newRow("ever after") << 1000 << 30000;
}

void TestStationSync::retryDelay_doublesAfterEachFailure()
{
    QFETCH(int, failures);
    QFETCH(int, delayMs);
    SyncOptions options;
    options.firstRetryDelayMs = 250;
    options.longestRetryDelayMs = 30000;
    QCOMPARE(retryDelayMs(options, failures), delayMs);
}

QTEST_GUILESS_MAIN(TestStationSync)
#include "tst_station_sync.moc"
