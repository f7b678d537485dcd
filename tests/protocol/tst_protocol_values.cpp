// What each command puts on the wire and what it makes of the instrument's
// answer, against the emulated instrument through the production stack.

#include "EmulatedLink.h"
#include "Identification.h"
#include "EmulatorModel.h"
#include "Frames.h"
#include "IdentificationCommands.h"
#include "MeasurementCommands.h"
#include "MeasurementSequence.h"
#include "RawClient.h"
#include "RecordCommands.h"
#include "ScriptedDialogs.h"
#include "SettingsCommands.h"

#include <QElapsedTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

MeasurementRecord distinctRecord()
{
    MeasurementRecord rec;
    // L*, a*, b* all below zero: a signed value read as unsigned shows.
    const int values[21] = {-1234, -2345, -3456, -1, 32767, -32768, 40000, 65535, 3599, 5012,
                            3127, 3290, 1, 2, 3, 4, 200, 100, 50, 9050, 0x8123};
    for (int i = 0; i < 21; ++i) {
        rec.r[i] = values[i];
    }
    return rec;
}

int fieldOf(const MeasurementValues& v, int i)
{
    const int all[21] = {v.r0, v.r1, v.r2, v.r3, v.r4, v.r5, v.r6, v.r7, v.r8, v.r9, v.r10,
                         v.r11, v.r12, v.r13, v.r14, v.r15, v.r16, v.r17, v.r18, v.r19, v.r20};
    return all[i];
}

} // namespace

class ProtocolValuesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readTolerance_requestAndValues();
    void setTolerance_exactFrame_changesInstrument();
    void settings_writeThenReadBack();
    void settings_valueOutOfRange_nothingSent_data();
    void settings_valueOutOfRange_nothingSent();
    void identity_keyAndProductionInformation();
    void readSoftwareVersion_version();
    void identificationFailureTips_data();
    void identificationFailureTips();
    void takeMeasurement_allValues();
    void readMeasurementLegacy_eightValues();
    void readMeasurementBlock_values_data();
    void readMeasurementBlock_values();
    void readComparisonRecordCount_cell_data();
    void readComparisonRecordCount_cell();
    void readRecordInfo_counts();
    void readBlock_256Bytes_fiveReports();
    void standardColorCount_written();
    void standardColorRecord_namePadding_data();
    void standardColorRecord_namePadding();
    void standardColor_refusedBeforeSending_data();
    void standardColor_refusedBeforeSending();
    void writeBlock_transferAndEnd();
    void refusal_recognisedInEitherForm_data();
    void refusal_recognisedInEitherForm();
    void writeBlock_endAckWrongLength_wrongReply();
    void readMeasurementLegacy_foreignReply_wrongReply();
    void twoRepliesInOneReport_bothCommandsServed();

private:
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<EmulatedLink> m_stack; // TX310
};

void ProtocolValuesTest::init()
{
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_stack = std::make_unique<EmulatedLink>();
    QVERIFY(m_stack->opened);
}

void ProtocolValuesTest::cleanup()
{
    m_stack.reset();
    m_dialogs.reset();
}

void ProtocolValuesTest::readTolerance_requestAndValues()
{
    m_stack->instrument().setTolerances(1250, 8000, 15);
    int haze = -1, transmittance = -1, deltaE = -1;
    QCOMPARE(readTolerance(m_stack->transport, haze, transmittance, deltaE), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest(), hexBytes("AB 40 0F 03 00 00 08 00 09 3B"));
    QCOMPARE(haze, 1250);
    QCOMPARE(transmittance, 8000);
    QCOMPARE(deltaE, 15);
}

void ProtocolValuesTest::setTolerance_exactFrame_changesInstrument()
{
    QCOMPARE(setTolerance(m_stack->transport, 1250, 8000, 15), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest(), hexBytes("AB 70 0F 03 00 00 08 00 E2 04 40 1F 0F 00 C7 AF 3A B6"));
    QCOMPARE(m_stack->instrument().hazeTolerance(), 1250);
    QCOMPARE(m_stack->instrument().transmittanceTolerance(), 8000);
    QCOMPARE(m_stack->instrument().deltaEThreshold(), 15);
}

