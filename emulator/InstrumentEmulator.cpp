#include "InstrumentEmulator.h"

#include "Bytes.h"
#include "EmulatorLog.h"
#include "EmulatorModel.h"
#include "FrameChecksum.h"
#include "InstrumentIds.h"
#include "VirtualInstrument.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kReportId = 0x3F;
constexpr std::size_t kReportLength = 64;
constexpr int kReportPayload = 62;
constexpr int kSplitChunk = 5;
constexpr quint8 kStart = 0xAB;
constexpr int kLargestRequestData = 4096;
// One interrupt transfer per USB frame.
constexpr auto kReportInterval = std::chrono::milliseconds(1);
// A partial request older than this is forgotten when the next report arrives.
constexpr auto kRequestGap = std::chrono::milliseconds(100);
const QByteArray kNoise = QByteArray::fromHex("005a13");

struct InputReport
{
    QByteArray data; // 1..62 bytes
    Clock::time_point availableAt;
};

bool checksumAt(const QByteArray& bytes, int count)
{
    return bytes.size() >= count + 2 && getU16le(bytes, count) == frameChecksum(bytes, count);
}

} // namespace

struct InstrumentEmulator::Impl
{
    mutable std::mutex mutex;
    std::condition_variable inputReady;
    std::unique_ptr<VirtualInstrument> instrument;
    std::function<void(bool)> plugListener;

    bool plugged = true;
    int generation = 0; // bumped by every unplug; older handles are dead
    bool paced = false;
    Clock::time_point nextOutputSlot;
    Clock::time_point lastInputSlot;
    std::deque<InputReport> input;
    int outputReports = 0;
    int inputReports = 0;

    QByteArray requestBytes; // request frame under reassembly
    Clock::time_point lastRequestReport;
    QList<QByteArray> received;
    int rejected = 0;

    std::map<EmulatorFault, int> faults;
    QByteArray heldBack; // a reply waiting to share its report with the next one

    // Faults waiting for a request, by the request's number (requestsBegun + n).
    enum class AtRequest { Refuse, Unplug };
    int requestsBegun = 0;
    std::multimap<int, EmulatorFault> replyFaultsAt;
    std::multimap<int, AtRequest> actionsAt;

    bool takesAction(int request, AtRequest action) const
    {
        const auto range = actionsAt.equal_range(request);
        return std::any_of(range.first, range.second, [action](const auto& entry) { return entry.second == action; });
    }

    // Arms the faults of the request whose first bytes just arrived.
    void beginRequest(int request)
    {
        const auto range = replyFaultsAt.equal_range(request);
        for (auto it = range.first; it != range.second; ++it) {
            faults[it->second] += 1;
        }
        replyFaultsAt.erase(range.first, range.second);
    }

    // Drops the state of the connection; true when it was plugged.
    bool pullPlug()
    {
        if (!plugged) {
            return false;
        }
        plugged = false;
        ++generation;
        input.clear();
        requestBytes.clear();
        heldBack.clear();
        inputReady.notify_all();
        return true;
    }

    bool takeFault(EmulatorFault fault)
    {
        const auto it = faults.find(fault);
        if (it == faults.end() || it->second <= 0) {
            return false;
        }
        if (--it->second == 0) {
            faults.erase(it);
        }
        return true;
    }

    void queueInput(const QByteArray& bytes, int chunk, Clock::time_point base)
    {
        for (int at = 0; at < bytes.size(); at += chunk) {
            InputReport report;
            report.data = bytes.mid(at, chunk);
            if (paced) {
                report.availableAt = std::max(base, lastInputSlot) + kReportInterval;
                lastInputSlot = report.availableAt;
            } else {
                report.availableAt = base;
            }
            input.push_back(report);
        }
        inputReady.notify_all();
    }

