#pragma once
// The colour of one curve under an illuminant and observer, as the spectral
// dialog shows it and the exports write it: XYZ, L*a*b*, L*C*h and Yxy
// against that illuminant's and observer's white, CIE whiteness and tint
// (always under D65) and E313 yellowness (under C or D65).

#include "ColorIndices.h"

#include <optional>

namespace colorimetry {

// The illuminant and observer a curve's colour is computed for.
struct ColourConditions
{
    Illuminant illuminant = Illuminant::D65;
    Observer observer = Observer::Cie1964TenDegree;
};

struct CurveColour
{
    XyzColor xyz;
    LabColor lab;
    LchColor lch;
    YxyColor yxy;
    // Under D65 and the observer, as CIE defines them; none for a black.
    std::optional<WhitenessResult> whiteness;
    // Under yellownessIlluminant(); none for Y <= 0.
    std::optional<YellownessResult> yellowness;
};

// E313 has coefficients for C and D65 only: C when C is chosen, else D65.
Illuminant yellownessIlluminant(Illuminant chosen);

CurveColour curveColour(const Curve& percent, const ColourConditions& conditions);

} // namespace colorimetry
