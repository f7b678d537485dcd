#pragma once
// Illuminants and observers of the colorimetry engine, and the spectral power
// distributions behind the illuminants: the CIE tables colord-data ships
// (compiled in, CieTables.h), the CIE daylight series from the S0, S1, S2
// basis, and a user's own distribution read from a CGATS file.

#include <QIODevice>
#include <QString>

#include <optional>
#include <vector>

namespace colorimetry {

enum class Illuminant { A, C, D50, D55, D65, D75, F2, F7, F11 };
enum class Observer { Cie1931TwoDegree, Cie1964TenDegree };

inline constexpr Illuminant kAllIlluminants[] = {Illuminant::A,   Illuminant::C,   Illuminant::D50,
                                                 Illuminant::D55, Illuminant::D65, Illuminant::D75,
                                                 Illuminant::F2,  Illuminant::F7,  Illuminant::F11};
inline constexpr Observer kAllObservers[] = {Observer::Cie1931TwoDegree, Observer::Cie1964TenDegree};

// "A", "C", "D50", ..., "F11"; the observers "2°" and "10°".
QString illuminantName(Illuminant illuminant);
std::optional<Illuminant> illuminantFromName(const QString& name);
QString observerName(Observer observer);

// A relative spectral power distribution on a regular grid (values[i] at
// startNm + i * stepNm). The scale is free: weights are normalised.
struct SpectralPowerDistribution
{
    int startNm = 0;
    int stepNm = 0;
    std::vector<double> values;

    int endNm() const { return startNm + stepNm * (int(values.size()) - 1); }
    bool isEmpty() const { return values.empty() || stepNm <= 0; }
    // Linearly interpolated between grid points; no value outside the grid.
    std::optional<double> at(double nm) const;
};

// The CIE illuminant: A, C, D65, F2, F7, F11 as colord-data tabulates them;
// D50, D55 and D75 from the daylight basis, as CIE defines them.
SpectralPowerDistribution standardIlluminant(Illuminant illuminant);

// CIE daylight of a nominal correlated colour temperature (5000 for D50):
// the temperature is taken on the current radiation constant (x 1.4388 /
// 1.4380), M1 and M2 rounded to three decimals, 300..830 nm at 5 nm.
// Defined for 4000 K to 25000 K; empty outside.
SpectralPowerDistribution daylightIlluminant(double nominalKelvin);

// Why a file was refused; the screen that reads the file words it for the user.
enum class SpdError {
    None,
    CannotOpen,
    NoData,
    CountMismatch,   // fewer or more values than fields or bands
    NotANumber,
    NoWavelengths,   // neither SPEC_nnn fields nor the SPECTRAL_ keywords
    IrregularGrid,   // not evenly spaced, or not on whole nanometres
    NegativePower,   // negative or not finite
    NoPower,
    DoesNotCover,    // does not reach from 400 to 700 nm
};

struct SpdReadResult
{
    std::optional<SpectralPowerDistribution> spd;
    SpdError error = SpdError::None;
};

// A spectral power distribution from a CGATS file: the wavelengths from the
// SPEC_nnn fields of its data format (or, without one, from
// SPECTRAL_START_NM, SPECTRAL_END_NM and SPECTRAL_BANDS), the values from the
// first row of its first data set. Refused: no data, a value that is not a
// number, a count that does not match, an irregular grid, a negative or
// non-finite power, no power at all, a grid that does not cover 400..700 nm.
SpdReadResult readSpectralPowerDistribution(QIODevice& device);
SpdReadResult readSpectralPowerDistribution(const QString& path);

} // namespace colorimetry
