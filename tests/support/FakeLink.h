#pragma once
// A link double for the main window: the instrument's presence and the link
// objects' lifetimes are visible to the test. Requests are answered at once
// by an emulated TX310, so the workspace identifies it without boxes.
#include "CLinker.h"
#include "EmulatorModel.h"
#include "InstrumentIds.h"
#include "LinkFactory.h"
#include "VirtualInstrument.h"

#include <memory>

struct FakeInstrument
{
    bool attached = true; // an instrument is plugged in and opens
    int attempts = 0;     // links asked for
    int opens = 0;        // links handed out
    int alive = 0;        // link objects not yet destroyed
    int closes = 0;
    VirtualInstrument answers{emulatorModel(QStringLiteral("TX310"))};
};

class FakeLink final : public CLinker
{
public:
    explicit FakeLink(std::shared_ptr<FakeInstrument> instrument) : m_instrument(std::move(instrument))
    {
        ++m_instrument->alive;
    }
    ~FakeLink() override { --m_instrument->alive; }
    void Close() override
    {
        m_open = false;
        ++m_instrument->closes;
    }
    bool isOpen() override { return m_open; }
    bool isDeviceGone() override { return !m_instrument->attached; }
    int WriteMessage(QByteArray& frame, int) override
    {
        if (!m_open) {
            return -1;
        }
        if (const auto reply = m_instrument->answers.handleRequest(frame)) {
            m_pending += reply->bytes;
        }
        return static_cast<int>(frame.size());
    }
    int ReadMessage(QByteArray& buffer, int, int expectedLen) override
    {
        if (!m_open) {
            return -1;
        }
        const int take = expectedLen > 0 ? expectedLen : static_cast<int>(m_pending.size());
        buffer += m_pending.left(take);
        m_pending.remove(0, std::min<int>(take, static_cast<int>(m_pending.size())));
        return static_cast<int>(buffer.size());
    }

private:
    std::shared_ptr<FakeInstrument> m_instrument;
    QByteArray m_pending;
    bool m_open = true;
};

class FakeLinkFactory final : public LinkFactory
{
public:
    explicit FakeLinkFactory(std::shared_ptr<FakeInstrument> instrument) : m_instrument(std::move(instrument)) {}
    std::unique_ptr<CLinker> openLink(std::uint16_t vendorId, std::uint16_t productId) override
    {
        ++m_instrument->attempts;
        if (!m_instrument->attached || vendorId != kInstrumentVendorId || productId != kInstrumentProductId) {
            return nullptr;
        }
        ++m_instrument->opens;
        return std::make_unique<FakeLink>(m_instrument);
    }

private:
    std::shared_ptr<FakeInstrument> m_instrument;
};
