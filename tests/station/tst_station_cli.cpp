// tintwell-cli's station database commands against a real server: migrate,
// the history's records and statistics, and what a script sees on failure.
#include "PgTestStart.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestStationCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void commands_data();
    void commands();

private:
    PgTestCluster m_cluster;
    QTemporaryDir m_home;
};

void TestStationCli::initTestCase()
{
    PG_TEST_CLUSTER_START(m_cluster);
}

void TestStationCli::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("before"); // SQL run as the superuser first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("lastLine");  // of standard output, or of standard error on failure
    QTest::newRow("migrate a new database") << QStringList{"db", "migrate"} << QByteArray() << 0
                                            << "schema version 3 (was 0)";
    QTest::newRow("migrate again") << QStringList{"db", "migrate", "--json"} << QByteArray() << 0
                                   << R"({"after":3,"before":3,"schema":1,"server":"SERVER"})";
    QTest::newRow("records as CSV, a comma quoted")
        << QStringList{"history", "--verdict", "ng"}
        << QByteArray("INSERT INTO tintwell.stations (name, db_role) VALUES ('L1', 'tintwell_admin');"
                      "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model,"
                      " serial_number, standard, legacy, standard_values, sample_values, delta_e, pass, settings)"
                      " VALUES ('11111111-0000-0000-0000-000000000001', 1, 1, '2026-03-01 08:00+00', 'Comp, 1',"
                      " 'TX450', 'S', 'Lab 1', false, '{}', '{}', 1.25, false, '{}'),"
                      " ('11111111-0000-0000-0000-000000000002', 1, 1, '2026-03-01 08:10+00', 'Comp2',"
                      " 'TX450', 'S', 'Lab 1', false, '{}', '{}', 0.25, true, '{}')")
        << 0 << "11111111-0000-0000-0000-000000000001,L1,2026-03-01T08:00:00Z,\"Comp, 1\",TX450,S,Lab 1,1.2500,,,NG";
    QTest::newRow("statistics of a standard") << QStringList{"history", "--stats", "--standard", "Lab 1"} << QByteArray()
                                              << 0 << "2,1,1,0.7500,0.7071,0.2500,1.2500";
    QTest::newRow("a wrong verdict") << QStringList{"history", "--verdict", "maybe"} << QByteArray() << 2
                                     << "Try \"tintwell-cli --help\".";
    QTest::newRow("a role the server does not know") << QStringList{"history", "--user", "ghost"} << QByteArray() << 4
                                                     << "fe_sendauth: no password supplied";
}

void TestStationCli::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, before);
    QFETCH(int, exitCode);
    QFETCH(QString, lastLine);
    if (!before.isEmpty()) {
        QCOMPARE(m_cluster.adminExec(before), QString());
    }
    const StationConfig admin = m_cluster.admin();
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path()); // no saved configuration of the machine's
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    cli.setProcessEnvironment(env);
    QStringList all = arguments;
    all << QStringLiteral("--server") << admin.host << QStringLiteral("--database") << admin.database
        << QStringLiteral("--password-stdin") << QStringLiteral("--lang") << QStringLiteral("en");
    if (!arguments.contains(QStringLiteral("--user"))) {
        all << QStringLiteral("--user") << admin.user;
    }
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tintwell-cli"), all);
    cli.write("\n");
    cli.closeWriteChannel();
    QVERIFY(cli.waitForFinished(30000));
    const QByteArray out = exitCode == 0 ? cli.readAllStandardOutput() : cli.readAllStandardError();
    QCOMPARE(cli.exitCode(), exitCode);
    QString expected = lastLine;
    expected.replace(QStringLiteral("SERVER"), admin.serverName());
    QVERIFY2(QString::fromUtf8(out).trimmed().endsWith(expected), out.constData());
}

QTEST_GUILESS_MAIN(TestStationCli)
#include "tst_station_cli.moc"
