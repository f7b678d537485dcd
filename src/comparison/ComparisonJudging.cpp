#include "ComparisonJudging.h"

#include "ComparisonFormula.h"

#include <cmath>

namespace {

LabColor lab(const ComparisonRecord::Values& v)
{
    return {v[ComparisonRecord::LabL], v[ComparisonRecord::LabA], v[ComparisonRecord::LabB]};
}

LabColor lab(const ComparisonRecord::LegacyValues& v)
{
    return {v[ComparisonRecord::LegacyL], v[ComparisonRecord::LegacyA], v[ComparisonRecord::LegacyB]};
}

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

double recordDeltaE(const ComparisonRecord& record, const ComparisonSettings& settings)
{
    if (record.legacy) {
        return comparisonDeltaE(true, 0, settings.formulaCode, lab(record.legacyStandard),
                                lab(record.legacySample));
    }
    return comparisonDeltaE(false, settings.layoutIndex, settings.formulaCode,
                            lab(record.standard), lab(record.sample));
}

Tolerances judgedTolerances(const ComparisonSettings& settings, bool legacy)
{
    return {settings.hazeTolerance, settings.transmittanceTolerance,
            legacy ? settings.deltaEThreshold : settings.thresholdInForce()};
}

Verdict verdictOf(const ComparisonRecord& record, const ComparisonSettings& settings)
{
    const Tolerances tolerances = judgedTolerances(settings, record.legacy);
    if (record.legacy) {
        return judgeLegacy(record.deltaE, tolerances.deltaE);
    }
    return judgeComparison(settings.displayMode, record.hazeDifference,
                           record.transmittanceDifference, record.deltaE, tolerances);
}

bool judgeRecord(ComparisonRecord& record, const ComparisonSettings& settings)
{
    const double deltaE = recordDeltaE(record, settings);
    const bool changed = !sameNumber(deltaE, record.deltaE) || settings.hazeTolerance != record.settings.hazeTolerance
                         || settings.transmittanceTolerance != record.settings.transmittanceTolerance
                         || settings.thresholdInForce() != record.settings.thresholdInForce()
                         || settings.deltaEThreshold != record.settings.deltaEThreshold
                         || settings.formulaCode != record.settings.formulaCode
                         || settings.displayMode != record.settings.displayMode
                         || settings.layoutIndex != record.settings.layoutIndex
                         || settings.formulaText != record.settings.formulaText
                         || settings.thresholdText != record.settings.thresholdText;
    record.deltaE = deltaE;
    record.settings = settings;
    const bool pass = verdictOf(record, settings) == Verdict::Pass;
    if (!changed && pass == record.pass) {
        return false;
    }
    record.pass = pass;
    ++record.version;
    return true;
}

bool judgedUnder(const ComparisonRecord& record, const ComparisonSettings& settings)
{
    const ComparisonSettings& taken = record.settings;
    return record.legacy || taken.displayMode == DisplayMode::None
           || (taken.displayMode == settings.displayMode && taken.layoutIndex == settings.layoutIndex);
}

DisplayMode takenInDisplayMode(const QList<ComparisonRecord>& records)
{
    for (const ComparisonRecord& record : records) {
        if (!record.legacy && record.settings.displayMode != DisplayMode::None) {
            return record.settings.displayMode;
        }
    }
    return DisplayMode::None;
}

QList<int> judgeRecordsAgain(QList<ComparisonRecord>& records, const ComparisonSettings& settings)
{
    QList<int> changed;
    for (int i = 0; i < records.size(); ++i) {
        if (judgedUnder(records[i], settings) && judgeRecord(records[i], settings)) {
            changed.append(i);
        }
    }
    return changed;
}

std::optional<double> displayedNumber(const QString& text)
{
    QString plain = text;
    plain.remove(QLatin1Char('%'));
    plain = plain.trimmed();
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}
