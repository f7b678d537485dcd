#pragma once
#include <cstddef>
#include <cstdint>

// The HID byte pipe: whole reports in and out. hidapi implements it for the
// real instrument, the emulator for the virtual one; everything above it is
// the same code for both.
class HidBackend
{
public:
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
    // false once the device behind the open handle is gone (unplugged).
    virtual bool isPresent() = 0;
    virtual std::size_t inputReportLength() const { return 64; }
    virtual std::size_t outputReportLength() const { return 64; }
};
