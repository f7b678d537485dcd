// The "Station database" dialog's "Test connection" against a real server,
// and the main window's station line: nothing shown while unconfigured, the
// server's message once when it refuses.
#include "PgTestCluster.h"
#include "StationDialog.h"
#include "StationSchema.h"
#include "StationStatus.h"
#include "WaitUntil.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

class TestStationDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void testConnection_saysWhatTheServerAnswered_data();
    void testConnection_saysWhatTheServerAnswered();
    void notConfigured_showsNothingAndSendsNothing();

private:
    PgTestCluster m_cluster;
    StationConfig m_station;
};

void TestStationDialog::initTestCase()
{
    // Settings in a folder of the test's own, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QString skip;
    QString error;
    if (!m_cluster.start(&skip, &error)) {
        if (!skip.isEmpty()) {
            QSKIP(qPrintable(skip));
        }
        QFAIL(qPrintable(error));
    }
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome migrated = StationSchema::migrate(admin);
    QVERIFY2(migrated.ok, qPrintable(migrated.error));
    m_station = m_cluster.addStation(QStringLiteral("bench_one"));
}

void TestStationDialog::testConnection_saysWhatTheServerAnswered_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("says");
    QTest::newRow("right password") << "pw-bench_one" << QByteArray() << true
                                    << QStringLiteral("schema version %1.").arg(StationSchema::knownVersion());
    QTest::newRow("wrong password") << "guess" << QByteArray() << false
                                    << "password authentication failed for user \"bench_one\"";
    QTest::newRow("newer schema") << "pw-bench_one"
                                  << "INSERT INTO tintwell.schema_version (version, name) VALUES ("
                                         + QByteArray::number(StationSchema::knownVersion() + 1) + ", 'next')"
                                  << false << "newer than this Tintwell knows";
}

void TestStationDialog::testConnection_saysWhatTheServerAnswered()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, before);
    QFETCH(bool, ok);
    QFETCH(QString, says);
    if (!before.isEmpty()) {
        QCOMPARE(m_cluster.adminExec(before), QString());
    }
    StationConfig config = m_station;
    config.password = QString();
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
    QVERIFY2(dialog.testResult().contains(m_station.serverName()), qPrintable(dialog.testResult()));
}

void TestStationDialog::notConfigured_showsNothingAndSendsNothing()
{
    StationStatus status;
    status.start();
    QCOMPARE(status.text(), QString());
    QVERIFY(status.findChild<QPushButton*>(QStringLiteral("btnStationDatabase"))->isEnabled());
    QCOMPARE(StationStatus::describe(SyncWorker::State::Offline, 3, QStringLiteral("server gone")),
             QStringLiteral("Station database: offline, trying again (3 waiting) - server gone"));
}

QTEST_MAIN(TestStationDialog)
#include "tst_station_dialog.moc"
