// libFuzzer target: the link's reassembly of input reports into replies.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::linkReassembly(data, size);
    return 0;
}
