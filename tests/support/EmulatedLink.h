#pragma once
// The production stack over the emulated instrument: the emulator's byte pipe
// (counted), libHidDevice inside CLinkerUSB, and the LinkTransport every
// command goes through.

#include "Bytes.h"
#include "CLinkerUSB.h"
#include "FrameChecksum.h"
#include "HidBackend.h"
#include "InstrumentEmulator.h"
#include "InstrumentIds.h"
#include "LinkTransport.h"
#include "VirtualInstrument.h"

#include <QString>

#include <atomic>
#include <memory>

// Passes every call through and counts the reports that carried something.
class CountingBackend final : public HidBackend
{
public:
    explicit CountingBackend(std::unique_ptr<HidBackend> inner, std::atomic<int>& written,
                             std::atomic<int>& read)
        : m_inner(std::move(inner)), m_written(written), m_read(read)
    {
    }
    bool open(std::uint16_t vendorId, std::uint16_t productId) override
    {
        return m_inner->open(vendorId, productId);
    }
    void close() override { m_inner->close(); }
    int writeReport(const std::uint8_t* report, std::size_t length, int timeoutMs) override
    {
        const int n = m_inner->writeReport(report, length, timeoutMs);
        if (n > 0) {
            ++m_written;
        }
        return n;
    }
    int readReport(std::uint8_t* report, std::size_t capacity, int timeoutMs) override
    {
        const int n = m_inner->readReport(report, capacity, timeoutMs);
        if (n > 0) {
            ++m_read;
        }
        return n;
    }
    bool waitForInput(int timeoutMs) override { return m_inner->waitForInput(timeoutMs); }
    void wakeInputWaiter() override { m_inner->wakeInputWaiter(); }
    bool isPresent() override { return m_inner->isPresent(); }
    std::size_t inputReportLength() const override { return m_inner->inputReportLength(); }
    std::size_t outputReportLength() const override { return m_inner->outputReportLength(); }

private:
    std::unique_ptr<HidBackend> m_inner;
    std::atomic<int>& m_written;
    std::atomic<int>& m_read;
};

struct EmulatedLink
{
    explicit EmulatedLink(const QString& model = QStringLiteral("TX310"), int softwareVersion = 0)
        : emulator(model, softwareVersion),
          link(std::make_unique<CountingBackend>(emulator.createBackend(), reportsWritten, reportsRead))
    {
        opened = link.Open(kInstrumentVendorId, kInstrumentProductId);
        transport.setLink(&link);
        // The emulator answers at once; a reply missing for this long is missing.
        transport.setReceiveTimeoutLimitMs(kReceiveLimitMs);
    }

    static constexpr int kReceiveLimitMs = 250;

    VirtualInstrument& instrument() { return emulator.instrument(); }

    // The last request the instrument received, frame checksum included.
    QByteArray lastRequest() const
    {
        const QList<QByteArray> frames = emulator.receivedFrames();
        return frames.isEmpty() ? QByteArray() : frames.last();
    }

    // What the instrument would answer to request (checksum appended here).
    QByteArray replyFor(QByteArray request)
    {
        putU16le(request, frameChecksum(request));
        const auto reply = instrument().handleRequest(request);
        return reply ? reply->bytes : QByteArray();
    }

    // The next request gets these bytes instead of the instrument's answer.
    void answerNextWith(const QByteArray& bytes)
    {
        emulator.injectFault(EmulatorFault::Silence);
        emulator.queueRawInput(bytes);
    }

    void resetCounts()
    {
        reportsWritten = 0;
        reportsRead = 0;
    }

    std::atomic<int> reportsWritten{0};
    std::atomic<int> reportsRead{0};
    InstrumentEmulator emulator;
    CLinkerUSB link;
    LinkTransport transport;
    bool opened = false;
};

// Sets one byte of a frame; with reseal the frame checksum is made right again.
inline QByteArray withByte(QByteArray frame, int pos, quint8 value, bool reseal = true)
{
    frame[pos] = static_cast<char>(value);
    if (reseal && frame.size() >= 2) {
        frame.chop(2);
        putU16le(frame, frameChecksum(frame));
    }
    return frame;
}

inline QByteArray hexBytes(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}
