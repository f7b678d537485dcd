// The USB link and the transport over it: frame collection against a
// deadline, the worker's poll, writes, and the presence test.

#include "EmulatedLink.h"
#include "CLinkerUSB.h"
#include "FakeHidBackend.h"
#include "HidLinkFactory.h"
#include "InstrumentIds.h"
#include "LinkTransport.h"
#include "RawClient.h"
#include "WaitUntil.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <atomic>

class CLinkerUsbTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void readMessage_collectsFrame_data();
    void readMessage_collectsFrame();
    void readMessage_noFrameStart_failsAfterDeadline();
    void readMessage_endlessReports_returnsByDeadline_data();
    void readMessage_endlessReports_returnsByDeadline();
    void readMessage_twoFramesInOneReport_secondWaits();
    void readMessage_ioError_failsAtOnce();
    void readMessage_closedLink_failsAtOnce();
    void poll_returnsWhatArrived_data();
    void poll_returnsWhatArrived();
    void writeMessage_resultAndFailure();
    void transport_sendOnClosedLink_leavesFrame();
    void transport_receiveChecksum_data();
    void transport_receiveChecksum();
    void transport_delayNeverEarly();
    void emulator_waitForInput_data();
    void emulator_waitForInput();
    void emulator_unplug_deviceGone();
    void emulator_closeDuringRead_readStopsSoon();
    void hidFactory_noInstrument_noLink();

private:
    FakeHidBackend* m_fake = nullptr;
    std::unique_ptr<CLinkerUSB> m_link;
};

void CLinkerUsbTest::init()
{
    auto fake = std::make_unique<FakeHidBackend>();
    m_fake = fake.get();
    m_link = std::make_unique<CLinkerUSB>(std::move(fake));
    QVERIFY(m_link->Open(kInstrumentVendorId, kInstrumentProductId));
    QVERIFY(m_link->isOpen());
}

void CLinkerUsbTest::readMessage_collectsFrame_data()
{
    QTest::addColumn<QList<QByteArray>>("reports");
    QTest::addColumn<QByteArray>("frame");
    const QByteArray ack = withChecksum(hex("AB 70 0F 03 00 00 08 00"));
    QTest::newRow("one report") << QList<QByteArray>{ack} << ack;
    QTest::newRow("noise before 0xAB") << QList<QByteArray>{hex("00 13 7F") + ack} << ack;
    QTest::newRow("noise report, then frame") << QList<QByteArray>{hex("01 02"), ack} << ack;
    QTest::newRow("split in three") << QList<QByteArray>{ack.left(3), ack.mid(3, 4), ack.mid(7)} << ack;
    QTest::newRow("noise and split") << QList<QByteArray>{hex("55") + ack.left(5), ack.mid(5)} << ack;
}

void CLinkerUsbTest::readMessage_collectsFrame()
{
    QFETCH(QList<QByteArray>, reports);
    QFETCH(QByteArray, frame);
    for (const QByteArray& r : reports) {
        m_fake->queueData(r);
    }
    QByteArray buffer;
    QCOMPARE(m_link->ReadMessage(buffer, 1000, frame.size()), frame.size());
    QCOMPARE(buffer, frame);
}

void CLinkerUsbTest::readMessage_noFrameStart_failsAfterDeadline()
{
    m_fake->queueData(hex("01 02 03 04 05 06 07 08 09 0A"));
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_link->ReadMessage(buffer, 120, 10) <= 0);
    QVERIFY(timer.elapsed() >= 120);
    QVERIFY(buffer.isEmpty()); // everything before a frame start is dropped
}

void CLinkerUsbTest::readMessage_endlessReports_returnsByDeadline_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("foreign report id") << hex("01 05 AB 70 00 03 00");
    QTest::newRow("zero length byte") << FakeHidBackend::dataReport(QByteArray(), 0);
    QTest::newRow("one byte at a time") << FakeHidBackend::dataReport(hex("00"));
    QTest::newRow("frame start byte by byte") << FakeHidBackend::dataReport(hex("AB"));
}

void CLinkerUsbTest::readMessage_endlessReports_returnsByDeadline()
{
    // A report every 10 ms for 5 s: the read must end at its own deadline
    // (200 ms plus one report wait; the benchmark measures it, the bound here
    // leaves room for a loaded machine).
    QFETCH(QByteArray, report);
    m_fake->flood = report;
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_link->ReadMessage(buffer, 200, 266) <= 0);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 200 && elapsed < 2500, qPrintable(QString::number(elapsed)));
}

