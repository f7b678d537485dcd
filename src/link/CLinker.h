#pragma once
#include <QByteArray>
#include <QObject>

#include <functional>

// The link to the instrument as the rest of the program sees it.
class CLinker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
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
