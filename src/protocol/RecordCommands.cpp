#include "RecordCommands.h"

#include "Bytes.h"
#include "FrameChecksum.h"
#include "Frames.h"
#include "ProtocolLog.h"
#include "Transport.h"

namespace {

constexpr quint16 kCountCellLength = 4;
constexpr int kCountCellReplyLen = 14;

constexpr quint32 kColorDifferenceInfoAddress = 0x3010;
constexpr quint16 kColorDifferenceInfoLength = 10;
constexpr int kColorDifferenceInfoReplyLen = 20;

constexpr quint32 kSpectralInfoAddressCurrent = 0x1020;
constexpr quint32 kSpectralInfoAddressWide = 0x1410;
constexpr quint16 kSpectralInfoLength = 8;
constexpr int kSpectralInfoReplyLen = 18;

constexpr quint32 kStandardColorCountAddress = 0x2F00;
constexpr quint16 kStandardColorCountLength = 4;
constexpr quint16 kStandardColorRecordLength = kStandardColorRecordBytes + Frame::ChecksumBytes;

constexpr int kAckLen = Frame::MemoryReplyOverhead;

bool isLayout03(int layout)
{
    return layout == 0 || layout == 3;
}

int expectAck(Transport& transport, QByteArray& request, quint8 addressLow, quint8 length)
{
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kAckLen, true, Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, addressLow, 6, length)) {
        return ProtocolResult::WrongReply;
    }
    return ProtocolResult::Success;
}

} // namespace

quint32 comparisonRecordCountAddress(int displayMode, int layout)
{
    switch (displayMode) {
    case 0: return 0x1200;
    case 1: return 0x1204;
    case 2: return 0x1208;
    case 3: return isLayout03(layout) ? 0x120C : 0x1600;
    case 4: return isLayout03(layout) ? 0x1210 : 0x1604;
    case 5: return 0x1214;
    case 6: return 0x1218;
    default: return 0;
    }
}

int readComparisonRecordCount(Transport& transport, int& count, int displayMode, int layout)
{
    const quint32 address = comparisonRecordCountAddress(displayMode, layout);
    if (address == 0) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray request = memoryRequest(Frame::ReadMemory, address, kCountCellLength);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kCountCellReplyLen, false,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, static_cast<quint8>(address & 0xFF), 6, kCountCellLength)) {
        return ProtocolResult::WrongReply;
    }
    if (!dataChecksumMatches(reply, 8, 2)) {
        return ProtocolResult::BadDataChecksum;
    }
    count = getU16le(reply, 8);
    return ProtocolResult::Success;
}

int readColorDifferenceRecordInfo(Transport& transport, int& count)
{
    QByteArray request = memoryRequest(Frame::ReadMemory, kColorDifferenceInfoAddress, kColorDifferenceInfoLength);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kColorDifferenceInfoReplyLen, false,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, 0x10, 6, kColorDifferenceInfoLength)) {
        return ProtocolResult::WrongReply;
    }
    if (!dataChecksumMatches(reply, 8, 8)) {
        return ProtocolResult::BadDataChecksum;
    }
    count = getU16le(reply, 12);
    return ProtocolResult::Success;
}

int readSpectralRecordInfo(Transport& transport, int& count, int layout)
{
    // Layouts 0 and 3 keep the first area; every other layout the second.
    const quint32 address = isLayout03(layout) ? kSpectralInfoAddressCurrent : kSpectralInfoAddressWide;
    QByteArray request = memoryRequest(Frame::ReadMemory, address, kSpectralInfoLength);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kSpectralInfoReplyLen, true,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 1, Frame::ReadMemory, 6, kSpectralInfoLength)) {
        return ProtocolResult::WrongReply;
    }
    if (!dataChecksumMatches(reply, 8, 6)) {
        return ProtocolResult::BadDataChecksum;
    }
    count = getU16le(reply, 10);
    return ProtocolResult::Success;
}

int readBlock(Transport& transport, quint32 address, QByteArray& out, int len)
{
    if (len < 0 || len > 0xFFFF) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray request = memoryRequest(Frame::ReadMemory, address, static_cast<quint16>(len));
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, len + Frame::MemoryReplyOverhead, false,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    out.append(reply.constData() + Frame::HeaderBytes, len);
    return ProtocolResult::Success;
}

int writeStandardColorCount(Transport& transport, int count, quint16 expectedChecksum)
{
    if (count < 0 || count > 0xFFFF) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray values;
    putU16le(values, static_cast<quint16>(count));
    const quint16 sum = standardColorChecksum(values);
    if (sum != expectedChecksum) {
        qCDebug(lcProtocol) << "standard colour count checksum" << Qt::hex << sum << "expected" << expectedChecksum;
        return ProtocolResult::BadDataChecksum;
    }
    QByteArray request = memoryRequest(Frame::WriteMemory, kStandardColorCountAddress, kStandardColorCountLength);
    request.append(values);
    putU16le(request, sum);
    return expectAck(transport, request, 0x00, kStandardColorCountLength);
}

int writeStandardColorRecord(Transport& transport, int address, const QString& nameA,
                             const QString& nameB, int valueA, int valueB, quint16 expectedChecksum)
{
    bool fits = false;
    const QByteArray record = standardColorRecord(nameA, nameB, valueA, valueB, &fits);
    if (!fits || address < 0 || address > 0xFFFF) {
        qCDebug(lcProtocol) << "standard colour record does not fit:" << nameA << nameB << valueA << valueB;
        return ProtocolResult::ValueDoesNotFit;
    }
    const quint16 sum = standardColorChecksum(record);
    if (sum != expectedChecksum) {
        qCDebug(lcProtocol) << "standard colour record checksum" << Qt::hex << sum << "expected" << expectedChecksum;
        return ProtocolResult::BadDataChecksum;
    }
    QByteArray request = memoryRequest(Frame::WriteMemory, static_cast<quint32>(address), kStandardColorRecordLength);
    request.append(record);
    putU16le(request, sum);
    return expectAck(transport, request, 0x00, kStandardColorRecordLength);
}

int writeBlock(Transport& transport, quint32 address, const QByteArray& data, int n)
{
    if (n < 0 || n > data.size() || n > 0xFFFF) {
        return ProtocolResult::ValueDoesNotFit;
    }
    QByteArray request = memoryRequest(Frame::BlockTransfer, address, static_cast<quint16>(n));
    if (n > 0) {
        // Data frames are not acknowledged.
        request.append(data.constData(), n);
        return sendRequest(transport, request);
    }
    QByteArray reply;
    const ErrorForm refusal{Frame::BlockTransferRefused, Frame::BlockTransferRefusedCode};
    const int result = exchangeFrame(transport, request, reply, kAckLen, false, Frame::ReceiveTimeoutMs, &refusal);
    if (result == ProtocolResult::Refused) {
        // The instrument rejected the transfer; callers know this as a wrong reply.
        return ProtocolResult::WrongReply;
    }
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (getU8(reply, 1) != Frame::BlockTransfer || getU8(reply, 6) != 0) {
        return ProtocolResult::WrongReply;
    }
    return ProtocolResult::Success;
}