void CLinkerUsbTest::readMessage_twoFramesInOneReport_secondWaits()
{
    const QByteArray first = withChecksum(hex("AB 70 00 03 00 00 03 00"));
    const QByteArray second = withChecksum(hex("AB 70 25 02 00 00 05 00"));
    m_fake->queueData(first + second);
    QByteArray buffer;
    QCOMPARE(m_link->ReadMessage(buffer, 1000, 10), 10);
    QCOMPARE(buffer, first);
    buffer.clear();
    QCOMPARE(m_link->ReadMessage(buffer, 1000, 10), 10);
    QCOMPARE(buffer, second);
    QCOMPARE(m_fake->waits.size(), 1);
}

void CLinkerUsbTest::readMessage_ioError_failsAtOnce()
{
    m_fake->inputs.append({QByteArray(), true});
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(m_link->ReadMessage(buffer, 6000, 10) <= 0);
    QVERIFY(timer.elapsed() < 3000); // far below the 6 s time-out, with room for load
}

void CLinkerUsbTest::readMessage_closedLink_failsAtOnce()
{
    m_link->Close();
    QVERIFY(!m_link->isOpen());
    m_fake->queueData(withChecksum(hex("AB 70 00 03 00 00 03 00")));
    QByteArray buffer;
    QVERIFY(m_link->ReadMessage(buffer, 6000, 10) <= 0);
    QVERIFY(m_link->ReadMessage(buffer, 0, 0) <= 0);
    QVERIFY(m_fake->waits.isEmpty());
    QVERIFY(m_link->isDeviceGone());
}

void CLinkerUsbTest::poll_returnsWhatArrived_data()
{
    QTest::addColumn<QList<QByteArray>>("reports");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("nothing") << QList<QByteArray>{} << QByteArray();
    QTest::newRow("pushed frame in two reports")
        << QList<QByteArray>{QByteArray(62, '\xAB'), QByteArray(2, '\x01')}
        << QByteArray(62, '\xAB') + QByteArray(2, '\x01');
    // The poll does not resynchronise: the page sees the bytes as they came.
    QTest::newRow("noise kept") << QList<QByteArray>{hex("00 AB 44")} << hex("00 AB 44");
}

void CLinkerUsbTest::poll_returnsWhatArrived()
{
    QFETCH(QList<QByteArray>, reports);
    QFETCH(QByteArray, expected);
    for (const QByteArray& r : reports) {
        m_fake->queueData(r);
    }
    QByteArray buffer("x");
    const int n = m_link->ReadMessage(buffer, 0, 0);
    if (expected.isEmpty()) {
        QCOMPARE(n, 0);
        QCOMPARE(buffer, QByteArray("x"));
    } else {
        QCOMPARE(n, 1 + expected.size());
        QCOMPARE(buffer, "x" + expected);
    }
    // It waits 50 ms for something, then only a moment for the rest of a burst.
    QCOMPARE(m_fake->waits.first(), 50);
    QVERIFY(m_fake->waits.last() <= (expected.isEmpty() ? 50 : 3));
}

void CLinkerUsbTest::writeMessage_resultAndFailure()
{
    QByteArray frame = withChecksum(hex("AB 40 0F 03 00 00 08 00"));
    QCOMPARE(m_link->WriteMessage(frame, 1000), 10);
    QCOMPARE(m_fake->written.size(), 1);
    QByteArray big(100, 'q');
    m_fake->failWriteAt = 2;
    QCOMPARE(m_link->WriteMessage(big, 1000), -1);
    QByteArray empty;
    QCOMPARE(m_link->WriteMessage(empty, 1000), -1);
}

void CLinkerUsbTest::transport_sendOnClosedLink_leavesFrame()
{
    LinkTransport transport;
    QByteArray frame = hex("AB 40 0F 03 00 00 08 00");
    QCOMPARE(transport.sendFrame(frame, 1000), -1); // no link at all
    transport.setLink(m_link.get());
    m_link->Close();
    QVERIFY(!transport.isLinkOpen());
    QCOMPARE(transport.sendFrame(frame, 1000), -1);
    QCOMPARE(frame, hex("AB 40 0F 03 00 00 08 00"));
    QVERIFY(m_fake->written.isEmpty());
}

