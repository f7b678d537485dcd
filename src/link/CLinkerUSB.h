#pragma once
#include "CLinker.h"
#include "libHidDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

// The link over the instrument's HID interface.
class CLinkerUSB final : public CLinker
{
    Q_OBJECT
public:
    explicit CLinkerUSB(std::unique_ptr<HidBackend> backend, QObject* parent = nullptr);
    ~CLinkerUSB() override;

    bool Open(std::uint16_t vendorId, std::uint16_t productId);

    void Close() override;
    // timeoutMs > 0: collects a frame of at least expectedLen bytes starting
    // with 0xAB (leading noise dropped) within timeoutMs; the buffer length,
    // or <= 0 when the deadline passed first.
    // timeoutMs == 0: one poll: waits up to 50 ms for a report and returns
    // it with whatever follows at once; the buffer length, or the HID result
    // (< 1) when nothing came.
    int ReadMessage(QByteArray& buffer, int timeoutMs, int expectedLen) override;
    int ReadMessageUntil(QByteArray& buffer, int timeoutMs, int expectedLen, const EndsEarly& endsEarly) override;
    bool WaitForInput(int timeoutMs) override;
    void WakeInputWaiter() override;
    // Takes every input report already received, one after the other.
    int ReadAvailable(QByteArray& buffer) override;
    // The byte count when the whole frame went out, else -1.
    int WriteMessage(QByteArray& frame, int timeoutMs) override;
    bool isOpen() override;
    bool isDeviceGone() override;

private:
    int pollOnce(QByteArray& buffer);

    libHidDevice hidDevice;
    std::vector<std::uint8_t> scratch;
};
