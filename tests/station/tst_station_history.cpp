// History questions across stations on a real server: every filter, names
// with LIKE's own wildcards and quotes taken literally, statistics computed
// by the server, paging and cancelling.
#include "PgTestStart.h"
#include "StationHistory.h"
#include "StationSchema.h"

#include <QTest>

class TestStationHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filtersSelectTheRecords_data();
    void filtersSelectTheRecords();
    void statisticsOfOneStandard();
    void statisticsOfOneRecord_haveNoDeviation_data();
    void statisticsOfOneRecord_haveNoDeviation();
    void pagesAndCancel();
    // Last: its rows change the records.
    void hourlySumsAgreeWithTheRecords_data();
    void hourlySumsAgreeWithTheRecords();

private:
    PgTestCluster m_cluster;
    std::unique_ptr<PgConnection> m_manager;
};

void TestStationHistory::initTestCase()
{
    PG_TEST_CLUSTER_START(m_cluster);
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome migrated = StationSchema::migrate(admin);
    QVERIFY2(migrated.ok, qPrintable(migrated.error));
    QString error;
    QVERIFY(!m_cluster.addStation(QStringLiteral("line_a")).user.isEmpty());
    QVERIFY(!m_cluster.addStation(QStringLiteral("line_b")).user.isEmpty());
    QVERIFY(StationSchema::addManager(admin, QStringLiteral("qc"), QStringLiteral("pw-qc"), &error));
    // station, time, name, model, standard, delta E, pass, deleted
    const QByteArray rows =
        "(1, '2026-03-01 08:00+00', 'Comp1', 'TX450', 'Lab 1', 0.2, true, false),"
        "(1, '2026-03-01 09:00+00', 'Comp2', 'TX450', 'Lab 1', 1.5, false, false),"
        "(1, '2026-03-02 08:00+00', 'Wei''s sample', 'TX450', 'Lab 2', 0.4, true, false),"
        "(1, '2026-03-02 09:00+00', 'Comp3', 'TX450', 'Lab 1', 9.9, false, true),"
        "(2, '2026-03-03 08:00+00', 'Comp_x', 'TX310', 'Haze 1', NULL, true, false),"
        "(2, '2026-03-03 09:00+00', 'Compax', 'TX310', 'Haze 1', NULL, true, false),"
        "(2, '2026-03-04 08:00+00', '50%', 'TX310', 'Haze 1', NULL, true, false)";
    QCOMPARE(m_cluster.adminExec("INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name,"
                                 " model, serial_number, standard, legacy, standard_values, sample_values, delta_e,"
                                 " pass, deleted, settings) SELECT gen_random_uuid(), 1, v.s, v.t::timestamptz, v.n,"
                                 " v.m, 'S', v.st, false, '{}', '{}', v.de, v.p, v.d, '{}' FROM (VALUES "
                                 + rows + ") AS v(s, t, n, m, st, de, p, d) ORDER BY v.t"),
             QString());
    m_manager = std::make_unique<PgConnection>(m_cluster.as(QStringLiteral("qc"), QStringLiteral("pw-qc")));
    QVERIFY2(m_manager->open(), qPrintable(m_manager->errorText()));
}

