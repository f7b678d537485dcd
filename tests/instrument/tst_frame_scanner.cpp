// The pushed-frame scanner: frames split across reads at every byte, noise of
// every length before them, headers cut off at the end of a read, frames of
// another kind, and the format each instrument pushes.
#include "FrameScanner.h"
#include "MeasurementReading.h"
#include "MeasurementSequence.h"
#include "VirtualInstrument.h"

#include <QTest>

namespace {

MeasurementRecord sampleRecord(bool firstGeneration = false)
{
    return recordFromReading({52.31, -1.25, 3.5, 12.34, 88.8}, firstGeneration);
}

QByteArray pushedFrame(PushedFrameFormat format, int k = 0)
{
    VirtualInstrument instrument(emulatorModel(QStringLiteral("TX310")));
    const MeasurementRecord record = sampleRecord(format == PushedFrameFormat::Legacy);
    return format == PushedFrameFormat::Block ? instrument.blockFrame(record, k)
                                              : instrument.fullRecordFrame(record);
}

// Noise that keeps looking like the start of a header without being one.
QByteArray noise(int length)
{
    static const char pattern[] = {'\xAB', '\x44', '\x00', '\x00', '\x00', '\x00', '\x35',
                                   '\x12', '\xAB', '\xAB', '\x44', '\x01', '\x7F'};
    QByteArray bytes;
    for (int i = 0; i < length; ++i) {
        bytes.append(pattern[i % sizeof(pattern)]);
    }
    return bytes;
}

// Feeds the chunks one after another as the page does: append, scan, drop
// what was consumed.
QList<PushedFrame> feed(const QList<QByteArray>& chunks, PushedFrameFormat format,
                        QByteArray* left = nullptr)
{
    QByteArray buffer;
    QList<PushedFrame> frames;
    for (const QByteArray& chunk : chunks) {
        buffer.append(chunk);
        const PushedScan scan = scanPushedFrames(buffer, format);
        frames.append(scan.frames);
        buffer.remove(0, scan.consumed);
    }
    if (left) {
        *left = buffer;
    }
    return frames;
}

} // namespace

