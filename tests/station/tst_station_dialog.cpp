// The "Station database" dialog's "Test connection" against a real server,
// saying why it failed in the interface's language with its fields still
// readable, and the main window's station line: nothing shown while
// unconfigured, the server's state (not the key store) when it cannot be
// reached, in every language; the history window's statistics and exports.
#include "AppStartup.h"
#include "ComparisonRecordList.h"
#include "HistoryWindow.h"
#include "PgTestStart.h"
#include "ScriptedDialogs.h"
#include "StationDialog.h"
#include "StationHistory.h"
#include "StationSchema.h"
#include "StationStatus.h"
#include "StatisticsWindow.h"
#include "WaitUntil.h"
#include "XlsxReader.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <cmath>

void tintwellInitResources(); // the window's style sheet

class TestStationDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void testConnection_saysWhatTheServerAnswered_data();
    void testConnection_saysWhatTheServerAnswered();
    void failedTest_keepsFieldsReadableAndSaysWhyInTheLanguage_data();
    void failedTest_keepsFieldsReadableAndSaysWhyInTheLanguage();
    void notConfigured_showsNothingAndSendsNothing();
    void serverDown_lineShowsTheServerInEveryLanguage();
    void historyWindow_queriesOnAThreadAndExports();
    void historyWindow_datesFilterOrAreRefused_data();
    void historyWindow_datesFilterOrAreRefused();
    void historyWindow_statisticsAndExportFormats_data();
    void historyWindow_statisticsAndExportFormats();

private:
    PgTestCluster m_cluster;
    StationConfig m_station;
};

namespace {
// A TCP port nothing listens on.
int closedPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 1;
}
} // namespace

void TestStationDialog::initTestCase()
{
    // Settings in a folder of the test's own, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    tintwellInitResources();
    PG_TEST_CLUSTER_START_MIGRATED(m_cluster);
    m_station = m_cluster.addStation(QStringLiteral("bench_one"));
}

void TestStationDialog::testConnection_saysWhatTheServerAnswered_data()
{
    QTest::addColumn<QString>("host"); // "cluster": its socket
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("says");
    QTest::newRow("right password") << "cluster" << "pw-bench_one" << QByteArray() << true
                                    << QStringLiteral("schema version %1.").arg(StationSchema::knownVersion());
    QTest::newRow("wrong password, with the server's words")
        << "cluster" << "guess" << QByteArray() << false
        << "refused the password of bench_one: check the user and the password.\n"
           "connection to server on socket";
    QTest::newRow("no password typed, none stored")
        << "cluster" << "" << QByteArray() << false << "wants a password for bench_one, and none is stored or given.";
    QTest::newRow("server down") << "127.0.0.1" << "pw-bench_one" << QByteArray() << false
                                 << "does not answer: check the server's name and port";
    // libpq would try a socket of its own choosing.
    QTest::newRow("no server given") << "" << "pw-bench_one" << QByteArray() << false
                                     << "Give the server, the database and the user to test the connection.";
    QTest::newRow("newer schema") << "cluster" << "pw-bench_one"
                                  << "INSERT INTO tintwell.schema_version (version, name) VALUES ("
                                         + QByteArray::number(StationSchema::knownVersion() + 1) + ", 'next')"
                                  << false << "newer than this Tintwell knows";
}

void TestStationDialog::testConnection_saysWhatTheServerAnswered()
{
    QFETCH(QString, host);
    QFETCH(QString, password);
    QFETCH(QByteArray, before);
    QFETCH(bool, ok);
    QFETCH(QString, says);
    if (!before.isEmpty()) {
        QCOMPARE(m_cluster.adminExec(before), QString());
    }
    StationConfig config = m_station;
    config.password = QString();
    if (host != QLatin1String("cluster")) {
        config.host = host;
        config.port = closedPort();
    }
    StationDialog dialog(config);
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->echoMode() == QLineEdit::Password) {
            edit->setText(password);
        }
    }
    QSignalSpy tested(&dialog, &StationDialog::tested);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnTestConnection")), Qt::LeftButton);
    const bool answered = waitUntil([&] { return tested.count() == 1; }, 15000);
    m_cluster.adminExec("DELETE FROM tintwell.schema_version WHERE version > "
                        + QByteArray::number(StationSchema::knownVersion()));
    QVERIFY(answered);
    QCOMPARE(tested.first().at(0).toBool(), ok);
    QVERIFY2(dialog.testResult().contains(says), qPrintable(dialog.testResult()));
    if (!host.isEmpty()) {
        QVERIFY2(dialog.testResult().contains(config.serverName()), qPrintable(dialog.testResult()));
    }
    // The server's code and source location are not for the user.
    QVERIFY2(!dialog.testResult().contains(QStringLiteral("28P01")), qPrintable(dialog.testResult()));
    QVERIFY2(!dialog.testResult().contains(QStringLiteral(".c:")), qPrintable(dialog.testResult()));
}

