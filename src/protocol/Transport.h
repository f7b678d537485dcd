#pragma once
#include <QByteArray>

#include <algorithm>
#include <functional>

// The narrow door through which protocol commands reach the instrument link.
// The main window holds the production instance; tests drive the commands
// against the emulator through the same implementation without any window.
// Nothing here locks: the caller holds the link lock (LinkAccess) for the
// whole exchange.
class Transport
{
public:
    // How long waitForInput sleeps on a transport that cannot wait on its device.
    static constexpr int kPollSliceMs = 30;

    virtual ~Transport() = default;

    virtual bool isLinkOpen() const = 0;
    // Appends the frame checksum (low byte first) and writes the frame.
    // Returns the bytes written, checksum included, or -1.
    virtual int sendFrame(QByteArray& frame, int timeoutMs) = 0;
    // Reads a reply of expectedLen bytes (timeoutMs > 0), or polls once
    // (timeoutMs == 0). Returns the buffer length, or <= 0 on failure; with
    // checkChecksum a frame-checksum mismatch gives -1.
    virtual int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen,
                             bool checkChecksum) = 0;
    // receiveFrame that also stops waiting as soon as endsEarly accepts the
    // bytes received so far (a complete error reply shorter than expectedLen,
    // whose checksum endsEarly has verified); their length is returned then.
    // The default waits for expectedLen bytes as receiveFrame does.
    virtual int receiveReply(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum,
                             const std::function<bool(const QByteArray&)>& endsEarly)
    {
        static_cast<void>(endsEarly);
        return receiveFrame(buffer, timeoutMs, expectedLen, checkChecksum);
    }
    // Waits up to timeoutMs, reading nothing, until received bytes can be
    // read at once or a read would fail (true), or until wakeInputWaiter()
    // (false, as when the time passed). Needs no lock: exchanges go on
    // meanwhile. A transport that cannot wait on its device sleeps a short
    // slice and says true, so that its reader polls.
    virtual bool waitForInput(int timeoutMs)
    {
        delayMs(std::clamp(timeoutMs, 0, kPollSliceMs));
        return true;
    }
    // Ends a waitForInput running now, or else the next one. Any thread.
    virtual void wakeInputWaiter() {}
    // Appends every byte received so far, waiting for none: the buffer
    // length, 0 when nothing was there, -1 when the link is closed or failed.
    // The default polls once.
    virtual int receiveAvailable(QByteArray& buffer) { return receiveFrame(buffer, 0, 0, false); }
    // Blocks the calling thread for at least ms milliseconds.
    virtual void delayMs(int ms) = 0;
};
