#pragma once
// Talks to the emulated instrument in raw HID reports, the way the tests
// check its answers byte for byte.

#include "Bytes.h"
#include "FrameChecksum.h"
#include "HidBackend.h"
#include "InstrumentEmulator.h"
#include "InstrumentIds.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <memory>

inline QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QByteArray withChecksum(QByteArray frame)
{
    putU16le(frame, frameChecksum(frame));
    return frame;
}

inline bool frameChecksumOk(const QByteArray& frame)
{
    return frame.size() >= 3 && getU16le(frame, frame.size() - 2) == frameChecksum(frame, frame.size() - 2);
}

// Block checksum of `count` value bytes at `from`, stored right after them.
inline bool blockChecksumOk(const QByteArray& reply, int from, int count)
{
    return reply.size() >= from + count + 2
           && getU16le(reply, from + count) == frameChecksum(reply.mid(from, count));
}

class RawClient
{
public:
    explicit RawClient(InstrumentEmulator& emulator)
        : backend(emulator.createBackend())
    {
        opened = backend->open(kInstrumentVendorId, kInstrumentProductId);
    }

    // Writes bytes as output reports of at most `chunk` data bytes each.
    bool sendRaw(const QByteArray& bytes, int chunk = 62)
    {
        for (int at = 0; at < bytes.size(); at += chunk) {
            const QByteArray part = bytes.mid(at, chunk);
            std::uint8_t report[64] = {};
            report[0] = 0x3F;
            report[1] = static_cast<std::uint8_t>(part.size());
            std::copy(part.begin(), part.end(), report + 2);
            if (backend->writeReport(report, sizeof(report), 1000) != 64) {
                return false;
            }
        }
        return true;
    }

    // Appends the frame checksum to a request and sends it.
    bool send(const QByteArray& request) { return sendRaw(withChecksum(request)); }

    // One input report's data bytes; empty on time-out, lastResult < 0 on error.
    QByteArray readReport(int timeoutMs)
    {
        std::uint8_t report[64] = {};
        lastResult = backend->readReport(report, sizeof(report), timeoutMs);
        if (lastResult <= 0) {
            return QByteArray();
        }
        return QByteArray(reinterpret_cast<const char*>(report + 2), report[1]);
    }

    // Collects input reports until `expected` bytes arrived or timeoutMs passed.
    QByteArray receive(int expected, int timeoutMs = 500)
    {
        reports.clear();
        QByteArray bytes;
        QElapsedTimer timer;
        timer.start();
        while (bytes.size() < expected && timer.elapsed() < timeoutMs) {
            const QByteArray data = readReport(20);
            if (lastResult < 0) {
                break;
            }
            if (!data.isEmpty()) {
                reports << data;
                bytes.append(data);
            }
        }
        return bytes;
    }

    QByteArray exchange(const QByteArray& request, int expected, int timeoutMs = 500)
    {
        return send(request) ? receive(expected, timeoutMs) : QByteArray();
    }

    std::unique_ptr<HidBackend> backend;
    bool opened = false;
    int lastResult = 0;
    QList<QByteArray> reports; // data bytes of each report of the last receive
};
