#pragma once
// Tristimulus weights for the instruments' curves: 31 bands, 400..700 nm in
// 10 nm steps, values in percent (a perfect white reads 100 in every band and
// gives Y = 100).
//
// The weights are built the way ASTM E2022 builds the 10 nm tables of
// ASTM E308 for spectral data already corrected for bandpass (the table CxF3
// names E308_Table5): every 5 nm point of the CIE tables between 360 and
// 780 nm is reached from the 10 nm bands by Lagrange interpolation (cubic
// inside, quadratic in the first and last interval), and the weight of a band
// is the sum of illuminant x colour-matching function x its Lagrange
// coefficient. The curve stops at 400 and 700 nm, so the weights of 360..390
// are added to the 400 nm band and those of 710..780 to the 700 nm band (the
// curve's end values held outward), never dropped.

#include "Colorimetry.h" // XyzColor (tintwell_color)
#include "SpectralPower.h"

#include <array>

namespace colorimetry {

inline constexpr int kBandCount = 31;
inline constexpr int kFirstBandNm = 400;
inline constexpr int kBandStepNm = 10;
// The range of the full 10 nm table before the ends are folded in.
inline constexpr int kTableStartNm = 360;
inline constexpr int kTableEndNm = 780;
inline constexpr int kTableBandCount = (kTableEndNm - kTableStartNm) / kBandStepNm + 1;

using Curve = std::array<double, kBandCount>; // percent, index k <-> 400 + 10 k nm

class TristimulusWeights
{
public:
    // The weights of a distribution (a standard illuminant or a user's own)
    // for an observer. A distribution off the CIE tables' 5 nm grid is read
    // there by linear interpolation; where it has no value it adds nothing.
    // Empty weights (white() all zero) for an empty or powerless distribution.
    static TristimulusWeights forDistribution(const SpectralPowerDistribution& spd, Observer observer);
    // Computed once per illuminant and observer, then shared (thread-safe).
    static const TristimulusWeights& standard(Illuminant illuminant, Observer observer);

    bool isValid() const { return white_.y > 0.0; }
    // XYZ of a curve in percent.
    XyzColor xyz(const Curve& percent) const
    {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        for (int i = 0; i < kBandCount; ++i) {
            x += bands_[0][i] * percent[i];
            y += bands_[1][i] * percent[i];
            z += bands_[2][i] * percent[i];
        }
        return {x, y, z};
    }
    // XYZ of the perfect white (Y = 100): the sum of each row of weights.
    const XyzColor& white() const { return white_; }
    // Row 0..2 (X, Y, Z) of the folded 31-band weights, per percent.
    const std::array<double, kBandCount>& bandWeights(int row) const { return bands_[row]; }
    // Row 0..2 of the unfolded 360..780 nm table, per percent.
    const std::array<double, kTableBandCount>& tableWeights(int row) const { return table_[row]; }

private:
    std::array<std::array<double, kBandCount>, 3> bands_{};
    std::array<std::array<double, kTableBandCount>, 3> table_{};
    XyzColor white_;
};

// XYZ of a curve under a standard illuminant and observer.
inline XyzColor curveXyz(const Curve& percent, Illuminant illuminant, Observer observer)
{
    return TristimulusWeights::standard(illuminant, observer).xyz(percent);
}

} // namespace colorimetry
