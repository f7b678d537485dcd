#include "CurveColour.h"

namespace colorimetry {

Illuminant yellownessIlluminant(Illuminant chosen)
{
    return chosen == Illuminant::C ? Illuminant::C : Illuminant::D65;
}

CurveColour curveColour(const Curve& percent, const ColourConditions& conditions)
{
    const TristimulusWeights& weights = TristimulusWeights::standard(conditions.illuminant, conditions.observer);
    CurveColour c;
    c.xyz = weights.xyz(percent);
    c.lab = labFromXyz(c.xyz, weights.white());
    c.lch = lchFromLab(c.lab);
    c.yxy = yxyFromXyz(c.xyz, weights.white());
    const XyzColor d65 = conditions.illuminant == Illuminant::D65
                             ? c.xyz
                             : TristimulusWeights::standard(Illuminant::D65, conditions.observer).xyz(percent);
    c.whiteness = cieWhiteness(d65, conditions.observer);
    const Illuminant yellow = yellownessIlluminant(conditions.illuminant);
    c.yellowness = yellownessE313(yellow == conditions.illuminant ? c.xyz : d65, yellow, conditions.observer);
    return c;
}

} // namespace colorimetry
