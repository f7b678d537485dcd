#pragma once
#include <QByteArray>
#include <QObject>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

// The link to the instrument as the rest of the program sees it.
class CLinker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // How long WaitForInput sleeps on a link that cannot wait on its device.
    static constexpr int kPollSliceMs = 30;
    ~CLinker() override = default;

    virtual void Close() = 0;
    // Appends received bytes to buffer (see CLinkerUSB for the rules).
    virtual int ReadMessage(QByteArray& buffer, int timeoutMs, int expectedLen)
    {
        Q_UNUSED(buffer) Q_UNUSED(timeoutMs) Q_UNUSED(expectedLen) return 0;
    }
    // Writes the whole frame; the byte count, or -1.
    virtual int WriteMessage(QByteArray& frame, int timeoutMs)
    {
        Q_UNUSED(frame) Q_UNUSED(timeoutMs) return 0;
    }
    // Waits up to timeoutMs, reading nothing, until received bytes can be
    // read at once or a read would fail (true), or until WakeInputWaiter()
    // (false, as when the time passed). A link that cannot wait on its
    // device sleeps a short slice and says true: its reader then polls.
    virtual bool WaitForInput(int timeoutMs)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp(timeoutMs, 0, kPollSliceMs)));
        return true;
    }
    // Ends a WaitForInput running now, or else the next one. Any thread.
    virtual void WakeInputWaiter() {}
    // Appends every byte received so far, waiting for none: the buffer
    // length, 0 when nothing was there, -1 when the link is closed or failed.
    // The base polls once.
    virtual int ReadAvailable(QByteArray& buffer) { return ReadMessage(buffer, 0, 0); }
    virtual bool isOpen() { return false; }
    virtual bool isDeviceGone() { return true; }

    // Says whether the bytes received so far (starting with 0xAB) already form
    // a complete answer shorter than the one waited for (an error reply).
    using EndsEarly = std::function<bool(const QByteArray&)>;
    // ReadMessage that also returns, with the buffer length, as soon as
    // endsEarly accepts the buffer. The base ignores endsEarly.
    virtual int ReadMessageUntil(QByteArray& buffer, int timeoutMs, int expectedLen, const EndsEarly& endsEarly)
    {
        Q_UNUSED(endsEarly) return ReadMessage(buffer, timeoutMs, expectedLen);
    }
};