void ProtocolValuesTest::settings_writeThenReadBack()
{
    Transport& t = m_stack->transport;
    QCOMPARE(setDisplayParameter(t, 4), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(9), hexBytes("AB 70 00 03 00 00 03 00 04"));
    QCOMPARE(m_stack->instrument().displayMode(), 4);
    int mode = -1;
    QCOMPARE(readDisplayParameter(t, mode), ProtocolResult::Success);
    QCOMPARE(mode, 4);

    // A threshold of 30.0 needs both bytes.
    QCOMPARE(setDeltaEParameter(t, 6, 300), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(11), hexBytes("AB 70 25 02 00 00 05 00 06 2C 01"));
    QCOMPARE(m_stack->instrument().deltaEFormula(), 6);
    QCOMPARE(m_stack->instrument().deltaEParameterThreshold(), 300);
    int formula = -1, threshold = -1;
    QCOMPARE(readDeltaEParameter(t, formula, threshold), ProtocolResult::Success);
    QCOMPARE(formula, 6);
    QCOMPARE(threshold, 300);

    // Full 16-bit range survives the round trip unsigned.
    QCOMPARE(setTolerance(t, 65535, 0, 999), ProtocolResult::Success);
    int h = -1, tr = -1, de = -1;
    QCOMPARE(readTolerance(t, h, tr, de), ProtocolResult::Success);
    QCOMPARE(h, 65535);
    QCOMPARE(tr, 0);
    QCOMPARE(de, 999);
}

void ProtocolValuesTest::settings_valueOutOfRange_nothingSent_data()
{
    QTest::addColumn<std::function<int(Transport&)>>("command");
    QTest::newRow("display 256") << std::function<int(Transport&)>([](Transport& t) { return setDisplayParameter(t, 256); });
    QTest::newRow("display -1") << std::function<int(Transport&)>([](Transport& t) { return setDisplayParameter(t, -1); });
    QTest::newRow("haze 65536") << std::function<int(Transport&)>([](Transport& t) { return setTolerance(t, 65536, 1, 1); });
    QTest::newRow("deltaE -5") << std::function<int(Transport&)>([](Transport& t) { return setTolerance(t, 1, 1, -5); });
    QTest::newRow("formula 300") << std::function<int(Transport&)>([](Transport& t) { return setDeltaEParameter(t, 300, 10); });
    QTest::newRow("block mode 6") << std::function<int(Transport&)>([](Transport& t) { MeasurementBlock b; return readMeasurementBlock(t, 6, b); });
    QTest::newRow("count mode 7") << std::function<int(Transport&)>([](Transport& t) { int n; return readComparisonRecordCount(t, n, 7, 0); });
    QTest::newRow("block len 65536") << std::function<int(Transport&)>([](Transport& t) { QByteArray o; return readBlock(t, 0, o, 65536); });
    QTest::newRow("writeBlock n beyond data") << std::function<int(Transport&)>([](Transport& t) { return writeBlock(t, 0x40000, QByteArray(4, 'x'), 5); });
}

void ProtocolValuesTest::settings_valueOutOfRange_nothingSent()
{
    QFETCH(std::function<int(Transport&)>, command);
    QCOMPARE(command(m_stack->transport), ProtocolResult::ValueDoesNotFit);
    QVERIFY(m_stack->emulator.receivedFrames().isEmpty());
}

