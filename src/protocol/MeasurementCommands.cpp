#include "MeasurementCommands.h"

#include "Bytes.h"
#include "Frames.h"
#include "Transport.h"

namespace {

constexpr quint32 kRecordAddress = 0x00;
constexpr quint16 kRecordLength = 0x36;
constexpr int kRecordReplyLen = 64;
// Two bytes the instrument expects after the header of a measurement request.
constexpr quint8 kMeasureTrigger[] = {0x18, 0x64};
constexpr int kLegacyPauseMs = 1500;

constexpr quint32 kBlockBase = 0x20;
constexpr quint16 kBlockLength = 24;
constexpr int kBlockReplyLen = 34;
constexpr int kBlockCount = 6;
// The last bytes values are decoded from: r20 of the record, value 6 of a block.
constexpr int kRecordLastByte = 42;
constexpr int kBlockLastByte = 22;

void extractRecord(const QByteArray& reply, MeasurementValues& v)
{
    v.r0 = getS16le(reply, 8);
    v.r1 = getS16le(reply, 10);
    v.r2 = getS16le(reply, 12);
    v.r3 = getS16le(reply, 14);
    v.r4 = getS16le(reply, 16);
    v.r5 = getS16le(reply, 18);
    v.r6 = getU16le(reply, 20);
    v.r7 = getU16le(reply, 22);
    v.r8 = getU16le(reply, 24);
    v.r9 = getU16le(reply, 26);
    v.r10 = getU16le(reply, 28);
    v.r11 = getU16le(reply, 30);
    v.r12 = getU8(reply, 32);
    v.r13 = getU8(reply, 33);
    v.r14 = getU8(reply, 34);
    v.r15 = getU8(reply, 35);
    v.r16 = getU8(reply, 36);
    v.r17 = getU8(reply, 37);
    v.r18 = getU8(reply, 38);
    v.r19 = getU16le(reply, 39); // odd offsets: packed record
    v.r20 = getU16le(reply, 41);
}

} // namespace

int takeMeasurement(Transport& transport, MeasurementValues& values)
{
    QByteArray request = memoryRequest(Frame::ReadMeasurement, kRecordAddress, kRecordLength);
    for (quint8 b : kMeasureTrigger) {
        putU8(request, b);
    }
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kRecordReplyLen, true,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, 0, 6, kRecordLength)) {
        return ProtocolResult::WrongReply;
    }
    extractRecord(reply, values);
    return ProtocolResult::Success;
}

int readMeasurementLegacy(Transport& transport, MeasurementValues& values)
{
    QByteArray request = memoryRequest(Frame::ReadMeasurement, kRecordAddress, kRecordLength);
    const int sent = sendRequest(transport, request);
    if (sent != ProtocolResult::Success) {
        return sent;
    }
    // The older firmware needs the time to measure before it answers.
    transport.delayMs(kLegacyPauseMs);
    QByteArray reply;
    const int received = transport.receiveFrame(reply, Frame::ReceiveTimeoutMs, kRecordReplyLen, false);
    if (received <= 0 || !replyHolds(reply, kRecordReplyLen)) {
        return ProtocolResult::NoReply;
    }
    if (replyIsForeign(reply, 2, 0, 6, kRecordLength)) {
        return ProtocolResult::WrongReply;
    }
    MeasurementValues all;
    extractRecord(reply, all);
    values.r0 = all.r0;
    values.r1 = all.r1;
    values.r2 = all.r2;
    values.r7 = all.r7;
    values.r8 = all.r8;
    values.r16 = all.r16;
    values.r17 = all.r17;
    values.r18 = all.r18;
    return ProtocolResult::Success;
}

int readMeasurementBlock(Transport& transport, int k, MeasurementBlock& block)
{
    if (k < 0 || k >= kBlockCount) {
        return ProtocolResult::ValueDoesNotFit;
    }
    const quint32 address = kBlockBase + static_cast<quint32>(k);
    QByteArray request = memoryRequest(Frame::ReadMeasurement, address, kBlockLength);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kBlockReplyLen, true,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, static_cast<quint8>(address), 6, kBlockLength)) {
        return ProtocolResult::WrongReply;
    }
    decodeMeasurementBlock(reply, k, block);
    return ProtocolResult::Success;
}

bool decodeMeasurementRecord(const QByteArray& frame, MeasurementValues& values)
{
    if (!replyHolds(frame, kRecordLastByte + 1)) {
        return false;
    }
    extractRecord(frame, values);
    return true;
}

bool decodeMeasurementBlock(const QByteArray& frame, int k, MeasurementBlock& block)
{
    if (k < 0 || k >= kBlockCount || !replyHolds(frame, kBlockLastByte + 1)) {
        return false;
    }
    block = MeasurementBlock{};
    block.mode = k;
    for (int i = 0; i < 3; ++i) {
        block.bytes[i] = getU8(frame, 8 + i);
    }
    // hazeT: two unsigned; haze, t: one unsigned; Lab: three signed;
    // LCh, Yxy: three signed then three unsigned.
    static constexpr int kSigned[kBlockCount] = {0, 0, 0, 3, 3, 3};
    static constexpr int kCount[kBlockCount] = {2, 1, 1, 3, 6, 6};
    block.valueCount = kCount[k];
    for (int i = 0; i < block.valueCount; ++i) {
        const int pos = 11 + 2 * i;
        block.values[i] = i < kSigned[k] ? static_cast<int>(getS16le(frame, pos)) : getU16le(frame, pos);
    }
    return true;
}
