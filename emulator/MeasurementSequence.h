#pragma once
// What the emulated optics measure, and how the instrument encodes it: the
// 54-byte measurement record, the 24-byte result blocks and spectral curves.

#include <QByteArray>
#include <QList>

#include <array>

// One reading in physical units.
struct EmulatorReading
{
    double L = 0.0;
    double a = 0.0;
    double b = 0.0;
    double haze = 0.0;          // percent
    double transmittance = 0.0; // percent
};

// The 21 values r0 ... r20 of the measurement record as the instrument stores
// them (scaled integers): L*a*b* x100, X Y Z x100, L*C* x100, h x10 (x100 on a
// first-generation colorimeter), Y x100, x y x10000, four spare bytes, R G B,
// haze and transmittance x100.
struct MeasurementRecord
{
    std::array<int, 21> r{};
};

MeasurementRecord recordFromReading(const EmulatorReading& reading, bool firstGeneration);

// Record bytes 0..53 (reply bytes 8..61); r19 and r20 start at odd offsets.
QByteArray encodeMeasurementRecord(const MeasurementRecord& record);
// The 24 data bytes of result block 0x20 + k (k = display mode 0..5).
QByteArray encodeMeasurementBlock(const MeasurementRecord& record, int k);

// The built-in sequence: a film (transmittance instruments) or a plaque
// (reflectance instruments), each reading drifting a little from the first,
// deterministically, so that comparisons against the first reading give both
// verdicts under the factory tolerances (haze 0.50, T 1.00, threshold 1.0).
EmulatorReading builtInReading(int index, bool film);

// 31 percentages for 400 ... 700 nm; reading `index` drifts like builtInReading.
QList<double> builtInSpectrum(int index, bool transmittance);

// sRGB swatch colour of an L*a*b* colour, each 0..255.
std::array<int, 3> swatchColor(double L, double a, double b);
