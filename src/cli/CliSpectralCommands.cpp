// spectral colour, spectral compare and spectral indices: the colorimetry
// engine over the curves of a file (CGATS, CxF3, the spectral CSV or the
// spectral workbook Tintwell writes), without an instrument.

#include "CliContext.h"
#include "CliSubcommands.h"

#include "ColorIndices.h"
#include "ColorSpaces.h"
#include "CsvFormat.h"
#include "DeltaE.h"
#include "Exchange.h"
#include "SpectralPower.h"
#include "StandardColorSheet.h"
#include "TristimulusWeights.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonValue>

#include <cmath>
#include <optional>

using namespace colorimetry;

namespace {

struct NamedCurve
{
    QString name;
    Curve curve{};
};

QString illuminantList()
{
    QStringList names;
    for (const Illuminant i : kAllIlluminants) {
        names << illuminantName(i);
    }
    return names.join(QStringLiteral(", "));
}

std::optional<Illuminant> illuminantOption(CliContext& cli, const QString& text)
{
    const std::optional<Illuminant> illuminant = illuminantFromName(text);
    if (!illuminant) {
        cli.usage(Cli::tr("Unknown illuminant \"%1\": use one of %2.").arg(text, illuminantList()));
    }
    return illuminant;
}

// --illuminant, D65 unless given.
std::optional<Illuminant> singleIlluminant(CliContext& cli)
{
    if (!cli.args().has(QStringLiteral("illuminant"))) {
        return Illuminant::D65;
    }
    return illuminantOption(cli, cli.args().value(QStringLiteral("illuminant")));
}

// --observer 2 or 10, 10 unless given.
std::optional<Observer> observerOption(CliContext& cli)
{
    const QString text = cli.args().value(QStringLiteral("observer")).trimmed();
    if (!cli.args().has(QStringLiteral("observer")) || text == QLatin1String("10")) {
        return Observer::Cie1964TenDegree;
    }
    if (text == QLatin1String("2")) {
        return Observer::Cie1931TwoDegree;
    }
    cli.usage(Cli::tr("Unknown observer \"%1\": use 2 or 10.").arg(text));
    return std::nullopt;
}

int observerDegrees(Observer observer)
{
    return observer == Observer::Cie1931TwoDegree ? 2 : 10;
}

// "D65/10°"
QString conditionsText(Illuminant illuminant, Observer observer)
{
    return illuminantName(illuminant) + QLatin1Char('/') + observerName(observer);
}

// A workbook cell as a number: a number cell, or a text cell holding one.
bool cellNumber(const QVariant& cell, double& value)
{
    if (cell.typeId() == QMetaType::Double) {
        value = cell.toDouble();
        return std::isfinite(value);
    }
    return formats::parseNumber(cell.toString().trimmed().toUtf8(), value);
}

// The spectral table as the window and spectral export write it to a
// workbook: a heading row of No, Name, 400nm … 700nm (wherever it sits among
// the first rows), one curve per row below it, up to the first empty row.
bool readSpectralWorkbook(const QString& path, QList<NamedCurve>& curves, QString& error)
{
    QList<QVariantList> rows;
    if (!StandardColorSheet::readWorkbook(path, rows, &error)) {
        return false;
    }
    const auto isHeading = [](const QVariantList& row) {
        if (row.size() < 2 + kBandCount) {
            return false;
        }
        for (int k = 0; k < kBandCount; ++k) {
            if (row.at(2 + k).toString().trimmed() != QStringLiteral("%1nm").arg(kFirstBandNm + kBandStepNm * k)) {
                return false;
            }
        }
        return true;
    };
    int heading = 0;
    while (heading < rows.size() && heading < 10 && !isHeading(rows.at(heading))) {
        ++heading;
    }
    if (heading >= rows.size() || heading >= 10) {
        error = Cli::tr("no heading row of a spectral table (No, Name, 400nm … 700nm)");
        return false;
    }
    for (int r = heading + 1; r < rows.size(); ++r) {
        const QVariantList& row = rows.at(r);
        const bool empty = std::all_of(row.cbegin(), row.cend(), [](const QVariant& v) {
            return !v.isValid() || v.toString().trimmed().isEmpty();
        });
        if (empty) {
            break;
        }
        NamedCurve curve;
        curve.name = row.value(1).toString();
        for (int k = 0; k < kBandCount; ++k) {
            double& value = curve.curve[std::size_t(k)];
            if (!cellNumber(row.value(2 + k), value) || std::fabs(value) > formats::kLargestValue) {
                error = Cli::tr("row %1, %2nm: \"%3\" is not a number")
                            .arg(r + 1)
                            .arg(kFirstBandNm + kBandStepNm * k)
                            .arg(row.value(2 + k).toString().left(40));
                return false;
            }
        }
        curves << curve;
    }
    return true;
}

// Every curve of the file, named as the file names it (a sample without a
// name by its id). False with the exit status said.
bool readCurves(CliContext& cli, QList<NamedCurve>& curves, int& status)
{
    status = ExitFile;
    const QString path = cli.args().positionals.value(0);
    if (!QFileInfo(path).isFile()) {
        cli.message(Cli::tr("%1 cannot be read: %2").arg(path, Cli::tr("no such file")));
        return false;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    QString error;
    bool read = false;
    if (suffix == QLatin1String("xlsx")) {
        read = readSpectralWorkbook(path, curves, error);
    } else if (suffix == QLatin1String("csv")) {
        QFile file(path);
        QList<NamedSpectrum> spectra;
        formats::ReadResult result;
        if (file.open(QIODevice::ReadOnly)) {
            result = formats::readSpectralCsv(file.readAll(), spectra);
        } else {
            result.error = file.errorString();
        }
        read = result.ok;
        error = result.error;
        for (const NamedSpectrum& spectrum : spectra) {
            curves << NamedCurve{spectrum.name, spectrum.record.values};
        }
    } else {
        formats::ExchangeDocument document;
        const formats::ReadResult result = formats::readExchangeFile(path, document);
        read = result.ok;
        error = result.error;
        for (const formats::ExchangeSample& sample : document.samples) {
            if (sample.hasSpectrum) {
                curves << NamedCurve{sample.name.isEmpty() ? sample.id : sample.name, sample.spectrum};
            }
        }
    }
    if (!read) {
        cli.message(Cli::tr("%1 cannot be read: %2").arg(path, error));
        return false;
    }
    if (curves.isEmpty()) {
        cli.message(Cli::tr("%1 holds no spectral curves.").arg(path));
        return false;
    }
    status = ExitOk;
    return true;
}

// The one curve of that name; a name no curve or several curves have is refused.
const NamedCurve* curveNamed(CliContext& cli, const QList<NamedCurve>& curves, const QString& option)
{
    const QString name = cli.args().value(option);
    const NamedCurve* found = nullptr;
    int count = 0;
    for (const NamedCurve& curve : curves) {
        if (curve.name == name) {
            found = found ? found : &curve;
            ++count;
        }
    }
    if (count == 0) {
        cli.usage(Cli::tr("No curve named \"%1\" in %2.").arg(name, cli.args().positionals.value(0)));
        return nullptr;
    }
    if (count > 1) {
        cli.usage(Cli::tr("%1 curves are named \"%2\" in %3: the %4 is ambiguous.")
                      .arg(count)
                      .arg(name, cli.args().positionals.value(0), QLatin1String("--") + option));
        return nullptr;
    }
    return found;
}

// NaN: no value (an index not defined under the illuminant, or a black).
QJsonValue optionalNumber(double value)
{
    return std::isnan(value) ? QJsonValue(QJsonValue::Null) : QJsonValue(value);
}

QString numberText(double value, int decimals)
{
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value, 'f', decimals);
}

// The one illuminant and the observer asked for, and the file's curves.
struct CurvesUnder
{
    Illuminant illuminant;
    Observer observer;
    QList<NamedCurve> curves;
};
// Nothing, with the exit status in status, when something was wrong (said on standard error).
std::optional<CurvesUnder> curvesUnder(CliContext& cli, int& status)
{
    status = ExitUsage;
    const std::optional<Illuminant> illuminant = singleIlluminant(cli);
    const std::optional<Observer> observer = illuminant ? observerOption(cli) : std::nullopt;
    if (!illuminant || !observer) {
        return std::nullopt;
    }
    CurvesUnder input{*illuminant, *observer, {}};
    if (!readCurves(cli, input.curves, status)) {
        return std::nullopt;
    }
    return input;
}

} // namespace

