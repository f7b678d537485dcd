// Faults, unplugging, pushed results, report framing and pacing of the
// emulated instrument, seen through raw HID reports. (The checksum faults
// are seen through the commands in tst_protocol_commands, which expect them.)

#include "EmulatorModel.h"
#include "RawClient.h"
#include "VirtualInstrument.h"

#include <QtTest>

namespace {

const QByteArray kReadTolerance = hex("AB 40 0F 03 00 00 08 00");
const QByteArray kReadPage = hex("AB 40 00 00 60 00 00 01"); // 256 bytes at 0x600000

QByteArray toleranceReply(InstrumentEmulator& emulator)
{
    VirtualInstrument& instrument = emulator.instrument();
    QByteArray values;
    putU16le(values, static_cast<quint16>(instrument.hazeTolerance()));
    putU16le(values, static_cast<quint16>(instrument.transmittanceTolerance()));
    putU16le(values, static_cast<quint16>(instrument.deltaEThreshold()));
    QByteArray reply = kReadTolerance + values;
    putU16le(reply, frameChecksum(values));
    return withChecksum(reply);
}

} // namespace

class TestEmulatorFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void badRequestChecksum_noAnswer();
    void staleRequestBytes_forgottenAfterPause();
    void silence_countedPerReply();
    void faultsAtRequest_data();
    void faultsAtRequest();
    void noiseBefore_thenWholeReply();
    void splitReply_smallReports();
    void errorReply_forms_data();
    void errorReply_forms();
    void unplug_pipeFailsUntilReopened();
    void openRefused_forOtherIds();
    void pushedFrames_data();
    void pushedFrames();
    void rawInput_chunkedIntoReports();
    void pacing_aboutOneReportPerMillisecond();
};

void TestEmulatorFaults::badRequestChecksum_noAnswer()
{
    InstrumentEmulator emulator;
    RawClient client(emulator);
    QByteArray frame = withChecksum(kReadTolerance);
    frame[9] = static_cast<char>(frame.at(9) ^ 0x01);
    QVERIFY(client.sendRaw(frame));
    QCOMPARE(client.receive(1, 100), QByteArray());
    QCOMPARE(emulator.rejectedFrameCount(), 1);
    QVERIFY(emulator.receivedFrames().isEmpty());
    // Noise before the next request is skipped; the request is answered.
    QVERIFY(client.sendRaw(hex("00 12") + withChecksum(kReadTolerance)));
    QCOMPARE(client.receive(18), toleranceReply(emulator));
}

void TestEmulatorFaults::staleRequestBytes_forgottenAfterPause()
{
    InstrumentEmulator emulator;
    RawClient client(emulator);
    QVERIFY(client.sendRaw(hex("AB 40 0F 03"))); // half a request, then nothing
    QTest::qWait(150);
    QCOMPARE(client.exchange(kReadTolerance, 18), toleranceReply(emulator));
}

void TestEmulatorFaults::silence_countedPerReply()
{
    InstrumentEmulator emulator;
    emulator.injectFault(EmulatorFault::Silence, 2);
    RawClient client(emulator);
    QCOMPARE(client.exchange(kReadTolerance, 18, 100), QByteArray());
    QCOMPARE(client.exchange(kReadTolerance, 18, 100), QByteArray());
    QCOMPARE(client.exchange(kReadTolerance, 18), toleranceReply(emulator));
    QCOMPARE(emulator.receivedFrames().size(), 3);
}

// Faults waiting for the n-th request from the call; a request spread over
// several reports counts once.
void TestEmulatorFaults::faultsAtRequest_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("chunk");       // bytes per output report
    QTest::addColumn<QString>("outcomes"); // per request: a answered, s silent, r write refused
    QTest::addColumn<bool>("plugged");     // afterwards
    QTest::newRow("silence at the 2nd") << "silence" << 62 << "asa" << true;
    QTest::newRow("silence at the 2nd, requests in 3-byte reports") << "silence" << 3 << "asa" << true;
    QTest::newRow("2nd refused") << "refuse" << 62 << "ara" << true;
    QTest::newRow("unplugged at the 2nd") << "unplug" << 62 << "arr" << false;
}

