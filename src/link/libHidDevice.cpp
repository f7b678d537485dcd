#include "libHidDevice.h"

#include "LinkLog.h"

#include <algorithm>
#include <chrono>
#include <cstring>

libHidDevice::libHidDevice(std::unique_ptr<HidBackend> hidBackend) : backend(std::move(hidBackend)) {}

libHidDevice::~libHidDevice()
{
    Close();
}

int libHidDevice::Open(std::uint16_t vendorId, std::uint16_t productId)
{
    Close();
    std::lock_guard<std::mutex> lock(ioMutex);
    auto fresh = std::make_unique<HidDeviceState>();
    if (!backend || !backend->open(vendorId, productId)) {
        qCDebug(lcLink) << "no openable HID interface for" << Qt::hex << vendorId << productId;
        return -1;
    }
    // Report lengths come from the device; keep the instrument's 64 when it reports none.
    if (backend->inputReportLength() > kHidReportHeaderBytes) {
        fresh->inputReportLength = backend->inputReportLength();
    }
    if (backend->outputReportLength() > kHidReportHeaderBytes) {
        fresh->outputReportLength = backend->outputReportLength();
    }
    fresh->report.assign(std::max<std::size_t>(fresh->inputReportLength, 64), 0);
    fresh->isOpen = true;
    state = std::move(fresh);
    opened = true;
    return 0;
}

void libHidDevice::Close()
{
    std::lock_guard<std::mutex> lock(ioMutex);
    if (!state || !state->isOpen) {
        return;
    }
    backend->close();
    state->isOpen = false;
    state->leftover.clear();
    state->leftoverStart = 0;
    opened = false;
}

std::size_t libHidDevice::pendingBytes() const
{
    return state ? state->leftover.size() - state->leftoverStart : 0;
}

std::size_t libHidDevice::takeLeftover(std::uint8_t* dst, std::size_t wanted)
{
    const std::size_t n = std::min(wanted, pendingBytes());
    if (n > 0) {
        std::memcpy(dst, state->leftover.data() + state->leftoverStart, n);
        state->leftoverStart += n;
    }
    if (state->leftoverStart >= state->leftover.size()) {
        state->leftover.clear();
        state->leftoverStart = 0;
    }
    return n;
}

bool libHidDevice::WaitForInput(int timeoutMs)
{
    {
        std::lock_guard<std::mutex> lock(ioMutex);
        if (!state || !state->isOpen || pendingBytes() > 0) {
            return true;
        }
    }
    // Outside ioMutex: a command's reads and Close must not wait for this.
    // The backend ends the wait when it is closed.
    return backend->waitForInput(timeoutMs);
}

void libHidDevice::WakeInputWaiter()
{
    if (backend) {
        backend->wakeInputWaiter();
    }
}

int libHidDevice::Read(std::uint8_t* dst, int len, int timeoutMs)
{
    std::lock_guard<std::mutex> lock(ioMutex);
    const int delivered = readLocked(dst, len, timeoutMs);
    if (pendingBytes() > 0) {
        // Bytes of a report this call did not want: a waiter for input must
        // look again, the backend will not announce them.
        backend->wakeInputWaiter();
    }
    return delivered;
}

int libHidDevice::readLocked(std::uint8_t* dst, int len, int timeoutMs)
{
    if (!state || !state->isOpen || !dst || len <= 0) {
        return 0;
    }
    state->readTimeoutMs = timeoutMs > 0 ? static_cast<std::uint32_t>(timeoutMs) : 0;
    state->lastReadFailed = false;
    // The time-out bounds the whole call: reports that deliver nothing (a
    // foreign id, a zero length) or a trickle of single bytes must not keep
    // restarting the wait.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(state->readTimeoutMs);
    const std::size_t wanted = static_cast<std::size_t>(len);
    std::size_t delivered = takeLeftover(dst, wanted);
    bool first = true;
    while (delivered < wanted) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (!first && left <= 0) {
            return static_cast<int>(delivered);
        }
        first = false;
        const int got = backend->readReport(state->report.data(), state->report.size(),
                                            static_cast<int>(std::max<long long>(left, 0)));
        if (got == 0) {
            // Wait expired: whatever this call delivered is the result.
            return static_cast<int>(delivered);
        }
        if (got < 0) {
            state->lastReadFailed = true;
            return 0;
        }
        const std::size_t reportLen = std::min(static_cast<std::size_t>(got), state->report.size());
        if (reportLen < kHidReportHeaderBytes || state->report[0] != kHidReportId) {
            continue; // not one of the instrument's data reports
        }
        // Never trust the length byte beyond what actually arrived.
        const std::size_t n = std::min({static_cast<std::size_t>(state->report[1]), kHidReportDataBytes,
                                        reportLen - kHidReportHeaderBytes});
        const std::uint8_t* data = state->report.data() + kHidReportHeaderBytes;
        const std::size_t take = std::min(n, wanted - delivered);
        std::memcpy(dst + delivered, data, take);
        delivered += take;
        if (take < n) {
            state->leftover.assign(data + take, data + n);
            state->leftoverStart = 0;
        }
    }
    return static_cast<int>(delivered);
}

int libHidDevice::Write(const std::uint8_t* src, int len, int timeoutMs)
{
    std::lock_guard<std::mutex> lock(ioMutex);
    if (!state || !state->isOpen || !src || len <= 0) {
        return 0;
    }
    state->writeTimeoutMs = timeoutMs > 0 ? static_cast<std::uint32_t>(timeoutMs) : 0;
    const std::size_t reportLen = state->outputReportLength;
    const std::size_t chunk = std::min(kHidReportDataBytes, reportLen - kHidReportHeaderBytes);
    std::vector<std::uint8_t> report(reportLen, 0);
    std::size_t sent = 0;
    const std::size_t total = static_cast<std::size_t>(len);
    while (sent < total) {
        const std::size_t n = std::min(chunk, total - sent);
        std::fill(report.begin(), report.end(), 0);
        report[0] = kHidReportId;
        report[1] = static_cast<std::uint8_t>(n);
        std::memcpy(report.data() + kHidReportHeaderBytes, src + sent, n);
        const int result = backend->writeReport(report.data(), report.size(),
                                                static_cast<int>(state->writeTimeoutMs));
        if (result <= 0) {
            qCDebug(lcLink) << "HID report write failed after" << sent << "of" << total << "bytes";
            return 0;
        }
        sent += n;
    }
    return len;
}

bool libHidDevice::isDeviceGone()
{
    if (!state || !state->isOpen) {
        return true;
    }
    return !backend->isPresent();
}