// Both ways of asking who the instrument is give the same identity.
void ProtocolValuesTest::identity_keyAndProductionInformation()
{
    const EmulatorModel& model = m_stack->instrument().model();
    KeyInformation key;
    QCOMPARE(readKeyInformation(m_stack->transport, key), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(8), hexBytes("AB 20 05 00 12 00 5E 21"));
    QCOMPARE(key.marker, quint8(0xA5));
    ProductionInformation production;
    QCOMPARE(readProductionInformation(m_stack->transport, production), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(8), hexBytes("AB 40 00 00 00 00 14 00"));
    QCOMPARE(key.meterNumber, model.meterNumber);
    QCOMPARE(production.meterNumber, model.meterNumber);
    QCOMPARE(key.serialNumber, model.serialNumber);
    QCOMPARE(production.serialNumber, model.serialNumber);
    QCOMPARE(key.productionDate, model.productionDate);
    QCOMPARE(production.productionDate, model.productionDate);
    QVERIFY(m_dialogs->shown.isEmpty());
}

void ProtocolValuesTest::readSoftwareVersion_version()
{
    EmulatedLink old(QStringLiteral("TX430"), 312);
    int version = -1;
    QCOMPARE(readSoftwareVersion(old.transport, version), ProtocolResult::Success);
    QCOMPARE(old.lastRequest().left(6), hexBytes("AB 20 0C 00 02 00"));
    QCOMPARE(version, 312);
    QVERIFY(m_dialogs->shown.isEmpty());
}

void ProtocolValuesTest::identificationFailureTips_data()
{
    QTest::addColumn<bool>("production"); // else the software version
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("box"); // empty: none
    const auto u = [](const char* s) { return QString::fromUtf8(s); };
    QTest::newRow("production/closed") << true << "closed" << -1 << u("读取生产信息写端口失败！");
    QTest::newRow("production/bad frame") << true << "frame" << -2 << u("读取生产信息接收端口报文失败！");
    QTest::newRow("production/bad block") << true << "block" << -4 << u("读取生产信息checksum错误！");
    QTest::newRow("production/refused") << true << "refused" << -5 << QString();
    QTest::newRow("version/closed") << false << "closed" << -1 << u("读取软件版本写端口失败！");
    QTest::newRow("version/bad frame") << false << "frame" << -2 << u("读取软件版本接收端口报文失败！");
    QTest::newRow("version/foreign") << false << "foreign" << -3 << u("读取软件版本接收的报文格式错误！");
}

void ProtocolValuesTest::identificationFailureTips()
{
    QFETCH(bool, production);
    QFETCH(QString, situation);
    QFETCH(int, expected);
    QFETCH(QString, box);
    if (situation == "closed") {
        m_stack->link.Close();
    } else if (situation == "frame") {
        m_stack->emulator.injectFault(EmulatorFault::BadFrameChecksum);
    } else if (situation == "block") {
        m_stack->emulator.injectFault(EmulatorFault::BadBlockChecksum);
    } else if (situation == "refused") {
        // The refusal 0xC7 08 is recognised in whatever arrived when the
        // receive failed; here a full-length one with a broken checksum.
        QByteArray refusal = hexBytes("AB C7 08") + QByteArray(25, '\0');
        putU16le(refusal, 0x0000);
        m_stack->answerNextWith(refusal);
    } else if (situation == "foreign") {
        m_stack->answerNextWith(withChecksum(hexBytes("AB 21 0C 00 03 00 38 01")));
    }
    int result = 0;
    if (production) {
        ProductionInformation info;
        result = readProductionInformation(m_stack->transport, info);
    } else {
        int version = 0;
        result = readSoftwareVersion(m_stack->transport, version);
    }
    // The command shows nothing itself (the strict dialog double fails on any
    // box); identification chooses the box from the code.
    QCOMPARE(result, expected);
    QCOMPARE(production ? productionInformationFailureTip(result) : softwareVersionFailureTip(result), box);
}

void ProtocolValuesTest::takeMeasurement_allValues()
{
    const MeasurementRecord rec = distinctRecord();
    m_stack->instrument().queueMeasurement(rec);
    MeasurementValues v;
    QCOMPARE(takeMeasurement(m_stack->transport, v), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest(), withChecksum(hexBytes("AB 44 00 00 00 00 36 00 18 64")));
    for (int i = 0; i < 21; ++i) {
        QCOMPARE(fieldOf(v, i), rec.r[i]);
    }
}

