#pragma once
#include <cstdint>

// The USB ids every supported instrument reports.
constexpr std::uint16_t kInstrumentVendorId = 0x2047;
constexpr std::uint16_t kInstrumentProductId = 0x0301;
