// Stored records and spectral areas of the emulated instrument, and its
// block transfer, read and written through raw HID reports. (The standard-
// colour library as the commands write it is the protocol tests'.)

#include "EmulatorMemoryMap.h"
#include "RawClient.h"
#include "StoredRecords.h"
#include "VirtualInstrument.h"

#include <QtTest>

using namespace EmulatorMemoryMap;

namespace {

QByteArray readRequest(quint32 address, int length)
{
    QByteArray request = hex("AB 40");
    putU32le(request, address);
    putU16le(request, static_cast<quint16>(length));
    return request;
}

// Reads length bytes at address in pages of at most 256, as an import does.
QByteArray readArea(RawClient& client, quint32 address, int length)
{
    QByteArray out;
    for (int at = 0; at < length; at += 256) {
        const int n = std::min(256, length - at);
        const QByteArray reply = client.exchange(readRequest(address + static_cast<quint32>(at), n), n + 10);
        if (reply.size() != n + 10 || !frameChecksumOk(reply)) {
            return QByteArray();
        }
        out.append(reply.mid(8, n));
    }
    return out;
}

QByteArray writeRequest(quint8 function, quint32 address, const QByteArray& data)
{
    QByteArray request;
    putU8(request, 0xAB);
    putU8(request, function);
    putU32le(request, address);
    putU16le(request, static_cast<quint16>(data.size()));
    return request + data;
}

} // namespace

class TestEmulatorRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordCountCells_data();
    void recordCountCells();
    void recordAreas_data();
    void recordAreas();
    void storedRecords_replacedByTest();
    void legacyArea_firstGeneration();
    void spectralRecords_data();
    void spectralRecords();
    void memoryRead_unwrittenAddressIsZero();
    void blockTransfer_refusals_data();
    void blockTransfer_refusals();
};

void TestEmulatorRecords::recordCountCells_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint32>("cell");
    const quint32 cells03[7] = {0x1200, 0x1204, 0x1208, 0x120C, 0x1210, 0x1214, 0x1218};
    const quint32 cells12[7] = {0x1200, 0x1204, 0x1208, 0x1600, 0x1604, 0x1214, 0x1218};
    for (int mode = 0; mode < 7; ++mode) {
        QTest::addRow("layout 0 mode %d", mode) << "TX310" << mode << cells03[mode];
        QTest::addRow("layout 1 mode %d", mode) << "TX420" << mode << cells12[mode];
    }
}

void TestEmulatorRecords::recordCountCells()
{
    QFETCH(QString, model);
    QFETCH(int, mode);
    QFETCH(quint32, cell);
    InstrumentEmulator emulator(model);
    RawClient client(emulator);
    const QByteArray reply = client.exchange(readRequest(cell, 4), 14);
    QCOMPARE(reply.size(), 14);
    QCOMPARE(reply.left(8), readRequest(cell, 4));
    QVERIFY(blockChecksumOk(reply, 8, 2));
    QCOMPARE(static_cast<int>(getU16le(reply, 8)), StoredRecords::kDefaultCounts[mode]);
    QCOMPARE(emulator.instrument().storedRecordCount(mode), StoredRecords::kDefaultCounts[mode]);
}

void TestEmulatorRecords::recordAreas_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint32>("dataArea");
    QTest::addColumn<int>("recordSize");
    QTest::newRow("haze/T") << 0 << 0x400000u << 8;
    QTest::newRow("haze") << 1 << 0x480000u << 4;
    QTest::newRow("T") << 2 << 0x500000u << 4;
    QTest::newRow("Lab") << 3 << 0x580000u << 12;
    QTest::newRow("LCh") << 4 << 0x600000u << 24;
    QTest::newRow("Yxy") << 5 << 0x680000u << 24;
    QTest::newRow("haze/T/Lab") << 6 << 0x700000u << 20;
}

