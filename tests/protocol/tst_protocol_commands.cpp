// Every command against the emulated instrument through the production
// stack, treated alike: how each answers a clean reply, a reply disturbed on
// the way, a closed link, a foreign reply and a short one.

#include "CommandCases.h"
#include "EmulatedLink.h"
#include "Frames.h"
#include "RecordingTransport.h"
#include "ScriptedDialogs.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(EmulatorFault)

namespace {

// Receives through the real transport, then hands back only the first keep
// bytes while still reporting success, as a transport path that returns
// fewer bytes than asked would; keep < 0 appends that many foreign bytes.
class ShortReplyTransport final : public Transport
{
public:
    ShortReplyTransport(Transport& inner, int keep) : m_inner(inner), m_keep(keep) {}
    bool isLinkOpen() const override { return m_inner.isLinkOpen(); }
    int sendFrame(QByteArray& frame, int timeoutMs) override { return m_inner.sendFrame(frame, timeoutMs); }
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum) override
    {
        const int n = m_inner.receiveFrame(buffer, timeoutMs, expectedLen, checkChecksum);
        if (n <= 0) {
            return n;
        }
        if (m_keep >= 0) {
            buffer.truncate(m_keep);
        } else {
            buffer.append(QByteArray(-m_keep, '\x5A'));
        }
        return qMax(1, static_cast<int>(buffer.size()));
    }
    void delayMs(int ms) override { m_inner.delayMs(ms); }

private:
    Transport& m_inner;
    int m_keep;
};

CommandCase caseNamed(const QByteArray& name)
{
    for (const CommandCase& c : commandCases(true)) {
        if (name == c.name) {
            return c;
        }
    }
    qFatal("no command case %s", name.constData());
    return {};
}

} // namespace

class ProtocolCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dialogs = std::make_unique<ScriptedDialogs>(); }
    void cleanup()
    {
        const bool unused = m_dialogs->hasUnusedAnswers();
        m_dialogs.reset();
        QVERIFY2(!unused, "a scripted box was not shown");
    }

    void command_answersThroughDisturbedReply_data();
    void command_answersThroughDisturbedReply();
    void command_closedLink_sendFails_data() { commandRows(true); }
    void command_closedLink_sendFails();
    void command_badFrameChecksum_noReply_data();
    void command_badFrameChecksum_noReply();
    void command_badBlockChecksum_badData_data();
    void command_badBlockChecksum_badData();
    void command_identity_rejectsOnlyWhenBothDiffer_data();
    void command_identity_rejectsOnlyWhenBothDiffer();
    void command_shortOrLongReply_data();
    void command_shortOrLongReply();
    void command_timeoutsAndChecksumFlag_data();
    void command_timeoutsAndChecksumFlag();

private:
    void commandRows(bool withSlow);
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

void ProtocolCommandsTest::commandRows(bool withSlow)
{
    QTest::addColumn<QByteArray>("command");
    for (const CommandCase& c : commandCases(withSlow)) {
        QTest::newRow(c.name) << QByteArray(c.name);
    }
}

void ProtocolCommandsTest::command_answersThroughDisturbedReply_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("fault"); // -1: none
    const QList<QPair<const char*, int>> faults = {
        {"clean", -1},
        {"noise", static_cast<int>(EmulatorFault::NoiseBefore)},
        {"split", static_cast<int>(EmulatorFault::SplitReply)},
    };
    for (const CommandCase& c : commandCases()) {
        for (const auto& f : faults) {
            QTest::newRow(QByteArray(c.name).append('/').append(f.first).constData())
                << QByteArray(c.name) << f.second;
        }
    }
}

void ProtocolCommandsTest::command_answersThroughDisturbedReply()
{
    QFETCH(QByteArray, command);
    QFETCH(int, fault);
    const CommandCase c = caseNamed(command);
    EmulatedLink stack(c.model);
    QVERIFY(stack.opened);
    if (fault >= 0) {
        stack.emulator.injectFault(static_cast<EmulatorFault>(fault));
    }
    QCOMPARE(c.run(stack.transport), ProtocolResult::Success);
    QVERIFY(m_dialogs->shown.isEmpty());
}

