// Without the PostgreSQL client library or libzip (both opened at their first
// use, not when the program starts) the work that needs them fails with a
// message that says so, and nothing else breaks.
#include "PgConnection.h"
#include "XlsxArchive.h"

#include <QTemporaryDir>
#include <QTest>

class TestMissingLibraries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noLibpq_connectFailsAndSaysWhy()
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

    void noLibzip_workbooksFailAndSayWhy()
    {
        QTemporaryDir dir;
        QString error;
        const QString path = dir.filePath(QStringLiteral("out.xlsx"));
        QVERIFY(!writeXlsxArchive(path, {{QStringLiteral("a.xml"), "<a/>"}}, {}, &error));
        QVERIFY2(error.contains(QStringLiteral("cannot be loaded")), qPrintable(error));
        error.clear();
        XlsxArchive archive;
        QVERIFY(!archive.load(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'), &error));
        QVERIFY2(error.contains(QStringLiteral("cannot be loaded")), qPrintable(error));
    }
};

int main(int argc, char** argv)
{
    // Before the first call of either library in the process.
    qputenv("TINTWELL_LIBPQ", "libpq-not-installed.so.5");
    qputenv("TINTWELL_LIBZIP", "libzip-not-installed.so.4");
    TestMissingLibraries test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_missing_libraries.moc"
