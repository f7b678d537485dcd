#pragma once
#include "CLinker.h"

#include <cstdint>
#include <memory>

// Where OpenUSB gets its link: the real HID instrument, the emulated one, or
// a test double. The one place the choice is made.
class LinkFactory
{
public:
    virtual ~LinkFactory() = default;
    // An open link to the instrument with these ids, or null when none opens.
    virtual std::unique_ptr<CLinker> openLink(std::uint16_t vendorId, std::uint16_t productId) = 0;
};
