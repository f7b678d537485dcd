// What can only be seen by waiting out the receive time-out: a silent
// instrument.

#include "EmulatedLink.h"
#include "Frames.h"
#include "SettingsCommands.h"

#include <QElapsedTimer>
#include <QtTest>

class ProtocolTimeoutsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void silentInstrument_noReplyAfterTimeout();
};

void ProtocolTimeoutsTest::silentInstrument_noReplyAfterTimeout()
{
    EmulatedLink stack;
    stack.transport.setReceiveTimeoutLimitMs(0); // the real time-out
    stack.emulator.injectFault(EmulatorFault::Silence);
    QElapsedTimer timer;
    timer.start();
    int haze = -1, transmittance = -1, deltaE = -1;
    QCOMPARE(readTolerance(stack.transport, haze, transmittance, deltaE), ProtocolResult::NoReply);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= Frame::ReceiveTimeoutMs, qPrintable(QString::number(elapsed)));
    // The deadline holds to within one 50 ms HID wait (the benchmark measures
    // it); the bound here leaves room for a loaded machine.
    QVERIFY2(elapsed < Frame::ReceiveTimeoutMs + 1500, qPrintable(QString::number(elapsed)));
    QCOMPARE(haze, -1);
    // The link still works afterwards.
    QCOMPARE(readTolerance(stack.transport, haze, transmittance, deltaE), ProtocolResult::Success);
}

QTEST_GUILESS_MAIN(ProtocolTimeoutsTest)
#include "tst_protocol_timeouts.moc"