void TestEmulatorRecords::recordAreas()
{
    QFETCH(int, mode);
    QFETCH(quint32, dataArea);
    QFETCH(int, recordSize);
    InstrumentEmulator emulator;
    RawClient client(emulator);
    const int count = StoredRecords::kDefaultCounts[mode];
    const QByteArray data = readArea(client, dataArea, count * recordSize);
    QCOMPARE(data.size(), count * recordSize);
    for (int i = 0; i < count; ++i) {
        QCOMPARE(data.mid(i * recordSize, recordSize), StoredRecords::comparisonRecord(mode, i, true));
    }
    const QByteArray names = readArea(client, dataArea + 0x40000, count * 16);
    QCOMPARE(names.size(), count * 16);
    QCOMPARE(names.mid(16, 16), QByteArray("Batch 0417 A1\0\0\0", 16));
    QCOMPARE(names.mid(32, 16), QByteArray("ROLL-2291-EDGE-L"));
    QCOMPARE(names.mid(0, 16), StoredRecords::comparisonName(mode, 0));
    QVERIFY(names.mid(0, 16).contains("-001\0"));
    // A standard differs from its sample, and the standards of two records
    // differ: the import has something to compare.
    const int half = recordSize / 2;
    QVERIFY(data.mid(0, half) != data.mid(half, half));
    QVERIFY(data.mid(0, half) != data.mid(recordSize, half));
}

void TestEmulatorRecords::storedRecords_replacedByTest()
{
    InstrumentEmulator emulator(QStringLiteral("TX430"));
    emulator.instrument().storeComparisonRecords(4, {QByteArray(24, 'x'), QByteArray(24, 'y')},
                                                 {"first", "second"});
    RawClient client(emulator);
    // TX430 is layout 1: its LCh count lives at 0x1604.
    const QByteArray count = client.exchange(readRequest(0x1604, 4), 14);
    QCOMPARE(getU16le(count, 8), quint16(2));
    QVERIFY(blockChecksumOk(count, 8, 2));
    QCOMPARE(readArea(client, 0x600000, 48), QByteArray(24, 'x') + QByteArray(24, 'y'));
    QCOMPARE(readArea(client, 0x640010, 16), QByteArray("second\0\0\0\0\0\0\0\0\0\0", 16));
}

void TestEmulatorRecords::legacyArea_firstGeneration()
{
    InstrumentEmulator emulator(QStringLiteral("TX430"), 350);
    RawClient client(emulator);
    const QByteArray info = client.exchange(hex("AB 40 10 30 00 00 0A 00"), 20);
    QCOMPARE(info.size(), 20);
    QCOMPARE(info.left(8), hex("AB 40 10 30 00 00 0A 00"));
    QCOMPARE(static_cast<int>(getU16le(info, 12)), StoredRecords::kDefaultLegacyCount);
    QVERIFY(blockChecksumOk(info, 8, 8));
    const int count = StoredRecords::kDefaultLegacyCount;
    const QByteArray data = readArea(client, 0x10000, count * 12);
    QCOMPARE(data.mid(12, 12), StoredRecords::legacyRecord(1));
    const QByteArray names = readArea(client, 0x20000, count * 14);
    QCOMPARE(names.mid(14, 14), QByteArray("CD-002\0\0\0\0\0\0\0\0", 14));
}

void TestEmulatorRecords::spectralRecords_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<quint32>("info");
    QTest::addColumn<quint32>("values");
    QTest::addColumn<int>("low"); // plausible range x100
    QTest::addColumn<int>("high");
    QTest::newRow("TX310 transmittance") << "TX310" << 0x1020u << 0x20000u << 7000 << 10000;
    QTest::newRow("TX470 transmittance") << "TX470" << 0x1020u << 0x20000u << 7000 << 10000;
    QTest::newRow("TX420 reflectance") << "TX420" << 0x1410u << 0x140000u << 1000 << 6000;
    QTest::newRow("TX460 reflectance") << "TX460" << 0x1410u << 0x140000u << 1000 << 6000;
}

