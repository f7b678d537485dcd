#pragma once
// Plug and unplug notices for the window's link. They are handled at once,
// unless an exchange of the window's own thread holds the link lock (its box,
// progress dialog or question open, whose event loop delivered the notice):
// reopening and identifying the instrument there would take the lock that
// exchange holds. Such notices are kept; once the exchange lets go they are
// handled from the event loop, the removal first, then the arrival, so a
// replug inside a box closes the old link and identifies the new instrument
// after the exchange has ended.

#include <QPointer>

#include <functional>

class LinkMutex;
class QObject;

class DeviceChanges final
{
public:
    struct Handlers
    {
        std::function<void()> removed; // a device went away
        std::function<void()> arrived; // a device came
    };
    // lock: the link lock (null: nothing to wait for). context: on whose
    // thread and for whose life kept notices are handled (the window).
    DeviceChanges(LinkMutex* lock, QObject* context, Handlers handlers);
    DeviceChanges(const DeviceChanges&) = delete;
    DeviceChanges& operator=(const DeviceChanges&) = delete;

    void deviceArrived();
    void deviceRemoved();
    // Whether notices wait for an exchange to end.
    bool isWaiting() const { return m_removed || m_arrived; }

private:
    void handleWhenFree();
    void replay();

    LinkMutex* m_lock;
    QPointer<QObject> m_context;
    Handlers m_handlers;
    bool m_removed = false;
    bool m_arrived = false;
    bool m_armed = false; // a replay is due when the holder lets go
};
