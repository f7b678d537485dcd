#pragma once
#include "HidBackend.h"

#include <cstddef>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// Every HID report of the instrument, in both directions: byte 0 the report
// id, byte 1 the number of valid data bytes, then up to 62 data bytes, then
// padding up to the report length.
constexpr std::uint8_t kHidReportId = 0x3F;
constexpr std::size_t kHidReportHeaderBytes = 2;
constexpr std::size_t kHidReportDataBytes = 62;
constexpr int kHidDefaultWaitMs = 50;

// Per-open state of the HID device.
struct HidDeviceState
{
    bool isOpen = false;
    std::uint32_t readTimeoutMs = kHidDefaultWaitMs;
    std::uint32_t writeTimeoutMs = kHidDefaultWaitMs;
    std::size_t inputReportLength = 64;
    std::size_t outputReportLength = 64;
    // Data bytes of the last input report not yet handed to a caller, from
    // leftoverStart on.
    std::vector<std::uint8_t> leftover;
    std::size_t leftoverStart = 0;
    std::vector<std::uint8_t> report; // one input report
    bool lastReadFailed = false;
};

// The instrument as a byte stream over HID reports. Knows nothing of frames.
// Callers serialise their requests (the receive worker's mutex). The one lock
// inside only keeps Close, which the main window calls on removal without that
// mutex, from pulling the handle from under a read still running on the
// worker thread: Close waits for the report being read (at most one wait).
class libHidDevice
{
public:
    explicit libHidDevice(std::unique_ptr<HidBackend> backend);
    virtual ~libHidDevice();

    libHidDevice(const libHidDevice&) = delete;
    libHidDevice& operator=(const libHidDevice&) = delete;

    // 0 when the instrument's interface opened, -1 otherwise (nothing stays open).
    int Open(std::uint16_t vendorId, std::uint16_t productId);

    // Closing a closed or never-opened device does nothing.
    virtual void Close();
    // Up to len bytes of the incoming stream, within timeoutMs whatever
    // arrives (reports are waited for only as long as that leaves). The count
    // delivered; 0 when not open, on an I/O error, or when the wait expired
    // with nothing delivered.
    virtual int Read(std::uint8_t* dst, int len, int timeoutMs);
    // Sends len bytes as reports of at most 62 data bytes, each waited for up
    // to timeoutMs. len when every report went out, else 0 (also for len 0).
    virtual int Write(const std::uint8_t* src, int len, int timeoutMs);
    // Waits up to timeoutMs, reading nothing and not holding the device, until
    // bytes can be read at once (or a read would fail: nothing open, device
    // broken), or until WakeInputWaiter(). true when a Read should follow;
    // false when the wait expired or was woken. Reads and Close go on meanwhile.
    bool WaitForInput(int timeoutMs);
    // Ends a WaitForInput running now, or else the next one. Any thread.
    void WakeInputWaiter();
    // true when the device behind the open handle no longer answers (or
    // nothing is open).
    virtual bool isDeviceGone();

    // true when the last Read stopped on an I/O error rather than a time-out:
    // waiting longer will not bring bytes.
    bool lastReadFailed() const { return state && state->lastReadFailed; }
    // Bytes received but not yet handed out by Read.
    std::size_t pendingBytes() const;

    std::atomic<bool> opened{false};

private:
    std::size_t takeLeftover(std::uint8_t* dst, std::size_t wanted);
    int readLocked(std::uint8_t* dst, int len, int timeoutMs);

    std::unique_ptr<HidBackend> backend;
    std::unique_ptr<HidDeviceState> state;
    std::mutex ioMutex; // guards state and the backend's handle, not isDeviceGone
};
