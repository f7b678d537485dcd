#pragma once
// Spectral curves (SpectralRecord.h): the measurement exchange, and the reading of the records stored in
// the instrument (value and name areas read in blocks of 256 bytes). The
// caller holds the link lock for each whole exchange. Results are
// ProtocolResult codes.

#include "SpectralRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class Transport;

// The 31 values at offset: signed 16-bit little-endian hundredths of a
// percent, so a reading just below zero stays negative (0xFFFF is -0.01 %).
// Missing bytes read as zero.
std::array<double, kSpectralPointCount> decodeSpectralValues(const QByteArray& bytes, int offset);

// One spectral measurement: request AB 20 49 00 3E 00, a 70-byte reply whose
// byte 1 echoes 0x20 or byte 4 echoes 0x3E, values from byte 6.
int measureSpectrum(Transport& transport, SpectralRecord& record);
// n measurements of one specimen, averaged band by band (mean or median);
// the first failure's result, and record untouched, when one fails.
int measureSpectrumReadings(Transport& transport, int n, bool median, SpectralRecord& record);

// Where and how the stored records are read: n records of 64 bytes (31
// values and the block checksum) and 16-byte names, each area in blocks of
// 256 bytes, the last one shorter; the value blocks first.
struct SpectralHistoryPlan
{
    static constexpr int kBlockBytes = 256;
    static constexpr int kRecordStride = 64;
    static constexpr int kNameBytes = 16;

    int count = 0;
    quint32 valueBase = 0;
    quint32 nameBase = 0;
    int valueBlocks = 0;
    int nameBlocks = 0;

    int blockCount() const { return valueBlocks + nameBlocks; }
    bool isValueBlock(int i) const { return i < valueBlocks; }
    quint32 blockAddress(int i) const;
    int blockLength(int i) const;
};
SpectralHistoryPlan spectralHistoryPlan(int count, int layout);

// Records from the bytes of both areas: values of record t at 64 t, its name
// (up to the first zero, UTF-8 or GB18030) at 16 t.
QList<NamedSpectrum> decodeSpectralHistory(const QByteArray& valueArea, const QByteArray& nameArea,
                                           int count);

enum class SpectralImportStatus {
    Done,
    CountChecksumBad, // the record count's data checksum did not match
    CountFailed,      // any other failure reading the count
    NoRecords,
    ValueBlockFailed,
    NameBlockFailed,
    Canceled,
};

struct SpectralImportResult
{
    SpectralImportStatus status = SpectralImportStatus::Done;
    QList<NamedSpectrum> records; // only when Done
};

// The whole history import as one exchange. begin(blockCount) is called
// once the count is known and before the first block; after each block,
// step(position) with its 0-based position among all blocks, and a false
// answer cancels the import (nothing is returned then).
SpectralImportResult importSpectralHistory(Transport& transport, int layout,
                                           const std::function<void(int)>& begin,
                                           const std::function<bool(int)>& step);
