#pragma once
// Measurements from the PC and the result blocks of the current display mode.
// The caller holds the receive worker's mutex. Results are ProtocolResult codes.

#include <QByteArray>

#include <array>

class Transport;

// The full measurement record (54 bytes at result address 0), as stored:
// r0..r5 signed, the rest unsigned; r16..r18 the swatch colour.
struct MeasurementValues
{
    int r0 = 0, r1 = 0, r2 = 0, r3 = 0, r4 = 0, r5 = 0;
    int r6 = 0, r7 = 0, r8 = 0, r9 = 0, r10 = 0, r11 = 0;
    int r12 = 0, r13 = 0, r14 = 0, r15 = 0;
    int r16 = 0, r17 = 0, r18 = 0;
    int r19 = 0, r20 = 0;
};

// The result block of display mode k (0 hazeT .. 5 Yxy): three leading bytes,
// then valueCount 16-bit values (signed or unsigned as the block defines).
struct MeasurementBlock
{
    int mode = 0;
    std::array<int, 3> bytes{};
    std::array<int, 6> values{};
    int valueCount = 0;
};

// Measures and returns the full record.
int takeMeasurement(Transport& transport, MeasurementValues& values);
// The older path: requests the record, waits 1500 ms, then reads it without
// the frame checksum; fills r0, r1, r2, r7, r8, r16, r17, r18 only.
int readMeasurementLegacy(Transport& transport, MeasurementValues& values);
// k 0..5 (mode 6 has no block of its own: ValueDoesNotFit, nothing sent).
int readMeasurementBlock(Transport& transport, int k, MeasurementBlock& block);

// The values of a measurement-record frame (a reply, or a frame the instrument
// pushes unasked), header at byte 0. false when the frame is too short to hold
// them (up to byte 42).
bool decodeMeasurementRecord(const QByteArray& frame, MeasurementValues& values);
// The values of a frame of result block k (0..5), header at byte 0, at the
// positions readMeasurementBlock reads. false for k outside 0..5 or a frame
// too short to hold them.
bool decodeMeasurementBlock(const QByteArray& frame, int k, MeasurementBlock& block);