void ProtocolValuesTest::readMeasurementLegacy_eightValues()
{
    const MeasurementRecord rec = distinctRecord();
    m_stack->instrument().queueMeasurement(rec);
    MeasurementValues v;
    v.r3 = v.r9 = v.r19 = 77; // not part of the legacy read
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(readMeasurementLegacy(m_stack->transport, v), ProtocolResult::Success);
    QVERIFY(timer.elapsed() >= 1500);
    QCOMPARE(m_stack->lastRequest(), withChecksum(hexBytes("AB 44 00 00 00 00 36 00")));
    for (int i : {0, 1, 2, 7, 8, 16, 17, 18}) {
        QCOMPARE(fieldOf(v, i), rec.r[i]);
    }
    QCOMPARE(v.r3, 77);
    QCOMPARE(v.r9, 77);
    QCOMPARE(v.r19, 77);
}

void ProtocolValuesTest::readMeasurementBlock_values_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QList<int>>("fields"); // record values the block carries
    QTest::newRow("0 hazeT") << 0 << QList<int>{19, 20};
    QTest::newRow("1 haze") << 1 << QList<int>{19};
    QTest::newRow("2 t") << 2 << QList<int>{20};
    QTest::newRow("3 Lab") << 3 << QList<int>{0, 1, 2};
    QTest::newRow("4 LCh") << 4 << QList<int>{0, 1, 2, 6, 7, 8};
    QTest::newRow("5 Yxy") << 5 << QList<int>{0, 1, 2, 9, 10, 11};
}

void ProtocolValuesTest::readMeasurementBlock_values()
{
    QFETCH(int, k);
    QFETCH(QList<int>, fields);
    const MeasurementRecord rec = distinctRecord();
    m_stack->instrument().queueMeasurement(rec);
    MeasurementBlock block;
    QCOMPARE(readMeasurementBlock(m_stack->transport, k, block), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(8), hexBytes("AB 44 20 00 00 00 18 00").replace(2, 1, QByteArray(1, char(0x20 + k))));
    QCOMPARE(block.valueCount, fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        QCOMPARE(block.values[i], rec.r[fields[i]]);
    }
    QCOMPARE(block.bytes[0], rec.r[16]);
    QCOMPARE(block.bytes[1], rec.r[17]);
    QCOMPARE(block.bytes[2], rec.r[18]);
}

void ProtocolValuesTest::readComparisonRecordCount_cell_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("layout");
    QTest::addColumn<uint>("cell");
    const uint cells03[7] = {0x1200, 0x1204, 0x1208, 0x120C, 0x1210, 0x1214, 0x1218};
    const uint cells12[7] = {0x1200, 0x1204, 0x1208, 0x1600, 0x1604, 0x1214, 0x1218};
    for (int mode = 0; mode < 7; ++mode) {
        for (int layout : {0, 1, 2, 3, 4, 9}) {
            const bool wide = layout != 0 && layout != 3;
            QTest::newRow(qPrintable(QString("mode %1 layout %2").arg(mode).arg(layout)))
                << mode << layout << (wide ? cells12[mode] : cells03[mode]);
        }
    }
}

void ProtocolValuesTest::readComparisonRecordCount_cell()
{
    QFETCH(int, mode);
    QFETCH(int, layout);
    QFETCH(uint, cell);
    m_stack->instrument().fillComparisonRecords(mode, 3 + mode);
    int count = -1;
    QCOMPARE(readComparisonRecordCount(m_stack->transport, count, mode, layout), ProtocolResult::Success);
    QByteArray expected = memoryRequest(Frame::ReadMemory, cell, 4);
    QCOMPARE(m_stack->lastRequest().left(8), expected);
    QCOMPARE(count, 3 + mode);
}

