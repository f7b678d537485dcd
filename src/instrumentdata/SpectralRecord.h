#pragma once
// Spectral curves as plain data: one record is 31 percentages at 400 .. 700 nm
// in 10 nm steps. Measured and imported by the instrument library, written
// and read by the exchange formats and the spreadsheets, drawn by the
// spectral dialog.

#include <QString>

#include <array>

constexpr int kSpectralPointCount = 31;
constexpr int kFirstWavelengthNm = 400;
constexpr int kWavelengthStepNm = 10;

struct SpectralRecord
{
    std::array<double, kSpectralPointCount> values{}; // percent, index k <-> 400 + 10 k nm
    bool shown = true;
};

struct NamedSpectrum
{
    SpectralRecord record;
    QString name; // empty when the instrument stored none
};
