#include "Colorimetry.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace {

double liftLightness(double t)
{
    using namespace ColorConstants;
    if (t > cubeThreshold) {
        return t * t * t;
    }
    if (t > linearOffset) {
        return (t - linearOffset) / linearSlope;
    }
    // At or below the offset the linear part would go negative; the instrument
    // gives 0, so X, Y and Z are never negative.
    return 0.0;
}

} // namespace

QuantityFormat quantityFormat(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Haze:
    case Quantity::Transmittance:
        return {100, 2, "%"};
    case Quantity::L:
    case Quantity::A:
    case Quantity::B:
    case Quantity::LchL:
    case Quantity::Chroma:
    case Quantity::LuminanceY:
    case Quantity::LegacyHue:
        return {100, 2, ""};
    case Quantity::Hue:
        return {10, 1, ""};
    case Quantity::ChromaticityX:
    case Quantity::ChromaticityY:
        return {10000, 4, ""};
    }
    Q_UNREACHABLE();
    return {1, 0, ""};
}

double scaledValue(Quantity quantity, int raw)
{
    return static_cast<double>(raw) / quantityFormat(quantity).divisor;
}

QString formatValue(Quantity quantity, double value)
{
    const QuantityFormat format = quantityFormat(quantity);
    return QString::number(value, 'f', format.decimals) + QLatin1String(format.suffix);
}

QString formatScaled(Quantity quantity, int raw)
{
    return formatValue(quantity, scaledValue(quantity, raw));
}

QString formatDifference(double difference)
{
    return QString::number(difference, 'g', 6);
}

QString formatDeltaE(double deltaE)
{
    return QString::number(deltaE, 'f', 2);
}

QString formatThreshold(double threshold)
{
    return QString::number(threshold, 'f', 1);
}

ColorReading scaleMeasurement(const std::array<int, 21>& raw)
{
    ColorReading reading;
    reading.lab = {scaledValue(Quantity::L, raw[0]), scaledValue(Quantity::A, raw[1]),
                   scaledValue(Quantity::B, raw[2])};
    reading.lchL = scaledValue(Quantity::LchL, raw[6]);
    reading.chroma = scaledValue(Quantity::Chroma, raw[7]);
    reading.hue = scaledValue(Quantity::Hue, raw[8]);
    reading.luminanceY = scaledValue(Quantity::LuminanceY, raw[9]);
    reading.chromaticityX = scaledValue(Quantity::ChromaticityX, raw[10]);
    reading.chromaticityY = scaledValue(Quantity::ChromaticityY, raw[11]);
    reading.red = raw[16];
    reading.green = raw[17];
    reading.blue = raw[18];
    reading.haze = scaledValue(Quantity::Haze, raw[19]);
    reading.transmittance = scaledValue(Quantity::Transmittance, raw[20]);
    return reading;
}

double chroma(double a, double b)
{
    return std::sqrt(a * a + b * b);
}

double hueAngle(double a, double b)
{
    if (a == 0.0) {
        if (b > 0.0) {
            return 90.0;
        }
        return b < 0.0 ? 270.0 : 0.0;
    }
    if (b == 0.0) {
        return a > 0.0 ? 0.0 : 180.0;
    }
    const double theta = std::atan(b / a) * ColorConstants::degreesPerRadian;
    double hue = theta;
    if (a < 0.0) {
        hue = theta + 180.0;
    } else if (b < 0.0) {
        hue = theta + 360.0;
    }
    // The instrument bounds the angle to 0..360; for finite a and b the
    // quadrant rules above already stay inside.
    return std::clamp(hue, 0.0, 360.0);
}

double displayHue(double a, double b)
{
    if (a == 0.0) {
        if (b > 0.0) {
            return 90.0;
        }
        return b < 0.0 ? 270.0 : 0.0;
    }
    const double degreesPerRadian = 45.0 / std::atan(1.0);
    const double theta = std::atan(b / a) * degreesPerRadian;
    if (a < 0.0) {
        return theta + 180.0;
    }
    return b < 0.0 ? theta + 360.0 : theta;
}

XyzColor labToXyz(const LabColor& lab)
{
    const double fy = (lab.l + 16.0) / 116.0;
    const double fx = fy + lab.a / 500.0;
    const double fz = fy - lab.b / 200.0;
    return {ColorConstants::whiteX * liftLightness(fx), ColorConstants::whiteY * liftLightness(fy),
            ColorConstants::whiteZ * liftLightness(fz)};
}

LuvColor labToLuv(const LabColor& lab)
{
    using namespace ColorConstants;
    const XyzColor xyz = labToXyz(lab);
    LuvColor luv{lab.l, 0.0, 0.0};
    if (xyz.x == 0.0 && xyz.y == 0.0 && xyz.z == 0.0) {
        return luv;
    }
    // Never zero here: X, Y and Z are non-negative and not all zero.
    const double d = xyz.x + 15.0 * xyz.y + 3.0 * xyz.z;
    const double u = 13.0 * lab.l * (4.0 * xyz.x / d - whiteU);
    const double v = 13.0 * lab.l * (9.0 * xyz.y / d - whiteV);
    luv.u = std::clamp(u, -uvLimit, uvLimit);
    luv.v = std::clamp(v, -uvLimit, uvLimit);
    return luv;
}