void ProtocolValuesTest::readRecordInfo_counts()
{
    int count = -1;
    QCOMPARE(readSpectralRecordInfo(m_stack->transport, count, 0), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(8), hexBytes("AB 40 20 10 00 00 08 00"));
    QCOMPARE(count, m_stack->instrument().spectralRecordCount());

    EmulatedLink colorimeter(QStringLiteral("TX420"));
    for (int layout : {1, 2, 4, 9}) { // any layout but 0 and 3: the second area
        count = -1;
        QCOMPARE(readSpectralRecordInfo(colorimeter.transport, count, layout), ProtocolResult::Success);
        QCOMPARE(colorimeter.lastRequest().left(8), hexBytes("AB 40 10 14 00 00 08 00"));
        QCOMPARE(count, colorimeter.instrument().spectralRecordCount());
    }
    count = -1;
    QCOMPARE(readColorDifferenceRecordInfo(colorimeter.transport, count), ProtocolResult::Success);
    QCOMPARE(colorimeter.lastRequest().left(8), hexBytes("AB 40 10 30 00 00 0A 00"));
    QCOMPARE(count, colorimeter.instrument().legacyRecordCount());
    QVERIFY(count > 0);
}

void ProtocolValuesTest::readBlock_256Bytes_fiveReports()
{
    const quint32 address = 0x400000;
    QByteArray pattern;
    for (int i = 0; i < 256; ++i) {
        pattern.append(static_cast<char>(i * 7 + 3));
    }
    m_stack->instrument().writeMemory(address, pattern);
    m_stack->resetCounts();
    QByteArray out("kept");
    QCOMPARE(readBlock(m_stack->transport, address, out, 256), ProtocolResult::Success);
    QCOMPARE(m_stack->lastRequest().left(8), hexBytes("AB 40 00 00 40 00 00 01"));
    QCOMPARE(out, QByteArray("kept") + pattern);
    QCOMPARE(m_stack->reportsRead.load(), 5); // 266 bytes: 4 x 62 + 18
    QCOMPARE(m_stack->reportsWritten.load(), 1);
}

void ProtocolValuesTest::standardColorCount_written()
{
    EmulatedLink colorimeter(QStringLiteral("TX420"));
    QByteArray values;
    putU16le(values, 12);
    QCOMPARE(writeStandardColorCount(colorimeter.transport, 12, frameChecksum(values)), ProtocolResult::Success);
    QCOMPARE(colorimeter.lastRequest().left(10), hexBytes("AB 70 00 2F 00 00 04 00 0C 00"));
    QCOMPARE(colorimeter.instrument().standardColorCount(), 12);
}

void ProtocolValuesTest::standardColorRecord_namePadding_data()
{
    QTest::addColumn<QString>("nameA");
    QTest::addColumn<QString>("nameB");
    QTest::addColumn<int>("padA");
    QTest::addColumn<int>("padB");
    QTest::newRow("3 bytes and empty") << "Red" << "" << 13 << 16;
    QTest::newRow("exactly 16 bytes") << "ABCDEFGHIJKLMNOP" << "P-1" << 0 << 13;
    QTest::newRow("five Chinese characters, 15 bytes") << QString::fromUtf8("标准红色卡") << "x" << 1 << 15;
}

void ProtocolValuesTest::standardColorRecord_namePadding()
{
    QFETCH(QString, nameA);
    QFETCH(QString, nameB);
    QFETCH(int, padA);
    QFETCH(int, padB);
    EmulatedLink colorimeter(QStringLiteral("TX420"));
    const QByteArray record = standardColorRecord(nameA, nameB, 513, 7);
    QCOMPARE(record.size(), 36);
    QCOMPARE(writeStandardColorRecord(colorimeter.transport, 0x2030, nameA, nameB, 513, 7,
                                      frameChecksum(record)),
             ProtocolResult::Success);
    const QByteArray sent = colorimeter.lastRequest();
    QCOMPARE(sent.size(), 8 + 36 + 2 + 2);
    QCOMPARE(sent.left(8), hexBytes("AB 70 30 20 00 00 26 00"));
    QCOMPARE(sent.mid(8, 16), nameA.toUtf8() + QByteArray(padA, '\0'));
    QCOMPARE(sent.mid(24, 16), nameB.toUtf8() + QByteArray(padB, '\0'));
    QCOMPARE(sent.mid(40, 4), hexBytes("01 02 07 00"));
    QCOMPARE(getU16le(sent, 44), frameChecksum(record));
    // Stored as sent, with its data checksum.
    QCOMPARE(colorimeter.instrument().readMemory(0x2030, 38), sent.mid(8, 38));
}

