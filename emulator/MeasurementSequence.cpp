#include "MeasurementSequence.h"

#include "Bytes.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// White point of the instrument's L*a*b* (D65, 10 degree observer).
constexpr double kWhiteX = 94.81;
constexpr double kWhiteY = 100.0;
constexpr double kWhiteZ = 107.32;

struct Drift
{
    double dL, da, db, dHaze, dT;
};

// Offsets from the first reading. Against the first reading as standard,
// readings 3 and 5 fail every tolerance, 2 and 7 come close, the rest pass.
constexpr Drift kDrift[] = {
    {0.00, 0.00, 0.00, 0.00, 0.00},
    {0.12, -0.05, 0.08, 0.10, -0.15},
    {-0.35, 0.22, 0.41, 0.32, 0.45},
    {0.78, -0.51, 0.66, 0.64, -1.20},
    {0.05, 0.10, -0.12, -0.18, 0.30},
    {-0.62, 0.48, -0.70, -0.55, 1.35},
    {0.30, 0.15, -0.20, 0.22, -0.40},
    {-0.10, -0.35, 0.28, 0.41, 0.85},
};
constexpr int kDriftCount = static_cast<int>(sizeof(kDrift) / sizeof(kDrift[0]));

double inverseLabF(double t)
{
    constexpr double delta = 6.0 / 29.0;
    return t > delta ? t * t * t : 3.0 * delta * delta * (t - 4.0 / 29.0);
}

void labToXyz(double L, double a, double b, double& X, double& Y, double& Z)
{
    const double fy = (L + 16.0) / 116.0;
    X = kWhiteX * inverseLabF(fy + a / 500.0);
    Y = kWhiteY * inverseLabF(fy);
    Z = kWhiteZ * inverseLabF(fy - b / 200.0);
}

int toByte(double linear)
{
    const double v = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

int scaled(double value, double factor)
{
    return static_cast<int>(std::lround(value * factor));
}

void putS16(QByteArray& out, int value)
{
    putU16le(out, static_cast<quint16>(static_cast<qint16>(value)));
}

void putU16(QByteArray& out, int value)
{
    putU16le(out, static_cast<quint16>(value));
}

// A tiny deterministic wobble on top of the drift table, so that repeated
// cycles are not identical.
double wobble(int index, int salt)
{
    return 0.01 * static_cast<double>(((index * 7 + salt * 3) % 5) - 2);
}

} // namespace

std::array<int, 3> swatchColor(double L, double a, double b)
{
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
    labToXyz(L, a, b, X, Y, Z);
    X /= 100.0;
    Y /= 100.0;
    Z /= 100.0;
    const double r = 3.2406 * X - 1.5372 * Y - 0.4986 * Z;
    const double g = -0.9689 * X + 1.8758 * Y + 0.0415 * Z;
    const double bl = 0.0557 * X - 0.2040 * Y + 1.0570 * Z;
    return {toByte(r), toByte(g), toByte(bl)};
}

MeasurementRecord recordFromReading(const EmulatorReading& reading, bool firstGeneration)
{
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
    labToXyz(reading.L, reading.a, reading.b, X, Y, Z);
    const double sum = X + Y + Z;
    const double C = std::hypot(reading.a, reading.b);
    double h = qRadiansToDegrees(std::atan2(reading.b, reading.a));
    if (h < 0.0) {
        h += 360.0;
    }
    const std::array<int, 3> rgb = swatchColor(reading.L, reading.a, reading.b);

    MeasurementRecord rec;
    rec.r[0] = scaled(reading.L, 100);
    rec.r[1] = scaled(reading.a, 100);
    rec.r[2] = scaled(reading.b, 100);
    rec.r[3] = scaled(X, 100);
    rec.r[4] = scaled(Y, 100);
    rec.r[5] = scaled(Z, 100);
    rec.r[6] = scaled(reading.L, 100);
    rec.r[7] = scaled(C, 100);
    rec.r[8] = scaled(h, firstGeneration ? 100 : 10);
    rec.r[9] = scaled(Y, 100);
    rec.r[10] = sum > 0.0 ? scaled(X / sum, 10000) : 0;
    rec.r[11] = sum > 0.0 ? scaled(Y / sum, 10000) : 0;
    rec.r[16] = rgb[0];
    rec.r[17] = rgb[1];
    rec.r[18] = rgb[2];
    rec.r[19] = scaled(reading.haze, 100);
    rec.r[20] = scaled(reading.transmittance, 100);
    return rec;
}

