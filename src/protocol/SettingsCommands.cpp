#include "SettingsCommands.h"

#include "Bytes.h"
#include "Frames.h"
#include "Transport.h"

namespace {

constexpr quint32 kDisplayAddress = 0x0300;
constexpr quint16 kDisplayLength = 3;
constexpr quint32 kToleranceAddress = 0x030F;
constexpr quint16 kToleranceLength = 8;
constexpr quint32 kDeltaEAddress = 0x0225;
constexpr quint16 kDeltaELength = 5;

constexpr int kAckLen = Frame::MemoryReplyOverhead;

bool fitsByte(int v)
{
    return v >= 0 && v <= 0xFF;
}

bool fitsWord(int v)
{
    return v >= 0 && v <= 0xFFFF;
}

// A memory read with its data-block checksum: the reply must belong to the
// request (echoed address byte or length byte) and its block must be intact.
int readSettingsBlock(Transport& transport, quint32 address, quint16 length, QByteArray& reply)
{
    QByteArray request = memoryRequest(Frame::ReadMemory, address, length);
    const int result = exchangeFrame(transport, request, reply, length + Frame::MemoryReplyOverhead,
                                     true, Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, static_cast<quint8>(address & 0xFF), 6, static_cast<quint8>(length))) {
        return ProtocolResult::WrongReply;
    }
    if (!dataChecksumMatches(reply, Frame::HeaderBytes, length - Frame::ChecksumBytes)) {
        return ProtocolResult::BadDataChecksum;
    }
    return ProtocolResult::Success;
}

// A memory write of values followed by their data checksum, acknowledged by
// the header echo.
int writeSettingsBlock(Transport& transport, quint32 address, const QByteArray& values, int ackTimeoutMs)
{
    const quint16 length = static_cast<quint16>(values.size() + Frame::ChecksumBytes);
    QByteArray request = memoryRequest(Frame::WriteMemory, address, length);
    request.append(values);
    appendDataChecksum(request, Frame::HeaderBytes);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kAckLen, true, ackTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, static_cast<quint8>(address & 0xFF), 6, static_cast<quint8>(length))) {
        return ProtocolResult::WrongReply;
    }
    return ProtocolResult::Success;
}

} // namespace

int readDisplayParameter(Transport& transport, int& value)
{
    QByteArray reply;
    const int result = readSettingsBlock(transport, kDisplayAddress, kDisplayLength, reply);
    if (result != ProtocolResult::Success) {
        return result;
    }
    value = getU8(reply, 8);
    return ProtocolResult::Success;
}

int setDisplayParameter(Transport& transport, int value)
{
    if (!fitsByte(value)) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray values;
    putU8(values, static_cast<quint8>(value));
    return writeSettingsBlock(transport, kDisplayAddress, values, Frame::SlowWriteTimeoutMs);
}

int readTolerance(Transport& transport, int& haze, int& transmittance, int& deltaE)
{
    QByteArray reply;
    const int result = readSettingsBlock(transport, kToleranceAddress, kToleranceLength, reply);
    if (result != ProtocolResult::Success) {
        return result;
    }
    haze = getU16le(reply, 8);
    transmittance = getU16le(reply, 10);
    deltaE = getU16le(reply, 12);
    return ProtocolResult::Success;
}

int setTolerance(Transport& transport, int haze, int transmittance, int deltaE)
{
    if (!fitsWord(haze) || !fitsWord(transmittance) || !fitsWord(deltaE)) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray values;
    putU16le(values, static_cast<quint16>(haze));
    putU16le(values, static_cast<quint16>(transmittance));
    putU16le(values, static_cast<quint16>(deltaE));
    return writeSettingsBlock(transport, kToleranceAddress, values, Frame::SlowWriteTimeoutMs);
}

int readTolerance(Transport& transport, ToleranceSet& tolerances)
{
    int haze = 0;
    int transmittance = 0;
    int deltaE = 0;
    const int result = readTolerance(transport, haze, transmittance, deltaE);
    if (result == ProtocolResult::Success) {
        tolerances = {quint16(haze), quint16(transmittance), quint16(deltaE)};
    }
    return result;
}

int setTolerance(Transport& transport, const ToleranceSet& tolerances)
{
    return setTolerance(transport, tolerances.hazeTolerance, tolerances.transmittanceTolerance,
                        tolerances.deltaEThreshold);
}

int readDeltaEParameter(Transport& transport, int& formula, int& threshold)
{
    QByteArray reply;
    const int result = readSettingsBlock(transport, kDeltaEAddress, kDeltaELength, reply);
    if (result != ProtocolResult::Success) {
        return result;
    }
    formula = getU8(reply, 8);
    threshold = getU16le(reply, 9);
    return ProtocolResult::Success;
}

int setDeltaEParameter(Transport& transport, int formula, int threshold)
{
    if (!fitsByte(formula) || !fitsWord(threshold)) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray values;
    putU8(values, static_cast<quint8>(formula));
    putU16le(values, static_cast<quint16>(threshold));
    return writeSettingsBlock(transport, kDeltaEAddress, values, Frame::ReceiveTimeoutMs);
}
