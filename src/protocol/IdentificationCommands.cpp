#include "IdentificationCommands.h"

#include "Bytes.h"
#include "Frames.h"
#include "Transport.h"

namespace {

constexpr quint16 kKeyInformationSelector = 0x0005;
constexpr quint16 kKeyInformationLength = 0x12;
constexpr quint16 kKeyInformationAccessWord = 0x215E;
constexpr int kKeyInformationReplyLen = 26;

constexpr quint32 kProductionAddress = 0x0000;
constexpr quint16 kProductionLength = 20;
constexpr int kProductionReplyLen = 30;

constexpr quint16 kSoftwareVersionSelector = 0x000C;
constexpr quint16 kSoftwareVersionLength = 2;
constexpr int kSoftwareVersionReplyLen = 10;

QDate dateAt(const QByteArray& reply, int pos)
{
    return QDate(getU16le(reply, pos), getU8(reply, pos + 2), getU8(reply, pos + 3));
}

} // namespace

int readKeyInformation(Transport& transport, KeyInformation& info)
{
    QByteArray request = informationRequest(kKeyInformationSelector, kKeyInformationLength);
    putU16le(request, kKeyInformationAccessWord);
    QByteArray reply;
    const ErrorForm refusal{Frame::KeyInformationRefused, Frame::KeyInformationRefusedCode};
    const int result = exchangeFrame(transport, request, reply, kKeyInformationReplyLen, true,
                                     Frame::ReceiveTimeoutMs, &refusal);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, 0x05, 6, 0xA5)) {
        return ProtocolResult::WrongReply;
    }
    if (!dataChecksumMatches(reply, 0, 24)) {
        return ProtocolResult::BadDataChecksum;
    }
    info.marker = getU8(reply, 6);
    info.productionDate = dateAt(reply, 8);
    info.serialNumber = getU32le(reply, 12);
    info.meterNumber = getU32le(reply, 16);
    info.word1 = getU16le(reply, 20);
    info.word2 = getU16le(reply, 22);
    return ProtocolResult::Success;
}

int readProductionInformation(Transport& transport, ProductionInformation& info)
{
    QByteArray request = memoryRequest(Frame::ReadMemory, kProductionAddress, kProductionLength);
    QByteArray reply;
    const ErrorForm refusal{Frame::ProductionReadRefused, Frame::ProductionReadRefusedCode};
    const int result = exchangeFrame(transport, request, reply, kProductionReplyLen, true,
                                     Frame::ReceiveTimeoutMs, &refusal);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 2, 0, 6, kProductionLength)) {
        return ProtocolResult::WrongReply;
    }
    if (!dataChecksumMatches(reply, Frame::HeaderBytes, 18)) {
        return ProtocolResult::BadDataChecksum;
    }
    info.marker = getU8(reply, 8);
    info.productionDate = dateAt(reply, 10);
    info.serialNumber = getU32le(reply, 14);
    info.meterNumber = getU32le(reply, 18);
    info.word1 = getU16le(reply, 22);
    info.byte1 = getU8(reply, 24);
    info.byte2 = getU8(reply, 25);
    return ProtocolResult::Success;
}

int readSoftwareVersion(Transport& transport, int& version)
{
    QByteArray request = informationRequest(kSoftwareVersionSelector, kSoftwareVersionLength);
    QByteArray reply;
    const int result = exchangeFrame(transport, request, reply, kSoftwareVersionReplyLen, true,
                                     Frame::ReceiveTimeoutMs);
    if (result != ProtocolResult::Success) {
        return result;
    }
    if (replyIsForeign(reply, 1, Frame::Information, 4, kSoftwareVersionLength)) {
        return ProtocolResult::WrongReply;
    }
    version = getU16le(reply, 6);
    return ProtocolResult::Success;
}
