#pragma once
#include "HidBackend.h"

#include <mutex>
#include <string>
#include <vector>

struct hid_device_;

// One attached instrument as enumeration sees it, without opening it.
struct HidInstrumentInterface
{
    std::string path;   // the interface open() would take for this instrument
    std::string serial; // the USB serial number ("SerNum %x" when empty)
};

// The real instrument through hidapi's hidraw backend.
class HidapiBackend final : public HidBackend
{
public:
    HidapiBackend();
    // A backend whose open() takes the interface at this path and no other.
    explicit HidapiBackend(std::string onlyPath);

    // Every attached instrument with these ids, one entry per serial number,
    // in enumeration order; an interface that cannot be opened is listed too.
    static std::vector<HidInstrumentInterface> attachedInstruments(std::uint16_t vendorId,
                                                                   std::uint16_t productId);
    ~HidapiBackend() override;

    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    // Picks the interface among those with these ids that can be opened:
    // the last of up to 6 distinct serial numbers, and the last interface of
    // that device. An empty serial counts as "SerNum %x" with a running counter.
    bool open(std::uint16_t vendorId, std::uint16_t productId) override;
    void close() override;
    // hidraw writes block until the report is taken; timeoutMs cannot shorten that.
    int writeReport(const std::uint8_t* report, std::size_t length, int timeoutMs) override;
    int readReport(std::uint8_t* report, std::size_t capacity, int timeoutMs) override;
    // poll() on a second descriptor of the same hidraw node, which gets its
    // own copy of every input report, and on an eventfd for the wake-up.
    bool waitForInput(int timeoutMs) override;
    void wakeInputWaiter() override;
    // The open interface's path is still among the enumerated devices.
    bool isPresent() override;

private:
    // The second descriptor waitForInput polls, on m_path.
    void openWatch();
    bool openPath(const std::string& path);

    hid_device_* m_device = nullptr;
    std::string m_onlyPath;
    std::string m_path;
    std::uint16_t m_vendorId = 0;
    std::uint16_t m_productId = 0;
    // Read only to learn that reports came; -1 when it could not be opened
    // (waitForInput then polls).
    int m_watchFd = -1;
    int m_wakeFd = -1;
    std::mutex m_waitMutex; // held by waitForInput; close() takes it before closing m_watchFd
};
