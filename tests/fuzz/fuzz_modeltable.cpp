// libFuzzer target: the model table file "meterno", read as the workspace reads it.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::modelTable(data, size);
    return 0;
}
