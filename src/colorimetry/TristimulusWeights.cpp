#include "TristimulusWeights.h"

#include "CieTables.h"

namespace colorimetry {

namespace {

constexpr int kCieStepNm = 5;

const cie::Table& observerTable(Observer observer)
{
    return observer == Observer::Cie1931TwoDegree ? cie::observer1931 : cie::observer1964;
}

// Adds coefficient * weight to the table bands that the Lagrange polynomial
// through the 10 nm bands uses for the 5 nm point nm.
template <typename Add>
void lagrangeCoefficients(int nm, Add add)
{
    const int offset = nm - kTableStartNm;
    const int band = offset / kBandStepNm;
    if (offset % kBandStepNm == 0) {
        add(band, 1.0);
        return;
    }
    // A midpoint between band and band + 1.
    const int lastInterval = kTableBandCount - 2;
    if (band == 0) {
        // Quadratic through the first three bands at x = 0.5.
        add(0, 0.375);
        add(1, 0.75);
        add(2, -0.125);
    } else if (band == lastInterval) {
        // Quadratic through the last three bands at x = 1.5.
        add(lastInterval - 1, -0.125);
        add(lastInterval, 0.75);
        add(lastInterval + 1, 0.375);
    } else {
        // Cubic through band - 1 .. band + 2 at the middle.
        add(band - 1, -1.0 / 16.0);
        add(band, 9.0 / 16.0);
        add(band + 1, 9.0 / 16.0);
        add(band + 2, -1.0 / 16.0);
    }
}

} // namespace

TristimulusWeights TristimulusWeights::forDistribution(const SpectralPowerDistribution& spd,
                                                       Observer observer)
{
    TristimulusWeights weights;
    if (spd.isEmpty()) {
        return weights;
    }
    const cie::Table& cmf = observerTable(observer);
    std::array<std::array<double, kTableBandCount>, 3> raw{};
    double normaliser = 0.0;
    for (int nm = kTableStartNm; nm <= kTableEndNm; nm += kCieStepNm) {
        const double power = spd.at(nm).value_or(0.0);
        if (power == 0.0) {
            continue;
        }
        const double products[3] = {power * cmf.at(0, nm), power * cmf.at(1, nm), power * cmf.at(2, nm)};
        normaliser += products[1];
        lagrangeCoefficients(nm, [&](int band, double coefficient) {
            for (int row = 0; row < 3; ++row) {
                raw[row][band] += products[row] * coefficient;
            }
        });
    }
    if (!(normaliser > 0.0)) {
        return weights;
    }
    // Y = 100 for a curve of 100 % everywhere: weights per percent.
    const double k = 1.0 / normaliser;
    const int firstBand = (kFirstBandNm - kTableStartNm) / kBandStepNm;
    const int lastBand = firstBand + kBandCount - 1;
    double white[3] = {0.0, 0.0, 0.0};
    for (int row = 0; row < 3; ++row) {
        for (int band = 0; band < kTableBandCount; ++band) {
            const double w = raw[row][band] * k;
            weights.table_[row][band] = w;
            const int folded = band < firstBand ? 0 : band > lastBand ? kBandCount - 1 : band - firstBand;
            weights.bands_[row][folded] += w;
            white[row] += w * 100.0;
        }
    }
    weights.white_ = {white[0], white[1], white[2]};
    return weights;
}

const TristimulusWeights& TristimulusWeights::standard(Illuminant illuminant, Observer observer)
{
    constexpr int observerCount = int(std::size(kAllObservers));
    static const auto all = [] {
        std::array<TristimulusWeights, std::size(kAllIlluminants) * std::size(kAllObservers)> built;
        for (Illuminant each : kAllIlluminants) {
            const SpectralPowerDistribution spd = standardIlluminant(each);
            for (Observer view : kAllObservers) {
                built[std::size_t(int(each) * observerCount + int(view))] = forDistribution(spd, view);
            }
        }
        return built;
    }();
    return all[std::size_t(int(illuminant) * observerCount + int(observer))];
}

} // namespace colorimetry
