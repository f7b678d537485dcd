#include "CLinkerUSB.h"

#include "LinkLog.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr int kScratchBytes = 12800;
constexpr int kHidWaitMs = 50;
// Reports of one frame follow each other within a millisecond or two.
constexpr int kBurstGapMs = 3;
constexpr char kFrameStart = static_cast<char>(0xAB);

// Drops bytes before the first frame start; empties the buffer when there is none.
void resynchronise(QByteArray& buffer)
{
    const int start = buffer.indexOf(kFrameStart);
    if (start < 0) {
        buffer.clear();
    } else if (start > 0) {
        buffer.remove(0, start);
    }
}

bool holdsFrame(const QByteArray& buffer, int expectedLen)
{
    return !buffer.isEmpty() && buffer.at(0) == kFrameStart && buffer.size() >= expectedLen;
}

} // namespace

CLinkerUSB::CLinkerUSB(std::unique_ptr<HidBackend> backend, QObject* parent)
    : CLinker(parent), hidDevice(std::move(backend)), scratch(kScratchBytes)
{
}

CLinkerUSB::~CLinkerUSB() = default;

bool CLinkerUSB::Open(std::uint16_t vendorId, std::uint16_t productId)
{
    if (hidDevice.Open(vendorId, productId) < 0) {
        qCDebug(lcLink, "hidDevice Open error!\n");
        return false;
    }
    qCDebug(lcLink, "hidDevice Open success!\n");
    return true;
}

void CLinkerUSB::Close()
{
    hidDevice.Close();
}

bool CLinkerUSB::isOpen()
{
    return hidDevice.opened;
}

bool CLinkerUSB::isDeviceGone()
{
    return hidDevice.isDeviceGone();
}

int CLinkerUSB::WriteMessage(QByteArray& frame, int timeoutMs)
{
    const int ret = hidDevice.Write(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                                    frame.size(), timeoutMs);
    if (ret <= 0 || ret != frame.size()) {
        qCDebug(lcLink, "hidDevice WriteMessage error! ret = %d\n", ret);
        return -1;
    }
    return ret;
}

int CLinkerUSB::pollOnce(QByteArray& buffer)
{
    // One HID read: it waits up to 50 ms for a report and ends as soon as one
    // came, taking along only what follows it at once (the rest of a frame
    // spread over several reports). Waiting out the 50 ms after a pushed
    // result had arrived would only delay it.
    int n = hidDevice.Read(scratch.data(), 1, kHidWaitMs);
    if (n < 1) {
        return n;
    }
    const int more = hidDevice.Read(scratch.data() + 1, kScratchBytes - 1, kBurstGapMs);
    if (more > 0) {
        n += more;
    }
    buffer.append(reinterpret_cast<const char*>(scratch.data()), n);
    return buffer.size();
}

bool CLinkerUSB::WaitForInput(int timeoutMs)
{
    return hidDevice.WaitForInput(timeoutMs);
}

void CLinkerUSB::WakeInputWaiter()
{
    hidDevice.WakeInputWaiter();
}

int CLinkerUSB::ReadAvailable(QByteArray& buffer)
{
    if (!hidDevice.opened) {
        return -1;
    }
    // A read with no wait hands out one report; the bound keeps a device
    // that never stops sending from holding the link.
    int taken = 0;
    while (taken < kScratchBytes) {
        const int n = hidDevice.Read(scratch.data(), kScratchBytes - taken, 0);
        if (n <= 0) {
            break;
        }
        buffer.append(reinterpret_cast<const char*>(scratch.data()), n);
        taken += n;
    }
    if (taken == 0) {
        return hidDevice.lastReadFailed() || !hidDevice.opened ? -1 : 0;
    }
    return static_cast<int>(buffer.size());
}

int CLinkerUSB::ReadMessage(QByteArray& buffer, int timeoutMs, int expectedLen)
{
    return ReadMessageUntil(buffer, timeoutMs, expectedLen, EndsEarly());
}

int CLinkerUSB::ReadMessageUntil(QByteArray& buffer, int timeoutMs, int expectedLen, const EndsEarly& endsEarly)
{
    if (!hidDevice.opened) {
        return -1;
    }
    if (timeoutMs <= 0) {
        return pollOnce(buffer);
    }
    if (expectedLen < 1) {
        expectedLen = 1;
    }
    QElapsedTimer timer;
    timer.start();
    resynchronise(buffer);
    const auto complete = [&] {
        return holdsFrame(buffer, expectedLen) || (endsEarly && !buffer.isEmpty() && endsEarly(buffer));
    };
    if (complete()) {
        return buffer.size();
    }
    for (;;) {
        // Ask only for the bytes still missing: whatever follows the frame
        // stays in the HID device for the next read instead of being thrown
        // away with this reply.
        const int missing = std::clamp(expectedLen - static_cast<int>(buffer.size()), 1, kScratchBytes);
        // Never wait past the deadline, whatever keeps arriving.
        const int wait = static_cast<int>(std::clamp<qint64>(timeoutMs - timer.elapsed(), 1, kHidWaitMs));
        const int n = hidDevice.Read(scratch.data(), missing, wait);
        if (n > 0) {
            buffer.append(reinterpret_cast<const char*>(scratch.data()), n);
            resynchronise(buffer);
        } else {
            qCDebug(lcLink, "hidDevice ReadMessage error!\n");
            if (hidDevice.lastReadFailed() || !hidDevice.opened) {
                // Gone, broken or closed meanwhile: the rest of the wait cannot help.
                return -1;
            }
        }
        if (complete()) {
            return buffer.size();
        }
        if (timer.elapsed() >= timeoutMs) {
            return 0;
        }
    }
}
