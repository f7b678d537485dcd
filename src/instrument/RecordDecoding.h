#pragma once
// The comparison records an instrument keeps in its memory, turned into the
// values of a ComparisonRecord. Pure functions over bytes: where the records
// lie, how large each is, what its 16-bit words mean, and the names.

#include "ComparisonRecord.h"

#include <QByteArray>
#include <QString>

namespace RecordDecoding {

// Records of display mode 0..6 (current procedure): data at
// 0x400000 + 0x80000 x mode, 16-byte names 0x40000 above.
constexpr int kModeCount = 7;
constexpr int kNameRecordSize = 16;
constexpr int kNameShownBytes = 13; // the last 3 bytes of a name record are not part of the name
// Colour-difference records of the first-generation colorimeters.
constexpr quint32 kLegacyDataArea = 0x10000;
constexpr quint32 kLegacyNameArea = 0x20000;
constexpr int kLegacyDataSize = 12;
constexpr int kLegacyNameSize = 14;
// The largest block one read request moves.
constexpr int kPageBytes = 256;

// Bytes of one data record of display mode 0..6 (8, 4, 4, 12, 24, 24, 20); 0 for another mode.
int dataRecordSize(int displayMode);
quint32 dataArea(int displayMode);
quint32 nameArea(int displayMode);
// Whether the mode's records carry L*a*b* (Lab, LCh, Yxy, Haze/T/Lab).
bool carriesLab(int displayMode);

// Fills result.standard and result.sample from one data record of the mode;
// values the mode does not carry stay 0. false (nothing changed) when the
// mode is unknown or record is shorter than the mode's record size.
bool decodeComparisonRecord(int displayMode, const QByteArray& record, ComparisonRecord& result);
// Fills result.legacyStandard and result.legacySample (L*, a*, b* as stored,
// C* and h from a* and b*). false when record is shorter than 12 bytes.
bool decodeLegacyRecord(const QByteArray& record, ComparisonRecord& result);

// The name of a 16-byte name record: its first 13 bytes, up to the first zero.
// A UTF-8 name whose 13th byte splits a character keeps the whole characters
// before the cut rather than falling back to GB18030.
QString comparisonRecordName(const QByteArray& nameRecord);
// The name of a 14-byte legacy name record (all 14 bytes).
QString legacyRecordName(const QByteArray& nameRecord);

// Page j of an area of `total` bytes: its length, at most 256 bytes.
inline int pageLength(int total, int page)
{
    const int left = total - kPageBytes * page;
    return left < kPageBytes ? left : kPageBytes;
}
inline int pageCount(int total)
{
    return (total + kPageBytes - 1) / kPageBytes;
}

} // namespace RecordDecoding