void CLinkerUsbTest::transport_receiveChecksum_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("check");
    QTest::addColumn<int>("result");
    const QByteArray ack = withChecksum(hex("AB 70 0F 03 00 00 08 00"));
    QByteArray swapped = ack;
    std::swap(swapped[8], swapped[9]);
    QTest::newRow("intact, checked") << ack << true << 10;
    QTest::newRow("swapped, checked") << swapped << true << -1;
    QTest::newRow("swapped, unchecked") << swapped << false << 10;
}

void CLinkerUsbTest::transport_receiveChecksum()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, check);
    QFETCH(int, result);
    LinkTransport transport;
    transport.setLink(m_link.get());
    m_fake->queueData(reply);
    QByteArray buffer;
    QCOMPARE(transport.receiveFrame(buffer, 1000, 10, check), result);
    QCOMPARE(buffer, reply); // the bytes stay for the caller to inspect
}

void CLinkerUsbTest::transport_delayNeverEarly()
{
    LinkTransport transport;
    QElapsedTimer timer;
    timer.start();
    transport.delayMs(30);
    QVERIFY(timer.elapsed() >= 30);
}

void CLinkerUsbTest::emulator_unplug_deviceGone()
{
    EmulatedLink stack;
    QVERIFY(stack.opened);
    QVERIFY(!stack.link.isDeviceGone());
    stack.emulator.unplug();
    QVERIFY(stack.link.isDeviceGone());
    QVERIFY(stack.link.isOpen()); // still open until the window closes it
    QByteArray frame = hex("AB 40 0F 03 00 00 08 00");
    QCOMPARE(stack.transport.sendFrame(frame, 1000), -1);
}

void CLinkerUsbTest::emulator_closeDuringRead_readStopsSoon()
{
    // The window closes the link on removal without the worker's mutex; a
    // read running on the worker thread must end, not use a dead handle.
    EmulatedLink stack;
    int result = 1;
    qint64 elapsed = 0;
    std::atomic<bool> reading{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        reading = true;
        QElapsedTimer timer;
        timer.start();
        QByteArray buffer;
        result = stack.link.ReadMessage(buffer, 3000, 10);
        elapsed = timer.elapsed();
    }));
    worker->start();
    QVERIFY(waitUntil([&reading] { return reading.load(); }));
    stack.link.Close();
    QVERIFY(worker->wait(5000));
    QVERIFY(result <= 0);
    QVERIFY2(elapsed < 2500, qPrintable(QString::number(elapsed))); // of the 3 s time-out
}

void CLinkerUsbTest::hidFactory_noInstrument_noLink()
{
    // No HID device carries these ids.
    HidLinkFactory factory;
    QVERIFY(factory.openLink(0xFFFF, 0xFFFE) == nullptr);
}

// The receive worker waits on this before it takes the link lock: it must say
// "read now" for every byte a read would deliver, also for the bytes a reply's
// read left behind in the HID device (the backend never announces those).
void CLinkerUsbTest::emulator_waitForInput_data()
{
    QTest::addColumn<int>("arrived");   // bytes pushed in one report (0xAB first)
    QTest::addColumn<int>("replyTook"); // bytes a command's read took first
    QTest::addColumn<bool>("readNow");
    QTest::newRow("nothing arrived") << 0 << 0 << false;
    QTest::newRow("a report waiting") << 30 << 0 << true;
    QTest::newRow("bytes a reply left behind") << 30 << 10 << true;
    QTest::newRow("a reply took everything") << 30 << 30 << false;
}

void CLinkerUsbTest::emulator_waitForInput()
{
    QFETCH(int, arrived);
    QFETCH(int, replyTook);
    QFETCH(bool, readNow);
    EmulatedLink stack;
    QVERIFY(stack.opened);
    QByteArray pushed(arrived, '\x11');
    if (arrived > 0) {
        pushed[0] = '\xAB';
    }
    stack.emulator.queueRawInput(pushed);
    if (replyTook > 0) {
        QByteArray reply;
        QCOMPARE(stack.link.ReadMessage(reply, 200, replyTook), replyTook);
    }
    QCOMPARE(stack.link.WaitForInput(20), readNow);
    // What the wait announced is there to be read, all of it, at once.
    QByteArray rest;
    QCOMPARE(stack.link.ReadAvailable(rest), arrived - replyTook);
    QCOMPARE(rest, pushed.mid(replyTook));
}

QTEST_GUILESS_MAIN(CLinkerUsbTest)
#include "tst_link_clinkerusb.moc"
