// TLS to the station database over TCP: with a CA file the server's
// certificate and name are checked (verify-full); without one the
// connection is still encrypted.
#include "PgTestStart.h"
#include "StationSchema.h"

#include <QTest>

class TestStationTls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void connection_data();
    void connection();

private:
    PgTestCluster m_cluster;
    StationConfig m_station;
};

void TestStationTls::initTestCase()
{
    PG_TEST_CLUSTER_START(m_cluster);
    QString error;
    QVERIFY2(m_cluster.enableTls(&error), qPrintable(error));
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome migrated = StationSchema::migrate(admin);
    QVERIFY2(migrated.ok, qPrintable(migrated.error));
    m_station = m_cluster.addStation(QStringLiteral("tls_station"));
}

void TestStationTls::connection_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("ca");     // "right", "other" or none
    QTest::addColumn<QString>("refusal"); // empty: connects, encrypted
    QTest::newRow("name and authority checked") << "localhost" << "right" << "";
    QTest::newRow("no authority given: encrypted all the same") << "localhost" << "" << "";
    QTest::newRow("the certificate names another host") << "127.0.0.1" << "right" << "does not match host name";
    QTest::newRow("signed by another authority") << "localhost" << "other" << "certificate verify failed";
}

void TestStationTls::connection()
{
    QFETCH(QString, host);
    QFETCH(QString, ca);
    QFETCH(QString, refusal);
    StationConfig config = m_station;
    config.host = host;
    config.port = m_cluster.port();
    config.caFile = ca == QLatin1String("right") ? m_cluster.caFile()
                    : ca == QLatin1String("other") ? m_cluster.otherCaFile()
                                                   : QString();
    QCOMPARE(config.sslMode(), ca.isEmpty() ? QStringLiteral("require") : QStringLiteral("verify-full"));
    PgConnection connection(config);
    const bool opened = connection.open();
    if (!refusal.isEmpty()) {
        QVERIFY(!opened);
        QVERIFY2(connection.errorText().contains(refusal), qPrintable(connection.errorText()));
        return;
    }
    QVERIFY2(opened, qPrintable(connection.errorText()));
    const PgResult r = connection.exec("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()");
    QVERIFY2(r.ok(), qPrintable(connection.errorText()));
    QCOMPARE(r.text(0, 0), QStringLiteral("t"));
}

QTEST_GUILESS_MAIN(TestStationTls)
#include "tst_station_tls.moc"
