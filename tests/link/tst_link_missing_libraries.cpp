// Without hidapi or libudev (both opened at their first use, not when the
// program starts) looking for the instrument finds nothing, opening it fails,
// the log says why once, and device notifications do not start.
#include "HidLinkFactory.h"
#include "HidapiBackend.h"
#include "InstrumentIds.h"
#include "UdevDeviceNotifier.h"

#include <QRegularExpression>
#include <QtTest>

class MissingLinkLibrariesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noHidapi_searchAndOpenFailAndSayWhyOnce()
    {
        // The first use says why; later ones would repeat it, and fail the test.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^hidapi cannot be loaded: .+")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("hidapi")));
        for (int attempt = 0; attempt < 2; ++attempt) { // and again, as an arrival retries
            QVERIFY(HidapiBackend::attachedInstruments(kInstrumentVendorId, kInstrumentProductId).empty());
            HidLinkFactory factory;
            QVERIFY(!factory.openLink(kInstrumentVendorId, kInstrumentProductId));
            HidapiBackend onePath("/dev/hidraw0");
            QVERIFY(!onePath.open(kInstrumentVendorId, kInstrumentProductId));
            QVERIFY(!onePath.isPresent());
        }
    }

    void noLibudev_notifierDoesNotStartAndSaysWhy()
    {
        UdevDeviceNotifier notifier;
        const QRegularExpression why(QStringLiteral("^libudev cannot be loaded: .+device notifications are off$"));
        QTest::ignoreMessage(QtWarningMsg, why);
        QVERIFY(!notifier.start());
        QTest::ignoreMessage(QtWarningMsg, why);
        QVERIFY(!notifier.start());
    }
};

int main(int argc, char** argv)
{
    // Before the first call of either library in the process.
    qputenv("TINTWELL_HIDAPI", "libhidapi-not-installed.so.0");
    qputenv("TINTWELL_LIBUDEV", "libudev-not-installed.so.1");
    QCoreApplication app(argc, argv);
    MissingLinkLibrariesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_link_missing_libraries.moc"
