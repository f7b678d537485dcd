#pragma once
// A LinkAccess over the emulated instrument for workspace tests: the
// production stack (EmulatedLink), a lock a test can probe, and a transport
// that can fail the n-th request or report the link closed.

#include "EmulatedLink.h"
#include "LinkAccess.h"

#include <QMutex>

class FaultyTransport final : public Transport
{
public:
    explicit FaultyTransport(Transport& inner) : m_inner(inner) {}

    bool isLinkOpen() const override { return open && m_inner.isLinkOpen(); }
    int sendFrame(QByteArray& frame, int timeoutMs) override
    {
        ++sent;
        if (sent == failRequest) {
            return -1; // the request never goes out
        }
        return m_inner.sendFrame(frame, timeoutMs);
    }
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum) override
    {
        return m_inner.receiveFrame(buffer, timeoutMs, expectedLen, checkChecksum);
    }
    int receiveReply(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum,
                     const std::function<bool(const QByteArray&)>& endsEarly) override
    {
        return m_inner.receiveReply(buffer, timeoutMs, expectedLen, checkChecksum, endsEarly);
    }
    void delayMs(int ms) override { m_inner.delayMs(ms); }

    bool open = true;
    int sent = 0;
    int failRequest = -1; // 1-based request number that fails to go out

private:
    Transport& m_inner;
};

class EmulatedAccess final : public LinkAccess
{
public:
    explicit EmulatedAccess(const QString& model = QStringLiteral("TX310"), int softwareVersion = 0)
        : link(model, softwareVersion), faulty(link.transport)
    {
    }
    Transport& transport() override { return faulty; }
    QMutex* linkMutex() override { return &mutex; }

    // true when nobody holds the link lock.
    bool lockIsFree()
    {
        if (!mutex.tryLock()) {
            return false;
        }
        mutex.unlock();
        return true;
    }

    // The memory reads the instrument received: address and length of each.
    QList<QPair<quint32, int>> memoryReads() const
    {
        QList<QPair<quint32, int>> reads;
        for (const QByteArray& frame : link.emulator.receivedFrames()) {
            if (frame.size() >= 8 && quint8(frame.at(1)) == 0x40) {
                reads.append({getU32le(frame, 2), int(getU16le(frame, 6))});
            }
        }
        return reads;
    }

    EmulatedLink link;
    FaultyTransport faulty;
    QMutex mutex;
};
