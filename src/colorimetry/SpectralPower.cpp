#include "SpectralPower.h"

#include "CieTables.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace colorimetry {

namespace {

SpectralPowerDistribution fromTable(const cie::Table& table, int stepNm)
{
    SpectralPowerDistribution spd;
    spd.startNm = table.startNm;
    spd.stepNm = stepNm;
    for (int nm = table.startNm; nm <= table.endNm(); nm += stepNm) {
        spd.values.push_back(table.at(0, nm));
    }
    return spd;
}

struct IlluminantEntry
{
    Illuminant illuminant;
    const char* name;
};
constexpr IlluminantEntry kNames[] = {
    {Illuminant::A, "A"},     {Illuminant::C, "C"},     {Illuminant::D50, "D50"},
    {Illuminant::D55, "D55"}, {Illuminant::D65, "D65"}, {Illuminant::D75, "D75"},
    {Illuminant::F2, "F2"},   {Illuminant::F7, "F7"},   {Illuminant::F11, "F11"},
};

} // namespace

QString illuminantName(Illuminant illuminant)
{
    for (const IlluminantEntry& entry : kNames) {
        if (entry.illuminant == illuminant) {
            return QString::fromLatin1(entry.name);
        }
    }
    return {};
}

std::optional<Illuminant> illuminantFromName(const QString& name)
{
    for (const IlluminantEntry& entry : kNames) {
        if (name.trimmed().compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            return entry.illuminant;
        }
    }
    return std::nullopt;
}

QString observerName(Observer observer)
{
    return observer == Observer::Cie1931TwoDegree ? QStringLiteral("2°") : QStringLiteral("10°");
}

std::optional<double> SpectralPowerDistribution::at(double nm) const
{
    if (isEmpty() || nm < startNm || nm > endNm()) {
        return std::nullopt;
    }
    const double position = (nm - startNm) / stepNm;
    const auto index = std::size_t(position);
    if (index + 1 >= values.size()) {
        return values.back();
    }
    const double fraction = position - double(index);
    return values[index] + fraction * (values[index + 1] - values[index]);
}

SpectralPowerDistribution daylightIlluminant(double nominalKelvin)
{
    if (!(nominalKelvin >= 4000.0 && nominalKelvin <= 25000.0)) {
        return {};
    }
    const double t = nominalKelvin * 1.4388 / 1.4380;
    const double x = t <= 7000.0
        ? -4.6070e9 / (t * t * t) + 2.9678e6 / (t * t) + 0.09911e3 / t + 0.244063
        : -2.0064e9 / (t * t * t) + 1.9018e6 / (t * t) + 0.24748e3 / t + 0.237040;
    const double y = -3.0 * x * x + 2.870 * x - 0.275;
    const double m = 0.0241 + 0.2562 * x - 0.7341 * y;
    // CIE rounds the factors before it tabulates D50, D55 and D75.
    const double m1 = std::round((-1.3515 - 1.7703 * x + 5.9114 * y) / m * 1000.0) / 1000.0;
    const double m2 = std::round((0.0300 - 31.4424 * x + 30.0717 * y) / m * 1000.0) / 1000.0;
    const cie::Table& basis = cie::daylightBasis;
    SpectralPowerDistribution spd;
    spd.startNm = basis.startNm;
    spd.stepNm = basis.stepNm;
    for (int i = 0; i < basis.bands; ++i) {
        spd.values.push_back(basis.rows[0][i] + m1 * basis.rows[1][i] + m2 * basis.rows[2][i]);
    }
    return spd;
}

SpectralPowerDistribution standardIlluminant(Illuminant illuminant)
{
    switch (illuminant) {
    case Illuminant::A:
        // Tabulated at 1 nm; the engine works on the 5 nm grid of the observers.
        return fromTable(cie::illuminantA, 5);
    case Illuminant::C:
        return fromTable(cie::illuminantC, 5);
    case Illuminant::D50:
        return daylightIlluminant(5000.0);
    case Illuminant::D55:
        return daylightIlluminant(5500.0);
    case Illuminant::D65:
        return fromTable(cie::illuminantD65, 5);
    case Illuminant::D75:
        return daylightIlluminant(7500.0);
    case Illuminant::F2:
        return fromTable(cie::illuminantF2, 5);
    case Illuminant::F7:
        return fromTable(cie::illuminantF7, 5);
    case Illuminant::F11:
        return fromTable(cie::illuminantF11, 5);
    }
    return {};
}

namespace {

SpdReadResult refused(SpdError why)
{
    return {std::nullopt, why};
}

// Keyword values may be quoted ("400.0") or bare.
QString keywordValue(const QStringList& header, const QString& keyword)
{
    for (const QString& line : header) {
        const QStringList parts = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (parts.size() >= 2 && parts.first() == keyword) {
            QString value = parts.at(1);
            value.remove(QLatin1Char('"'));
            return value;
        }
    }
    return {};
}

} // namespace

