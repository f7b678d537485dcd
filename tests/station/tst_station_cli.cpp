// tintwell-cli's station database commands against a real server: migrate,
// the roles of stations and managers, the history's records and statistics,
// and what a script sees on failure.
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
    void addedRoles_reachOnlyWhatTheyMay();
    void passwordStdin_keepsSpaces_data();
    void passwordStdin_keepsSpaces();
    void standards_editedOnTheServerOnly_data();
    void standards_editedOnTheServerOnly();

private:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    // Runs tintwell-cli against the cluster as the superuser (unless the
    // arguments name a --user), with `input` on standard input.
    Run cli(QStringList arguments, const QByteArray& input);

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
                                            << QStringLiteral("schema version %1 (was 0)").arg(StationSchema::knownVersion());
    QTest::newRow("migrate again") << QStringList{"db", "migrate", "--json"} << QByteArray() << 0
                                   << QStringLiteral(R"({"after":%1,"before":%1,"schema":1,"server":"SERVER","type":"migration"})")
                                          .arg(StationSchema::knownVersion());
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
    QTest::newRow("a name like a formula stays text")
        << QStringList{"history", "--standard", "Lab 9"}
        << QByteArray("INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model,"
                      " serial_number, standard, legacy, standard_values, sample_values, delta_e, pass, settings)"
                      " VALUES ('11111111-0000-0000-0000-000000000003', 1, 1, '2026-03-01 08:20+00', '@SUM(A1)',"
                      " 'TX450', 'S', 'Lab 9', false, '{}', '{}', 0.5, true, '{}')")
        << 0 << "11111111-0000-0000-0000-000000000003,L1,2026-03-01T08:20:00Z,\"'@SUM(A1)\",TX450,S,Lab 9,0.5000,,,PASS";
    QTest::newRow("a wrong verdict") << QStringList{"history", "--verdict", "maybe"} << QByteArray() << 2
                                     << "Try \"tintwell-cli --help\".";
    QTest::newRow("a role the server does not know") << QStringList{"history", "--user", "ghost"} << QByteArray() << 4
                                                     << "fe_sendauth: no password supplied";
}

TestStationCli::Run TestStationCli::cli(QStringList arguments, const QByteArray& input)
{
    const StationConfig admin = m_cluster.admin();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path()); // no saved configuration of the machine's
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    if (!arguments.contains(QStringLiteral("--user"))) {
        arguments << QStringLiteral("--user") << admin.user;
    }
    arguments << QStringLiteral("--server") << admin.host << QStringLiteral("--database") << admin.database
              << QStringLiteral("--password-stdin") << QStringLiteral("--lang") << QStringLiteral("en");
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tintwell-cli"), arguments);
    process.write(input);
    process.closeWriteChannel();
    Run run;
    if (process.waitForFinished(30000)) {
        run.exitCode = process.exitCode();
    }
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
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
    const Run run = cli(arguments, "\n");
    const QByteArray out = exitCode == 0 ? run.out : run.err;
    QCOMPARE(run.exitCode, exitCode);
    QString expected = lastLine;
    expected.replace(QStringLiteral("SERVER"), m_cluster.admin().serverName());
    QVERIFY2(QString::fromUtf8(out).trimmed().endsWith(expected), out.constData());
}

