#pragma once
// How a page or dialog reaches the instrument without a global: the owner of
// the link (the main window in production, a test over the emulator) hands
// this in. Both answers may change between calls (unplug, replug), so ask at
// every exchange and never keep the pointers.

#include "Transport.h"

#include <QRecursiveMutex>

class LinkAccess
{
public:
    virtual ~LinkAccess() = default;
    // The transport of the link that is open now (never null; isLinkOpen()
    // says whether a link is there).
    virtual Transport& transport() = 0;
    // The one lock that guards the link, for the whole life of the access
    // (the receive worker is given it); null where no other thread reads the
    // link. Recursive: an exchange that holds it across a box whose event
    // loop reopens a replugged link (and identifies it) must not hang.
    virtual QRecursiveMutex* linkMutex() = 0;
};

// Holds the link lock for one whole exchange, from the first frame to the
// last, and lets go on every path out of the scope.
class LinkLock
{
public:
    explicit LinkLock(QRecursiveMutex* mutex) : m_mutex(mutex)
    {
        if (m_mutex) {
            m_mutex->lock();
        }
    }
    explicit LinkLock(LinkAccess& access) : LinkLock(access.linkMutex()) {}
    ~LinkLock() { unlock(); }
    LinkLock(const LinkLock&) = delete;
    LinkLock& operator=(const LinkLock&) = delete;

    // Lets go early (before a message box that need not hold the link).
    void unlock()
    {
        if (m_mutex) {
            m_mutex->unlock();
            m_mutex = nullptr;
        }
    }

private:
    QRecursiveMutex* m_mutex;
};