void ProtocolCommandsTest::command_closedLink_sendFails()
{
    QFETCH(QByteArray, command);
    const CommandCase c = caseNamed(command);
    EmulatedLink stack(c.model);
    stack.link.Close();
    QCOMPARE(c.run(stack.transport), ProtocolResult::SendFailed);
    QVERIFY(stack.emulator.receivedFrames().isEmpty());
}

void ProtocolCommandsTest::command_badFrameChecksum_noReply_data()
{
    QTest::addColumn<QByteArray>("command");
    // Only the commands that verify the frame checksum notice it.
    for (const char* name : {"readKeyInformation", "readProductionInformation", "readSoftwareVersion",
                             "readDisplayParameter", "setDisplayParameter", "readTolerance", "setTolerance",
                             "readDeltaEParameter", "setDeltaEParameter", "takeMeasurement",
                             "readMeasurementBlock", "readSpectralRecordInfo", "writeStandardColorCount",
                             "writeStandardColorRecord"}) {
        QTest::newRow(name) << QByteArray(name);
    }
}

void ProtocolCommandsTest::command_badFrameChecksum_noReply()
{
    QFETCH(QByteArray, command);
    const CommandCase c = caseNamed(command);
    EmulatedLink stack(c.model);
    stack.emulator.injectFault(EmulatorFault::BadFrameChecksum);
    QCOMPARE(c.run(stack.transport), ProtocolResult::NoReply);
}

void ProtocolCommandsTest::command_badBlockChecksum_badData_data()
{
    QTest::addColumn<QByteArray>("command");
    for (const char* name : {"readProductionInformation", "readDisplayParameter", "readTolerance",
                             "readDeltaEParameter", "readComparisonRecordCount",
                             "readColorDifferenceRecordInfo", "readSpectralRecordInfo"}) {
        QTest::newRow(name) << QByteArray(name);
    }
}

void ProtocolCommandsTest::command_badBlockChecksum_badData()
{
    QFETCH(QByteArray, command);
    const CommandCase c = caseNamed(command);
    EmulatedLink stack(c.model);
    stack.emulator.injectFault(EmulatorFault::BadBlockChecksum);
    QCOMPARE(c.run(stack.transport), ProtocolResult::BadDataChecksum);
}

void ProtocolCommandsTest::command_identity_rejectsOnlyWhenBothDiffer_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<bool>("changeA");
    QTest::addColumn<bool>("changeB");
    QTest::addColumn<int>("expected");
    for (const CommandCase& c : commandCases()) {
        if (c.identityA < 0) {
            continue;
        }
        const QByteArray name(c.name);
        QTest::newRow((name + "/echo intact").constData()) << name << false << false << ProtocolResult::Success;
        QTest::newRow((name + "/first differs").constData()) << name << true << false << ProtocolResult::Success;
        QTest::newRow((name + "/second differs").constData()) << name << false << true << ProtocolResult::Success;
        QTest::newRow((name + "/both differ").constData()) << name << true << true << ProtocolResult::WrongReply;
    }
}

void ProtocolCommandsTest::command_identity_rejectsOnlyWhenBothDiffer()
{
    QFETCH(QByteArray, command);
    QFETCH(bool, changeA);
    QFETCH(bool, changeB);
    QFETCH(int, expected);
    const CommandCase c = caseNamed(command);
    EmulatedLink stack(c.model);
    // Learn the request from a first, clean exchange.
    QCOMPARE(c.run(stack.transport), ProtocolResult::Success);
    QByteArray request = stack.lastRequest();
    request.chop(2);
    QByteArray reply = stack.replyFor(request);
    QCOMPARE(reply.size(), c.replyLen);
    if (changeA) {
        reply = withByte(reply, c.identityA, static_cast<quint8>(reply.at(c.identityA) + 1));
    }
    if (changeB) {
        reply = withByte(reply, c.identityB, static_cast<quint8>(reply.at(c.identityB) + 1));
    }
    stack.answerNextWith(reply);
    QCOMPARE(c.run(stack.transport), expected);
}

