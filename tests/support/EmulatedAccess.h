#pragma once
// The emulated instrument as the screens and the instrument exchanges reach
// it: a LinkAccess over the production stack (EmulatedLink) with one link
// lock for its whole life, as the window's InstrumentLink. The transport
// handed out is this object; it follows the link plugged in now, so replug()
// (the instrument unplugged, a new one plugged in) needs nothing handed over
// again. Faults are the emulator's: injectFault, injectFaultAtRequest,
// refuseRequest (a request that cannot be sent), unplugAtRequest, unplug.

#include "Bytes.h"
#include "EmulatedLink.h"
#include "LinkAccess.h"

#include <QList>
#include <QPair>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class EmulatedAccess final : public LinkAccess, public Transport
{
public:
    // model empty: nothing plugged in yet (plug with replug()).
    explicit EmulatedAccess(const QString& model = QStringLiteral("TX310"), int softwareVersion = 0)
    {
        if (!model.isEmpty()) {
            replug(model, softwareVersion);
        }
    }

    // The instrument plugged in now, and its emulator (one must be plugged in).
    EmulatedLink& link() { return *m_current.load(); }
    const EmulatedLink& link() const { return *m_current.load(); }
    InstrumentEmulator& emulator() { return link().emulator; }
    VirtualInstrument& instrument() { return link().instrument(); }
    bool isPlugged() const { return m_current.load() != nullptr; }

    // Unplugs the instrument and plugs a new one in. The old link stays
    // alive: a worker may still be waiting on it. The lock is the same.
    void replug(const QString& model, int softwareVersion = 0)
    {
        if (isPlugged()) {
            unplug();
        }
        m_links.push_back(std::make_unique<EmulatedLink>(model, softwareVersion));
        m_current.store(m_links.back().get());
    }

    // The instrument pulled out and the link closed, as the application
    // closes it when it notices; the access stays usable for replug().
    void unplug()
    {
        link().emulator.unplug();
        link().link.Close();
    }

    // LinkAccess: one lock for the life of the access, as the window's.
    Transport& transport() override { return *this; }
    LinkMutex* linkMutex() override { return &m_mutex; }

    // Transport: the link plugged in now; onFrame sees every frame sent or awaited.
    bool isLinkOpen() const override { return isPlugged() && link().transport.isLinkOpen(); }
    int sendFrame(QByteArray& frame, int timeoutMs) override
    {
        seen();
        return isPlugged() ? link().transport.sendFrame(frame, timeoutMs) : -1;
    }
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum) override
    {
        seen();
        return isPlugged() ? link().transport.receiveFrame(buffer, timeoutMs, expectedLen, checkChecksum) : -1;
    }
    int receiveReply(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum,
                     const std::function<bool(const QByteArray&)>& endsEarly) override
    {
        seen();
        return isPlugged() ? link().transport.receiveReply(buffer, timeoutMs, expectedLen, checkChecksum, endsEarly)
                           : -1;
    }
    bool waitForInput(int timeoutMs) override
    {
        if (!isPlugged()) {
            QThread::msleep(static_cast<unsigned long>(std::clamp(timeoutMs, 0, kPollSliceMs)));
            return false;
        }
        return link().transport.waitForInput(timeoutMs);
    }
    void wakeInputWaiter() override
    {
        if (isPlugged()) {
            link().transport.wakeInputWaiter();
        }
    }
    int receiveAvailable(QByteArray& buffer) override
    {
        seen();
        return isPlugged() ? link().transport.receiveAvailable(buffer) : -1;
    }
    void delayMs(int ms) override
    {
        if (isPlugged()) {
            link().transport.delayMs(ms);
        }
    }

    // Called at every frame sent or awaited (tests that check the lock or the buttons).
    std::function<void()> onFrame;

    // Request frames the instrument plugged in now received.
    int requests() const { return static_cast<int>(link().emulator.receivedFrames().size()); }

    // true when no thread holds the link lock (asked from another thread, so
    // the answer does not depend on who asks).
    bool lockIsFree()
    {
        bool free = false;
        std::thread probe([this, &free] {
            free = m_mutex.tryLock();
            if (free) {
                m_mutex.unlock();
            }
        });
        probe.join();
        return free;
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
        for (const QByteArray& frame : link().emulator.receivedFrames()) {
            if (frame.size() >= 8 && quint8(frame.at(1)) == function) {
                found.append({getU32le(frame, 2), int(getU16le(frame, 6))});
            }
        }
        return found;
    }

    std::vector<std::unique_ptr<EmulatedLink>> m_links; // every link plugged in so far
    std::atomic<EmulatedLink*> m_current{nullptr};     // read by the receive worker too
    LinkMutex m_mutex;
};
