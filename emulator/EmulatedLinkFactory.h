#pragma once
#include "LinkFactory.h"

#include <memory>

class InstrumentEmulator;

// Opens the production USB link over the emulated instrument's byte pipe:
// everything above the HID backend is the same code as for the real one.
class EmulatedLinkFactory final : public LinkFactory
{
public:
    explicit EmulatedLinkFactory(std::shared_ptr<InstrumentEmulator> emulator);

    // Null while the emulated instrument is unplugged.
    std::unique_ptr<CLinker> openLink(std::uint16_t vendorId, std::uint16_t productId) override;

    const std::shared_ptr<InstrumentEmulator>& emulator() const { return m_emulator; }

private:
    std::shared_ptr<InstrumentEmulator> m_emulator;
};
