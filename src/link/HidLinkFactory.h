#pragma once
#include "LinkFactory.h"

// Opens the real instrument through hidapi.
class HidLinkFactory final : public LinkFactory
{
public:
    std::unique_ptr<CLinker> openLink(std::uint16_t vendorId, std::uint16_t productId) override;
};