QByteArray encodeMeasurementRecord(const MeasurementRecord& rec)
{
    QByteArray out;
    for (int i = 0; i < 3; ++i) {
        putS16(out, rec.r[i]);
    }
    for (int i = 3; i < 6; ++i) {
        putS16(out, rec.r[i]);
    }
    for (int i = 6; i < 12; ++i) {
        putU16(out, rec.r[i]);
    }
    for (int i = 12; i < 19; ++i) {
        putU8(out, static_cast<quint8>(rec.r[i]));
    }
    putU16(out, rec.r[19]); // record byte 31, reply byte 39
    putU16(out, rec.r[20]); // record byte 33, reply byte 41
    out.append(QByteArray(54 - out.size(), '\0'));
    return out;
}

QByteArray encodeMeasurementBlock(const MeasurementRecord& rec, int k)
{
    QByteArray out;
    putU8(out, static_cast<quint8>(rec.r[16]));
    putU8(out, static_cast<quint8>(rec.r[17]));
    putU8(out, static_cast<quint8>(rec.r[18]));
    switch (k) {
    case 0:
        putU16(out, rec.r[19]);
        putU16(out, rec.r[20]);
        break;
    case 1:
        putU16(out, rec.r[19]);
        break;
    case 2:
        putU16(out, rec.r[20]);
        break;
    case 3:
    case 4:
    case 5:
        putS16(out, rec.r[0]);
        putS16(out, rec.r[1]);
        putS16(out, rec.r[2]);
        if (k == 4) {
            putU16(out, rec.r[6]);
            putU16(out, rec.r[7]);
            putU16(out, rec.r[8]);
        } else if (k == 5) {
            putU16(out, rec.r[9]);
            putU16(out, rec.r[10]);
            putU16(out, rec.r[11]);
        }
        break;
    default:
        break;
    }
    out.append(QByteArray(24 - out.size(), '\0'));
    return out;
}

EmulatorReading builtInReading(int index, bool film)
{
    const Drift& d = kDrift[((index % kDriftCount) + kDriftCount) % kDriftCount];
    EmulatorReading r;
    if (film) {
        // A lightly hazy, slightly yellowish packaging film.
        r.L = 95.62 + d.dL * 0.5;
        r.a = -0.48 + d.da;
        r.b = 1.35 + d.db;
        r.haze = 12.34 + d.dHaze + wobble(index, 1);
        r.transmittance = 89.50 + d.dT + wobble(index, 2);
    } else {
        // A mauve painted plaque.
        r.L = 52.30 + d.dL;
        r.a = 12.40 + d.da;
        r.b = -8.60 + d.db;
    }
    r.L += wobble(index, 3);
    r.a += wobble(index, 4);
    return r;
}

QList<double> builtInSpectrum(int index, bool transmittance)
{
    const Drift& d = kDrift[((index % kDriftCount) + kDriftCount) % kDriftCount];
    QList<double> values;
    for (int k = 0; k < 31; ++k) {
        const double nm = 400.0 + 10.0 * k;
        double v = 0.0;
        if (transmittance) {
            v = 78.0 + 13.0 * (1.0 - std::exp(-(nm - 400.0) / 90.0)) + 0.3 * std::sin(nm / 23.0);
        } else {
            const double blue = 14.0 * std::exp(-std::pow((nm - 440.0) / 40.0, 2.0));
            const double red = 22.0 / (1.0 + std::exp(-(nm - 610.0) / 18.0));
            v = 18.0 + blue + red;
        }
        v += 0.5 * d.dT + 0.2 * d.dL + wobble(index, k);
        values << std::round(v * 100.0) / 100.0;
    }
    return values;
}