std::optional<ColourConditions> colourConditionsOption(CliContext& cli)
{
    const std::optional<Illuminant> illuminant = singleIlluminant(cli);
    const std::optional<Observer> observer = illuminant ? observerOption(cli) : std::nullopt;
    if (!illuminant || !observer) {
        return std::nullopt;
    }
    return ColourConditions{*illuminant, *observer};
}

int runSpectralColour(CliContext& cli)
{
    int status = ExitOk;
    const std::optional<CurvesUnder> input = curvesUnder(cli, status);
    if (!input) {
        return status;
    }
    const Illuminant illuminant = input->illuminant;
    const Observer observer = input->observer;
    const QList<NamedCurve>& curves = input->curves;
    const TristimulusWeights& weights = TristimulusWeights::standard(illuminant, observer);
    if (!cli.json()) {
        cli.print(QStringLiteral("# %1\n%2\tX\tY\tZ\tL*\ta*\tb*")
                      .arg(conditionsText(illuminant, observer), Cli::tr("name")));
    }
    for (const NamedCurve& curve : curves) {
        const XyzColor xyz = weights.xyz(curve.curve);
        const LabColor lab = labFromXyz(xyz, weights.white());
        if (cli.json()) {
            QJsonObject object;
            object.insert(QStringLiteral("type"), QStringLiteral("spectralColour"));
            object.insert(QStringLiteral("illuminant"), illuminantName(illuminant));
            object.insert(QStringLiteral("observer"), observerDegrees(observer));
            object.insert(QStringLiteral("name"), curve.name);
            object.insert(QStringLiteral("X"), xyz.x);
            object.insert(QStringLiteral("Y"), xyz.y);
            object.insert(QStringLiteral("Z"), xyz.z);
            object.insert(QStringLiteral("L"), lab.l);
            object.insert(QStringLiteral("a"), lab.a);
            object.insert(QStringLiteral("b"), lab.b);
            cli.printJson(object);
        } else {
            cli.print(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
                          .arg(curve.name)
                          .arg(xyz.x, 0, 'f', 4).arg(xyz.y, 0, 'f', 4).arg(xyz.z, 0, 'f', 4)
                          .arg(lab.l, 0, 'f', 4).arg(lab.a, 0, 'f', 4).arg(lab.b, 0, 'f', 4));
        }
    }
    return ExitOk;
}

