#pragma once
// Where the instrument keeps what the application reads and writes.

#include <QtGlobal>

namespace EmulatorMemoryMap {

constexpr quint32 kProductionInformation = 0x0000; // 18 bytes + block checksum
constexpr int kProductionInformationLength = 20;
constexpr quint32 kDisplayParameter = 0x0300;      // 1 byte + block checksum
constexpr quint32 kTolerances = 0x030F;            // 3 x 16-bit + block checksum
constexpr quint32 kDeltaEParameter = 0x0225;       // formula byte, 16-bit threshold + block checksum

// Record-count cells: 16-bit count + block checksum, by display mode 0..6.
constexpr quint32 kCountCellsLayout03[7] = {0x1200, 0x1204, 0x1208, 0x120C, 0x1210, 0x1214, 0x1218};
constexpr quint32 kCountCellsLayout12[7] = {0x1200, 0x1204, 0x1208, 0x1600, 0x1604, 0x1214, 0x1218};

// Comparison records of display mode k: data at 0x400000 + 0x80000 k, names 0x40000 above.
constexpr quint32 kRecordDataBase = 0x400000;
constexpr quint32 kRecordAreaStride = 0x80000;
constexpr quint32 kRecordNameOffset = 0x40000;
constexpr int kRecordDataSize[7] = {8, 4, 4, 12, 24, 24, 20};
constexpr int kRecordNameSize = 16;

// Colour-difference records of the first-generation colorimeters.
constexpr quint32 kLegacyInfo = 0x3010; // 10 bytes: count at 4..5, block checksum at 8..9
constexpr quint32 kLegacyData = 0x10000;
constexpr quint32 kLegacyNames = 0x20000;
constexpr int kLegacyDataSize = 12;
constexpr int kLegacyNameSize = 14;

// Spectral records: 31 signed values and their block checksum, 64 bytes apart.
constexpr quint32 kSpectralInfoLayout03 = 0x1020; // 8 bytes: count at 2..3, block checksum at 6..7
constexpr quint32 kSpectralInfoLayout12 = 0x1410;
constexpr quint32 kSpectralValuesLayout03 = 0x20000;
constexpr quint32 kSpectralValuesLayout12 = 0x140000;
constexpr quint32 kSpectralNameOffset = 0x1900;
constexpr int kSpectralRecordStride = 64;
constexpr int kSpectralPoints = 31;
constexpr int kSpectralCapacity = static_cast<int>(kSpectralNameOffset) / kSpectralRecordStride;

// Standard-colour library.
constexpr quint32 kStandardColorCount = 0x2F00; // 16-bit count + block checksum
constexpr quint32 kStandardColorCards = 0x2000; // 36-byte records + block checksum, 48 apart
constexpr int kStandardColorCardStride = 48;
constexpr int kStandardColorCardSize = 36;
constexpr quint32 kStandardColorStream = 0x40000; // names then values, through function 0x74

inline quint32 countCell(int mode, int layout)
{
    const bool colorLayout = layout == 1 || layout == 2;
    return colorLayout ? kCountCellsLayout12[mode] : kCountCellsLayout03[mode];
}

inline quint32 recordDataArea(int mode)
{
    return kRecordDataBase + kRecordAreaStride * static_cast<quint32>(mode);
}

inline quint32 recordNameArea(int mode)
{
    return recordDataArea(mode) + kRecordNameOffset;
}

} // namespace EmulatorMemoryMap
