// Without the PostgreSQL client library (opened only when the station
// database is first used) connecting fails with a message that says so; the
// program itself starts and runs without it.
#include "PgConnection.h"

#include <QTest>

class TestStationNoLibpq : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingLibrary_connectFailsAndSaysWhy()
    {
        StationConfig config;
        config.host = QStringLiteral("127.0.0.1");
        config.database = QStringLiteral("tintwell");
        config.user = QStringLiteral("station");
        PgConnection connection(config);
        for (int attempt = 0; attempt < 2; ++attempt) { // and again, as the sender retries
            QVERIFY(!connection.open());
            QVERIFY(!connection.isOpen());
            QVERIFY(connection.connectionLost());
            QVERIFY2(connection.errorText().contains(QStringLiteral("cannot be loaded")),
                     qPrintable(connection.errorText()));
        }
        QVERIFY(!connection.exec("SELECT 1").ok());
    }
};

int main(int argc, char** argv)
{
    // Before the first libpq call of the process.
    qputenv("TINTWELL_LIBPQ", "libpq-not-installed.so.5");
    TestStationNoLibpq test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_station_no_libpq.moc"
