#pragma once
// Request and reply frames shared by every command.
//
// Memory-style request (functions 0x40, 0x44, 0x70, 0x74):
//   AB, function, address (32-bit), length (16-bit), data (writes), checksum.
// Information request (function 0x20):
//   AB, 0x20, selector (16-bit), length (16-bit), [parameter], checksum.
// A reply repeats the request header, then carries the data and the frame
// checksum: a read of n bytes is answered by n + 10 bytes, a write by 10.

#include <QByteArray>

#include <cstdint>

// What every command returns.
namespace ProtocolResult {
constexpr int Success = 1;
constexpr int SendFailed = -1;      // no open link, or the request did not go out
constexpr int NoReply = -2;         // no reply of the expected length in time, or a bad frame checksum
constexpr int WrongReply = -3;      // the reply does not belong to the request
constexpr int BadDataChecksum = -4; // a data block's checksum does not match its values
constexpr int Refused = -5;         // the instrument answered with its error reply
// An argument does not fit its field on the wire (a name longer than 16
// bytes in UTF-8, a value out of range): refused before anything is sent,
// so the instrument never receives a truncated or overflowing record.
constexpr int ValueDoesNotFit = -6;
} // namespace ProtocolResult

namespace Frame {
constexpr quint8 Start = 0xAB;

constexpr quint8 Information = 0x20;
constexpr quint8 ReadMemory = 0x40;
constexpr quint8 ReadMeasurement = 0x44;
constexpr quint8 WriteMemory = 0x70;
constexpr quint8 BlockTransfer = 0x74;

// Error forms in byte 1 with their code in byte 2.
constexpr quint8 KeyInformationRefused = 0xA0;
constexpr quint8 KeyInformationRefusedCode = 4;
constexpr quint8 ProductionReadRefused = 0xC7;
constexpr quint8 ProductionReadRefusedCode = 8;
constexpr quint8 BlockTransferRefused = 0xF4;
constexpr quint8 BlockTransferRefusedCode = 1;

constexpr int HeaderBytes = 8;      // memory-style header up to the data
constexpr int InfoHeaderBytes = 6;  // information header up to the data
constexpr int ChecksumBytes = 2;
constexpr int MemoryReplyOverhead = HeaderBytes + ChecksumBytes;

constexpr int SendTimeoutMs = 1000;
constexpr int ReceiveTimeoutMs = 6000;
constexpr int SlowWriteTimeoutMs = 10000;
} // namespace Frame

// A request frame as sent and a reply frame as received: plain bytes, built
// and read by the functions below.
using RequestFrame = QByteArray;
using ReplyFrame = QByteArray;

// AB, function, address, length (no data, no checksum).
RequestFrame memoryRequest(quint8 function, quint32 address, quint16 length);
// AB, 0x20, selector, length (no parameter, no checksum).
RequestFrame informationRequest(quint16 selector, quint16 length);
// Appends the data-block checksum of bytes [from, end) of frame, low byte first.
void appendDataChecksum(QByteArray& frame, int from);

// true when the reply holds at least count bytes.
inline bool replyHolds(const ReplyFrame& reply, int count)
{
    return count >= 0 && reply.size() >= count;
}
// The identity test: a reply is foreign only when BOTH echoed bytes differ
// from what the request asked for. Also foreign when too short to hold them.
bool replyIsForeign(const QByteArray& reply, int posA, quint8 expectedA, int posB, quint8 expectedB);
// The instrument's error reply: byte 1 the error form, byte 2 the code.
bool isErrorReply(const ReplyFrame& reply, quint8 form, quint8 code);

// An error reply a request can get: its form (byte 1) and code (byte 2).
struct ErrorForm
{
    quint8 form;
    quint8 code;
};
// The short error reply: AB, form, code and the frame checksum.
constexpr int ErrorFrameBytes = 5;
// true when bytes are exactly that short error reply, frame checksum valid.
bool isShortErrorReply(const QByteArray& bytes, ErrorForm error);
// The data-block checksum of the count bytes at from matches the 16-bit
// value stored right after them. false when the reply is too short.
bool dataChecksumMatches(const QByteArray& reply, int from, int count);

class Transport;

// One request and its reply: send (a result below the request length is
// SendFailed), then receive replyLen bytes (a result <= 0, or a reply that
// holds fewer than replyLen bytes, is NoReply). The request gains its frame
// checksum. Success when a reply of replyLen bytes or more is in reply.
// With refusal: Refused when what arrived shows that error reply, in either
// form; its short form ends the wait as soon as it is complete.
int exchangeFrame(Transport& transport, QByteArray& request, QByteArray& reply, int replyLen,
                  bool checkFrameChecksum, int receiveTimeoutMs, const ErrorForm* refusal = nullptr);
// Sends only; SendFailed or Success.
int sendRequest(Transport& transport, QByteArray& request);
