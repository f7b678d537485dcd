// The emulated instrument's answers to identification, settings and
// measurement requests, byte for byte through raw HID reports.

#include "EmulatorModel.h"
#include "MeasurementSequence.h"
#include "RawClient.h"
#include "VirtualInstrument.h"

#include <QtTest>

#include <cmath>

class TestEmulatorReplies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyInformation_data();
    void keyInformation();
    void softwareVersion_data();
    void softwareVersion();
    void settingsReads();
    void settingsWrites_data();
    void settingsWrites();
    void fullRecord_valuesAtTheirOffsets();
    void measurementBlocks_data();
    void measurementBlocks();
    void builtInSequence_driftsAndGivesBothVerdicts_data();
    void builtInSequence_driftsAndGivesBothVerdicts();
    void firstGeneration_hueScaledBy100();
    void spectralMeasurement_queuedAndBuiltIn();
};

void TestEmulatorReplies::keyInformation_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<quint32>("meterNumber");
    QTest::newRow("TX310") << "TX310" << 0 << true << 310u;
    QTest::newRow("TX420") << "TX420" << 0 << true << 420u;
    QTest::newRow("TX430") << "TX430" << 0 << true << 430u;
    QTest::newRow("TX450") << "TX450" << 0 << true << 450u;
    QTest::newRow("TX460") << "TX460" << 0 << true << 460u;
    QTest::newRow("TX470 refuses") << "TX470" << 0 << false << 470u;
    QTest::newRow("TX430 3.99 first generation") << "TX430" << 399 << false << 430u;
    QTest::newRow("TX430 4.00 current") << "TX430" << 400 << true << 430u;
    QTest::newRow("TX420 2.99 first generation") << "TX420" << 299 << false << 420u;
    QTest::newRow("unknown name is TX310") << "TX999" << 0 << true << 310u;
}

void TestEmulatorReplies::keyInformation()
{
    QFETCH(QString, model);
    QFETCH(int, version);
    QFETCH(bool, offered);
    QFETCH(quint32, meterNumber);
    InstrumentEmulator emulator(model, version);
    RawClient client(emulator);
    QVERIFY(client.opened);
    const quint32 serial = emulator.model().serialNumber;

    const QByteArray key = client.exchange(hex("AB 20 05 00 12 00 5E 21"), 26, 200);
    if (offered) {
        QCOMPARE(key.size(), 26);
        QCOMPARE(key.left(7), hex("AB 20 05 00 12 00 A5"));
        QCOMPARE(getU16le(key, 8), quint16(2024));
        QCOMPARE(getU8(key, 10), quint8(5));
        QCOMPARE(getU8(key, 11), quint8(17));
        QCOMPARE(getU32le(key, 12), serial);
        QCOMPARE(getU32le(key, 16), meterNumber);
        QCOMPARE(getU16le(key, 24), frameChecksum(key, 24));
        return;
    }
    // The short refusal, then the production information answers.
    QCOMPARE(key.size(), 5);
    QCOMPARE(key.left(3), hex("AB A0 04"));
    QVERIFY(frameChecksumOk(key));

    const QByteArray info = client.exchange(hex("AB 40 00 00 00 00 14 00"), 30);
    QCOMPARE(info.size(), 30);
    QCOMPARE(info.left(8), hex("AB 40 00 00 00 00 14 00"));
    QVERIFY(blockChecksumOk(info, 8, 18));
    QVERIFY(frameChecksumOk(info));
    QCOMPARE(getU16le(info, 10), quint16(2024));
    QCOMPARE(getU32le(info, 14), serial);
    QCOMPARE(getU32le(info, 18), meterNumber);
}

void TestEmulatorReplies::softwareVersion_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("expected");
    QTest::newRow("TX310 default") << "TX310" << 0 << 312;
    QTest::newRow("TX470 default") << "TX470" << 0 << 215;
    QTest::newRow("TX310 1.05") << "TX310" << 105 << 105;
    QTest::newRow("TX460 3.50") << "TX460" << 350 << 350;
}

void TestEmulatorReplies::softwareVersion()
{
    QFETCH(QString, model);
    QFETCH(int, version);
    QFETCH(int, expected);
    InstrumentEmulator emulator(model, version);
    RawClient client(emulator);
    QByteArray expectedReply = hex("AB 20 0C 00 02 00");
    putU16le(expectedReply, static_cast<quint16>(expected));
    QCOMPARE(client.exchange(hex("AB 20 0C 00 02 00"), 10), withChecksum(expectedReply));
}

