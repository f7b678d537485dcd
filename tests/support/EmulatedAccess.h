#pragma once
// The emulated instrument as the screens and the instrument exchanges reach
// it: a LinkAccess over the production stack (EmulatedLink) with the lock a
// receive worker would hold. The transport handed out is this object; it
// follows the link plugged in now, so replug() (the instrument unplugged, a
// new one plugged in, with a new worker's lock) needs nothing handed over
// again. Faults are the emulator's: injectFault, injectFaultAtRequest,
// refuseRequest (a request that cannot be sent), unplugAtRequest, unplug.

#include "Bytes.h"
#include "EmulatedLink.h"
#include "LinkAccess.h"

#include <QList>
#include <QMutex>
#include <QPair>

#include <functional>
#include <memory>
#include <vector>

class EmulatedAccess final : public LinkAccess, public Transport
{
public:
    explicit EmulatedAccess(const QString& model = QStringLiteral("TX310"), int softwareVersion = 0)
    {
        replug(model, softwareVersion);
    }

    // The instrument plugged in now, and its emulator.
    EmulatedLink& link() { return *m_link; }
    const EmulatedLink& link() const { return *m_link; }
    InstrumentEmulator& emulator() { return m_link->emulator; }
    VirtualInstrument& instrument() { return m_link->instrument(); }

    // Unplugs the instrument and plugs a new one in. The old link and lock
    // stay alive: a worker of the old link may still let go of its lock.
    void replug(const QString& model, int softwareVersion = 0)
    {
        if (m_link) {
            m_link->emulator.unplug();
            m_link->link.Close();
            m_retired.emplace_back(std::move(m_link), std::move(m_mutex));
        }
        m_link = std::make_unique<EmulatedLink>(model, softwareVersion);
        m_mutex = std::make_unique<QMutex>();
    }

    // The instrument pulled out and the link closed, as the application
    // closes it when it notices; the access stays usable for replug().
    void unplug()
    {
        m_link->emulator.unplug();
        m_link->link.Close();
    }

    // LinkAccess
    Transport& transport() override { return *this; }
    QMutex* linkMutex() override { return m_mutex.get(); }

    // Transport: the link plugged in now; onFrame sees every frame sent or awaited.
    bool isLinkOpen() const override { return m_link->transport.isLinkOpen(); }
    int sendFrame(QByteArray& frame, int timeoutMs) override
    {
        seen();
        return m_link->transport.sendFrame(frame, timeoutMs);
    }
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum) override
    {
        seen();
        return m_link->transport.receiveFrame(buffer, timeoutMs, expectedLen, checkChecksum);
    }
    int receiveReply(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum,
                     const std::function<bool(const QByteArray&)>& endsEarly) override
    {
        seen();
        return m_link->transport.receiveReply(buffer, timeoutMs, expectedLen, checkChecksum, endsEarly);
    }
    bool waitForInput(int timeoutMs) override { return m_link->transport.waitForInput(timeoutMs); }
    void wakeInputWaiter() override { m_link->transport.wakeInputWaiter(); }
    int receiveAvailable(QByteArray& buffer) override
    {
        seen();
        return m_link->transport.receiveAvailable(buffer);
    }
    void delayMs(int ms) override { m_link->transport.delayMs(ms); }

    // Called at every frame sent or awaited (tests that check the lock or the buttons).
    std::function<void()> onFrame;

    // Request frames the instrument plugged in now received.
    int requests() const { return static_cast<int>(m_link->emulator.receivedFrames().size()); }

    // true when nobody holds the link lock.
    bool lockIsFree()
    {
        if (!m_mutex->tryLock()) {
            return false;
        }
        m_mutex->unlock();
        return true;
    }

    // The memory reads the instrument received: address and length of each.
    QList<QPair<quint32, int>> memoryReads() const { return requestsOf(0x40); }
    // The block transfers (writes) it received: address and length of each.
    QList<QPair<quint32, int>> blockWrites() const { return requestsOf(0x74); }

private:
    void seen()
    {
        if (onFrame) {
            onFrame();
        }
    }
    QList<QPair<quint32, int>> requestsOf(quint8 function) const
    {
        QList<QPair<quint32, int>> found;
        for (const QByteArray& frame : m_link->emulator.receivedFrames()) {
            if (frame.size() >= 8 && quint8(frame.at(1)) == function) {
                found.append({getU32le(frame, 2), int(getU16le(frame, 6))});
            }
        }
        return found;
    }

    std::unique_ptr<EmulatedLink> m_link;
    std::unique_ptr<QMutex> m_mutex;
    std::vector<std::pair<std::unique_ptr<EmulatedLink>, std::unique_ptr<QMutex>>> m_retired;
};
