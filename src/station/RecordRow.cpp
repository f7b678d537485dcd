#include "RecordRow.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace {
QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

template <typename Array>
QJsonArray numbers(const Array& values)
{
    QJsonArray out;
    for (double v : values) {
        out.append(number(v));
    }
    return out;
}

// The readings of a record read several times; null for one reading of each.
QJsonValue readingsRow(const ComparisonRecord& r)
{
    const ComparisonRecord::ReadingsSummary& readings = r.readings;
    const auto lists = [](const auto& list) {
        QJsonArray out;
        for (const auto& values : list) {
            out.append(numbers(values));
        }
        return out;
    };
    const QJsonArray standard = r.legacy ? lists(readings.legacyStandard) : lists(readings.standard);
    const QJsonArray sample = r.legacy ? lists(readings.legacySample) : lists(readings.sample);
    if (standard.isEmpty() && sample.isEmpty()) {
        return QJsonValue(QJsonValue::Null);
    }
    return QJsonObject{{QStringLiteral("median"), readings.median},
                       {QStringLiteral("standard"), standard},
                       {QStringLiteral("sample"), sample}};
}

} // namespace

QJsonObject recordRow(const OutboxEntry& entry)
{
    const ComparisonRecord& r = entry.record;
    const ComparisonSettings& s = r.settings;
    QJsonObject settings{
        {QStringLiteral("hazeTolerance"), number(s.hazeTolerance)},
        {QStringLiteral("transmittanceTolerance"), number(s.transmittanceTolerance)},
        {QStringLiteral("deltaEThreshold"), number(s.deltaEThreshold)},
        {QStringLiteral("formulaCode"), s.formulaCode},
        {QStringLiteral("parameterThreshold"), number(s.parameterThreshold)},
        {QStringLiteral("displayMode"), displayModeIndex(s.displayMode)},
        {QStringLiteral("layoutIndex"), s.layoutIndex},
        {QStringLiteral("formulaText"), s.formulaText},
        {QStringLiteral("thresholdText"), s.thresholdText},
    };
    const LibraryJudgement& library = r.library;
    if (library.inUse()) {
        // The set in force as it was, so the server's row says what judged it.
        settings.insert(QStringLiteral("toleranceSet"),
                        QJsonObject{{QStringLiteral("name"), library.tolerances.name},
                                    {QStringLiteral("limits"), formatToleranceLimits(library.tolerances.limits)},
                                    {QStringLiteral("warnPercent"), library.tolerances.warnPercent},
                                    {QStringLiteral("standardCode"), library.standardCode}});
    }
    const auto id = [](const QUuid& u) { return u.isNull() ? QJsonValue() : QJsonValue(u.toString(QUuid::WithoutBraces)); };
    QJsonObject row{
        {QStringLiteral("id"), r.id.toString(QUuid::WithoutBraces)},
        {QStringLiteral("version"), r.version},
        // With its offset, so the server stores the same instant.
        {QStringLiteral("measured_at"), r.time.isValid() ? QJsonValue(r.time.toOffsetFromUtc(r.time.offsetFromUtc()).toString(Qt::ISODate)) : QJsonValue()},
        {QStringLiteral("test_name"), r.testName},
        {QStringLiteral("model"), r.modelName},
        {QStringLiteral("serial_number"), r.serialNumber},
        {QStringLiteral("standard"), standardName(r)},
        {QStringLiteral("legacy"), r.legacy},
        {QStringLiteral("sequence"), number(r.sequence)},
        {QStringLiteral("standard_values"), r.legacy ? numbers(r.legacyStandard) : numbers(r.standard)},
        {QStringLiteral("sample_values"), r.legacy ? numbers(r.legacySample) : numbers(r.sample)},
        {QStringLiteral("haze_difference"), number(r.hazeDifference)},
        {QStringLiteral("transmittance_difference"), number(r.transmittanceDifference)},
        {QStringLiteral("delta_e"), number(r.deltaE)},
        {QStringLiteral("pass"), r.pass},
        {QStringLiteral("settings"), settings},
        {QStringLiteral("deleted"), entry.deleted},
        {QStringLiteral("readings"), readingsRow(r)},
    };
    if (library.inUse()) {
        row.insert(QStringLiteral("library_standard_id"), id(library.standardId));
        row.insert(QStringLiteral("library_standard_version"), library.standardVersion);
        row.insert(QStringLiteral("tolerance_set_id"), id(library.tolerances.id));
        row.insert(QStringLiteral("tolerance_set_version"), library.tolerances.version);
        row.insert(QStringLiteral("warning"), library.warning);
        row.insert(QStringLiteral("decided_by"), library.decidedBy.isEmpty() ? QJsonValue() : QJsonValue(library.decidedBy));
    }
    return row;
}

QByteArray recordBatch(const QList<OutboxEntry>& entries)
{
    QJsonArray rows;
    for (const OutboxEntry& e : entries) {
        rows.append(recordRow(e));
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Compact);
}

