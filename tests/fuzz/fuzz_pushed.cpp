// libFuzzer target: results pushed by the instrument, found in the reads of the receive worker.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::pushedFrames(data, size);
    return 0;
}
