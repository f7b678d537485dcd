#include "InstrumentLink.h"

#include <QThread>

#include <algorithm>

namespace {

// Stands in while there is no link: nothing is open, nothing is sent.
class NoTransport final : public Transport
{
public:
    bool isLinkOpen() const override { return false; }
    int sendFrame(QByteArray&, int) override { return -1; }
    int receiveFrame(QByteArray&, int, int, bool) override { return -1; }
    void delayMs(int) override {}
    // A worker started without a link sleeps instead of spinning.
    bool waitForInput(int timeoutMs) override
    {
        QThread::msleep(static_cast<unsigned long>(std::clamp(timeoutMs, 0, kPollSliceMs)));
        return false;
    }
};

} // namespace

Transport& InstrumentLink::transport()
{
    static NoTransport none;
    return m_transport ? *m_transport : none;
}