void TestStationHistory::filtersSelectTheRecords_data()
{
    QTest::addColumn<HistoryFilter>("filter");
    QTest::addColumn<QStringList>("names");
    const QStringList live{"Comp1", "Comp2", "Wei's sample", "Comp_x", "Compax", "50%"};
    auto with = [](auto set) {
        HistoryFilter f;
        set(f);
        return f;
    };
    QTest::newRow("everything but deleted") << HistoryFilter() << live;
    QTest::newRow("deleted too") << with([](HistoryFilter& f) { f.includeDeleted = true; })
                                 << QStringList{"Comp1", "Comp2", "Wei's sample", "Comp3", "Comp_x", "Compax", "50%"};
    QTest::newRow("one station") << with([](HistoryFilter& f) { f.stations = {"line_a"}; })
                                 << QStringList{"Comp1", "Comp2", "Wei's sample"};
    QTest::newRow("station name with quotes and braces")
        << with([](HistoryFilter& f) { f.stations = {"line_a\"}, {'x"}; }) << QStringList();
    QTest::newRow("model") << with([](HistoryFilter& f) { f.model = "TX310"; })
                           << QStringList{"Comp_x", "Compax", "50%"};
    QTest::newRow("standard") << with([](HistoryFilter& f) { f.standard = "Lab 1"; })
                              << QStringList{"Comp1", "Comp2"};
    QTest::newRow("wildcard") << with([](HistoryFilter& f) { f.testNamePattern = "Comp*"; })
                              << QStringList{"Comp1", "Comp2", "Comp_x", "Compax"};
    QTest::newRow("one-letter wildcard") << with([](HistoryFilter& f) { f.testNamePattern = "Comp?"; })
                                         << QStringList{"Comp1", "Comp2"};
    QTest::newRow("underscore is literal") << with([](HistoryFilter& f) { f.testNamePattern = "Comp_x"; })
                                           << QStringList{"Comp_x"};
    QTest::newRow("percent is literal") << with([](HistoryFilter& f) { f.testNamePattern = "50%"; })
                                        << QStringList{"50%"};
    QTest::newRow("quote in the pattern") << with([](HistoryFilter& f) { f.testNamePattern = "Wei's*"; })
                                          << QStringList{"Wei's sample"};
    QTest::newRow("failed only") << with([](HistoryFilter& f) { f.pass = false; }) << QStringList{"Comp2"};
    QTest::newRow("time range, end excluded")
        << with([](HistoryFilter& f) {
               f.from = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
               f.to = QDateTime(QDate(2026, 3, 3), QTime(9, 0), Qt::UTC);
           })
        << QStringList{"Comp2", "Wei's sample", "Comp_x"};
}

void TestStationHistory::filtersSelectTheRecords()
{
    QFETCH(HistoryFilter, filter);
    QFETCH(QStringList, names);
    QList<HistoryRow> rows;
    QString error;
    QVERIFY2(StationHistory::records(*m_manager, filter, &rows, &error), qPrintable(error));
    QStringList got;
    for (const HistoryRow& r : rows) {
        got << r.testName;
    }
    QCOMPARE(got, names);
}

void TestStationHistory::statisticsOfOneStandard()
{
    HistoryFilter filter;
    filter.standard = QStringLiteral("Lab 1");
    HistoryStatistics s;
    QString error;
    QVERIFY2(StationHistory::statistics(*m_manager, filter, &s, &error), qPrintable(error));
    QCOMPARE(s.count, qint64(2));
    QCOMPARE(s.passCount, qint64(1));
    QCOMPARE(s.deltaEMean, 0.85);
    QVERIFY(qAbs(s.deltaEStandardDeviation - 0.919238815542512) < 1e-12);
    QCOMPARE(s.deltaEMaximum, 1.5);
    // A haze standard has no delta E: the server says so, not 0.
    filter.standard = QStringLiteral("Haze 1");
    QVERIFY2(StationHistory::statistics(*m_manager, filter, &s, &error), qPrintable(error));
    QCOMPARE(s.count, qint64(3));
    QVERIFY(std::isnan(s.deltaEMean));
}

void TestStationHistory::statisticsOfOneRecord_haveNoDeviation_data()
{
    // An empty pattern asks the hourly sums, '*' the records themselves.
    QTest::addColumn<QString>("pattern");
    QTest::newRow("from the hourly sums") << QString();
    QTest::newRow("from the records") << QStringLiteral("*");
}

// One record has a mean, a minimum and a maximum, but no deviation.
void TestStationHistory::statisticsOfOneRecord_haveNoDeviation()
{
    QFETCH(QString, pattern);
    HistoryFilter filter;
    filter.standard = QStringLiteral("Lab 2");
    filter.testNamePattern = pattern;
    HistoryStatistics s;
    QString error;
    QVERIFY2(StationHistory::statistics(*m_manager, filter, &s, &error), qPrintable(error));
    QCOMPARE(s.count, qint64(1));
    QCOMPARE(s.deltaEMean, 0.4);
    QCOMPARE(s.deltaEMinimum, 0.4);
    QVERIFY2(std::isnan(s.deltaEStandardDeviation), qPrintable(QString::number(s.deltaEStandardDeviation)));
}

