// The three fetch paths against the emulated instrument: which path each
// instrument takes, what each shows, and a display mode without a block.
#include "EmulatedLink.h"
#include "Frames.h"
#include "MeasurementReading.h"
#include "MeasurementSequence.h"

#include <QTest>

class tst_measure_fetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paths_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("path");
        QTest::addColumn<int>("result");
        // Expected texts: Haze, T, L*, C*, h, Y, x (a reading of zeros shows as zeros).
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("TX310 1.05 LCh: block, no haze, T, Y, x")
            << "TX310" << 105 << 4 << int(FetchPath::Block) << 1
            << QStringList{"0.00%", "0.00%", "52.31", "8.31", "129.4", "0.00", "0.0000"};
        QTest::newRow("TX310 1.05 Haze/T: block")
            << "TX310" << 105 << 0 << int(FetchPath::Block) << 1
            << QStringList{"12.34%", "88.80%", "0.00", "0.00", "0.0", "0.00", "0.0000"};
        QTest::newRow("TX310 1.06 LCh: full record")
            << "TX310" << 106 << 4 << int(FetchPath::Full) << 1
            << QStringList{"12.34%", "88.80%", "52.31", "8.31", "129.4", "20.42", "0.3201"};
        QTest::newRow("TX420 3.00: full record whatever the version")
            << "TX420" << 300 << 3 << int(FetchPath::Full) << 1
            << QStringList{"12.34%", "88.80%", "52.31", "8.31", "129.4", "20.42", "0.3201"};
        QTest::newRow("TX310 1.05 Haze/T/Lab: no block, a failed measurement")
            << "TX310" << 105 << 6 << int(FetchPath::Block) << ProtocolResult::ValueDoesNotFit
            << QStringList{};
    }
    void paths()
    {
        QFETCH(QString, model);
        QFETCH(int, version);
        QFETCH(int, displayMode);
        QFETCH(int, path);
        QFETCH(int, result);
        QFETCH(QStringList, shown);
        EmulatedLink stack(model, version);
        QVERIFY(stack.opened);
        stack.instrument().setDisplayMode(displayMode);
        stack.instrument().queueReading({52.31, -5.28, 6.42, 12.34, 88.8});
        QCOMPARE(int(fetchPathFor(model, version)), path);

        ColorReading reading;
        reading.haze = -7.0; // must stay untouched by a failure
        QCOMPARE(fetchMeasurement(stack.transport, FetchPath(path), displayMode, reading), result);
        if (result != ProtocolResult::Success) {
            QCOMPARE(reading.haze, -7.0);
            QVERIFY(stack.emulator.receivedFrames().isEmpty()); // nothing was sent
            return;
        }
        const auto texts = currentLayoutTexts(reading);
        QCOMPARE(QStringList({texts[0], texts[1], texts[5], texts[6], texts[7], texts[8], texts[9]}),
                 shown);
        QVERIFY(reading.red + reading.green + reading.blue > 0); // the swatch comes along
    }

    void legacyPath_showsLabCh()
    {
        EmulatedLink stack(QStringLiteral("TX450"), 200);
        QVERIFY(stack.opened);
        stack.instrument().queueReading({52.31, -5.28, 6.42, 0.0, 0.0});
        QCOMPARE(fetchPathFor(QStringLiteral("TX450"), 200), FetchPath::Legacy);
        ColorReading reading;
        QCOMPARE(fetchMeasurement(stack.transport, FetchPath::Legacy, 3, reading), 1);
        const auto texts = legacyLayoutTexts(reading);
        QCOMPARE(QStringList(texts.begin(), texts.end()),
                 QStringList({"52.31", "-5.28", "6.42", "8.31", "129.43"}));
    }
};

QTEST_GUILESS_MAIN(tst_measure_fetch)
#include "tst_measure_fetch.moc"
