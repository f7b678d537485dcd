// libFuzzer target: every reply parser of the protocol layer.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::protocolReplies(data, size);
    return 0;
}