void TestEmulatorRecords::spectralRecords()
{
    QFETCH(QString, model);
    QFETCH(quint32, info);
    QFETCH(quint32, values);
    QFETCH(int, low);
    QFETCH(int, high);
    InstrumentEmulator emulator(model);
    RawClient client(emulator);
    const QByteArray reply = client.exchange(readRequest(info, 8), 18);
    QCOMPARE(reply.size(), 18);
    QVERIFY(frameChecksumOk(reply));
    QVERIFY(blockChecksumOk(reply, 8, 6));
    const int n = getU16le(reply, 10);
    QCOMPARE(n, StoredRecords::kDefaultSpectralCount);

    // Records 64 bytes apart: 31 signed values, then their checksum.
    const QByteArray area = readArea(client, values, 64 * n);
    QCOMPARE(area.size(), 64 * n);
    for (int t = 0; t < n; ++t) {
        const QByteArray record = area.mid(64 * t, 64);
        QVERIFY(blockChecksumOk(record, 0, 62));
        for (int k = 0; k < 31; ++k) {
            const int v = getS16le(record, 2 * k);
            QVERIFY2(v > low && v < high, qPrintable(QString::number(v)));
        }
    }
    const QByteArray names = readArea(client, values + 0x1900, 16 * n);
    QCOMPARE(names.mid(0, 16), QByteArray("Curve 1\0\0\0\0\0\0\0\0\0", 16));
    QCOMPARE(names.mid(32, 16), QByteArray(16, '\0'));
    QCOMPARE(names.mid(48, 16), QByteArray("FILTER-GREEN-016"));

    // A negative value is stored as a signed word.
    emulator.instrument().storeSpectralRecords({QList<double>(31, -0.01)}, {"neg"});
    QCOMPARE(readArea(client, values, 2), hex("FF FF"));
    QCOMPARE(emulator.instrument().spectralRecordCount(), 1);
}

void TestEmulatorRecords::memoryRead_unwrittenAddressIsZero()
{
    InstrumentEmulator emulator;
    RawClient client(emulator);
    const QByteArray reply = client.exchange(readRequest(0x00ABCDEF, 40), 50);
    QCOMPARE(reply.size(), 50);
    QCOMPARE(reply.left(8), readRequest(0x00ABCDEF, 40));
    QCOMPARE(reply.mid(8, 40), QByteArray(40, '\0'));
    // A read across a page boundary of written memory.
    emulator.instrument().writeMemory(0x0FFE, hex("01 02 03 04"));
    QCOMPARE(readArea(client, 0x0FFC, 8), hex("00 00 01 02 03 04 00 00"));
}

void TestEmulatorRecords::blockTransfer_refusals_data()
{
    QTest::addColumn<quint32>("secondBlock");
    QTest::addColumn<quint32>("endAddress");
    QTest::addColumn<bool>("refuseSwitch");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("contiguous") << 0x40100u << 0x40104u << false << true;
    QTest::newRow("gap between blocks") << 0x40104u << 0x40108u << false << false;
    QTest::newRow("end short of the data") << 0x40100u << 0x40100u << false << false;
    QTest::newRow("instrument refuses") << 0x40100u << 0x40104u << true << false;
}

void TestEmulatorRecords::blockTransfer_refusals()
{
    QFETCH(quint32, secondBlock);
    QFETCH(quint32, endAddress);
    QFETCH(bool, refuseSwitch);
    QFETCH(bool, accepted);
    InstrumentEmulator emulator(QStringLiteral("TX420"));
    emulator.instrument().setRefuseBlockTransfer(refuseSwitch);
    RawClient client(emulator);
    // 256 bytes span five reports; the instrument reassembles them.
    QVERIFY(client.send(writeRequest(0x74, 0x40000, QByteArray(256, 'n'))));
    QVERIFY(client.send(writeRequest(0x74, secondBlock, QByteArray(4, 'v'))));
    const QByteArray end = writeRequest(0x74, endAddress, QByteArray());
    const QByteArray reply = client.exchange(end, accepted ? 10 : 5);
    QVERIFY(frameChecksumOk(reply));
    if (accepted) {
        QCOMPARE(reply.size(), 10);
        QCOMPARE(reply.left(8), end);
        QCOMPARE(emulator.instrument().standardColorStream(), QByteArray(256, 'n') + QByteArray(4, 'v'));
    } else {
        QCOMPARE(reply, withChecksum(hex("AB F4 01")));
        QVERIFY(!emulator.instrument().blockTransferCompleted());
    }
    QCOMPARE(emulator.receivedFrames().size(), 3);
}

QTEST_GUILESS_MAIN(TestEmulatorRecords)
#include "tst_emulator_records.moc"
