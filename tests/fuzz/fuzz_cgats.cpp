// libFuzzer target: the strict CGATS reader.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::cgatsFile(data, size);
    return 0;
}
