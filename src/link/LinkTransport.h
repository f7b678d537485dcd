#pragma once
#include "Transport.h"

#include <atomic>

class CLinker;

// The transport over whatever link is open now. The main window owns one and
// points it at its link; the receive worker and the commands share it.
class LinkTransport final : public Transport
{
public:
    void setLink(CLinker* link) { m_link.store(link); }
    CLinker* link() const { return m_link.load(); }

    bool isLinkOpen() const override;
    int sendFrame(QByteArray& frame, int timeoutMs) override;
    int receiveFrame(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum) override;
    void delayMs(int ms) override;

private:
    std::atomic<CLinker*> m_link{nullptr};
};