int runSpectralCompare(CliContext& cli)
{
    QList<Illuminant> illuminants;
    for (const QString& name : cli.args().value(QStringLiteral("illuminants")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<Illuminant> illuminant = illuminantOption(cli, name);
        if (!illuminant) {
            return ExitUsage;
        }
        illuminants << *illuminant;
    }
    if (illuminants.isEmpty()) {
        return cli.usage(Cli::tr("--illuminants names the reference illuminant and the test illuminants, "
                                 "the reference first: --illuminants D65,A,F11."));
    }
    for (const char* option : {"standard", "sample"}) {
        if (!cli.args().has(QLatin1String(option))) {
            return cli.usage(Cli::tr("--%1 NAME names a curve of the file.").arg(QLatin1String(option)));
        }
    }
    const std::optional<Observer> observer = observerOption(cli);
    if (!observer) {
        return ExitUsage;
    }
    QList<NamedCurve> curves;
    int status = ExitOk;
    if (!readCurves(cli, curves, status)) {
        return status;
    }
    const NamedCurve* standard = curveNamed(cli, curves, QStringLiteral("standard"));
    const NamedCurve* sample = standard ? curveNamed(cli, curves, QStringLiteral("sample")) : nullptr;
    if (!sample) {
        return ExitUsage;
    }
    const Illuminant reference = illuminants.first();
    const TristimulusWeights& referenceWeights = TristimulusWeights::standard(reference, *observer);
    if (!cli.json()) {
        cli.print(Cli::tr("# standard \"%1\", sample \"%2\", observer %3; differences sample minus standard, "
                          "dE_ab CIE 1976, dE00 CIEDE2000")
                      .arg(standard->name, sample->name, observerName(*observer)));
        cli.print(Cli::tr("# metamerism index against reference %1, additive correction: mi_ab delta-E*ab, "
                          "mi_00 CIEDE2000")
                      .arg(illuminantName(reference)));
        cli.print(Cli::tr("illuminant") + QStringLiteral("\tdL\tda\tdb\tdE_ab\tdE00\tmi_ab\tmi_00"));
    }
    for (int n = 0; n < illuminants.size(); ++n) {
        const Illuminant illuminant = illuminants.at(n);
        const TristimulusWeights& weights = TristimulusWeights::standard(illuminant, *observer);
        const LabColor standardLab = labFromXyz(weights.xyz(standard->curve), weights.white());
        const LabColor sampleLab = labFromXyz(weights.xyz(sample->curve), weights.white());
        const double dL = sampleLab.l - standardLab.l;
        const double da = sampleLab.a - standardLab.a;
        const double db = sampleLab.b - standardLab.b;
        const double dEab = deltaE(DeltaEFormula::CieAb, standardLab, sampleLab);
        const double dE00 = deltaE(DeltaEFormula::Cie2000, standardLab, sampleLab);
        std::optional<MetamerismResult> mi;
        if (n > 0) {
            mi = metamerismIndex(standard->curve, sample->curve, referenceWeights, weights);
        }
        if (cli.json()) {
            QJsonObject object;
            object.insert(QStringLiteral("type"), QStringLiteral("spectralComparison"));
            object.insert(QStringLiteral("standard"), standard->name);
            object.insert(QStringLiteral("sample"), sample->name);
            object.insert(QStringLiteral("observer"), observerDegrees(*observer));
            object.insert(QStringLiteral("illuminant"), illuminantName(illuminant));
            object.insert(QStringLiteral("reference"), n == 0);
            object.insert(QStringLiteral("dL"), dL);
            object.insert(QStringLiteral("da"), da);
            object.insert(QStringLiteral("db"), db);
            object.insert(QStringLiteral("dE_ab"), dEab);
            object.insert(QStringLiteral("dE00"), dE00);
            if (mi) {
                object.insert(QStringLiteral("referenceIlluminant"), illuminantName(reference));
                object.insert(QStringLiteral("mi_ab"), mi->deltaEab);
                object.insert(QStringLiteral("mi_00"), mi->deltaE00);
                object.insert(QStringLiteral("mi_correction"), QStringLiteral("additive"));
            }
            cli.printJson(object);
        } else {
            cli.print(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8")
                          .arg(illuminantName(illuminant))
                          .arg(dL, 0, 'f', 4).arg(da, 0, 'f', 4).arg(db, 0, 'f', 4)
                          .arg(dEab, 0, 'f', 4).arg(dE00, 0, 'f', 4)
                          .arg(numberText(mi ? mi->deltaEab : std::nan(""), 4),
                               numberText(mi ? mi->deltaE00 : std::nan(""), 4)));
        }
    }
    return ExitOk;
}

int runSpectralIndices(CliContext& cli)
{
    int status = ExitOk;
    const std::optional<CurvesUnder> input = curvesUnder(cli, status);
    if (!input) {
        return status;
    }
    const Illuminant illuminant = input->illuminant;
    const Observer observer = input->observer;
    const QList<NamedCurve>& curves = input->curves;
    // E313 has coefficients for C and D65 only; CIE defines whiteness under D65 only.
    if (illuminant != Illuminant::C && illuminant != Illuminant::D65) {
        cli.message(Cli::tr("E313 yellowness is defined under C and D65, CIE whiteness and tint under D65: "
                            "none of them under %1.").arg(illuminantName(illuminant)));
    } else if (illuminant != Illuminant::D65) {
        cli.message(Cli::tr("CIE whiteness and tint are defined under D65 only, not under %1.")
                        .arg(illuminantName(illuminant)));
    }
    const TristimulusWeights& weights = TristimulusWeights::standard(illuminant, observer);
    if (!cli.json()) {
        cli.print(Cli::tr("# %1; yi_e313 ASTM E313 yellowness, wi_cie and tint_cie CIE whiteness and tint; "
                          "a range \"outside\": beyond the specimens the standard allows")
                      .arg(conditionsText(illuminant, observer)));
        cli.print(Cli::tr("name") + QStringLiteral("\tyi_e313\t") + Cli::tr("E313 range")
                  + QStringLiteral("\twi_cie\ttint_cie\t") + Cli::tr("CIE range"));
    }
    for (const NamedCurve& curve : curves) {
        const XyzColor xyz = weights.xyz(curve.curve);
        const std::optional<YellownessResult> yi = yellownessE313(xyz, illuminant, observer);
        std::optional<WhitenessResult> wi;
        if (illuminant == Illuminant::D65) {
            wi = cieWhiteness(xyz, observer);
        }
        const double none = std::nan("");
        const double yiValue = yi ? yi->yellowness : none;
        const double wiValue = wi ? wi->whiteness : none;
        const double tintValue = wi ? wi->tint : none;
        if (cli.json()) {
            QJsonObject object;
            object.insert(QStringLiteral("type"), QStringLiteral("spectralIndices"));
            object.insert(QStringLiteral("illuminant"), illuminantName(illuminant));
            object.insert(QStringLiteral("observer"), observerDegrees(observer));
            object.insert(QStringLiteral("name"), curve.name);
            object.insert(QStringLiteral("yi_e313"), optionalNumber(yiValue));
            object.insert(QStringLiteral("yi_e313_in_range"), yi ? QJsonValue(yi->inRange) : QJsonValue());
            object.insert(QStringLiteral("wi_cie"), optionalNumber(wiValue));
            object.insert(QStringLiteral("tint_cie"), optionalNumber(tintValue));
            object.insert(QStringLiteral("wi_cie_in_range"), wi ? QJsonValue(wi->inRange) : QJsonValue());
            cli.printJson(object);
        } else {
            const auto range = [](bool has, bool inRange) {
                return !has ? QStringLiteral("-") : inRange ? Cli::tr("inside") : Cli::tr("outside");
            };
            cli.print(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6")
                          .arg(curve.name, numberText(yiValue, 2), range(bool(yi), yi && yi->inRange),
                               numberText(wiValue, 2), numberText(tintValue, 2), range(bool(wi), wi && wi->inRange)));
        }
    }
    return ExitOk;
}
