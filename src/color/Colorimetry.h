#pragma once
#include <QString>
#include <array>

// Colour arithmetic the application does itself. The instruments do their own
// colorimetry; what is left here is scaling their integers into displayed
// quantities, hue and chroma, and the L*a*b* -> XYZ -> L*u*v* path that the
// delta-E*uv formula needs. Everything is a pure function.

// A CIE L*a*b* triple in ordinary units (L* 0 to 100). In every two-colour
// operation the first operand is the standard and the second the sample.
struct LabColor
{
    double l = 0.0;
    double a = 0.0;
    double b = 0.0;
};

struct XyzColor
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct LuvColor
{
    double l = 0.0;
    double u = 0.0;
    double v = 0.0;
};

namespace ColorConstants {
// The instruments' firmware uses these truncated factors; results have to agree
// with what the instrument shows, so they are not replaced by exact values.
constexpr double degreesPerRadian = 57.2957805;
constexpr double radiansPerDegree = 0.0174532;

// Reference white and L*u*v* constants, each as the instrument writes it and
// deliberately not derived from one another.
constexpr double whiteX = 94.81;
constexpr double whiteY = 100.0;
constexpr double whiteZ = 107.32;
constexpr double whiteU = 0.1978537;
constexpr double whiteV = 0.4695399;
constexpr double cubeThreshold = 0.2068966;
constexpr double linearOffset = 0.137931;
constexpr double linearSlope = 7.787037;
constexpr double uvLimit = 300.0;
} // namespace ColorConstants

// The quantities an instrument reports, each sent as an integer with a fixed
// scale and shown with a fixed number of decimals.
enum class Quantity {
    Haze,
    Transmittance,
    L,
    A,
    B,
    LchL,
    Chroma,
    Hue,       // hue of the full measurement and the measurement blocks
    LegacyHue, // hue of the first-generation measurement reply
    LuminanceY,
    ChromaticityX,
    ChromaticityY,
};

struct QuantityFormat
{
    int divisor;
    int decimals;
    const char* suffix;
};

QuantityFormat quantityFormat(Quantity quantity);
// The instrument's integer divided down to the displayed unit.
double scaledValue(Quantity quantity, int raw);
// An already scaled value in fixed-point with the quantity's decimals and
// suffix ("12.34%"); never exponent form, however large or small.
QString formatValue(Quantity quantity, double value);
// scaledValue followed by formatValue.
QString formatScaled(Quantity quantity, int raw);
// A difference as the comparison display shows it: shortest general form with
// at most 6 significant digits ("0.5", "-1.25").
QString formatDifference(double difference);
// Delta-E with two decimals, a delta-E threshold with one.
QString formatDeltaE(double deltaE);
QString formatThreshold(double threshold);

// The values of one measurement after scaling (units of the table above).
struct ColorReading
{
    double haze = 0.0;
    double transmittance = 0.0;
    LabColor lab;
    double lchL = 0.0;
    double chroma = 0.0;
    double hue = 0.0;
    double luminanceY = 0.0;
    double chromaticityX = 0.0;
    double chromaticityY = 0.0;
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The 21 integers of a full measurement result, in the instrument's order:
// L*, a*, b*, three unused, L*, C*, h, Y, x, y, four unused, R, G, B, Haze, T.
ColorReading scaleMeasurement(const std::array<int, 21>& raw);

// C* = sqrt(a*^2 + b*^2).
double chroma(double a, double b);
// Hue angle in degrees, 0 to 360, as the colour-difference formulas use it.
double hueAngle(double a, double b);
// Hue angle in degrees as shown beside imported records (exact 180/pi).
double displayHue(double a, double b);

XyzColor labToXyz(const LabColor& lab);
LuvColor labToLuv(const LabColor& lab);