void ProtocolValuesTest::standardColor_refusedBeforeSending_data()
{
    QTest::addColumn<std::function<int(Transport&)>>("command");
    QTest::addColumn<int>("expected");
    const QString ok = QStringLiteral("Blue");
    const quint16 okSum = frameChecksum(standardColorRecord(ok, ok, 1, 2));
    QTest::newRow("count, wrong checksum") << std::function<int(Transport&)>([](Transport& t) {
        return writeStandardColorCount(t, 5, 0x1234);
    }) << ProtocolResult::BadDataChecksum;
    QTest::newRow("record, wrong checksum") << std::function<int(Transport&)>([=](Transport& t) {
        return writeStandardColorRecord(t, 0x2000, ok, ok, 1, 2, okSum ^ 1);
    }) << ProtocolResult::BadDataChecksum;
    QTest::newRow("name A of 17 bytes") << std::function<int(Transport&)>([=](Transport& t) {
        return writeStandardColorRecord(t, 0x2000, QStringLiteral("ABCDEFGHIJKLMNOPQ"), ok, 1, 2, okSum);
    }) << ProtocolResult::ValueDoesNotFit;
    QTest::newRow("name B of six Chinese characters, 18 bytes") << std::function<int(Transport&)>([=](Transport& t) {
        return writeStandardColorRecord(t, 0x2000, ok, QString::fromUtf8("标准红色卡片"), 1, 2, okSum);
    }) << ProtocolResult::ValueDoesNotFit;
    QTest::newRow("value beyond 16 bits") << std::function<int(Transport&)>([=](Transport& t) {
        return writeStandardColorRecord(t, 0x2000, ok, ok, 70000, 2, okSum);
    }) << ProtocolResult::ValueDoesNotFit;
}

void ProtocolValuesTest::standardColor_refusedBeforeSending()
{
    QFETCH(std::function<int(Transport&)>, command);
    QFETCH(int, expected);
    QCOMPARE(command(m_stack->transport), expected);
    QVERIFY(m_stack->emulator.receivedFrames().isEmpty());
    QCOMPARE(m_stack->reportsWritten.load(), 0);
}

void ProtocolValuesTest::writeBlock_transferAndEnd()
{
    EmulatedLink colorimeter(QStringLiteral("TX420"));
    QByteArray data;
    for (int i = 0; i < 300; ++i) {
        data.append(static_cast<char>(i));
    }
    const quint32 start = 0x40000;
    QCOMPARE(writeBlock(colorimeter.transport, start, data.left(200), 200), ProtocolResult::Success);
    QCOMPARE(writeBlock(colorimeter.transport, start + 200, data.mid(200), 100), ProtocolResult::Success);
    QCOMPARE(writeBlock(colorimeter.transport, start + 300, QByteArray(), 0), ProtocolResult::Success);
    QCOMPARE(colorimeter.lastRequest(), withChecksum(hexBytes("AB 74 2C 01 04 00 00 00")));
    QVERIFY(colorimeter.instrument().blockTransferCompleted());
    QCOMPARE(colorimeter.instrument().standardColorStream(), data);
}

void ProtocolValuesTest::refusal_recognisedInEitherForm_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("longForm");
    QTest::addColumn<int>("expected");
    for (bool longForm : {false, true}) {
        const char* form = longForm ? "/long" : "/short";
        QTest::newRow(QByteArray("key information").append(form).constData()) << "key" << longForm << -5;
        QTest::newRow(QByteArray("production information").append(form).constData())
            << "production" << longForm << -5;
        QTest::newRow(QByteArray("end of block transfer").append(form).constData())
            << "block" << longForm << -3;
    }
}