SpdReadResult readSpectralPowerDistribution(QIODevice& device)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return refused(SpdError::CannotOpen);
    }
    const QString text = QString::fromUtf8(device.readAll());
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QRegularExpression space(QStringLiteral("\\s+"));

    QStringList header;
    QStringList fields;
    QStringList values;
    enum class Section { Header, Format, Data, Done } section = Section::Header;
    for (QString line : lines) {
        line = line.trimmed();
        if (section == Section::Done) {
            break;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (line == QLatin1String("BEGIN_DATA_FORMAT")) {
            section = Section::Format;
        } else if (line == QLatin1String("END_DATA_FORMAT")) {
            section = Section::Header;
        } else if (line == QLatin1String("BEGIN_DATA")) {
            section = Section::Data;
        } else if (line == QLatin1String("END_DATA")) {
            section = Section::Done;
        } else if (section == Section::Format) {
            fields += line.split(space, Qt::SkipEmptyParts);
        } else if (section == Section::Data) {
            // The first row only: a distribution is one set of values.
            if (values.isEmpty()) {
                values = line.split(space, Qt::SkipEmptyParts);
            }
        } else {
            header << line;
        }
    }
    if (values.isEmpty()) {
        return refused(SpdError::NoData);
    }

    std::vector<double> wavelengths;
    std::vector<double> powers;
    if (!fields.isEmpty()) {
        if (fields.size() != values.size()) {
            return refused(SpdError::CountMismatch);
        }
        const QRegularExpression spec(QStringLiteral("^SPEC_([0-9]+(?:\\.[0-9]+)?)$"));
        for (int i = 0; i < fields.size(); ++i) {
            const QRegularExpressionMatch match = spec.match(fields.at(i));
            if (!match.hasMatch()) {
                continue; // SAMPLE_ID and other columns
            }
            bool ok = false;
            const double power = values.at(i).toDouble(&ok);
            if (!ok) {
                return refused(SpdError::NotANumber);
            }
            wavelengths.push_back(match.captured(1).toDouble());
            powers.push_back(power);
        }
    } else {
        bool okStart = false;
        bool okEnd = false;
        bool okBands = false;
        const double start = keywordValue(header, QStringLiteral("SPECTRAL_START_NM")).toDouble(&okStart);
        const double end = keywordValue(header, QStringLiteral("SPECTRAL_END_NM")).toDouble(&okEnd);
        const int bands = keywordValue(header, QStringLiteral("SPECTRAL_BANDS")).toInt(&okBands);
        if (!okStart || !okEnd || !okBands || bands < 2 || !(end > start)) {
            return refused(SpdError::NoWavelengths);
        }
        if (values.size() != bands) {
            return refused(SpdError::CountMismatch);
        }
        for (int i = 0; i < bands; ++i) {
            bool ok = false;
            const double power = values.at(i).toDouble(&ok);
            if (!ok) {
                return refused(SpdError::NotANumber);
            }
            wavelengths.push_back(start + (end - start) * i / (bands - 1));
            powers.push_back(power);
        }
    }
    if (wavelengths.size() < 2) {
        return refused(SpdError::NoWavelengths);
    }
    const double step = wavelengths[1] - wavelengths[0];
    const int stepNm = int(std::lround(step));
    if (stepNm < 1 || std::abs(step - stepNm) > 1e-6
        || std::abs(wavelengths[0] - std::round(wavelengths[0])) > 1e-6) {
        return refused(SpdError::IrregularGrid);
    }
    double total = 0.0;
    for (std::size_t i = 0; i < wavelengths.size(); ++i) {
        if (std::abs(wavelengths[i] - (wavelengths[0] + step * double(i))) > 1e-6) {
            return refused(SpdError::IrregularGrid);
        }
        if (!std::isfinite(powers[i]) || powers[i] < 0.0) {
            return refused(SpdError::NegativePower);
        }
        total += powers[i];
    }
    if (!(total > 0.0)) {
        return refused(SpdError::NoPower);
    }
    SpectralPowerDistribution spd;
    spd.startNm = int(std::lround(wavelengths[0]));
    spd.stepNm = stepNm;
    spd.values = std::move(powers);
    if (spd.startNm > 400 || spd.endNm() < 700) {
        return refused(SpdError::DoesNotCover);
    }
    return {std::move(spd), SpdError::None};
}

SpdReadResult readSpectralPowerDistribution(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return refused(SpdError::CannotOpen);
    }
    return readSpectralPowerDistribution(file);
}

} // namespace colorimetry