namespace {
double numberFrom(const QJsonValue& v)
{
    return v.isDouble() ? v.toDouble() : ComparisonRecord::kUnknown;
}

template <typename Array>
void numbersFrom(const QJsonValue& v, Array& out)
{
    const QJsonArray values = v.toArray();
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = int(i) < values.size() ? numberFrom(values.at(int(i))) : ComparisonRecord::kUnknown;
    }
}
} // namespace

ComparisonRecord recordFromRow(const QJsonObject& row)
{
    ComparisonRecord r;
    r.id = QUuid::fromString(row.value(QStringLiteral("id")).toString());
    r.version = row.value(QStringLiteral("version")).toInteger(1);
    r.legacy = row.value(QStringLiteral("legacy")).toBool();
    r.sequence = row.value(QStringLiteral("sequence")).toDouble(0);
    r.testName = row.value(QStringLiteral("test_name")).toString();
    const QDateTime at = QDateTime::fromString(row.value(QStringLiteral("measured_at")).toString(), Qt::ISODateWithMs);
    r.time = at.isValid() ? at.toLocalTime() : QDateTime();
    r.modelName = row.value(QStringLiteral("model")).toString();
    r.serialNumber = row.value(QStringLiteral("serial_number")).toString();
    if (r.legacy) {
        numbersFrom(row.value(QStringLiteral("standard_values")), r.legacyStandard);
        numbersFrom(row.value(QStringLiteral("sample_values")), r.legacySample);
    } else {
        numbersFrom(row.value(QStringLiteral("standard_values")), r.standard);
        numbersFrom(row.value(QStringLiteral("sample_values")), r.sample);
    }
    r.hazeDifference = numberFrom(row.value(QStringLiteral("haze_difference")));
    r.transmittanceDifference = numberFrom(row.value(QStringLiteral("transmittance_difference")));
    r.deltaE = numberFrom(row.value(QStringLiteral("delta_e")));
    r.pass = row.value(QStringLiteral("pass")).toBool();
    const QJsonObject s = row.value(QStringLiteral("settings")).toObject();
    ComparisonSettings& out = r.settings;
    out.hazeTolerance = s.value(QStringLiteral("hazeTolerance")).toDouble(-1.0);
    out.transmittanceTolerance = s.value(QStringLiteral("transmittanceTolerance")).toDouble(-1.0);
    out.deltaEThreshold = s.value(QStringLiteral("deltaEThreshold")).toDouble(-1.0);
    out.formulaCode = s.value(QStringLiteral("formulaCode")).toInt(0);
    out.parameterThreshold = s.value(QStringLiteral("parameterThreshold")).toDouble(-1.0);
    out.displayMode = displayModeFromIndex(s.value(QStringLiteral("displayMode")).toInt(-1));
    out.layoutIndex = s.value(QStringLiteral("layoutIndex")).toInt(0);
    out.formulaText = s.value(QStringLiteral("formulaText")).toString();
    out.thresholdText = s.value(QStringLiteral("thresholdText")).toString();
    const QUuid standardId = QUuid::fromString(row.value(QStringLiteral("library_standard_id")).toString());
    if (!standardId.isNull()) {
        LibraryJudgement& library = r.library;
        const QJsonObject set = s.value(QStringLiteral("toleranceSet")).toObject();
        library.standardId = standardId;
        library.standardName = row.value(QStringLiteral("standard")).toString();
        library.standardCode = set.value(QStringLiteral("standardCode")).toString();
        library.standardVersion = row.value(QStringLiteral("library_standard_version")).toInteger();
        library.tolerances.id = QUuid::fromString(row.value(QStringLiteral("tolerance_set_id")).toString());
        library.tolerances.version = row.value(QStringLiteral("tolerance_set_version")).toInteger();
        library.tolerances.name = set.value(QStringLiteral("name")).toString();
        library.tolerances.limits = parseToleranceLimits(set.value(QStringLiteral("limits")).toString()).limits;
        library.tolerances.warnPercent = set.value(QStringLiteral("warnPercent")).toDouble();
        library.warning = row.value(QStringLiteral("warning")).toBool();
        library.decidedBy = row.value(QStringLiteral("decided_by")).toString();
    }
    // The readings, a row of an older schema (no column) or read once has none.
    const QJsonObject readings = row.value(QStringLiteral("readings")).toObject();
    r.readings.median = readings.value(QStringLiteral("median")).toBool();
    const auto listsFrom = [](const QJsonValue& v, auto& list) {
        for (const QJsonValue& values : v.toArray()) {
            list.emplaceBack();
            numbersFrom(values, list.last());
        }
    };
    if (r.legacy) {
        listsFrom(readings.value(QStringLiteral("standard")), r.readings.legacyStandard);
        listsFrom(readings.value(QStringLiteral("sample")), r.readings.legacySample);
    } else {
        listsFrom(readings.value(QStringLiteral("standard")), r.readings.standard);
        listsFrom(readings.value(QStringLiteral("sample")), r.readings.sample);
    }
    return r;
}
