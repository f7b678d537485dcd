// The legacy fetch path against the emulated instrument, and which path a
// colorimeter takes (the block and full-record paths of the TX310 through the
// page: tst_measure_page).
#include "Comparison.h"
#include "EmulatedLink.h"
#include "MeasurementReading.h"

#include <QTest>

class tst_measure_fetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void legacyPath_showsLabCh()
    {
        EmulatedLink stack(QStringLiteral("TX450"), 200);
        QVERIFY(stack.opened);
        stack.instrument().queueReading({52.31, -5.28, 6.42, 0.0, 0.0});
        QCOMPARE(fetchPathFor(QStringLiteral("TX450"), 200), FetchPath::Legacy);
        QCOMPARE(fetchPathFor(QStringLiteral("TX420"), 300), FetchPath::Full); // whatever the mode
        ColorReading reading;
        QCOMPARE(fetchMeasurement(stack.transport, FetchPath::Legacy, DisplayMode::Lab, reading), 1);
        const ComparisonRecord::LegacyValues values = shownLegacyValues(legacyLayoutValues(reading));
        QCOMPARE(QList<double>(values.begin(), values.end()), QList<double>({52.31, -5.28, 6.42, 8.31, 129.43}));
    }
};

QTEST_GUILESS_MAIN(tst_measure_fetch)
#include "tst_measure_fetch.moc"
