#include "CliValues.h"
#include "Readings.h"

#include "CliCommand.h"
#include "Colorimetry.h"
#include "Comparison.h"
#include "ComparisonJudging.h"
#include "HueDifference.h"
#include "MeasurementReading.h"

#include <QJsonArray>

#include <cmath>

namespace CliValues {

namespace {

using R = ComparisonRecord;

const char* const kModeKeys[] = {"hazet", "haze", "t", "lab", "lch", "yxy", "hazetlab"};
const char* const kModeNames[] = {"Haze/T", "Haze", "T", "Lab", "LCh", "Yxy", "Haze/T/Lab"};

// Key of each current-layout value; L* of LCh is the same number as L* of Lab.
const char* const kCurrentKeys[R::ValueCount] = {"haze", "t", "L", "a", "b", "L", "C", "h", "Y", "x", "y"};
const char* const kLegacyKeys[R::LegacyCount] = {"L", "a", "b", "C", "h"};

int currentIndex(const QString& key)
{
    for (int i = 0; i < R::ValueCount; ++i) {
        if (key == QLatin1String(kCurrentKeys[i])) {
            return i;
        }
    }
    return -1;
}

int legacyIndex(const QString& key)
{
    for (int i = 0; i < R::LegacyCount; ++i) {
        if (key == QLatin1String(kLegacyKeys[i])) {
            return i;
        }
    }
    return -1;
}

// The keys a verdict in this mode depends on (delta-E needs L* a* b*).
QStringList judgedKeys(DisplayMode mode, bool legacy)
{
    if (legacy) {
        return {QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b")};
    }
    switch (mode) {
    case DisplayMode::HazeT: return {QStringLiteral("haze"), QStringLiteral("t")};
    case DisplayMode::Haze: return {QStringLiteral("haze")};
    case DisplayMode::Transmittance: return {QStringLiteral("t")};
    case DisplayMode::HazeTLab: return {QStringLiteral("haze"), QStringLiteral("t"), QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b")};
    default: return {QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b")};
    }
}

// Fills a side from key/value pairs; unset values stay unknown (NaN).
bool fillSide(const QList<std::pair<QString, double>>& pairs, DisplayMode mode, bool legacy, Side& side, QString& error)
{
    side.values.fill(R::kUnknown);
    side.legacy.fill(R::kUnknown);
    QStringList given;
    for (const auto& [key, value] : pairs) {
        const int index = legacy ? legacyIndex(key) : currentIndex(key);
        if (index < 0) {
            error = Cli::tr("\"%1\" is not a value of this instrument; use %2.")
                        .arg(key, shownKeys(mode, legacy).join(QStringLiteral(", ")));
            return false;
        }
        if (legacy) {
            side.legacy[std::size_t(index)] = value;
        } else {
            side.values[std::size_t(index)] = value;
            if (key == QLatin1String("L")) {
                side.values[R::LabL] = side.values[R::LchL] = value;
            }
        }
        given << key;
    }
    if (!legacy && !given.contains(QLatin1String("a")) && !given.contains(QLatin1String("b"))
        && given.contains(QLatin1String("C")) && given.contains(QLatin1String("h"))) {
        // L C h given: a* and b* follow from them, so delta-E can be judged.
        const double radians = side.values[R::LchH] * M_PI / 180.0;
        // To the two decimals the display shows a* and b* with, as a measured side has them.
        side.values[R::LabA] = std::round(side.values[R::LchC] * std::cos(radians) * 100.0) / 100.0;
        side.values[R::LabB] = std::round(side.values[R::LchC] * std::sin(radians) * 100.0) / 100.0;
        given << QStringLiteral("a") << QStringLiteral("b");
    }
    if (legacy) {
        // C* and h follow from a* and b* as the instrument derives them.
        if (!std::isnan(side.legacy[R::LegacyA]) && !std::isnan(side.legacy[R::LegacyB])) {
            if (!given.contains(QLatin1String("C"))) {
                side.legacy[R::LegacyC] = chroma(side.legacy[R::LegacyA], side.legacy[R::LegacyB]);
            }
            if (!given.contains(QLatin1String("h"))) {
                side.legacy[R::LegacyH] = displayHue(side.legacy[R::LegacyA], side.legacy[R::LegacyB]);
            }
        }
    }
    QStringList missing;
    for (const QString& key : judgedKeys(mode, legacy)) {
        if (!given.contains(key)) {
            missing << key;
        }
    }
    if (!missing.isEmpty()) {
        error = Cli::tr("The comparison needs %1.").arg(missing.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

// A number of a VALUES operand ("50.1", " 12.5%"): nothing for a text that
// is not a finite number.
std::optional<double> operandNumber(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('%'))) {
        text.chop(1);
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

QJsonValue number(double value)
{
    return std::isnan(value) ? QJsonValue() : QJsonValue(value);
}

// Differences of displayed values carry binary noise (12.42 - 12.35 is
// 0.07000000000000028); four decimals are finer than any display.
QJsonValue rounded(double value)
{
    return std::isnan(value) ? QJsonValue() : QJsonValue(std::round(value * 1e4) / 1e4);
}

} // namespace

DisplayMode displayModeFromName(const QString& name)
{
    const QString key = name.trimmed().toLower().remove(QLatin1Char('/'));
    for (int index = 0; index < kDisplayModeCount; ++index) {
        if (key == QLatin1String(kModeKeys[index]) || key == QString::number(index)) {
            return displayModeFromIndex(index);
        }
    }
    return DisplayMode::None;
}

QString displayModeName(DisplayMode mode)
{
    return mode == DisplayMode::None ? QStringLiteral("-") : QString::fromLatin1(kModeNames[displayModeIndex(mode)]);
}

QString displayModeKeys()
{
    QStringList keys;
    for (const char* key : kModeKeys) {
        keys << QString::fromLatin1(key);
    }
    return keys.join(QStringLiteral(", "));
}

QStringList shownKeys(DisplayMode mode, bool legacy)
{
    if (legacy) {
        return {QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("C"), QStringLiteral("h")};
    }
    switch (mode) {
    case DisplayMode::HazeT: return {QStringLiteral("haze"), QStringLiteral("t")};
    case DisplayMode::Haze: return {QStringLiteral("haze")};
    case DisplayMode::Transmittance: return {QStringLiteral("t")};
    case DisplayMode::Lab: return {QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b")};
    case DisplayMode::LCh: return {QStringLiteral("L"), QStringLiteral("C"), QStringLiteral("h")};
    case DisplayMode::Yxy: return {QStringLiteral("Y"), QStringLiteral("x"), QStringLiteral("y")};
    case DisplayMode::HazeTLab: return {QStringLiteral("haze"), QStringLiteral("t"), QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b")};
    default: return {};
    }
}

Side sideFromReading(const ColorReading& reading)
{
    return {shownValues(currentLayoutValues(reading)), shownLegacyValues(legacyLayoutValues(reading))};
}

bool parseSide(const QString& text, DisplayMode mode, bool legacy, Side& side, QString& error)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QStringList order = shownKeys(mode, legacy);
    QList<std::pair<QString, double>> pairs;
    for (int i = 0; i < parts.size(); ++i) {
        const QString part = parts.at(i).trimmed();
        const int equals = part.indexOf(QLatin1Char('='));
        QString key;
        QString valueText = part;
        if (equals >= 0) {
            key = part.left(equals).trimmed();
            valueText = part.mid(equals + 1);
        } else if (i < order.size()) {
            key = order.at(i);
        } else {
            error = Cli::tr("Too many values: this display mode shows %1.").arg(order.join(QStringLiteral(", ")));
            return false;
        }
        const std::optional<double> value = operandNumber(valueText);
        if (!value) {
            error = Cli::tr("\"%1\" is not a number.").arg(valueText.trimmed());
            return false;
        }
        pairs.append({key, *value});
    }
    return fillSide(pairs, mode, legacy, side, error);
}

bool sideFromJson(const QJsonObject& object, DisplayMode mode, bool legacy, Side& side, QString& error)
{
    const QJsonObject values = object.contains(QStringLiteral("values")) ? object.value(QStringLiteral("values")).toObject()
                                                                          : object;
    QList<std::pair<QString, double>> pairs;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.value().isNull()) {
            continue;
        }
        if (!it.value().isDouble()) {
            error = Cli::tr("\"%1\" is not a number.").arg(it.key());
            return false;
        }
        pairs.append({it.key(), it.value().toDouble()});
    }
    return fillSide(pairs, mode, legacy, side, error);
}

QJsonObject sideJson(const Side& side, DisplayMode mode, bool legacy)
{
    QJsonObject object;
    for (const QString& key : shownKeys(mode, legacy)) {
        object.insert(key, number(legacy ? side.legacy[std::size_t(legacyIndex(key))]
                                         : side.values[std::size_t(currentIndex(key))]));
    }
    if (!legacy && (mode == DisplayMode::LCh || mode == DisplayMode::Yxy)) {
        // Delta-E is judged from L* a* b*: keep them, so this side can be a standard later.
        object.insert(QStringLiteral("L"), number(side.values[R::LabL]));
        object.insert(QStringLiteral("a"), number(side.values[R::LabA]));
        object.insert(QStringLiteral("b"), number(side.values[R::LabB]));
    }
    return object;
}

QString sideText(const Side& side, DisplayMode mode, bool legacy)
{
    QStringList parts;
    for (const QString& key : shownKeys(mode, legacy)) {
        const double v = legacy ? side.legacy[std::size_t(legacyIndex(key))] : side.values[std::size_t(currentIndex(key))];
        parts << QStringLiteral("%1=%2").arg(key, std::isnan(v) ? QStringLiteral("-") : QString::number(v));
    }
    return parts.join(QLatin1Char(','));
}

QJsonArray readingsJson(const QList<Side>& readings, DisplayMode mode, bool legacy)
{
    QJsonArray array;
    for (const Side& side : readings) {
        array.append(sideJson(side, mode, legacy));
    }
    return array;
}

QJsonObject spreadJson(const QList<Side>& readings, DisplayMode mode, bool legacy)
{
    Readings values;
    LegacyReadings legacyValues;
    for (const Side& side : readings) {
        values.append(side.values);
        legacyValues.append(side.legacy);
    }
    return sideJson(Side{readingsDeviation(values), legacyReadingsDeviation(legacyValues)}, mode, legacy);
}

namespace {

QList<Side> sides(const ComparisonRecord& record, bool standard)
{
    const Readings& values = standard ? record.readings.standard : record.readings.sample;
    const LegacyReadings& legacyValues = standard ? record.readings.legacyStandard : record.readings.legacySample;
    QList<Side> out;
    const qsizetype n = record.legacy ? legacyValues.size() : values.size();
    if (n == 0) {
        out.append(standard ? Side{record.standard, record.legacyStandard} : Side{record.sample, record.legacySample});
    }
    for (qsizetype i = 0; i < n; ++i) {
        out.append(record.legacy ? Side{{}, legacyValues.at(i)} : Side{values.at(i), {}});
    }
    return out;
}

} // namespace

QList<Side> standardReadings(const ComparisonRecord& record)
{
    return sides(record, true);
}

QList<Side> sampleReadings(const ComparisonRecord& record)
{
    return sides(record, false);
}

QJsonObject recordJson(const ComparisonRecord& record)
{
    const DisplayMode mode = record.settings.displayMode;
    const bool legacy = record.legacy;
    Side standard{record.standard, record.legacyStandard};
    Side sample{record.sample, record.legacySample};
    const R::Values current = valueDifferences(record);
    const R::LegacyValues legacyDifferences = legacyValueDifferences(record);
    QJsonObject differences;
    for (const QString& key : shownKeys(mode, legacy)) {
        const double d = legacy ? legacyDifferences[std::size_t(legacyIndex(key))] : current[std::size_t(currentIndex(key))];
        differences.insert(key, rounded(d));
    }
    QJsonObject tolerances;
    if (legacy) {
        tolerances.insert(QStringLiteral("deltaE"), record.settings.deltaEThreshold);
    } else {
        // -1: never read from the instrument (the parameter page keeps no such tolerance).
        tolerances.insert(QStringLiteral("haze"), record.settings.hazeTolerance < 0 ? QJsonValue() : QJsonValue(record.settings.hazeTolerance));
        tolerances.insert(QStringLiteral("t"), record.settings.transmittanceTolerance < 0 ? QJsonValue() : QJsonValue(record.settings.transmittanceTolerance));
        tolerances.insert(QStringLiteral("deltaE"), record.settings.thresholdInForce());
    }
    QJsonObject object;
    object.insert(QStringLiteral("type"), QStringLiteral("comparison"));
    object.insert(QStringLiteral("name"), record.testName);
    object.insert(QStringLiteral("time"), record.time.toString(Qt::ISODate));
    object.insert(QStringLiteral("model"), record.modelName);
    object.insert(QStringLiteral("serial"), record.serialNumber);
    object.insert(QStringLiteral("mode"), legacy ? QStringLiteral("Lab") : displayModeName(mode));
    object.insert(QStringLiteral("standard"), sideJson(standard, mode, legacy));
    object.insert(QStringLiteral("sample"), sideJson(sample, mode, legacy));
    object.insert(QStringLiteral("differences"), differences);
    object.insert(QStringLiteral("deltaE"), rounded(record.deltaE));
    object.insert(QStringLiteral("tolerances"), tolerances);
    object.insert(QStringLiteral("formula"), record.settings.formulaCode);
    object.insert(QStringLiteral("verdict"), record.pass ? QStringLiteral("PASS") : QStringLiteral("NG"));
    object.insert(QStringLiteral("pass"), record.pass);
    // The library standard judged against (null: the instrument's tolerances
    // judged), whether the PASS is a warning, and the limit that decided or warned.
    const LibraryJudgement& library = record.library;
    QJsonObject standardOfLibrary;
    if (library.inUse()) {
        standardOfLibrary.insert(QStringLiteral("name"), library.standardName);
        standardOfLibrary.insert(QStringLiteral("code"),
                                 library.standardCode.isEmpty() ? QJsonValue() : QJsonValue(library.standardCode));
        standardOfLibrary.insert(QStringLiteral("version"), double(library.standardVersion));
    }
    object.insert(QStringLiteral("library_standard"), library.inUse() ? QJsonValue(standardOfLibrary) : QJsonValue());
    object.insert(QStringLiteral("warning"), library.inUse() && library.warning);
    object.insert(QStringLiteral("decided_by"), library.decidedBy.isEmpty() ? QJsonValue() : QJsonValue(library.decidedBy));
    if (hasSeveralReadings(record)) {
        const QList<Side> standards = standardReadings(record);
        const QList<Side> samples = sampleReadings(record);
        object.insert(QStringLiteral("readings"),
                      QJsonObject{{QStringLiteral("standard"), readingsJson(standards, mode, legacy)},
                                  {QStringLiteral("sample"), readingsJson(samples, mode, legacy)}});
        object.insert(QStringLiteral("spread"), QJsonObject{{QStringLiteral("standard"), spreadJson(standards, mode, legacy)},
                                                            {QStringLiteral("sample"), spreadJson(samples, mode, legacy)}});
    }
    return object;
}

QString recordText(const ComparisonRecord& record)
{
    const DisplayMode mode = record.settings.displayMode;
    QString line = QStringLiteral("%1  %2  standard %3  sample %4")
                       .arg(record.pass ? QStringLiteral("PASS") : QStringLiteral("NG  "), record.testName,
                            sideText({record.standard, record.legacyStandard}, mode, record.legacy),
                            sideText({record.sample, record.legacySample}, mode, record.legacy));
    if (record.legacy || judgesDeltaE(mode)) {
        line += QStringLiteral("  dE %1").arg(formatDeltaE(record.deltaE));
    }
    if (!record.legacy && !judgesByDeltaEAlone(mode)) {
        line += QStringLiteral("  dHaze %1  dT %2")
                    .arg(formatDifference(record.hazeDifference), formatDifference(record.transmittanceDifference));
    }
    if (record.library.inUse()) {
        line += QStringLiteral("  [%1 v%2%3%4]")
                    .arg(record.library.standardName)
                    .arg(record.library.standardVersion)
                    .arg(record.library.warning ? QStringLiteral(" warning") : QString(),
                         record.library.decidedBy.isEmpty() ? QString() : QLatin1Char(' ') + record.library.decidedBy);
    }
    return line;
}

} // namespace CliValues