void TestStationHistory::hourlySumsAgreeWithTheRecords_data()
{
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QStringList>("stations");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("to");
    // Applied before asking: a change the hourly sums must follow.
    QTest::addColumn<QByteArray>("change");
    const QDateTime none;
    auto at = [](int day, int hour, int minute) { return QDateTime(QDate(2026, 3, day), QTime(hour, minute), Qt::UTC); };
    QTest::newRow("whole history") << "Lab 1" << QStringList() << none << none << QByteArray();
    QTest::newRow("parts of hours at both ends") << "Lab 1" << QStringList() << at(1, 7, 30) << at(1, 9, 30) << QByteArray();
    QTest::newRow("inside one hour") << "Lab 1" << QStringList() << at(1, 8, 0) << at(1, 8, 59) << QByteArray();
    QTest::newRow("from only") << "Lab 1" << QStringList() << at(1, 8, 1) << none << QByteArray();
    QTest::newRow("one station") << "Lab 1" << QStringList{"line_a"} << none << at(2, 0, 0) << QByteArray();
    QTest::newRow("other station") << "Lab 1" << QStringList{"line_b"} << none << none << QByteArray();
    QTest::newRow("judged again") << "Lab 1" << QStringList() << none << none
                                  << QByteArray("UPDATE tintwell.records SET delta_e = 0.3, pass = true, version = 2"
                                                " WHERE test_name = 'Comp2'");
    QTest::newRow("moved to another hour") << "Lab 1" << QStringList() << at(1, 8, 30) << none
                                           << QByteArray("UPDATE tintwell.records SET measured_at = '2026-03-05 10:00+00',"
                                                         " version = 3 WHERE test_name = 'Comp1'");
    QTest::newRow("deleted") << "Lab 1" << QStringList() << none << none
                             << QByteArray("UPDATE tintwell.records SET deleted = true, version = 4"
                                           " WHERE test_name = 'Comp2'");
    QTest::newRow("restored") << "Lab 1" << QStringList() << none << none
                              << QByteArray("UPDATE tintwell.records SET deleted = false, version = 5"
                                            " WHERE test_name IN ('Comp2', 'Comp3')");
}

void TestStationHistory::hourlySumsAgreeWithTheRecords()
{
    QFETCH(QString, standard);
    QFETCH(QStringList, stations);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, to);
    QFETCH(QByteArray, change);
    if (!change.isEmpty()) {
        QCOMPARE(m_cluster.adminExec(change), QString());
    }
    HistoryFilter filter;
    filter.standard = standard;
    filter.stations = stations;
    filter.from = from;
    filter.to = to;
    HistoryStatistics hourly;
    QString error;
    QVERIFY2(StationHistory::statistics(*m_manager, filter, &hourly, &error), qPrintable(error));
    // A name pattern that takes every record makes the server count the records themselves.
    filter.testNamePattern = QStringLiteral("*");
    HistoryStatistics counted;
    QVERIFY2(StationHistory::statistics(*m_manager, filter, &counted, &error), qPrintable(error));
    QCOMPARE(hourly.count, counted.count);
    QCOMPARE(hourly.passCount, counted.passCount);
    for (const auto& [a, b] : {std::pair{hourly.deltaEMean, counted.deltaEMean},
                               std::pair{hourly.deltaEStandardDeviation, counted.deltaEStandardDeviation},
                               std::pair{hourly.deltaEMinimum, counted.deltaEMinimum},
                               std::pair{hourly.deltaEMaximum, counted.deltaEMaximum}}) {
        QVERIFY2((std::isnan(a) && std::isnan(b)) || qAbs(a - b) < 1e-9, qPrintable(QStringLiteral("%1 vs %2").arg(a).arg(b)));
    }
}

void TestStationHistory::pagesAndCancel()
{
    QList<HistoryRow> rows;
    QList<int> progress;
    QString error;
    QVERIFY(StationHistory::records(*m_manager, HistoryFilter(), &rows, &error,
                                    [&](int done) { progress << done; }, nullptr, 4));
    QCOMPARE(rows.size(), 6);
    QCOMPARE(progress, (QList<int>{4, 6}));
    QCOMPARE(rows.first().station, QStringLiteral("line_a"));
    QCOMPARE(rows.first().measuredAt, QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC));
    std::atomic<bool> cancelled{false};
    rows.clear();
    QVERIFY(!StationHistory::records(*m_manager, HistoryFilter(), &rows, &error,
                                     [&](int) { cancelled = true; }, &cancelled, 4));
    QCOMPARE(error, QString());
    QCOMPARE(rows.size(), 4);
}

QTEST_GUILESS_MAIN(TestStationHistory)
#include "tst_station_history.moc"