void TestEmulatorReplies::settingsReads()
{
    InstrumentEmulator emulator(QStringLiteral("TX430"));
    RawClient client(emulator);
    // Display parameter: LCh (4) with its block checksum.
    QByteArray display = hex("AB 40 00 03 00 00 03 00 04");
    putU16le(display, frameChecksum(hex("04")));
    QCOMPARE(client.exchange(hex("AB 40 00 03 00 00 03 00"), 13), withChecksum(display));
    // Tolerances: 0.50, 1.00, 1.0.
    QByteArray tolerance = hex("AB 40 0F 03 00 00 08 00 32 00 64 00 0A 00");
    putU16le(tolerance, frameChecksum(hex("32 00 64 00 0A 00")));
    QCOMPARE(client.exchange(hex("AB 40 0F 03 00 00 08 00"), 18), withChecksum(tolerance));
    // Colour-difference parameter: formula 0, threshold 1.0.
    QByteArray deltaE = hex("AB 40 25 02 00 00 05 00 00 0A 00");
    putU16le(deltaE, frameChecksum(hex("00 0A 00")));
    QCOMPARE(client.exchange(hex("AB 40 25 02 00 00 05 00"), 15), withChecksum(deltaE));
}

void TestEmulatorReplies::settingsWrites_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<bool>("goodChecksum");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("threshold");
    const QByteArray display = hex("AB 70 00 03 00 00 03 00");
    const QByteArray param = hex("AB 70 25 02 00 00 05 00");
    // Factory state: display mode 0, formula 0, threshold 10.
    QTest::newRow("display mode 6") << display << hex("06") << true << true << 6 << 0 << 10;
    QTest::newRow("display mode 7 refused") << display << hex("07") << true << false << 0 << 0 << 10;
    QTest::newRow("display bad checksum") << display << hex("03") << false << false << 0 << 0 << 10;
    QTest::newRow("parameter CIEDE2000 2.5") << param << hex("06 19 00") << true << true << 0 << 6 << 25;
    QTest::newRow("parameter bad checksum") << param << hex("02 19 00") << false << false << 0 << 0 << 10;
}

void TestEmulatorReplies::settingsWrites()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, values);
    QFETCH(bool, goodChecksum);
    QFETCH(bool, accepted);
    QFETCH(int, displayMode);
    QFETCH(int, formula);
    QFETCH(int, threshold);
    InstrumentEmulator emulator;
    RawClient client(emulator);
    QByteArray request = header + values;
    putU16le(request, static_cast<quint16>(frameChecksum(values) ^ (goodChecksum ? 0 : 0x0101)));
    const QByteArray reply = client.exchange(request, accepted ? 10 : 5);
    QVERIFY(frameChecksumOk(reply));
    if (accepted) {
        QCOMPARE(reply.size(), 10);
        QCOMPARE(reply.left(8), header);
    } else {
        // The short refusal: too short to pass the application's acknowledgement test.
        QCOMPARE(reply.size(), 5);
        QCOMPARE(getU8(reply, 1), quint8(0xF0));
    }
    QCOMPARE(emulator.instrument().displayMode(), displayMode);
    QCOMPARE(emulator.instrument().deltaEFormula(), formula);
    QCOMPARE(emulator.instrument().deltaEParameterThreshold(), threshold);
}

void TestEmulatorReplies::fullRecord_valuesAtTheirOffsets()
{
    InstrumentEmulator emulator;
    MeasurementRecord record;
    for (int i = 0; i < 21; ++i) {
        record.r[i] = 1000 + i;
    }
    record.r[1] = -1234;
    record.r[12] = 0x12;
    record.r[16] = 200;
    record.r[17] = 100;
    record.r[18] = 50;
    emulator.instrument().queueMeasurement(record);
    RawClient client(emulator);
    const QByteArray reply = client.exchange(hex("AB 44 00 00 00 00 36 00 18 64"), 64);
    QCOMPARE(reply.size(), 64);
    QCOMPARE(reply.left(8), hex("AB 44 00 00 00 00 36 00"));
    QVERIFY(frameChecksumOk(reply));
    QCOMPARE(getS16le(reply, 8), qint16(1000));
    QCOMPARE(getS16le(reply, 10), qint16(-1234));
    QCOMPARE(getU16le(reply, 24), quint16(1008));
    QCOMPARE(getU16le(reply, 30), quint16(1011));
    QCOMPARE(getU8(reply, 32), quint8(0x12));
    QCOMPARE(reply.mid(36, 3), hex("C8 64 32"));
    QCOMPARE(getU16le(reply, 39), quint16(1019)); // odd offsets
    QCOMPARE(getU16le(reply, 41), quint16(1020));
    QCOMPARE(reply.mid(43, 19), QByteArray(19, '\0'));
    // The request went in with its two extra bytes.
    QCOMPARE(emulator.receivedFrames().last(), withChecksum(hex("AB 44 00 00 00 00 36 00 18 64")));
}

void TestEmulatorReplies::measurementBlocks_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<int>>("recordIndexes"); // which r values follow R G B
    QTest::newRow("0x20 haze/T") << 0 << QList<int>{19, 20};
    QTest::newRow("0x21 haze") << 1 << QList<int>{19};
    QTest::newRow("0x22 T") << 2 << QList<int>{20};
    QTest::newRow("0x23 Lab") << 3 << QList<int>{0, 1, 2};
    QTest::newRow("0x24 LCh") << 4 << QList<int>{0, 1, 2, 6, 7, 8};
    QTest::newRow("0x25 Yxy") << 5 << QList<int>{0, 1, 2, 9, 10, 11};
}

