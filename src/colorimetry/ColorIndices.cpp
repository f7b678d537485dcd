#include "ColorIndices.h"

#include "CieTables.h"
#include "DeltaE.h"

#include <cmath>
#include <limits>

namespace colorimetry {

std::optional<WhitenessResult> cieWhiteness(const XyzColor& d65Xyz, Observer observer)
{
    const XyzColor& whiteXyz = TristimulusWeights::standard(Illuminant::D65, observer).white();
    if (!(d65Xyz.x + d65Xyz.y + d65Xyz.z > 0.0)) {
        return std::nullopt;
    }
    const YxyColor sample = yxyFromXyz(d65Xyz, whiteXyz);
    const YxyColor white = yxyFromXyz(whiteXyz, whiteXyz);
    const double dx = white.cx - sample.cx;
    const double dy = white.cy - sample.cy;
    const double tintX = observer == Observer::Cie1931TwoDegree ? 1000.0 : 900.0;
    WhitenessResult result;
    result.whiteness = sample.y + 800.0 * dx + 1700.0 * dy;
    result.tint = tintX * dx - 650.0 * dy;
    result.inRange = result.whiteness > 40.0 && result.whiteness < 5.0 * sample.y - 280.0
        && result.tint > -4.0 && result.tint < 2.0;
    return result;
}

std::optional<WhitenessResult> cieWhiteness(const Curve& percent, Observer observer)
{
    return cieWhiteness(curveXyz(percent, Illuminant::D65, observer), observer);
}

std::optional<YellownessResult> yellownessE313(const XyzColor& xyz, Illuminant illuminant, Observer observer)
{
    const bool ten = observer == Observer::Cie1964TenDegree;
    double cx = 0.0;
    double cz = 0.0;
    if (illuminant == Illuminant::C) {
        cx = ten ? 1.2871 : 1.2769;
        cz = ten ? 1.0781 : 1.0592;
    } else if (illuminant == Illuminant::D65) {
        cx = ten ? 1.3013 : 1.2985;
        cz = ten ? 1.1498 : 1.1335;
    } else {
        return std::nullopt;
    }
    if (!(xyz.y > 0.0)) {
        return std::nullopt;
    }
    const XyzColor& whiteXyz = TristimulusWeights::standard(illuminant, observer).white();
    YellownessResult result;
    result.yellowness = 100.0 * (cx * xyz.x - cz * xyz.z) / xyz.y;
    const std::optional<DominantWavelength> dominant =
        dominantWavelength(yxyFromXyz(xyz, whiteXyz), yxyFromXyz(whiteXyz, whiteXyz), observer);
    result.inRange = dominant && !dominant->complementary && dominant->nm >= 570.0 && dominant->nm <= 580.0;
    return result;
}

std::optional<YellownessResult> yellownessE313(const Curve& percent, Illuminant illuminant, Observer observer)
{
    return yellownessE313(curveXyz(percent, illuminant, observer), illuminant, observer);
}

std::optional<DominantWavelength> dominantWavelength(const YxyColor& color, const YxyColor& white,
                                                     Observer observer)
{
    const double dx = color.cx - white.cx;
    const double dy = color.cy - white.cy;
    if (std::hypot(dx, dy) < 1e-9) {
        return std::nullopt;
    }
    const cie::Table& cmf = observer == Observer::Cie1931TwoDegree ? cie::observer1931 : cie::observer1964;
    constexpr int stepNm = 5;
    // The nearest crossing of the locus ahead of the white (t > 0), else the
    // nearest behind it (the complementary wavelength).
    double bestAhead = std::numeric_limits<double>::infinity();
    double bestBehind = std::numeric_limits<double>::infinity();
    double nmAhead = 0.0;
    double nmBehind = 0.0;
    auto locus = [&](int nm, double& x, double& y) {
        const double sx = cmf.at(0, nm);
        const double sy = cmf.at(1, nm);
        const double sum = sx + sy + cmf.at(2, nm);
        x = sx / sum;
        y = sy / sum;
    };
    for (int nm = kTableStartNm; nm + stepNm <= kTableEndNm; nm += stepNm) {
        double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
        locus(nm, x0, y0);
        locus(nm + stepNm, x1, y1);
        const double ex = x1 - x0;
        const double ey = y1 - y0;
        // white + t d = p0 + u e
        const double det = ex * dy - ey * dx;
        if (std::abs(det) < 1e-15) {
            continue;
        }
        const double qx = x0 - white.cx;
        const double qy = y0 - white.cy;
        const double t = (ex * qy - ey * qx) / det;
        const double u = (dx * qy - dy * qx) / det;
        if (u < 0.0 || u > 1.0) {
            continue;
        }
        const double nmHere = nm + stepNm * u;
        if (t > 0.0 && t < bestAhead) {
            bestAhead = t;
            nmAhead = nmHere;
        } else if (t < 0.0 && -t < bestBehind) {
            bestBehind = -t;
            nmBehind = nmHere;
        }
    }
    if (std::isfinite(bestAhead)) {
        return DominantWavelength{nmAhead, false};
    }
    if (std::isfinite(bestBehind)) {
        return DominantWavelength{nmBehind, true};
    }
    return std::nullopt;
}

MetamerismResult metamerismIndex(const Curve& standard, const Curve& sample,
                                 const TristimulusWeights& reference, const TristimulusWeights& test)
{
    const LabColor standardRef = labFromXyz(reference.xyz(standard), reference.white());
    const LabColor sampleRef = labFromXyz(reference.xyz(sample), reference.white());
    MetamerismResult result;
    result.standardTest = labFromXyz(test.xyz(standard), test.white());
    const LabColor sampleTest = labFromXyz(test.xyz(sample), test.white());
    result.correctedSampleTest = {sampleTest.l - (sampleRef.l - standardRef.l),
                                  sampleTest.a - (sampleRef.a - standardRef.a),
                                  sampleTest.b - (sampleRef.b - standardRef.b)};
    result.deltaEab = deltaE(DeltaEFormula::CieAb, result.standardTest, result.correctedSampleTest);
    result.deltaE00 = deltaE(DeltaEFormula::Cie2000, result.standardTest, result.correctedSampleTest);
    return result;
}

MetamerismResult metamerismIndex(const Curve& standard, const Curve& sample, Illuminant reference,
                                 Illuminant test, Observer observer)
{
    return metamerismIndex(standard, sample, TristimulusWeights::standard(reference, observer),
                           TristimulusWeights::standard(test, observer));
}

} // namespace colorimetry