// The dialog as the window shows it (its style sheet and font): after a
// failed test every field keeps its height, each is wide enough for its
// placeholder, and the cause is in the interface's language.
void TestStationDialog::failedTest_keepsFieldsReadableAndSaysWhyInTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("says");
    QTest::newRow("English") << "en" << "does not answer";
    QTest::newRow("Chinese") << "zh" << "无应答";
}

void TestStationDialog::failedTest_keepsFieldsReadableAndSaysWhyInTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, says);
    QTranslator chinese;
    if (language == QLatin1String("zh")) {
        QVERIFY(chinese.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
        QCoreApplication::installTranslator(&chinese);
    }
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const QFont font = app->font();
    applyLookAndFeel(*app);
    StationConfig config = m_station;
    config.host = QStringLiteral("127.0.0.1");
    config.port = closedPort();
    StationDialog dialog(config);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
    QList<int> heights;
    for (QLineEdit* edit : edits) {
        heights << edit->height();
        QVERIFY2(edit->width() >= edit->fontMetrics().horizontalAdvance(edit->placeholderText()),
                 qPrintable(edit->placeholderText()));
    }
    QSignalSpy tested(&dialog, &StationDialog::tested);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnTestConnection")), Qt::LeftButton);
    const bool answered = waitUntil([&] { return tested.count() == 1; }, 15000);
    QCoreApplication::processEvents();
    QList<int> after;
    for (QLineEdit* edit : edits) {
        after << edit->height();
    }
    const QString result = dialog.testResult();
    dialog.close();
    app->setStyleSheet(QString());
    app->setFont(font);
    QCoreApplication::removeTranslator(&chinese);
    QVERIFY(answered);
    QVERIFY2(result.contains(says), qPrintable(result));
    QCOMPARE(after, heights);
}

void TestStationDialog::notConfigured_showsNothingAndSendsNothing()
{
    ScriptedDialogs dialogs; // any box would fail the test
    StationStatus status(dialogs);
    status.start();
    QCOMPARE(status.text(), QString());
    QVERIFY(status.findChild<QPushButton*>(QStringLiteral("btnStationDatabase"))->isEnabled());
    QCOMPARE(StationStatus::describe(SyncWorker::State::Offline, 3, QStringLiteral("server gone")),
             QStringLiteral("Station database: offline, trying again (3 waiting) - server gone"));
    QCOMPARE(StationStatus::describe(SyncWorker::State::Online, 0, QString(), 2),
             QStringLiteral("Station database: all records sent (2 set aside)"));
}

// The key store here cannot be read: the line still shows what the server
// does, and a language switch redraws it rather than blanking it.
void TestStationDialog::serverDown_lineShowsTheServerInEveryLanguage()
{
    StationConfig config = m_station;
    config.host = QStringLiteral("127.0.0.1");
    config.port = closedPort();
    config.verifyServer = false;
    config.saveAsSaved();
    ScriptedDialogs dialogs;
    StationStatus status(dialogs);
    status.start();
    const bool offline = waitUntil([&] { return status.text().contains(QStringLiteral("offline")); }, 15000);
    const QString before = status.text();
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&status, &change);
    const QString after = status.text();
    StationConfig().saveAsSaved();
    QVERIFY2(offline, qPrintable(before));
    QVERIFY2(before.contains(QStringLiteral("the server not verified")), qPrintable(before));
    QVERIFY2(!before.contains(QStringLiteral("key store")), qPrintable(before));
    QCOMPARE(after, before);
}