// Roles made by db add-station / add-manager, used with the password given on
// standard input: a station adds its own records and no other station's, a
// manager reads everything and writes nothing.
void TestStationCli::addedRoles_reachOnlyWhatTheyMay()
{
    const QString server = m_cluster.admin().serverName();
    Run run = cli({"db", "add-station", "Line 2", "--role", "line2", "--new-password-stdin"}, "\nsecret two\n");
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(run.out.trimmed(), QStringLiteral("%1: station Line 2 sends as the role line2.").arg(server).toUtf8());
    run = cli({"db", "add-station", "line3", "--new-password-stdin", "--json"}, "\nsecret three\n");
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(run.out.trimmed(),
             QStringLiteral(R"({"kind":"station","role":"line3","schema":1,"server":"%1","station":"line3","type":"role"})")
                 .arg(server)
                 .toUtf8());
    run = cli({"db", "add-manager", "boss", "--new-password-stdin"}, "\nsecret boss\n");
    QVERIFY2(run.exitCode == 0, run.err.constData());
    // The server holds a hash, never the password itself.
    QCOMPARE(m_cluster.adminCount("SELECT count(*) FROM pg_authid WHERE rolname IN ('line2', 'line3', 'boss')"
                                  " AND rolpassword LIKE 'SCRAM-SHA-256$%'"),
             qint64(3));

    // Refusals: a name taken, no password, no name.
    run = cli({"db", "add-station", "Line 2", "--role", "line2b", "--new-password-stdin"}, "\nx\n");
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains("Line 2"), run.err.constData());
    QCOMPARE(m_cluster.adminCount("SELECT count(*) FROM pg_roles WHERE rolname = 'line2b'"), qint64(0));
    run = cli({"db", "add-manager", "boss2", "--new-password-stdin"}, "\n\n");
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("No password for the role boss2"), run.err.constData());

    const QByteArray insert = "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model,"
                              " serial_number, standard, legacy, standard_values, sample_values, pass, settings)"
                              " SELECT $1, 1, id, now(), 'x', 'TX450', 'S', 'Lab 1', false, '{}', '{}', true, '{}'"
                              " FROM tintwell.stations WHERE name = $2";
    PgConnection line2(m_cluster.as(QStringLiteral("line2"), QStringLiteral("secret two")));
    QVERIFY2(line2.open(), qPrintable(line2.errorText()));
    QVERIFY2(line2.exec(insert, {QByteArray("22222222-0000-0000-0000-000000000001"), QByteArray("Line 2")}).ok(),
             qPrintable(line2.errorText()));
    QVERIFY(!line2.exec(insert, {QByteArray("22222222-0000-0000-0000-000000000002"), QByteArray("line3")}).ok());
    QCOMPARE(line2.sqlState(), QByteArray("42501"));

    PgConnection boss(m_cluster.as(QStringLiteral("boss"), QStringLiteral("secret boss")));
    QVERIFY2(boss.open(), qPrintable(boss.errorText()));
    const PgResult seen = boss.exec("SELECT count(*) FROM tintwell.records WHERE id = '22222222-0000-0000-0000-000000000001'");
    QVERIFY2(seen.ok(), qPrintable(boss.errorText()));
    QCOMPARE(seen.toInt(0, 0), qint64(1));
    QVERIFY(!boss.exec(insert, {QByteArray("22222222-0000-0000-0000-000000000003"), QByteArray("Line 2")}).ok());
    QCOMPARE(boss.sqlState(), QByteArray("42501"));
}

// A role made with --new-password-stdin logs in with --password-stdin given
// the same line: both take the line without its end, spaces and all.
void TestStationCli::passwordStdin_keepsSpaces_data()
{
    QTest::addColumn<QByteArray>("login");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("the same line") << QByteArray("  two words  \n") << 0;
    QTest::newRow("ended by CR LF") << QByteArray("  two words  \r\n") << 0;
    QTest::newRow("the spaces left out") << QByteArray("two words\n") << 4;
}

void TestStationCli::passwordStdin_keepsSpaces()
{
    QFETCH(QByteArray, login);
    QFETCH(int, exitCode);
    if (m_cluster.adminCount("SELECT count(*) FROM pg_roles WHERE rolname = 'spaced'") == 0) {
        QCOMPARE(cli({"db", "migrate"}, "\n").exitCode, 0);
        const Run added = cli({"db", "add-station", "spaced", "--new-password-stdin"}, "\n  two words  \n");
        QVERIFY2(added.exitCode == 0, added.err.constData());
    }
    const Run run = cli({"history", "--user", "spaced", "--stats"}, login);
    QVERIFY2(run.exitCode == exitCode, run.err.constData());
}

