#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <thread>

// The HID byte pipe: whole reports in and out. hidapi implements it for the
// real instrument, the emulator for the virtual one; everything above it is
// the same code for both.
class HidBackend
{
public:
    // How long a pipe that cannot wait on its device sleeps between polls.
    static constexpr int kPollSliceMs = 30;

    virtual ~HidBackend() = default;

    // Opens the interface of the instrument with these ids. false when none opens.
    virtual bool open(std::uint16_t vendorId, std::uint16_t productId) = 0;
    virtual void close() = 0;
    // Sends one output report (report id first). Returns the bytes sent, or -1
    // on an error or when timeoutMs passed.
    virtual int writeReport(const std::uint8_t* report, std::size_t length, int timeoutMs) = 0;
    // Waits up to timeoutMs for one input report (report id first). Returns its
    // length, 0 when the wait expired, -1 on an error.
    virtual int readReport(std::uint8_t* report, std::size_t capacity, int timeoutMs) = 0;
    // Waits up to timeoutMs, reading nothing, until an input report can be
    // read at once or the device failed (a read says which), or until
    // wakeInputWaiter() is called. true when a read should follow; false when
    // the wait expired or was woken. It may run on another thread than the
    // reads, and close() ends it. A pipe that cannot wait on its device
    // sleeps a short slice and says true: its caller then polls.
    virtual bool waitForInput(int timeoutMs)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs < kPollSliceMs ? timeoutMs : kPollSliceMs));
        return true;
    }
    // Ends a waitForInput running now, or else the next one, at once. Any thread.
    virtual void wakeInputWaiter() {}
    // false once the device behind the open handle is gone (unplugged).
    virtual bool isPresent() = 0;
    virtual std::size_t inputReportLength() const { return 64; }
    virtual std::size_t outputReportLength() const { return 64; }
};
