#include "StoredRecords.h"

#include "Bytes.h"
#include "MeasurementSequence.h"

#include <cmath>

namespace {

const char* const kModePrefix[7] = {"HT", "HZ", "TR", "LAB", "LCH", "YXY", "HTL"};

int scaled(double value, double factor)
{
    return static_cast<int>(std::lround(value * factor));
}

void putS16(QByteArray& out, double value, double factor)
{
    putU16le(out, static_cast<quint16>(static_cast<qint16>(scaled(value, factor))));
}

void putU16(QByteArray& out, double value, double factor)
{
    putU16le(out, static_cast<quint16>(scaled(value, factor)));
}

// Standard and sample of stored record `index`: each record compares its own
// batch (a slowly moving base) with a drifting reading.
void readingsFor(int index, bool film, EmulatorReading& standard, EmulatorReading& sample)
{
    standard = builtInReading(0, film);
    sample = builtInReading(index + 1, film);
    const double shift = static_cast<double>(index % 4);
    standard.L -= 0.8 * shift;
    sample.L -= 0.8 * shift;
    if (film) {
        standard.haze += 0.6 * shift;
        sample.haze += 0.6 * shift;
        standard.transmittance -= 0.4 * shift;
        sample.transmittance -= 0.4 * shift;
    }
}

void putLab(QByteArray& out, const EmulatorReading& r)
{
    putS16(out, r.L, 100);
    putS16(out, r.a, 100);
    putS16(out, r.b, 100);
}

void putLabExtras(QByteArray& out, const EmulatorReading& r, int mode)
{
    const MeasurementRecord rec = recordFromReading(r, false);
    if (mode == 4) {
        putU16le(out, static_cast<quint16>(rec.r[6]));
        putU16le(out, static_cast<quint16>(rec.r[7]));
        putU16le(out, static_cast<quint16>(rec.r[8]));
    } else if (mode == 5) {
        putU16le(out, static_cast<quint16>(rec.r[9]));
        putU16le(out, static_cast<quint16>(rec.r[10]));
        putU16le(out, static_cast<quint16>(rec.r[11]));
    } else if (mode == 6) {
        putU16(out, r.haze, 100);
        putU16(out, r.transmittance, 100);
    }
}

} // namespace

namespace StoredRecords {

QByteArray nameRecord(const QByteArray& text, int size)
{
    QByteArray out = text.left(size);
    out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

QByteArray comparisonRecord(int mode, int index, bool film)
{
    EmulatorReading standard;
    EmulatorReading sample;
    // Haze and transmittance only exist for films.
    readingsFor(index, film || mode <= 2 || mode == 6, standard, sample);
    QByteArray out;
    switch (mode) {
    case 0:
        putU16(out, standard.haze, 100);
        putU16(out, standard.transmittance, 100);
        putU16(out, sample.haze, 100);
        putU16(out, sample.transmittance, 100);
        break;
    case 1:
        putU16(out, standard.haze, 100);
        putU16(out, sample.haze, 100);
        break;
    case 2:
        putU16(out, standard.transmittance, 100);
        putU16(out, sample.transmittance, 100);
        break;
    case 3:
        putLab(out, standard);
        putLab(out, sample);
        break;
    case 4:
    case 5:
    case 6:
        putLab(out, standard);
        putLabExtras(out, standard, mode);
        putLab(out, sample);
        putLabExtras(out, sample, mode);
        break;
    default:
        break;
    }
    return out;
}

QByteArray comparisonName(int mode, int index)
{
    if (index == 1) {
        return nameRecord("Batch 0417 A1", 16); // 13 characters
    }
    if (index == 2) {
        return nameRecord("ROLL-2291-EDGE-L", 16); // 16 characters, no zero
    }
    const QByteArray text = QByteArray(kModePrefix[mode]) + '-' + QByteArray::number(index + 1).rightJustified(3, '0');
    return nameRecord(text, 16);
}

QByteArray legacyRecord(int index)
{
    EmulatorReading standard;
    EmulatorReading sample;
    readingsFor(index, false, standard, sample);
    QByteArray out;
    putLab(out, standard);
    putLab(out, sample);
    return out;
}

QByteArray legacyName(int index)
{
    return nameRecord("CD-" + QByteArray::number(index + 1).rightJustified(3, '0'), 14);
}

QByteArray spectralName(int index)
{
    if (index == 2) {
        return nameRecord(QByteArray(), 16);
    }
    if (index == 3) {
        return nameRecord("FILTER-GREEN-016", 16);
    }
    return nameRecord("Curve " + QByteArray::number(index + 1), 16);
}

} // namespace StoredRecords