void TestEmulatorFaults::faultsAtRequest()
{
    QFETCH(QString, fault);
    QFETCH(int, chunk);
    QFETCH(QString, outcomes);
    QFETCH(bool, plugged);
    InstrumentEmulator emulator;
    RawClient client(emulator);
    QCOMPARE(client.exchange(kReadTolerance, 18), toleranceReply(emulator)); // before the call: not counted
    if (fault == QLatin1String("silence")) {
        emulator.injectFaultAtRequest(2, EmulatorFault::Silence);
    } else if (fault == QLatin1String("refuse")) {
        emulator.refuseRequest(2);
    } else {
        emulator.unplugAtRequest(2);
    }
    QString seen;
    for (int i = 0; i < 3; ++i) {
        if (!client.sendRaw(withChecksum(kReadTolerance), chunk)) {
            seen += QLatin1Char('r');
            continue;
        }
        const QByteArray reply = client.receive(18, 100);
        seen += reply == toleranceReply(emulator) ? QLatin1Char('a') : reply.isEmpty() ? QLatin1Char('s') : QLatin1Char('?');
    }
    QCOMPARE(seen, outcomes);
    QCOMPARE(emulator.isPlugged(), plugged);
}

void TestEmulatorFaults::noiseBefore_thenWholeReply()
{
    InstrumentEmulator emulator;
    emulator.injectFault(EmulatorFault::NoiseBefore);
    RawClient client(emulator);
    const QByteArray reply = client.exchange(kReadTolerance, 21);
    QCOMPARE(reply.size(), 21);
    QVERIFY(!reply.left(3).contains(static_cast<char>(0xAB)));
    QCOMPARE(reply.mid(3), toleranceReply(emulator));
}

void TestEmulatorFaults::splitReply_smallReports()
{
    InstrumentEmulator emulator;
    emulator.injectFault(EmulatorFault::SplitReply);
    RawClient client(emulator);
    QCOMPARE(client.exchange(kReadTolerance, 18), toleranceReply(emulator));
    QCOMPARE(client.reports.size(), 4);
    for (const QByteArray& report : client.reports) {
        QVERIFY(report.size() <= 5);
    }
    // The fault is spent: the next reply comes in one report.
    QCOMPARE(client.exchange(kReadTolerance, 18), toleranceReply(emulator));
    QCOMPARE(client.reports.size(), 1);
}

void TestEmulatorFaults::errorReply_forms_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("key information") << hex("AB 20 05 00 12 00 5E 21") << hex("AB A0 04");
    QTest::newRow("production information") << hex("AB 40 00 00 00 00 14 00") << hex("AB C7 08");
    QTest::newRow("end of block transfer") << hex("AB 74 00 00 04 00 00 00") << hex("AB F4 01");
    QTest::newRow("tolerance read") << kReadTolerance << hex("AB C0 01");
    QTest::newRow("measurement") << hex("AB 44 00 00 00 00 36 00 18 64") << hex("AB C4 01");
}

void TestEmulatorFaults::errorReply_forms()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, expected);
    InstrumentEmulator emulator;
    emulator.injectFault(EmulatorFault::ErrorReply);
    RawClient client(emulator);
    QByteArray reply = client.exchange(request, 5);
    QCOMPARE(reply, withChecksum(expected));
    // The long form: the same, padded to an acknowledgement's 10 bytes.
    emulator.instrument().setLongRefusals(true);
    emulator.injectFault(EmulatorFault::ErrorReply);
    reply = client.exchange(request, 10);
    QCOMPARE(reply, withChecksum(expected + QByteArray(5, '\0')));
}

void TestEmulatorFaults::unplug_pipeFailsUntilReopened()
{
    InstrumentEmulator emulator;
    QList<bool> notices;
    emulator.setPlugListener([&notices](bool plugged) { notices << plugged; });
    RawClient client(emulator);
    QVERIFY(client.backend->isPresent());
    emulator.pressMeasureKey(); // queued input is lost with the device
    emulator.unplug();
    QVERIFY(!emulator.isPlugged());
    QVERIFY(!client.backend->isPresent());
    QVERIFY(!client.send(kReadTolerance));
    QCOMPARE(client.readReport(10), QByteArray());
    QCOMPARE(client.lastResult, -1);
    QVERIFY(!emulator.createBackend()->open(0x2047, 0x0301));

    emulator.plug();
    QCOMPARE(notices, (QList<bool>{false, true}));
    // The old handle belongs to the device that went away.
    QVERIFY(!client.backend->isPresent());
    QVERIFY(!client.send(kReadTolerance));
    RawClient fresh(emulator);
    QVERIFY(fresh.opened);
    QCOMPARE(fresh.exchange(kReadTolerance, 18), toleranceReply(emulator));
}