void TestStationDialog::historyWindow_queriesOnAThreadAndExports()
{
    QCOMPARE(m_cluster.adminExec(
                 "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model, serial_number,"
                 " standard, legacy, standard_values, sample_values, delta_e, pass, settings)"
                 " SELECT v.id::uuid, 1, s.id, v.t::timestamptz, v.n, 'TX450', 'S', 'Lab 1', false, '{}', '{}', v.de,"
                 " v.p, '{}' FROM tintwell.stations s, (VALUES"
                 " ('22222222-0000-0000-0000-000000000001', '2026-03-01 08:00+00', '=Comp1', 0.25, true),"
                 " ('22222222-0000-0000-0000-000000000002', '2026-03-01 09:00+00', 'Comp \"2\", rework', 1.75, false))"
                 " AS v(id, t, n, de, p) WHERE s.db_role = 'bench_one'"),
             QString());
    ScriptedDialogs dialogs;
    HistoryWindow window(std::make_unique<StationHistorySource>(m_cluster.admin()), dialogs);
    QSignalSpy finished(&window, &HistoryWindow::finished);
    QSignalSpy statisticsShown(&window, &HistoryWindow::statisticsShown);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnQuery")), Qt::LeftButton);
    QVERIFY(waitUntil([&] { return finished.count() == 1; }, 15000));
    QVERIFY2(finished.first().at(0).toBool(), qPrintable(finished.first().at(1).toString()));
    QCOMPARE(window.rows().size(), 2);
    // The statistics of the selection follow the rows.
    QVERIFY(waitUntil([&] { return statisticsShown.count() == 1; }, 15000));
    QVERIFY2(window.statisticsText().startsWith(QStringLiteral("2 records, 1 PASS, 1 NG; ΔE mean 1.0000")),
             qPrintable(window.statisticsText()));
    QCOMPARE(dialogs.openProgressDialogs, 0);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.csv"));
    dialogs.answerSaveFile(path);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnExport")), Qt::LeftButton);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // A name another station typed like a formula stays text in a spreadsheet.
    QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBFid,station,time,test name,model,serial number,standard,dE,verdict\r\n"
                                        "22222222-0000-0000-0000-000000000001,bench_one,2026-03-01T08:00:00Z,\"'=Comp1\","
                                        "TX450,S,Lab 1,0.25,PASS\r\n"
                                        "22222222-0000-0000-0000-000000000002,bench_one,2026-03-01T09:00:00Z,"
                                        "\"Comp \"\"2\"\", rework\",TX450,S,Lab 1,1.75,NG\r\n"));
}

void TestStationDialog::historyWindow_datesFilterOrAreRefused_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("refused"); // the text refused with a box; empty: the query runs
    QTest::newRow("dates") << "2025-01-01" << "2025-01-15" << QString();
    QTest::newRow("dates and times") << "2025-01-15T00:00" << "2025-02-01T00:00" << QString();
    QTest::newRow("a start written otherwise") << "01.01.2025" << "2025-01-15" << "01.01.2025";
    QTest::newRow("an end that is no date") << "2025-01-01" << "yesterday" << "yesterday";
}

void TestStationDialog::historyWindow_datesFilterOrAreRefused()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, refused);
    QCOMPARE(m_cluster.adminExec(
                 "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model, serial_number,"
                 " standard, legacy, standard_values, sample_values, delta_e, pass, settings)"
                 " SELECT v.id::uuid, 1, s.id, v.t::timestamptz, 'January', 'TX450', 'S', 'Lab 1', false, '{}', '{}',"
                 " 0.5, true, '{}' FROM tintwell.stations s, (VALUES"
                 " ('33333333-0000-0000-0000-000000000001', '2025-01-10 10:00+00'),"
                 " ('33333333-0000-0000-0000-000000000002', '2025-01-20 10:00+00'))"
                 " AS v(id, t) WHERE s.db_role = 'bench_one' ON CONFLICT DO NOTHING"),
             QString());
    ScriptedDialogs dialogs;
    HistoryWindow window(std::make_unique<StationHistorySource>(m_cluster.admin()), dialogs);
    window.findChild<QLineEdit*>(QStringLiteral("historyFrom"))->setText(from);
    window.findChild<QLineEdit*>(QStringLiteral("historyTo"))->setText(to);
    QSignalSpy finished(&window, &HistoryWindow::finished);
    if (!refused.isEmpty()) {
        dialogs.expectMessage(window.windowTitle(),
                              QStringLiteral("\"%1\" is not a date: write it as yyyy-MM-dd or yyyy-MM-ddThh:mm.").arg(refused));
        window.query();
        QVERIFY(!dialogs.hasUnusedAnswers());
        QCOMPARE(dialogs.openProgressDialogs, 0);
        QCOMPARE(finished.count(), 0);
        return;
    }
    window.query();
    QVERIFY(waitUntil([&] { return finished.count() == 1; }, 15000));
    QVERIFY2(finished.first().at(0).toBool(), qPrintable(finished.first().at(1).toString()));
    QCOMPARE(window.rows().size(), 1);
}