    // Everything the instrument sends goes through here; the faults act on it.
    void send(EmulatorReply reply, const QByteArray* request, Clock::time_point base)
    {
        if (request && takeFault(EmulatorFault::ErrorReply)) {
            reply = instrument->errorReplyFor(*request);
        }
        if (reply.blockChecksumPos >= 0 && reply.blockChecksumPos + 1 < reply.bytes.size() - 2
            && takeFault(EmulatorFault::BadBlockChecksum)) {
            // The block is wrong but the frame around it is sound.
            reply.bytes[reply.blockChecksumPos] = static_cast<char>(reply.bytes.at(reply.blockChecksumPos) ^ 0x5A);
            reply.bytes.chop(2);
            putU16le(reply.bytes, frameChecksum(reply.bytes));
        }
        QByteArray bytes = reply.bytes;
        if (takeFault(EmulatorFault::BadFrameChecksum)) {
            bytes[bytes.size() - 1] = static_cast<char>(bytes.at(bytes.size() - 1) ^ 0xFF);
        }
        if (takeFault(EmulatorFault::Silence)) {
            qCDebug(lcEmulator) << "reply withheld";
            return;
        }
        if (takeFault(EmulatorFault::NoiseBefore)) {
            bytes.prepend(kNoise);
        }
        if (takeFault(EmulatorFault::MergeWithNext)) {
            heldBack.append(bytes);
            return;
        }
        if (!heldBack.isEmpty()) {
            bytes.prepend(heldBack);
            heldBack.clear();
        }
        queueInput(bytes, takeFault(EmulatorFault::SplitReply) ? kSplitChunk : kReportPayload, base);
    }

    // Length of the request frame at the front of requestBytes: > 0 a whole
    // frame, 0 more bytes needed, < 0 not a frame start (drop one byte).
    int frameLength() const
    {
        const QByteArray& b = requestBytes;
        if (b.size() < 2) {
            return 0;
        }
        switch (getU8(b, 1)) {
        case 0x20:
            if (b.size() < 4) {
                return 0;
            }
            // Key information carries the 2-byte access word.
            return getU16le(b, 2) == 0x0005 ? 10 : 8;
        case 0x40:
            return 10;
        case 0x44:
            // The measurement request repeats the header's own checksum as two
            // extra bytes; the legacy read does without.
            if (b.size() < 10) {
                return 0;
            }
            if (b.size() >= 12 && checksumAt(b, 8)) {
                return 12;
            }
            return 10;
        case 0x70:
        case 0x74: {
            if (b.size() < 8) {
                return 0;
            }
            const int length = getU16le(b, 6);
            return length > kLargestRequestData ? -1 : 8 + length + 2;
        }
        default:
            return -1;
        }
    }

    void receiveRequestBytes(const QByteArray& data, Clock::time_point at)
    {
        if (!requestBytes.isEmpty() && at - lastRequestReport > kRequestGap) {
            requestBytes.clear();
        }
        lastRequestReport = at;
        requestBytes.append(data);
        for (;;) {
            while (!requestBytes.isEmpty() && getU8(requestBytes, 0) != kStart) {
                requestBytes.remove(0, 1);
            }
            const int length = frameLength();
            if (length < 0) {
                requestBytes.remove(0, 1);
                continue;
            }
            if (length == 0 || requestBytes.size() < length) {
                return;
            }
            const QByteArray frame = requestBytes.left(length);
            requestBytes.remove(0, length);
            if (!checksumAt(frame, length - 2)) {
                ++rejected;
                qCDebug(lcEmulator) << "request dropped, frame checksum:" << frame.toHex(' ');
                continue;
            }
            received << frame;
            const std::optional<EmulatorReply> reply = instrument->handleRequest(frame);
            if (reply) {
                send(*reply, &frame, at);
            }
        }
    }
};

class EmulatedHidBackend final : public HidBackend
{
public:
    explicit EmulatedHidBackend(std::shared_ptr<InstrumentEmulator::Impl> impl)
        : d(std::move(impl))
    {
    }