void TestEmulatorFaults::openRefused_forOtherIds()
{
    InstrumentEmulator emulator;
    QVERIFY(!emulator.createBackend()->open(0x2047, 0x0302));
    QVERIFY(!emulator.createBackend()->open(0x1234, 0x0301));
    QVERIFY(emulator.createBackend()->open(0x2047, 0x0301));
}

void TestEmulatorFaults::pushedFrames_data()
{
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<bool>("blockFrames");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("redAt"); // where the swatch's red byte sits
    QTest::newRow("full record") << 3 << false << hex("AB 44 00 00 00 00 36 00") << 64 << 36;
    QTest::newRow("Lab block") << 3 << true << hex("AB 44 23 00 00 00 18 00") << 34 << 8;
    QTest::newRow("LCh block") << 4 << true << hex("AB 44 24 00 00 00 18 00") << 34 << 8;
    QTest::newRow("haze/T/Lab sends the haze/T block") << 6 << true << hex("AB 44 20 00 00 00 18 00") << 34 << 8;
}

void TestEmulatorFaults::pushedFrames()
{
    QFETCH(int, displayMode);
    QFETCH(bool, blockFrames);
    QFETCH(QByteArray, header);
    QFETCH(int, length);
    QFETCH(int, redAt);
    InstrumentEmulator emulator;
    emulator.instrument().setDisplayMode(displayMode);
    RawClient client(emulator);
    emulator.pressMeasureKey(blockFrames);
    const QByteArray frame = client.receive(length);
    QCOMPARE(frame.size(), length);
    QCOMPARE(frame.left(8), header);
    QVERIFY(frameChecksumOk(frame));
    QCOMPARE(getU8(frame, redAt), quint8(emulator.instrument().lastMeasurement().r[16]));
    QCOMPARE(emulator.instrument().measurementsTaken(), 1);
    QVERIFY(emulator.receivedFrames().isEmpty());
}

void TestEmulatorFaults::rawInput_chunkedIntoReports()
{
    InstrumentEmulator emulator;
    RawClient client(emulator);
    emulator.queueRawInput(QByteArray(100, 'z'));
    QCOMPARE(client.receive(100), QByteArray(100, 'z'));
    QCOMPARE(client.reports.size(), 2);
    QCOMPARE(client.reports.at(0).size(), 62);
    QCOMPARE(client.reports.at(1).size(), 38);
}

void TestEmulatorFaults::pacing_aboutOneReportPerMillisecond()
{
    InstrumentEmulator emulator;
    emulator.setPaced(true);
    RawClient client(emulator);
    const int pages = 20;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < pages; ++i) {
        QCOMPARE(client.exchange(kReadPage, 266, 1000).size(), 266);
        QCOMPARE(client.reports.size(), 5);
    }
    const double elapsed = timer.nsecsElapsed() / 1e6;
    const int reports = emulator.outputReportCount() + emulator.inputReportCount();
    QCOMPARE(reports, pages * 6);
    const double perReport = elapsed / reports;
    qInfo("paced: %d reports in %.1f ms, %.3f ms per report", reports, elapsed, perReport);
    // Never faster than the pacing; how close it comes is the import benchmark's to measure.
    QVERIFY2(perReport >= 0.95, qPrintable(QString::number(perReport)));

    // Without pacing the same exchanges take a fraction of that.
    emulator.setPaced(false);
    timer.restart();
    for (int i = 0; i < pages; ++i) {
        QCOMPARE(client.exchange(kReadPage, 266, 1000).size(), 266);
    }
    QVERIFY(timer.nsecsElapsed() / 1e6 < elapsed / 2);
}

QTEST_GUILESS_MAIN(TestEmulatorFaults)
#include "tst_emulator_faults.moc"