// The records found come back whole: the statistics window follows them, and
// the workbook and CGATS exports hold them.
void TestStationDialog::historyWindow_statisticsAndExportFormats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("expected"); // a text the file holds; empty: refused with a box
    QTest::newRow("workbook") << QStringLiteral("history.xlsx") << QByteArray("Lab sample");
    QTest::newRow("CGATS") << QStringLiteral("history.ti3") << QByteArray("Lab sample");
}

void TestStationDialog::historyWindow_statisticsAndExportFormats()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);
    QCOMPARE(m_cluster.adminExec(
                 "INSERT INTO tintwell.records (id, version, station_id, measured_at, test_name, model, serial_number,"
                 " standard, legacy, standard_values, sample_values, delta_e, pass, settings)"
                 " SELECT gen_random_uuid(), 1, s.id, '2026-04-01 08:00+00', 'Lab sample', 'TX450', 'S', 'Lab 50', false,"
                 " '{NULL,NULL,50,1,2,NULL,NULL,NULL,NULL,NULL,NULL}', '{NULL,NULL,51,1.5,2.5,NULL,NULL,NULL,NULL,NULL,NULL}',"
                 " 1.22, true, '{\"displayMode\": 3, \"deltaEThreshold\": 2}'"
                 " FROM tintwell.stations s WHERE s.db_role = 'bench_one'"),
             QString());
    ScriptedDialogs dialogs;
    HistoryWindow window(std::make_unique<StationHistorySource>(m_cluster.admin()), dialogs);
    QSignalSpy finished(&window, &HistoryWindow::finished);
    window.query();
    QVERIFY(waitUntil([&] { return finished.count() == 1; }, 15000));
    QVERIFY2(finished.first().at(0).toBool(), qPrintable(finished.first().at(1).toString()));
    const QList<ComparisonRecord>& records = window.records().records();
    const auto lab = std::find_if(records.cbegin(), records.cend(),
                                  [](const ComparisonRecord& r) { return r.testName == QLatin1String("Lab sample"); });
    QVERIFY(lab != records.cend());
    QCOMPARE(lab->standard[ComparisonRecord::LabL], 50.0);
    QCOMPARE(lab->sample[ComparisonRecord::LabB], 2.5);
    QVERIFY(std::isnan(lab->standard[ComparisonRecord::Haze]));
    QCOMPARE(lab->settings.displayMode, DisplayMode::Lab);
    QCOMPARE(lab->time, QDateTime(QDate(2026, 4, 1), QTime(8, 0), Qt::UTC));

    StatisticsWindow* statistics = window.showStatistics();
    statistics->refresh();
    QCOMPARE(statistics->statistics().overall().records, int(records.size()));
    statistics->close();

    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    dialogs.answerSaveFile(path);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnExport")), Qt::LeftButton);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    if (path.endsWith(QLatin1String(".xlsx"))) {
        XlsxSheet sheet;
        QString error;
        QVERIFY2(readXlsxSheet(bytes, 1, sheet, &error), qPrintable(error));
        QStringList names;
        for (const QVariantList& row : sheet.denseRows()) {
            names << (row.size() > 3 ? row.at(3).toString() : QString());
        }
        QCOMPARE(names.size(), records.size() + 1); // the header, then every record
        QVERIFY2(names.contains(QString::fromUtf8(expected)), qPrintable(names.join(QLatin1Char('|'))));
    } else {
        // Only the record with L*a*b* is a sample.
        QVERIFY2(bytes.contains(expected), bytes.constData());
        QVERIFY(!bytes.contains("Comp1"));
        QVERIFY(bytes.contains("NUMBER_OF_SETS"));
    }
}

QTEST_MAIN(TestStationDialog)
#include "tst_station_dialog.moc"