class tst_frame_scanner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void splitAndNoise_frameFoundOnce_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("lastDecoded");
        QTest::newRow("full record") << int(PushedFrameFormat::FullRecord) << 0 << 42;
        QTest::newRow("Lab block") << int(PushedFrameFormat::Block) << 3 << 22;
        QTest::newRow("Yxy block") << int(PushedFrameFormat::Block) << 5 << 22;
        QTest::newRow("legacy record") << int(PushedFrameFormat::Legacy) << 0 << 38;
    }
    void splitAndNoise_frameFoundOnce()
    {
        QFETCH(int, format);
        QFETCH(int, k);
        QFETCH(int, lastDecoded);
        const auto kind = static_cast<PushedFrameFormat>(format);
        const QByteArray frame = pushedFrame(kind, k);
        ColorReading expected;
        QVERIFY(readingFromPushedFrame({kind, kind == PushedFrameFormat::Block ? 0x20 + k : -1, frame},
                                       displayModeFromIndex(k), expected));
        for (int noiseLength = 0; noiseLength <= 70; ++noiseLength) {
            const QByteArray bytes = noise(noiseLength) + frame;
            for (int split = 0; split <= bytes.size(); ++split) {
                QByteArray left;
                const QList<PushedFrame> frames =
                    feed({bytes.left(split), bytes.mid(split)}, kind, &left);
                const QString where = QStringLiteral("noise %1, split at %2").arg(noiseLength).arg(split);
                QVERIFY2(frames.size() == 1, qPrintable(where));
                QVERIFY2(frames.first().bytes.size() > lastDecoded, qPrintable(where));
                QVERIFY2(frame.startsWith(frames.first().bytes), qPrintable(where));
                ColorReading reading;
                QVERIFY2(readingFromPushedFrame(frames.first(), displayModeFromIndex(k), reading), qPrintable(where));
                QCOMPARE(currentLayoutValues(reading), currentLayoutValues(expected));
                QVERIFY2(left.size() < 7, qPrintable(where)); // at most a header's beginning waits
            }
        }
    }

    void cutOffHeader_keptUntilTheNextRead_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<int>("kept");
        QTest::newRow("no header") << QByteArray::fromHex("0102034455") << 0;
        QTest::newRow("AB at the end") << QByteArray::fromHex("010203AB") << 1;
        QTest::newRow("AB 44 at the end") << QByteArray::fromHex("0102AB44") << 2;
        QTest::newRow("AB 44 xx 00 xx xx") << QByteArray::fromHex("99AB4400000000") << 6;
        QTest::newRow("wrong length byte") << QByteArray::fromHex("AB440000000024") << 0;
        QTest::newRow("a block header in the full-record stream") << QByteArray::fromHex("AB442300000018") << 0;
        QTest::newRow("header complete, values not yet") << QByteArray::fromHex("77AB44000000003600") << 8;
    }
    void cutOffHeader_keptUntilTheNextRead()
    {
        QFETCH(QByteArray, chunk);
        QFETCH(int, kept);
        const PushedScan scan = scanPushedFrames(chunk, PushedFrameFormat::FullRecord);
        QVERIFY(scan.frames.isEmpty());
        QCOMPARE(chunk.size() - scan.consumed, kept);
    }

    void twoFramesInOneRead_bothFound()
    {
        const QByteArray first = pushedFrame(PushedFrameFormat::Block, 4);
        const QByteArray second = pushedFrame(PushedFrameFormat::Block, 3);
        const PushedScan scan = scanPushedFrames(noise(5) + first + second, PushedFrameFormat::Block);
        QCOMPARE(scan.frames.size(), 2);
        QCOMPARE(scan.frames.at(0).blockNumber, 0x24);
        QCOMPARE(scan.frames.at(1).blockNumber, 0x23);
        QCOMPARE(scan.frames.at(1).bytes, second);
    }

    void blockOfAnotherMode_orWithoutItsOwn_notAReading_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<bool>("taken");
        QTest::newRow("LCh block in LCh mode") << 4 << 4 << true;
        QTest::newRow("Lab block in LCh mode") << 3 << 4 << false;
        QTest::newRow("Haze/T block in Haze/T/Lab mode") << 0 << 6 << false;
        QTest::newRow("Haze/T block, no mode known") << 0 << -1 << false;
    }
    void blockOfAnotherMode_orWithoutItsOwn_notAReading()
    {
        QFETCH(int, k);
        QFETCH(int, displayMode);
        QFETCH(bool, taken);
        const PushedScan scan = scanPushedFrames(pushedFrame(PushedFrameFormat::Block, k),
                                                 PushedFrameFormat::Block);
        QCOMPARE(scan.frames.size(), 1);
        ColorReading reading;
        QCOMPARE(readingFromPushedFrame(scan.frames.first(), displayModeFromIndex(displayMode), reading), taken);
    }

    void formatPerInstrument_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("format");
        QTest::newRow("TX310 1.05") << "TX310" << 105 << int(PushedFrameFormat::Block);
        QTest::newRow("TX310 1.06") << "TX310" << 106 << int(PushedFrameFormat::FullRecord);
        QTest::newRow("TX470 1.00") << "TX470" << 100 << int(PushedFrameFormat::Block);
        QTest::newRow("TX420 1.00") << "TX420" << 100 << int(PushedFrameFormat::Legacy);
        QTest::newRow("TX420 3.00") << "TX420" << 300 << int(PushedFrameFormat::FullRecord);
        QTest::newRow("TX460 3.99") << "TX460" << 399 << int(PushedFrameFormat::Legacy);
    }
    void formatPerInstrument()
    {
        QFETCH(QString, model);
        QFETCH(int, version);
        QFETCH(int, format);
        QCOMPARE(int(pushedFrameFormat(model, version)), format);
    }
};

QTEST_GUILESS_MAIN(tst_frame_scanner)
#include "tst_frame_scanner.moc"