void ProtocolValuesTest::refusal_recognisedInEitherForm()
{
    QFETCH(QString, refusal);
    QFETCH(bool, longForm);
    QFETCH(int, expected);
    EmulatedLink stack(QStringLiteral("TX470"));
    stack.instrument().setLongRefusals(longForm);
    if (!longForm) {
        // The short form must end the wait itself, long before the 6 s time-out.
        stack.transport.setReceiveTimeoutLimitMs(0);
    }
    QElapsedTimer timer;
    timer.start();
    int result = 0;
    if (refusal == "key") {
        KeyInformation info;
        result = readKeyInformation(stack.transport, info);
    } else if (refusal == "production") {
        stack.instrument().setProductionInformationOffered(false);
        ProductionInformation info;
        result = readProductionInformation(stack.transport, info);
    } else {
        stack.instrument().setRefuseBlockTransfer(true);
        QCOMPARE(writeBlock(stack.transport, 0x40000, QByteArray("abc"), 3), ProtocolResult::Success);
        result = writeBlock(stack.transport, 0x40003, QByteArray(), 0);
        QVERIFY(!stack.instrument().blockTransferCompleted());
    }
    QCOMPARE(result, expected);
    if (!longForm) {
        QVERIFY2(timer.elapsed() < Frame::ReceiveTimeoutMs / 2, qPrintable(QString::number(timer.elapsed())));
    }
}

void ProtocolValuesTest::writeBlock_endAckWrongLength_wrongReply()
{
    EmulatedLink colorimeter(QStringLiteral("TX420"));
    colorimeter.answerNextWith(withChecksum(hexBytes("AB 74 00 00 04 00 01 00")));
    QCOMPARE(writeBlock(colorimeter.transport, 0x40000, QByteArray(), 0), ProtocolResult::WrongReply);
    colorimeter.answerNextWith(withChecksum(hexBytes("AB 75 00 00 04 00 00 00")));
    QCOMPARE(writeBlock(colorimeter.transport, 0x40000, QByteArray(), 0), ProtocolResult::WrongReply);
}

void ProtocolValuesTest::readMeasurementLegacy_foreignReply_wrongReply()
{
    QByteArray reply = m_stack->replyFor(hexBytes("AB 44 00 00 00 00 36 00"));
    QCOMPARE(reply.size(), 64);
    reply = withByte(withByte(reply, 2, 0x01), 6, 0x35);
    m_stack->answerNextWith(reply);
    MeasurementValues v;
    QCOMPARE(readMeasurementLegacy(m_stack->transport, v), ProtocolResult::WrongReply);
}

void ProtocolValuesTest::twoRepliesInOneReport_bothCommandsServed()
{
    // Both tolerance replies arrive in one 36-byte report: the first command
    // takes its 18 bytes, the rest waits in the link for the second.
    m_stack->instrument().setTolerances(111, 222, 33);
    const QByteArray reply = m_stack->replyFor(hexBytes("AB 40 0F 03 00 00 08 00"));
    QCOMPARE(reply.size(), 18);
    m_stack->emulator.injectFault(EmulatorFault::Silence, 2);
    m_stack->emulator.queueRawInput(reply + reply);
    m_stack->resetCounts();
    for (int i = 0; i < 2; ++i) {
        int h = -1, t = -1, d = -1;
        QCOMPARE(readTolerance(m_stack->transport, h, t, d), ProtocolResult::Success);
        QCOMPARE(h, 111);
        QCOMPARE(t, 222);
        QCOMPARE(d, 33);
    }
    QCOMPARE(m_stack->reportsRead.load(), 1);
}

QTEST_GUILESS_MAIN(ProtocolValuesTest)
#include "tst_protocol_values.moc"
