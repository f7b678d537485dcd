#include "Frames.h"

#include "Bytes.h"
#include "FrameChecksum.h"
#include "ProtocolLog.h"
#include "Transport.h"

#include <algorithm>
#include <functional>

QByteArray memoryRequest(quint8 function, quint32 address, quint16 length)
{
    QByteArray frame;
    frame.reserve(Frame::HeaderBytes + Frame::ChecksumBytes);
    putU8(frame, Frame::Start);
    putU8(frame, function);
    putU32le(frame, address);
    putU16le(frame, length);
    return frame;
}

QByteArray informationRequest(quint16 selector, quint16 length)
{
    QByteArray frame;
    putU8(frame, Frame::Start);
    putU8(frame, Frame::Information);
    putU16le(frame, selector);
    putU16le(frame, length);
    return frame;
}

void appendDataChecksum(QByteArray& frame, int from)
{
    from = std::clamp(from, 0, static_cast<int>(frame.size()));
    const quint16 sum = frameChecksum(reinterpret_cast<const quint8*>(frame.constData()) + from,
                                      static_cast<std::size_t>(frame.size() - from));
    putU16le(frame, sum);
}

bool replyIsForeign(const QByteArray& reply, int posA, quint8 expectedA, int posB, quint8 expectedB)
{
    if (!replyHolds(reply, std::max(posA, posB) + 1)) {
        return true;
    }
    return getU8(reply, posA) != expectedA && getU8(reply, posB) != expectedB;
}

bool isErrorReply(const QByteArray& reply, quint8 form, quint8 code)
{
    return replyHolds(reply, 3) && getU8(reply, 1) == form && getU8(reply, 2) == code;
}

bool isShortErrorReply(const QByteArray& bytes, ErrorForm error)
{
    return bytes.size() == ErrorFrameBytes && getU8(bytes, 0) == Frame::Start
           && isErrorReply(bytes, error.form, error.code) && getU16le(bytes, 3) == frameChecksum(bytes, 3);
}

bool dataChecksumMatches(const QByteArray& reply, int from, int count)
{
    if (from < 0 || count < 0 || !replyHolds(reply, from + count + Frame::ChecksumBytes)) {
        return false;
    }
    const quint16 sum = frameChecksum(reinterpret_cast<const quint8*>(reply.constData()) + from,
                                      static_cast<std::size_t>(count));
    return getU16le(reply, from + count) == sum;
}

int sendRequest(Transport& transport, QByteArray& request)
{
    const int requestLen = request.size();
    const int sent = transport.sendFrame(request, Frame::SendTimeoutMs);
    if (sent < requestLen) {
        qCDebug(lcProtocol) << "request not sent:" << request.toHex(' ') << "result" << sent;
        return ProtocolResult::SendFailed;
    }
    return ProtocolResult::Success;
}

int exchangeFrame(Transport& transport, QByteArray& request, QByteArray& reply, int replyLen,
                  bool checkFrameChecksum, int receiveTimeoutMs, const ErrorForm* refusal)
{
    const int sent = sendRequest(transport, request);
    if (sent != ProtocolResult::Success) {
        return sent;
    }
    std::function<bool(const QByteArray&)> endsEarly;
    if (refusal) {
        const ErrorForm error = *refusal;
        endsEarly = [error](const QByteArray& bytes) { return isShortErrorReply(bytes, error); };
    }
    const int received = transport.receiveReply(reply, receiveTimeoutMs, replyLen, checkFrameChecksum, endsEarly);
    // A refusal is recognised in whatever arrived: its short form, its long
    // form, or the start of one cut off by the time-out.
    if (refusal && isErrorReply(reply, refusal->form, refusal->code)) {
        qCDebug(lcProtocol) << "refused:" << request.toHex(' ') << "answered" << reply.toHex(' ');
        return ProtocolResult::Refused;
    }
    // The link may hand back more than asked (bytes that followed the reply)
    // and a transport may hand back fewer: only a complete reply is parsed.
    if (received <= 0 || !replyHolds(reply, replyLen)) {
        qCDebug(lcProtocol) << "no valid reply to" << request.toHex(' ') << "result" << received
                            << "got" << reply.toHex(' ');
        return ProtocolResult::NoReply;
    }
    return ProtocolResult::Success;
}
