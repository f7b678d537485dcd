// The station database's schema on a real server: migrating, refusing a newer
// schema, and what the station and manager roles may do to whose rows.
#include "PgTestStart.h"
#include "StationSchema.h"

#include <QTest>

class TestStationSchema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void migrateAgain_changesNothing();
    void newerSchema_migrateRefusesAndSaysSo();
    void rolesReachOnlyTheirRows_data();
    void rolesReachOnlyTheirRows();

private:
    PgTestCluster m_cluster;
    StationConfig m_a;
    StationConfig m_b;
    StationConfig m_manager;
};

void TestStationSchema::initTestCase()
{
    PG_TEST_CLUSTER_START(m_cluster);
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome first = StationSchema::migrate(admin);
    QVERIFY2(first.ok, qPrintable(first.error));
    QCOMPARE(first.before, 0);
    QCOMPARE(first.after, StationSchema::knownVersion());
    m_a = m_cluster.addStation(QStringLiteral("station_a"));
    m_b = m_cluster.addStation(QStringLiteral("station_b"));
    QString managerError;
    QVERIFY2(StationSchema::addManager(admin, QStringLiteral("manager"), QStringLiteral("pw-m"), &managerError),
             qPrintable(managerError));
    m_manager = m_cluster.as(QStringLiteral("manager"), QStringLiteral("pw-m"));
    // One row of each station, written as the station.
    for (const auto& [config, id] : {std::pair{m_a, "aaaaaaaa-0000-0000-0000-000000000001"},
                                     std::pair{m_b, "bbbbbbbb-0000-0000-0000-000000000001"}}) {
        PgConnection c(config);
        QVERIFY2(c.open(), qPrintable(c.errorText()));
        const PgResult r = c.exec("INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name,"
                                  " model, serial_number, standard, legacy, standard_values, sample_values, pass,"
                                  " settings) VALUES ($1, 1, tintwell.current_station(), now(), 'Comp1', 'TX450',"
                                  " 'S1', 'Lab 1 2 3', false, '{1,2,3}', '{1,2,NULL}', true, '{}')",
                                  {QByteArray(id)});
        QVERIFY2(r.ok(), qPrintable(c.errorText()));
    }
}

void TestStationSchema::migrateAgain_changesNothing()
{
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome again = StationSchema::migrate(admin);
    QVERIFY2(again.ok, qPrintable(again.error));
    QCOMPARE(again.before, StationSchema::knownVersion());
    QCOMPARE(again.after, StationSchema::knownVersion());
    QCOMPARE(m_cluster.adminCount("SELECT count(*) FROM tintwell.schema_version"),
             qint64(StationSchema::migrations().size()));
}

void TestStationSchema::newerSchema_migrateRefusesAndSaysSo()
{
    const int newer = StationSchema::knownVersion() + 1;
    QCOMPARE(m_cluster.adminExec("INSERT INTO tintwell.schema_version (version, name) VALUES ("
                                 + QByteArray::number(newer) + ", 'from the future')"),
             QString());
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome outcome = StationSchema::migrate(admin);
    QCOMPARE(m_cluster.adminExec("DELETE FROM tintwell.schema_version WHERE version = " + QByteArray::number(newer)),
             QString());
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.before, newer);
    QVERIFY2(outcome.error.contains(QStringLiteral("schema version %1, newer").arg(newer)), qPrintable(outcome.error));
    QVERIFY2(outcome.error.contains(admin.config().serverName()), qPrintable(outcome.error));
}

void TestStationSchema::rolesReachOnlyTheirRows_data()
{
    QTest::addColumn<QString>("who");
    QTest::addColumn<QByteArray>("sql");
    // The rows the statement returned or changed; -1: the server refuses it.
    QTest::addColumn<int>("rows");
    const QByteArray insertAsB = "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model,"
                                 " serial_number, standard, legacy, standard_values, sample_values, pass, settings)"
                                 " SELECT $1, 2, id, now(), 'x', 'x', 'x', 'x', false, '{}', '{}', true, '{}'"
                                 " FROM tintwell.stations WHERE db_role = 'station_b'";
    QTest::newRow("a sees only its own") << "a" << QByteArray("SELECT id FROM tintwell.records") << 1;
    QTest::newRow("a writes a row as b") << "a" << insertAsB << -1;
    QTest::newRow("a changes b's row: nothing to see") << "a"
        << QByteArray("UPDATE tintwell.records SET test_name = 'mine' WHERE id = 'bbbbbbbb-0000-0000-0000-000000000001'")
        << 0;
    QTest::newRow("a moves its row to b") << "a"
        << QByteArray("UPDATE tintwell.records SET station_id = station_id + 1 WHERE id = 'aaaaaaaa-0000-0000-0000-000000000001'")
        << -1;
    QTest::newRow("a upserts over b's row") << "a"
        << QByteArray("INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model,"
                      " serial_number, standard, legacy, standard_values, sample_values, pass, settings)"
                      " VALUES ('bbbbbbbb-0000-0000-0000-000000000001', 9, tintwell.current_station(), now(), 'x', 'x',"
                      " 'x', 'x', false, '{}', '{}', true, '{}') ON CONFLICT (id) DO UPDATE SET version = 9")
        << -1;
    QTest::newRow("a deletes its own row") << "a"
        << QByteArray("DELETE FROM tintwell.records WHERE id = 'aaaaaaaa-0000-0000-0000-000000000001'") << -1;
    QTest::newRow("a registers a station") << "a"
        << QByteArray("INSERT INTO tintwell.stations (name, db_role) VALUES ('x', 'x')") << -1;
    QTest::newRow("a rewrites the schema version") << "a"
        << QByteArray("UPDATE tintwell.schema_version SET version = 99") << -1;
    QTest::newRow("manager sees every station") << "manager" << QByteArray("SELECT id FROM tintwell.records") << 2;
    QTest::newRow("manager changes a row") << "manager"
        << QByteArray("UPDATE tintwell.records SET pass = false") << -1;
}

void TestStationSchema::rolesReachOnlyTheirRows()
{
    QFETCH(QString, who);
    QFETCH(QByteArray, sql);
    QFETCH(int, rows);
    PgConnection c(who == QLatin1String("a") ? m_a : m_manager);
    QVERIFY2(c.open(), qPrintable(c.errorText()));
    const QList<PgParam> params = sql.contains("$1") ? QList<PgParam>{QByteArray("cccccccc-0000-0000-0000-000000000001")}
                                                     : QList<PgParam>{};
    QVERIFY(c.exec("BEGIN").ok());
    const PgResult r = c.exec(sql, params);
    c.rollback();
    if (rows < 0) {
        QVERIFY2(!r.ok(), "the server let it through");
        QVERIFY2(c.sqlState() == "42501", qPrintable(c.sqlState() + ' ' + c.errorText()));
        return;
    }
    QVERIFY2(r.ok(), qPrintable(c.errorText()));
    const int affected = sql.startsWith("SELECT") ? r.rows() : r.affectedRows();
    QCOMPARE(affected, rows);
}

QTEST_GUILESS_MAIN(TestStationSchema)
#include "tst_station_schema.moc"