// The standards commands with the station options work on the server's
// library: an editor adds, changes and removes; a station's role reads, and
// is told who may edit. Rows run in order, each on what the last left.
void TestStationCli::standards_editedOnTheServerOnly_data()
{
    QTest::addColumn<QString>("who");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // a line of standard output, or a part of standard error on failure
    // The standards on the server after the row: name, version, removed, its set's version.
    QTest::addColumn<QString>("server");
    QTest::newRow("editor adds") << "lab"
        << QStringList{"standards", "add", "Red 1", "--lab", "40,2,-3", "--tolerance", "dE00<=1,db=-0.3..0.6:info", "--warn", "80"}
        << 0 << QString() << "Red 1 1 f set 1";
    QTest::newRow("station reads") << "line9" << QStringList{"standards", "list"} << 0
                                   << "Red 1\t-\tv1\tdE00<=1,db=-0.3..0.6:info warn 80%" << "Red 1 1 f set 1";
    QTest::newRow("station may not change") << "line9" << QStringList{"standards", "set", "Red 1", "--code", "9"} << 2
                                            << "only a manager or a library editor may change it"
                                            << "Red 1 1 f set 1";
    QTest::newRow("station may not import") << "line9" << QStringList{"standards", "import", "/nonexistent.csv"} << 2
                                            << "the role line9 only reads it" << "Red 1 1 f set 1";
    QTest::newRow("editor changes the set") << "lab" << QStringList{"standards", "set", "red 1", "--tolerance", "dE00<=0.8"}
                                            << 0 << QString() << "Red 1 2 f set 2";
    QTest::newRow("a name in use") << "lab" << QStringList{"standards", "add", "RED 1", "--lab", "1,2,3"} << 2
                                   << "RED 1" << "Red 1 2 f set 2";
    QTest::newRow("editor removes") << "lab" << QStringList{"standards", "remove", "Red 1"} << 0 << QString()
                                    << "Red 1 3 t set 2";
    QTest::newRow("station reads nothing") << "line9" << QStringList{"standards", "list", "--json"} << 0 << QString()
                                           << "Red 1 3 t set 2";
    QTest::newRow("editor shares a set") << "lab" << QStringList{"standards", "share", "Plant", "--tolerance", "dEab<=2"}
                                         << 0 << QString() << "Red 1 3 t set 2";
    QTest::newRow("editor adds by the shared set")
        << "lab" << QStringList{"standards", "add", "Blue 7", "--lab", "30,1,1", "--shared-set", "plant"} << 0 << QString()
        << "Blue 7 1 f set 1, Red 1 3 t set 2";
    QTest::newRow("station reads the shared set") << "line9" << QStringList{"standards", "list"} << 0
                                                  << "Blue 7\t-\tv1\tdEab<=2 (Plant)" << "Blue 7 1 f set 1, Red 1 3 t set 2";
}

void TestStationCli::standards_editedOnTheServerOnly()
{
    QFETCH(QString, who);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, server);
    if (m_cluster.adminCount("SELECT count(*) FROM pg_roles WHERE rolname IN ('lab', 'line9')") < 2) {
        QCOMPARE(cli({"db", "migrate"}, "\n").exitCode, 0);
        Run added = cli({"db", "add-editor", "lab", "--new-password-stdin"}, "\npw lab\n");
        QVERIFY2(added.exitCode == 0, added.err.constData());
        QVERIFY2(added.out.contains("the editor role lab edits the library of standards"), added.out.constData());
        added = cli({"db", "add-station", "line9", "--new-password-stdin"}, "\npw nine\n");
        QVERIFY2(added.exitCode == 0, added.err.constData());
    }
    const Run run = cli(arguments << "--user" << who, who == QLatin1String("lab") ? "pw lab\n" : "pw nine\n");
    QVERIFY2(run.exitCode == exitCode, run.err.constData());
    if (exitCode == 0) {
        QVERIFY2(output.isEmpty() ? run.out.trimmed().isEmpty() : run.out.split('\n').contains(output.toUtf8()),
                 run.out.constData());
    } else {
        QVERIFY2(run.err.contains(output.toUtf8()), run.err.constData());
    }
    PgConnection admin(m_cluster.admin());
    QVERIFY(admin.open());
    const PgResult r = admin.exec("SELECT string_agg(concat_ws(' ', s.name, s.version, s.removed, 'set', t.version), ', ' ORDER BY s.name)"
                                  " FROM tintwell.standards s JOIN tintwell.tolerance_sets t ON t.id = s.tolerance_set"
                                  " AND t.current WHERE s.current");
    QVERIFY2(r.ok(), qPrintable(admin.errorText()));
    QCOMPARE(r.text(0, 0), server);
}

QTEST_GUILESS_MAIN(TestStationCli)
#include "tst_station_cli.moc"