    bool open(std::uint16_t vendorId, std::uint16_t productId) override
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (!d->plugged || vendorId != kInstrumentVendorId || productId != kInstrumentProductId) {
            return false;
        }
        m_open = true;
        m_generation = d->generation;
        return true;
    }

    void close() override
    {
        {
            std::lock_guard<std::mutex> lock(d->mutex);
            m_open = false;
        }
        d->inputReady.notify_all(); // a waiter for input learns that nothing is open
    }

    int writeReport(const std::uint8_t* report, std::size_t length, int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(d->mutex);
        if (!alive()) {
            return -1;
        }
        Clock::time_point delivered = Clock::now();
        if (d->paced) {
            delivered = std::max(delivered, d->nextOutputSlot) + kReportInterval;
            if (timeoutMs >= 0 && delivered - Clock::now() > std::chrono::milliseconds(timeoutMs)) {
                return -1;
            }
            d->nextOutputSlot = delivered;
            lock.unlock();
            std::this_thread::sleep_until(delivered);
            lock.lock();
            if (!alive()) {
                return -1;
            }
        }
        // The instrument ignores reports that are not its framing.
        const bool framed = length >= 2 && report[0] == kReportId && report[1] >= 1 && report[1] <= kReportPayload
                            && static_cast<std::size_t>(report[1]) + 2 <= length;
        if (framed && report[2] == kStart
            && (d->requestBytes.isEmpty() || delivered - d->lastRequestReport > kRequestGap)) {
            const int request = ++d->requestsBegun;
            if (d->takesAction(request, InstrumentEmulator::Impl::AtRequest::Refuse)) {
                d->actionsAt.erase(request);
                qCDebug(lcEmulator) << "request" << request << "refused";
                return -1;
            }
            if (d->takesAction(request, InstrumentEmulator::Impl::AtRequest::Unplug)) {
                d->actionsAt.erase(request);
                d->pullPlug();
                const std::function<void(bool)> listener = d->plugListener;
                lock.unlock();
                qCDebug(lcEmulator) << "unplugged at request" << request;
                if (listener) {
                    listener(false);
                }
                return -1;
            }
            d->beginRequest(request);
        }
        ++d->outputReports;
        if (framed) {
            const QByteArray data(reinterpret_cast<const char*>(report + 2), report[1]);
            d->receiveRequestBytes(data, delivered);
        }
        return static_cast<int>(length);
    }

    int readReport(std::uint8_t* report, std::size_t capacity, int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(d->mutex);
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
        for (;;) {
            if (!alive()) {
                return -1;
            }
            const Clock::time_point now = Clock::now();
            if (!d->input.empty() && d->input.front().availableAt <= now) {
                const InputReport next = d->input.front();
                d->input.pop_front();
                ++d->inputReports;
                return copyOut(next.data, report, capacity);
            }
            if (timeoutMs >= 0 && now >= deadline) {
                return 0;
            }
            Clock::time_point wakeAt = timeoutMs >= 0 ? deadline : Clock::time_point::max();
            if (!d->input.empty()) {
                wakeAt = std::min(wakeAt, d->input.front().availableAt);
            }
            if (wakeAt == Clock::time_point::max()) {
                d->inputReady.wait(lock);
            } else {
                d->inputReady.wait_until(lock, wakeAt);
            }
        }
    }

    bool waitForInput(int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(d->mutex);
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
        for (;;) {
            if (m_wake) {
                m_wake = false;
                return false;
            }
            if (!alive()) {
                return true; // the read says what happened
            }
            const Clock::time_point now = Clock::now();
            if (!d->input.empty() && d->input.front().availableAt <= now) {
                return true;
            }
            if (now >= deadline) {
                return false;
            }
            Clock::time_point wakeAt = deadline;
            if (!d->input.empty()) {
                wakeAt = std::min(wakeAt, d->input.front().availableAt);
            }
            d->inputReady.wait_until(lock, wakeAt);
        }
    }

    void wakeInputWaiter() override
    {
        {
            std::lock_guard<std::mutex> lock(d->mutex);
            m_wake = true;
        }
        d->inputReady.notify_all();
    }

    bool isPresent() override
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        return m_open ? alive() : d->plugged;
    }

private:
    bool alive() const { return m_open && d->plugged && m_generation == d->generation; }

    static int copyOut(const QByteArray& data, std::uint8_t* report, std::size_t capacity)
    {
        std::uint8_t full[kReportLength] = {};
        full[0] = kReportId;
        full[1] = static_cast<std::uint8_t>(data.size());
        std::memcpy(full + 2, data.constData(), static_cast<std::size_t>(data.size()));
        const std::size_t n = std::min(capacity, kReportLength);
        std::memcpy(report, full, n);
        return static_cast<int>(n);
    }

    std::shared_ptr<InstrumentEmulator::Impl> d;
    bool m_open = false;
    int m_generation = -1;
    bool m_wake = false; // wakeInputWaiter() came; the next wait ends at once
};

