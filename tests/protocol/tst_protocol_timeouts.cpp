// The two situations that can only be seen by waiting out the receive
// time-out: a silent instrument, and one that refuses key information with
// its short error reply.

#include "EmulatedLink.h"
#include "Frames.h"
#include "IdentificationCommands.h"
#include "ScriptedDialogs.h"
#include "SettingsCommands.h"

#include <QElapsedTimer>
#include <QtTest>

class ProtocolTimeoutsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void silentInstrument_noReplyAfterTimeout();
    void keyInformationRefused_refusedAfterTimeout();
};

void ProtocolTimeoutsTest::silentInstrument_noReplyAfterTimeout()
{
    EmulatedLink stack;
    stack.emulator.injectFault(EmulatorFault::Silence);
    QElapsedTimer timer;
    timer.start();
    int haze = -1, transmittance = -1, deltaE = -1;
    QCOMPARE(readTolerance(stack.transport, haze, transmittance, deltaE), ProtocolResult::NoReply);
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= Frame::ReceiveTimeoutMs, qPrintable(QString::number(elapsed)));
    // The deadline is checked after every 50 ms HID wait.
    QVERIFY2(elapsed < Frame::ReceiveTimeoutMs + 250, qPrintable(QString::number(elapsed)));
    QCOMPARE(haze, -1);
    // The link still works afterwards.
    QCOMPARE(readTolerance(stack.transport, haze, transmittance, deltaE), ProtocolResult::Success);
}

void ProtocolTimeoutsTest::keyInformationRefused_refusedAfterTimeout()
{
    ScriptedDialogs dialogs;
    EmulatedLink stack;
    stack.instrument().setKeyInformationOffered(false);
    QElapsedTimer timer;
    timer.start();
    KeyInformation info;
    QCOMPARE(readKeyInformation(stack.transport, info), ProtocolResult::Refused);
    QVERIFY(timer.elapsed() >= Frame::ReceiveTimeoutMs);
    // The production information answers instead.
    ProductionInformation production;
    QCOMPARE(readProductionInformation(stack.transport, production), ProtocolResult::Success);
    QCOMPARE(production.meterNumber, stack.instrument().model().meterNumber);
    QVERIFY(dialogs.shown.isEmpty());
}

QTEST_GUILESS_MAIN(ProtocolTimeoutsTest)
#include "tst_protocol_timeouts.moc"
