#include "HidLinkFactory.h"

#include "CLinkerUSB.h"
#include "HidapiBackend.h"

std::unique_ptr<CLinker> HidLinkFactory::openLink(std::uint16_t vendorId, std::uint16_t productId)
{
    auto link = std::make_unique<CLinkerUSB>(std::make_unique<HidapiBackend>());
    if (!link->Open(vendorId, productId)) {
        return nullptr;
    }
    return link;
}