InstrumentEmulator::InstrumentEmulator(const QString& model, int softwareVersion)
    : d(std::make_shared<Impl>())
{
    d->instrument = std::make_unique<VirtualInstrument>(emulatorModel(model, softwareVersion));
    const EmulatorModel& m = d->instrument->model();
    qCDebug(lcEmulator) << "emulating" << m.name << "meter number" << m.meterNumber << "version"
                        << m.softwareVersion << "layout" << m.layoutIndex;
}

InstrumentEmulator::~InstrumentEmulator() = default;

std::unique_ptr<HidBackend> InstrumentEmulator::createBackend()
{
    return std::make_unique<EmulatedHidBackend>(d);
}

void InstrumentEmulator::plug()
{
    std::function<void(bool)> listener;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (d->plugged) {
            return;
        }
        d->plugged = true;
        listener = d->plugListener;
    }
    qCDebug(lcEmulator) << "plugged in";
    if (listener) {
        listener(true);
    }
}

void InstrumentEmulator::unplug()
{
    std::function<void(bool)> listener;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (!d->pullPlug()) {
            return;
        }
        listener = d->plugListener;
    }
    qCDebug(lcEmulator) << "unplugged";
    if (listener) {
        listener(false);
    }
}

bool InstrumentEmulator::isPlugged() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->plugged;
}

void InstrumentEmulator::setPaced(bool paced)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->paced = paced;
    d->nextOutputSlot = Clock::time_point();
    d->lastInputSlot = Clock::time_point();
}

void InstrumentEmulator::injectFault(EmulatorFault fault, int count)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (count > 0) {
        d->faults[fault] += count;
    }
}

void InstrumentEmulator::injectFaultAtRequest(int n, EmulatorFault fault)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (n > 0) {
        d->replyFaultsAt.emplace(d->requestsBegun + n, fault);
    }
}

void InstrumentEmulator::refuseRequest(int n)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (n > 0) {
        d->actionsAt.emplace(d->requestsBegun + n, Impl::AtRequest::Refuse);
    }
}

void InstrumentEmulator::unplugAtRequest(int n)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (n > 0) {
        d->actionsAt.emplace(d->requestsBegun + n, Impl::AtRequest::Unplug);
    }
}

void InstrumentEmulator::clearFaults()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->faults.clear();
    d->heldBack.clear();
    d->replyFaultsAt.clear();
    d->actionsAt.clear();
}

void InstrumentEmulator::pressMeasureKey(bool blockFrames)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (!d->plugged) {
        return;
    }
    VirtualInstrument& instrument = *d->instrument;
    const MeasurementRecord record = instrument.takeMeasurement();
    EmulatorReply frame;
    if (blockFrames) {
        // Haze/T/Lab has no block of its own; the instrument sends the Haze/T one.
        const int mode = instrument.displayMode();
        frame.bytes = instrument.blockFrame(record, mode >= 0 && mode <= 5 ? mode : 0);
    } else {
        frame.bytes = instrument.fullRecordFrame(record);
    }
    d->send(frame, nullptr, Clock::now());
}

void InstrumentEmulator::queueRawInput(const QByteArray& bytes)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->queueInput(bytes, kReportPayload, Clock::now());
}

QList<QByteArray> InstrumentEmulator::receivedFrames() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->received;
}

VirtualInstrument& InstrumentEmulator::instrument()
{
    return *d->instrument;
}

EmulatorModel InstrumentEmulator::model() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->instrument->model();
}

void InstrumentEmulator::setPlugListener(std::function<void(bool)> listener)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->plugListener = std::move(listener);
}

int InstrumentEmulator::rejectedFrameCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->rejected;
}

int InstrumentEmulator::outputReportCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->outputReports;
}

int InstrumentEmulator::inputReportCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->inputReports;
}
