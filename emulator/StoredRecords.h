#pragma once
// The records an instrument leaves the factory with (and the benchmark
// imports): comparison records of every display mode, colour-difference
// records of the first-generation colorimeters, spectral records.

#include <QByteArray>
#include <QList>

namespace StoredRecords {

// Factory counts per display mode 0..6 (the Lab count of 30 spans two data pages).
constexpr int kDefaultCounts[7] = {25, 20, 18, 30, 40, 22, 15};
constexpr int kDefaultLegacyCount = 12;
constexpr int kDefaultSpectralCount = 5;

// Data record `index` of display mode 0..6 (8, 4, 4, 12, 24, 24 or 20 bytes).
QByteArray comparisonRecord(int mode, int index, bool film);
// Its 16-byte name record. Record 1 holds exactly 13 characters, record 2 fills
// all 16 bytes without a terminating zero; the others are short.
QByteArray comparisonName(int mode, int index);
// Colour-difference record (standard and sample L*a*b*, 12 bytes) and its 14-byte name.
QByteArray legacyRecord(int index);
QByteArray legacyName(int index);
// Spectral record name: record 2 is unnamed, record 3 fills all 16 bytes.
QByteArray spectralName(int index);

// Zero-pads or cuts text to a fixed-size name record.
QByteArray nameRecord(const QByteArray& text, int size);

} // namespace StoredRecords
