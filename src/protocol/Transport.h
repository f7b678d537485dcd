#pragma once
#include <QByteArray>

#include <functional>

// The narrow door through which protocol commands reach the instrument link.
// The main window holds the production instance; tests drive the commands
// against the emulator through the same implementation without any window.
// Nothing here locks: the caller holds the receive worker's mutex for the
// whole exchange.
class Transport
{
public:
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
    // Blocks the calling thread for at least ms milliseconds.
    virtual void delayMs(int ms) = 0;
};
