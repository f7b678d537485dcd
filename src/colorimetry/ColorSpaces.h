#pragma once
// The colour spaces of an XYZ, each against the white of the illuminant and
// observer it was computed for (TristimulusWeights::white()). Exact CIE
// constants (216/24389, 24389/27), unlike the instruments' truncated ones in
// tintwell_color's Colorimetry.h.

#include "Colorimetry.h" // LabColor, XyzColor, LuvColor

namespace colorimetry {

struct LchColor
{
    double l = 0.0;
    double c = 0.0;
    double h = 0.0; // degrees, 0 <= h < 360
};

struct YxyColor
{
    double y = 0.0;  // luminance factor Y
    double cx = 0.0; // chromaticity x
    double cy = 0.0; // chromaticity y
};

LabColor labFromXyz(const XyzColor& xyz, const XyzColor& white);
LchColor lchFromLab(const LabColor& lab);
// x = X / (X + Y + Z); a black (X + Y + Z = 0) has no chromaticity of its own
// and is given the white's, as is usual.
YxyColor yxyFromXyz(const XyzColor& xyz, const XyzColor& white);
LuvColor luvFromXyz(const XyzColor& xyz, const XyzColor& white);

// u', v' of the CIE 1976 UCS; the white's for a black.
struct UvPrime
{
    double u = 0.0;
    double v = 0.0;
};
UvPrime uvPrime(const XyzColor& xyz, const XyzColor& white);

} // namespace colorimetry