void ProtocolCommandsTest::command_shortOrLongReply_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("keep");
    QTest::addColumn<bool>("succeeds");
    for (const CommandCase& c : commandCases()) {
        const QByteArray name(c.name);
        for (int keep : {0, 1, 3, 7, c.replyLen / 2, c.replyLen - 3, c.replyLen - 1}) {
            QTest::newRow(QByteArray(name + "/keep " + QByteArray::number(keep)).constData())
                << name << keep << false;
        }
        QTest::newRow((name + "/5 bytes more").constData()) << name << -5 << true;
    }
}

void ProtocolCommandsTest::command_shortOrLongReply()
{
    QFETCH(QByteArray, command);
    QFETCH(int, keep);
    QFETCH(bool, succeeds);
    const CommandCase c = caseNamed(command);
    EmulatedLink stack(c.model);
    ShortReplyTransport transport(stack.transport, keep);
    const int result = c.run(transport);
    if (succeeds) {
        QCOMPARE(result, ProtocolResult::Success);
    } else {
        QCOMPARE(result, ProtocolResult::NoReply);
    }
}

void ProtocolCommandsTest::command_timeoutsAndChecksumFlag_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("receiveTimeoutMs");
    QTest::addColumn<int>("replyLen");
    QTest::addColumn<bool>("checksum");
    QTest::addColumn<int>("pauseMs"); // before receiving; 0: none
    const struct
    {
        const char* name;
        int timeoutMs;
        int replyLen;
        bool checksum;
        int pauseMs;
    } pins[] = {
        {"readKeyInformation", 6000, 26, true, 0},
        {"readProductionInformation", 6000, 30, true, 0},
        {"readSoftwareVersion", 6000, 10, true, 0},
        {"readDisplayParameter", 6000, 13, true, 0},
        {"setDisplayParameter", 10000, 10, true, 0},
        {"readTolerance", 6000, 18, true, 0},
        {"setTolerance", 10000, 10, true, 0},
        {"readDeltaEParameter", 6000, 15, true, 0},
        {"setDeltaEParameter", 6000, 10, true, 0},
        {"takeMeasurement", 6000, 64, true, 0},
        {"readMeasurementLegacy", 6000, 64, false, 1500},
        {"readMeasurementBlock", 6000, 34, true, 0},
        {"readComparisonRecordCount", 6000, 14, false, 0},
        {"readColorDifferenceRecordInfo", 6000, 20, false, 0},
        {"readSpectralRecordInfo", 6000, 18, true, 0},
        {"readBlock", 6000, 266, false, 0},
        {"writeStandardColorCount", 6000, 10, true, 0},
        {"writeStandardColorRecord", 6000, 10, true, 0},
        {"writeBlock end", 6000, 10, false, 0},
    };
    for (const auto& pin : pins) {
        QTest::newRow(pin.name) << QByteArray(pin.name) << pin.timeoutMs << pin.replyLen << pin.checksum
                                << pin.pauseMs;
    }
}

void ProtocolCommandsTest::command_timeoutsAndChecksumFlag()
{
    QFETCH(QByteArray, command);
    QFETCH(int, receiveTimeoutMs);
    QFETCH(int, replyLen);
    QFETCH(bool, checksum);
    QFETCH(int, pauseMs);
    RecordingTransport recording;
    const int result = command == "writeBlock end" ? writeBlock(recording, 0x40000, QByteArray(), 0)
                                                   : caseNamed(command).run(recording);
    QCOMPARE(result, ProtocolResult::NoReply);
    QCOMPARE(recording.sendTimeouts, QList<int>{Frame::SendTimeoutMs});
    QCOMPARE(recording.receives.size(), 1);
    QCOMPARE(recording.receives.at(0).timeoutMs, receiveTimeoutMs);
    QCOMPARE(recording.receives.at(0).expectedLen, replyLen);
    QCOMPARE(recording.receives.at(0).checkChecksum, checksum);
    QCOMPARE(recording.delays, pauseMs > 0 ? QList<int>{pauseMs} : QList<int>{});
}

QTEST_GUILESS_MAIN(ProtocolCommandsTest)
#include "tst_protocol_commands.moc"
