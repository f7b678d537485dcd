#include "ColorSpaces.h"

#include <cmath>

namespace colorimetry {

namespace {

constexpr double kEpsilon = 216.0 / 24389.0;
constexpr double kKappa = 24389.0 / 27.0;
constexpr double kPi = 3.14159265358979323846;

double labF(double t)
{
    return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0;
}

double lightness(double yRatio)
{
    return yRatio > kEpsilon ? 116.0 * std::cbrt(yRatio) - 16.0 : kKappa * yRatio;
}

} // namespace

LabColor labFromXyz(const XyzColor& xyz, const XyzColor& white)
{
    const double fx = labF(xyz.x / white.x);
    const double fy = labF(xyz.y / white.y);
    const double fz = labF(xyz.z / white.z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

LchColor lchFromLab(const LabColor& lab)
{
    double h = std::atan2(lab.b, lab.a) * 180.0 / kPi;
    if (h < 0.0) {
        h += 360.0;
    }
    if (h >= 360.0) {
        h -= 360.0;
    }
    return {lab.l, std::hypot(lab.a, lab.b), h};
}

YxyColor yxyFromXyz(const XyzColor& xyz, const XyzColor& white)
{
    double sum = xyz.x + xyz.y + xyz.z;
    const XyzColor& chromatic = sum > 0.0 ? xyz : white;
    sum = chromatic.x + chromatic.y + chromatic.z;
    return {xyz.y, chromatic.x / sum, chromatic.y / sum};
}

UvPrime uvPrime(const XyzColor& xyz, const XyzColor& white)
{
    double d = xyz.x + 15.0 * xyz.y + 3.0 * xyz.z;
    const XyzColor& chromatic = d > 0.0 ? xyz : white;
    d = chromatic.x + 15.0 * chromatic.y + 3.0 * chromatic.z;
    return {4.0 * chromatic.x / d, 9.0 * chromatic.y / d};
}

LuvColor luvFromXyz(const XyzColor& xyz, const XyzColor& white)
{
    const double l = lightness(xyz.y / white.y);
    const UvPrime sample = uvPrime(xyz, white);
    const UvPrime reference = uvPrime(white, white);
    return {l, 13.0 * l * (sample.u - reference.u), 13.0 * l * (sample.v - reference.v)};
}

} // namespace colorimetry