void TestEmulatorReplies::measurementBlocks()
{
    QFETCH(int, k);
    QFETCH(QList<int>, recordIndexes);
    InstrumentEmulator emulator;
    const MeasurementRecord record = recordFromReading({48.5, -3.25, 7.5, 11.2, 90.1}, false);
    emulator.instrument().queueMeasurement(record);
    RawClient client(emulator);
    QByteArray request = hex("AB 44 00 00 00 00 18 00");
    request[2] = static_cast<char>(0x20 + k);
    const QByteArray reply = client.exchange(request, 34);
    QCOMPARE(reply.size(), 34);
    QCOMPARE(reply.left(8), request);
    QVERIFY(frameChecksumOk(reply));
    QCOMPARE(getU8(reply, 8), quint8(record.r[16]));
    QCOMPARE(getU8(reply, 10), quint8(record.r[18]));
    for (int i = 0; i < recordIndexes.size(); ++i) {
        QCOMPARE(static_cast<int>(getU16le(reply, 11 + 2 * i)), record.r[recordIndexes.at(i)] & 0xFFFF);
    }
    const int used = 11 + 2 * static_cast<int>(recordIndexes.size());
    QCOMPARE(reply.mid(used, 32 - used), QByteArray(32 - used, '\0'));
}

void TestEmulatorReplies::builtInSequence_driftsAndGivesBothVerdicts_data()
{
    QTest::addColumn<bool>("film");
    QTest::newRow("film") << true;
    QTest::newRow("plaque") << false;
}

void TestEmulatorReplies::builtInSequence_driftsAndGivesBothVerdicts()
{
    QFETCH(bool, film);
    // Factory tolerances: haze 0.50, transmittance 1.00, colour threshold 1.0.
    const EmulatorReading standard = builtInReading(0, film);
    int pass = 0;
    int fail = 0;
    for (int i = 1; i < 8; ++i) {
        const EmulatorReading sample = builtInReading(i, film);
        const double dE = std::sqrt(std::pow(sample.L - standard.L, 2) + std::pow(sample.a - standard.a, 2)
                                    + std::pow(sample.b - standard.b, 2));
        QVERIFY2(dE > 0.0 && dE < 3.0, "a reading drifts a little, never a lot");
        bool ng = dE > 1.0;
        if (film) {
            ng = ng || std::abs(sample.haze - standard.haze) > 0.5
                 || std::abs(sample.transmittance - standard.transmittance) > 1.0;
        }
        ng ? ++fail : ++pass;
    }
    QVERIFY(pass >= 2);
    QVERIFY(fail >= 2);

    // Deterministic: two instruments measure the same sequence.
    InstrumentEmulator one(film ? "TX310" : "TX420");
    InstrumentEmulator two(film ? "TX310" : "TX420");
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(one.instrument().takeMeasurement().r, two.instrument().takeMeasurement().r);
    }
}

void TestEmulatorReplies::firstGeneration_hueScaledBy100()
{
    const EmulatorReading reading{50.0, 0.0, 10.0, 0.0, 0.0}; // hue 90 degrees
    InstrumentEmulator legacy(QStringLiteral("TX430"), 350);
    InstrumentEmulator current(QStringLiteral("TX430"), 410);
    legacy.instrument().queueReading(reading);
    current.instrument().queueReading(reading);
    const MeasurementRecord old = legacy.instrument().takeMeasurement();
    QCOMPARE(old.r[8], 9000);
    QCOMPARE(old.r[7], 1000); // C* 10.00 either way
    QCOMPARE(current.instrument().takeMeasurement().r[8], 900);
}

void TestEmulatorReplies::spectralMeasurement_queuedAndBuiltIn()
{
    InstrumentEmulator emulator;
    QList<double> curve;
    for (int k = 0; k < 31; ++k) {
        curve << 50.0 + k;
    }
    curve[30] = 100.0;
    emulator.instrument().queueSpectrum(curve);
    RawClient client(emulator);
    const QByteArray reply = client.exchange(hex("AB 20 49 00 3E 00"), 70);
    QCOMPARE(reply.size(), 70);
    QCOMPARE(reply.left(6), hex("AB 20 49 00 3E 00"));
    QVERIFY(frameChecksumOk(reply));
    QCOMPARE(getU16le(reply, 6), quint16(5000));
    QCOMPARE(getU16le(reply, 66), quint16(10000));

    // The built-in film curve: transmittance between 70 and 100 %, changing
    // from one measurement to the next.
    const QByteArray first = client.exchange(hex("AB 20 49 00 3E 00"), 70);
    const QByteArray second = client.exchange(hex("AB 20 49 00 3E 00"), 70);
    QCOMPARE(second.size(), 70);
    for (int k = 0; k < 31; ++k) {
        const int v = getU16le(first, 6 + 2 * k);
        QVERIFY2(v > 7000 && v < 10000, qPrintable(QString::number(v)));
    }
    QVERIFY(first.mid(6, 62) != second.mid(6, 62));
}

QTEST_GUILESS_MAIN(TestEmulatorReplies)
#include "tst_emulator_replies.moc"
