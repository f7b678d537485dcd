#include "EmulatedLinkFactory.h"

#include "CLinkerUSB.h"
#include "InstrumentEmulator.h"

EmulatedLinkFactory::EmulatedLinkFactory(std::shared_ptr<InstrumentEmulator> emulator)
    : m_emulator(std::move(emulator))
{
}

std::unique_ptr<CLinker> EmulatedLinkFactory::openLink(std::uint16_t vendorId, std::uint16_t productId)
{
    if (!m_emulator || !m_emulator->isPlugged()) {
        return nullptr;
    }
    auto link = std::make_unique<CLinkerUSB>(m_emulator->createBackend());
    if (!link->Open(vendorId, productId)) {
        return nullptr;
    }
    return link;
}
