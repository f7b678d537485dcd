#include "ComparisonMath.h"

#include "Colorimetry.h"
#include "DeltaE.h"

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

double hueDifference(double standardHue, double sampleHue)
{
    double difference = std::fmod(sampleHue - standardHue, 360.0);
    if (difference <= -180.0) {
        difference += 360.0;
    } else if (difference > 180.0) {
        difference -= 360.0;
    }
    return difference;
}

ComparisonOutcome compareCurrent(const CurrentComparisonInput& input)
{
    using V = ComparisonResult;
    ComparisonOutcome outcome;
    ComparisonResult& r = outcome.result;
    if (!readColumns(input.standardTexts, input.sampleTexts, r.standard, r.sample, outcome)) {
        return outcome;
    }

    std::array<double, V::ValueCount> difference{};
    for (int i = 0; i < V::ValueCount; ++i) {
        difference[i] = r.sample[i] - r.standard[i];
    }
    difference[V::LchH] = hueDifference(r.standard[V::LchH], r.sample[V::LchH]);
    for (int i = 0; i < V::ValueCount; ++i) {
        const bool percent = i == V::Haze || i == V::Transmittance;
        outcome.differenceTexts.append(percent ? percentText(difference[i])
                                               : formatDifference(difference[i]));
    }
    fillWords(outcome, difference[V::LabL], difference[V::LabA], difference[V::LabB]);

    const LabColor standard{r.standard[V::LabL], r.standard[V::LabA], r.standard[V::LabB]};
    const LabColor sample{r.sample[V::LabL], r.sample[V::LabA], r.sample[V::LabB]};
    r.deltaE = comparisonDeltaE(WorkspaceLayout::Current, input.layoutIndex, input.formulaCode,
                                standard, sample);
    outcome.deltaEText = formatDeltaE(r.deltaE);

    Tolerances tolerances = input.tolerances;
    if (input.layoutIndex == 1) {
        tolerances.deltaE = input.parameterThreshold;
    }
    outcome.deltaEThreshold = tolerances.deltaE;
    r.hazeDifference = difference[V::Haze];
    r.transmittanceDifference = difference[V::Transmittance];
    outcome.verdict = judgeComparison(input.displayFlags, r.hazeDifference,
                                      r.transmittanceDifference, r.deltaE, tolerances);
    r.pass = outcome.verdict == Verdict::Pass;
    r.hazeToleranceText = QString::number(tolerances.haze, 'f', 2);
    r.transmittanceToleranceText = QString::number(tolerances.transmittance, 'f', 2);
    r.deltaEThresholdText = formatThreshold(tolerances.deltaE);
    return outcome;
}

ComparisonOutcome compareLegacy(const LegacyComparisonInput& input)
{
    using V = ComparisonResult;
    ComparisonOutcome outcome;
    ComparisonResult& r = outcome.result;
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

    const LabColor standard{r.legacyStandard[V::LegacyL], r.legacyStandard[V::LegacyA],
                            r.legacyStandard[V::LegacyB]};
    const LabColor sample{r.legacySample[V::LegacyL], r.legacySample[V::LegacyA],
                          r.legacySample[V::LegacyB]};
    // An unknown formula code gives -1, which the legacy verdict passes.
    r.deltaE = comparisonDeltaE(WorkspaceLayout::Legacy, 0, input.formulaCode, standard, sample);
    outcome.deltaEText = formatDeltaE(r.deltaE);
    outcome.deltaEThreshold = input.deltaEThreshold;
    outcome.verdict = judgeLegacy(r.deltaE, input.deltaEThreshold);
    r.pass = outcome.verdict == Verdict::Pass;
    r.formulaText = input.formulaText;
    r.thresholdText = input.thresholdText;
    return outcome;
}
