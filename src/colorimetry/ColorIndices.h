#pragma once
// Single-number indices of a curve's colour: CIE whiteness and tint, ASTM
// E313 yellowness, the dominant wavelength they are judged by, and the
// metamerism index of a pair under a change of illuminant. Each index that a
// standard restricts to a range of specimens says whether this one is inside.

#include "ColorSpaces.h"
#include "TristimulusWeights.h"

#include <optional>

namespace colorimetry {

struct WhitenessResult
{
    double whiteness = 0.0; // W (W10 for the 10° observer)
    double tint = 0.0;      // Tw (Tw,10)
    // CIE restricts the formulae to 40 < W < 5Y - 280 and -4 < Tw < 2.
    bool inRange = false;
};

// CIE whiteness and tint of an XYZ taken under D65 with the observer:
// W = Y + 800 (xn - x) + 1700 (yn - y), Tw = 1000 (xn - x) - 650 (yn - y)
// (900 in place of 1000 for 10°), xn, yn the perfect white's under D65.
// No result for a black (no chromaticity).
std::optional<WhitenessResult> cieWhiteness(const XyzColor& d65Xyz, Observer observer);
std::optional<WhitenessResult> cieWhiteness(const Curve& percent, Observer observer);

struct YellownessResult
{
    double yellowness = 0.0;
    // E313 restricts yellowness to dominant wavelengths of 570 to 580 nm.
    bool inRange = false;
};

// ASTM E313 yellowness YI = 100 (Cx X - Cz Z) / Y with the coefficients E313
// gives for C and D65, 2° and 10° (C/2°: 1.2769, 1.0592; C/10°: 1.2871,
// 1.0781; D65/2°: 1.2985, 1.1335; D65/10°: 1.3013, 1.1498). No result under
// another illuminant (E313 has no coefficients for it) or for Y <= 0.
std::optional<YellownessResult> yellownessE313(const XyzColor& xyz, Illuminant illuminant, Observer observer);
std::optional<YellownessResult> yellownessE313(const Curve& percent, Illuminant illuminant, Observer observer);

struct DominantWavelength
{
    double nm = 0.0;
    // The line from the white through the colour meets the purple line: nm is
    // the complementary wavelength, on the far side of the white.
    bool complementary = false;
};

// Where the line from the white's chromaticity through the colour's meets the
// spectrum locus of the observer (360..780 nm, 5 nm, linear in between).
// No result when the colour sits on the white.
std::optional<DominantWavelength> dominantWavelength(const YxyColor& color, const YxyColor& white,
                                                     Observer observer);

struct MetamerismResult
{
    double deltaEab = 0.0; // the index: delta-E*ab of the corrected pair
    double deltaE00 = 0.0; // CIEDE2000 of the same pair
    LabColor standardTest;        // the standard under the test illuminant
    LabColor correctedSampleTest; // the sample under it, corrected
};

// Metamerism index for a change of illuminant with the additive correction:
// the pair's L*a*b* differences under the reference illuminant are taken off
// the sample's L*a*b* under the test illuminant, and the index is the
// colour difference between the standard and that corrected sample, both
// under the test illuminant. A pair that matches under the reference keeps
// its own difference under the test illuminant.
MetamerismResult metamerismIndex(const Curve& standard, const Curve& sample,
                                 const TristimulusWeights& reference, const TristimulusWeights& test);
MetamerismResult metamerismIndex(const Curve& standard, const Curve& sample, Illuminant reference,
                                 Illuminant test, Observer observer);

} // namespace colorimetry
