#include "ComparisonMath.h"

#include "Colorimetry.h"
#include "ComparisonColumns.h"

#include <cmath>

namespace {

// Reads every text of one column; the index of the first unusable one, or -1.
template <std::size_t N>
int readColumn(const std::array<QString, N>& texts, std::array<double, N>& values)
{
    for (std::size_t i = 0; i < N; ++i) {
        const std::optional<double> value = displayedNumber(texts[i]);
        if (!value) {
            return static_cast<int>(i);
        }
        values[i] = *value;
    }
    return -1;
}

template <std::size_t N>
bool readColumns(const std::array<QString, N>& standardTexts,
                 const std::array<QString, N>& sampleTexts, std::array<double, N>& standard,
                 std::array<double, N>& sample, ComparisonOutcome& outcome)
{
    outcome.badStandardIndex = readColumn(standardTexts, standard);
    outcome.badSampleIndex = readColumn(sampleTexts, sample);
    outcome.refused = outcome.badStandardIndex >= 0 || outcome.badSampleIndex >= 0;
    return !outcome.refused;
}

QString percentText(double difference)
{
    return formatDifference(difference) + QLatin1Char('%');
}

void fillWords(ComparisonOutcome& outcome, double dl, double da, double db)
{
    outcome.words = {deviationWord(DeviationAxis::L, dl), deviationWord(DeviationAxis::A, da),
                     deviationWord(DeviationAxis::B, db)};
}

} // namespace

ComparisonOutcome compareCurrent(const CurrentComparisonInput& input)
{
    using V = ComparisonRecord;
    ComparisonOutcome outcome;
    ComparisonRecord& r = outcome.result;
    // A standard loaded from a colour file has no haze or transmittance: its
    // cells show dashes. Such a value is unknown (NaN), which only the display
    // modes that judge by delta-E alone accept; every other one refuses.
    std::array<QString, V::ValueCount> standardTexts = input.standardTexts;
    const int mode = displayModeOf(input.displayFlags);
    const bool deltaEOnly = mode == 3 || mode == 4 || mode == 5;
    std::array<bool, V::ValueCount> unknown{};
    for (int i : {int(V::Haze), int(V::Transmittance)}) {
        if (deltaEOnly && standardTexts[i].trimmed() == ComparisonColumns::kUnknownText) {
            unknown[i] = true;
            standardTexts[i] = QStringLiteral("0");
        }
    }
    if (!readColumns(standardTexts, input.sampleTexts, r.standard, r.sample, outcome)) {
        return outcome;
    }
    for (int i = 0; i < V::ValueCount; ++i) {
        if (unknown[i]) {
            r.standard[i] = ComparisonRecord::kUnknown;
        }
    }

    std::array<double, V::ValueCount> difference{};
    for (int i = 0; i < V::ValueCount; ++i) {
        difference[i] = r.sample[i] - r.standard[i];
    }
    difference[V::LchH] = hueDifference(r.standard[V::LchH], r.sample[V::LchH]);
    for (int i = 0; i < V::ValueCount; ++i) {
        const bool percent = i == V::Haze || i == V::Transmittance;
        if (unknown[i]) {
            outcome.differenceTexts.append(ComparisonColumns::kUnknownText);
            continue;
        }
        outcome.differenceTexts.append(percent ? percentText(difference[i])
                                               : formatDifference(difference[i]));
    }
    fillWords(outcome, difference[V::LabL], difference[V::LabA], difference[V::LabB]);

    r.hazeDifference = difference[V::Haze];
    r.transmittanceDifference = difference[V::Transmittance];
    ComparisonSettings settings;
    settings.hazeTolerance = input.tolerances.haze;
    settings.transmittanceTolerance = input.tolerances.transmittance;
    settings.deltaEThreshold = input.tolerances.deltaE;
    settings.parameterThreshold = input.parameterThreshold;
    settings.formulaCode = input.formulaCode;
    settings.displayMode = displayModeOf(input.displayFlags);
    settings.layoutIndex = input.layoutIndex;
    settings.formulaText = input.formulaText;
    judgeRecord(r, settings);
    outcome.deltaEText = formatDeltaE(r.deltaE);
    outcome.deltaEThreshold = settings.thresholdInForce();
    outcome.verdict = r.pass ? Verdict::Pass : Verdict::Ng;
    return outcome;
}

ComparisonOutcome compareLegacy(const LegacyComparisonInput& input)
{
    using V = ComparisonRecord;
    ComparisonOutcome outcome;
    ComparisonRecord& r = outcome.result;
    if (!readColumns(input.standardTexts, input.sampleTexts, r.legacyStandard, r.legacySample,
                     outcome)) {
        return outcome;
    }
    std::array<double, V::LegacyCount> difference{};
    for (int i = 0; i < V::LegacyCount; ++i) {
        difference[i] = r.legacySample[i] - r.legacyStandard[i];
    }
    difference[V::LegacyH] = hueDifference(r.legacyStandard[V::LegacyH], r.legacySample[V::LegacyH]);
    for (double d : difference) {
        outcome.differenceTexts.append(formatDifference(d));
    }
    fillWords(outcome, difference[V::LegacyL], difference[V::LegacyA], difference[V::LegacyB]);

    r.legacy = true;
    ComparisonSettings settings;
    settings.deltaEThreshold = input.deltaEThreshold;
    settings.formulaCode = input.formulaCode;
    settings.formulaText = input.formulaText;
    settings.thresholdText = input.thresholdText;
    // An unknown formula code gives -1, which the legacy verdict passes.
    judgeRecord(r, settings);
    outcome.deltaEText = formatDeltaE(r.deltaE);
    outcome.deltaEThreshold = input.deltaEThreshold;
    outcome.verdict = r.pass ? Verdict::Pass : Verdict::Ng;
    return outcome;
}
