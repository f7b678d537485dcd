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
    int receiveReply(QByteArray& buffer, int timeoutMs, int expectedLen, bool checkChecksum,
                     const std::function<bool(const QByteArray&)>& endsEarly) override;
    bool waitForInput(int timeoutMs) override;
    void wakeInputWaiter() override;
    int receiveAvailable(QByteArray& buffer) override;
    void delayMs(int ms) override;

    // For tests only: when > 0, no receive waits longer than this, so that a
    // broken link fails fast instead of waiting out every 6 s time-out.
    void setReceiveTimeoutLimitMs(int ms) { m_receiveLimitMs = ms; }

private:
    std::atomic<CLinker*> m_link{nullptr};
    std::atomic<int> m_receiveLimitMs{0};
};
