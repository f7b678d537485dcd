#pragma once
// How a page or dialog reaches the instrument without a global: the owner of
// the link (the main window in production, a test over the emulator) hands
// this in. Both answers may change between calls (unplug, replug), so ask at
// every exchange and never keep the pointers.

#include "Transport.h"

#include <QMutex>

#include <atomic>
#include <functional>

// The one lock that guards the link: a plain mutex, taken once per exchange
// and never twice by one thread. An exchange of the user-interface thread
// may hold it across a message box, whose event loop delivers plug and
// unplug notices; reopening and identifying a replugged instrument there
// would take the lock a second time. So whoever handles device changes asks
// isHeldByCurrentThread() and, while its own thread's exchange is open,
// keeps the change for runAfterRelease(): it is handled once that exchange
// has let go, on a link nobody is using.
class LinkMutex
{
public:
    LinkMutex() = default;
    LinkMutex(const LinkMutex&) = delete;
    LinkMutex& operator=(const LinkMutex&) = delete;

    // Waits for the lock. A thread that holds it already is not made to wait
    // for itself (that would hang the window for good): the attempt is
    // logged as the fault it is and refused, and false returned.
    bool lock();
    // Takes the lock if it comes free within timeoutMs (the receive worker,
    // which must look at its stop flag now and then).
    bool tryLock(int timeoutMs = 0);
    // Lets go, then runs the step runAfterRelease() left, if any.
    void unlock();

    // Whether the calling thread holds the lock (an exchange of its own is open).
    bool isHeldByCurrentThread() const;
    // Called by the holder: step runs once, on the holder's thread, right
    // after the holder lets go (a later call replaces an earlier one).
    // Called by a thread that does not hold it, step runs at once.
    void runAfterRelease(std::function<void()> step);

private:
    QMutex m_mutex;
    std::atomic<Qt::HANDLE> m_holder{nullptr}; // the holding thread, null while free
    std::function<void()> m_afterRelease;      // touched by the holder only
};

class LinkAccess
{
public:
    virtual ~LinkAccess() = default;
    // The transport of the link that is open now (never null; isLinkOpen()
    // says whether a link is there).
    virtual Transport& transport() = 0;
    // The one lock that guards the link, for the whole life of the access
    // (the receive worker is given it); null where no other thread reads the
    // link.
    virtual LinkMutex* linkMutex() = 0;
};

// Holds the link lock for one whole exchange, from the first frame to the
// last, and lets go on every path out of the scope.
class LinkLock
{
public:
    explicit LinkLock(LinkMutex* mutex) : m_mutex(mutex)
    {
        if (m_mutex && !m_mutex->lock()) {
            m_mutex = nullptr; // refused: this thread's own exchange holds it
        }
    }
    explicit LinkLock(LinkAccess& access) : LinkLock(access.linkMutex()) {}
    ~LinkLock() { unlock(); }
    LinkLock(const LinkLock&) = delete;
    LinkLock& operator=(const LinkLock&) = delete;

    // Lets go early: once the exchange is over, before the box that reports it.
    void unlock()
    {
        if (m_mutex) {
            LinkMutex* held = m_mutex;
            m_mutex = nullptr;
            held->unlock();
        }
    }

private:
    LinkMutex* m_mutex;
};
