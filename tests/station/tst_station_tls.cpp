// TLS to the station database over TCP: the server's certificate and name
// are checked (verify-full) against the CA file given or else the system's
// trusted authorities, unless the user chose "Do not verify the server"; a
// login that would hand the password over (clear text) is refused either
// way. Why a connection failed is told apart for the user.
#include "PgTestStart.h"
#include "StationSchema.h"

#include <QTest>

Q_DECLARE_METATYPE(PgFailure)
Q_DECLARE_METATYPE(PgConnectStage)

class TestStationTls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void connection_data();
    void connection();
    void failureClassified_data();
    void failureClassified();

private:
    PgTestCluster m_cluster;
    StationConfig m_station;
    StationConfig m_clearTextStation;
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
    // A server that asks this role for its password in clear text.
    m_clearTextStation = m_cluster.addStation(QStringLiteral("clear_station"));
    QVERIFY2(m_cluster.addFirstHbaRule("hostssl all clear_station 127.0.0.1/32 password", &error), qPrintable(error));
}

void TestStationTls::connection_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("ca");     // "right", "other" or none (the system's authorities)
    QTest::addColumn<bool>("verify");
    QTest::addColumn<bool>("clearText"); // the server asks for the password in clear text
    QTest::addColumn<PgFailure>("failure");
    QTest::addColumn<QString>("says"); // libpq's detail
    QTest::newRow("name and authority checked") << "localhost" << "right" << true << false << PgFailure::None << "";
    QTest::newRow("no authority given: the system's do not know the server")
        << "localhost" << "" << true << false << PgFailure::Certificate << "certificate verify failed";
    QTest::newRow("not verified, by choice: encrypted all the same")
        << "localhost" << "" << false << false << PgFailure::None << "";
    QTest::newRow("the certificate names another host")
        << "127.0.0.1" << "right" << true << false << PgFailure::Certificate << "does not match host name";
    QTest::newRow("signed by another authority")
        << "localhost" << "other" << true << false << PgFailure::Certificate << "certificate verify failed";
    QTest::newRow("verified server asks for the clear-text password")
        << "localhost" << "right" << true << true << PgFailure::InsecureLogin << "channel binding";
    QTest::newRow("unverified server asks for the clear-text password")
        << "localhost" << "" << false << true << PgFailure::InsecureLogin << "channel binding";
}

void TestStationTls::connection()
{
    QFETCH(QString, host);
    QFETCH(QString, ca);
    QFETCH(bool, verify);
    QFETCH(bool, clearText);
    QFETCH(PgFailure, failure);
    QFETCH(QString, says);
    StationConfig config = clearText ? m_clearTextStation : m_station;
    config.host = host;
    config.port = m_cluster.port();
    config.caFile = ca == QLatin1String("right") ? m_cluster.caFile()
                    : ca == QLatin1String("other") ? m_cluster.otherCaFile()
                                                   : QString();
    config.verifyServer = verify;
    PgConnection connection(config);
    const bool opened = connection.open();
    if (failure != PgFailure::None) {
        QVERIFY(!opened);
        QCOMPARE(connection.failure(), failure);
        QVERIFY2(connection.errorText().contains(says), qPrintable(connection.errorText()));
        return;
    }
    QVERIFY2(opened, qPrintable(connection.errorText()));
    const PgResult r = connection.exec("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()");
    QVERIFY2(r.ok(), qPrintable(connection.errorText()));
    QCOMPARE(r.text(0, 0), QStringLiteral("t"));
}

// What libpq knows of a failure, and the cause the user is told; the rows
// no server here produces.
void TestStationTls::failureClassified_data()
{
    QTest::addColumn<PgConnectStage>("stage");
    QTest::addColumn<QByteArray>("sqlState");
    QTest::addColumn<bool>("passwordNeeded");
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<bool>("timedOut");
    QTest::addColumn<PgFailure>("failure");
    using S = PgConnectStage;
    QTest::newRow("invalid password") << S::Login << QByteArray("28P01") << false << true << false << PgFailure::WrongPassword;
    QTest::newRow("server starting up") << S::Login << QByteArray("57P03") << false << true << false << PgFailure::Unreachable;
    QTest::newRow("no such database") << S::Login << QByteArray("3D000") << false << true << false << PgFailure::Refused;
    QTest::newRow("no password given") << S::Login << QByteArray() << true << true << false << PgFailure::NoPassword;
    QTest::newRow("connection refused") << S::Connecting << QByteArray() << false << true << false << PgFailure::Unreachable;
    QTest::newRow("no answer at all") << S::Login << QByteArray() << false << true << true << PgFailure::Unreachable;
    QTest::newRow("TLS handshake failed") << S::Tls << QByteArray() << false << true << false << PgFailure::Certificate;
    QTest::newRow("login ended on a socket") << S::Login << QByteArray() << false << false << false << PgFailure::Refused;
}

void TestStationTls::failureClassified()
{
    QFETCH(PgConnectStage, stage);
    QFETCH(QByteArray, sqlState);
    QFETCH(bool, passwordNeeded);
    QFETCH(bool, tcp);
    QFETCH(bool, timedOut);
    QFETCH(PgFailure, failure);
    PgConnectFacts facts;
    facts.stage = stage;
    facts.sqlState = sqlState;
    facts.passwordNeeded = passwordNeeded;
    facts.channelBindingRequired = tcp;
    facts.timedOut = timedOut;
    QCOMPARE(classifyConnectFailure(facts), failure);
}

QTEST_GUILESS_MAIN(TestStationTls)
#include "tst_station_tls.moc"
