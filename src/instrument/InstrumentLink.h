#pragma once
// The window's door to the instrument: the transport of the link that is open
// now and the one lock that guards it. The main window owns it and hands it
// (as LinkAccess) to the page and to every dialog that talks to the
// instrument; the receive worker is given the same lock. The lock lives as
// long as this object, whether a link is open or not and whether a worker
// runs or not.

#include "LinkAccess.h"


class InstrumentLink final : public LinkAccess
{
public:
    // transport: the link's transport, or null while there is none (nothing
    // is open then and nothing is sent). It must outlive this object or be
    // replaced first.
    explicit InstrumentLink(Transport* transport = nullptr) : m_transport(transport) {}
    InstrumentLink(const InstrumentLink&) = delete;
    InstrumentLink& operator=(const InstrumentLink&) = delete;

    // Set on the user-interface thread while no receive worker runs.
    void setTransport(Transport* transport) { m_transport = transport; }

    Transport& transport() override;
    LinkMutex* linkMutex() override { return &m_lock; }

private:
    Transport* m_transport;
    LinkMutex m_lock;
};
