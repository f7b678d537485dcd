#include "ComparisonJudging.h"

#include "ComparisonFormula.h"
#include "HueDifference.h"

#include <cmath>
#include <limits>

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

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;

bool known(const LabColor& c)
{
    return std::isfinite(c.l) && std::isfinite(c.a) && std::isfinite(c.b);
}

// A library standard without limits (none set yet) is judged by the
// instrument's tolerances, as if no library standard were in use: a set
// without limits would pass anything. So is one whose limits are all on
// curves, which a record does not have.
bool judgedBySet(const ComparisonRecord& record)
{
    return record.library.inUse() && hasValueLimits(record.library.tolerances.limits);
}

ToleranceOutcome libraryOutcome(const ComparisonRecord& record)
{
    const LibraryToleranceSet& set = record.library.tolerances;
    return judgeAgainstSet(set, toleranceDifferences(record, set));
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

ToleranceDifferences toleranceDifferences(const ComparisonRecord& record, const LibraryToleranceSet& set)
{
    ToleranceDifferences d;
    d.fill(kNaN);
    const LabColor standard = record.legacy ? lab(record.legacyStandard) : lab(record.standard);
    const LabColor sample = record.legacy ? lab(record.legacySample) : lab(record.sample);
    const bool labKnown = known(standard) && known(sample);
    for (const ToleranceLimit& limit : set.limits) {
        const int index = static_cast<int>(limit.quantity);
        if (!std::isnan(d[index])) {
            continue;
        }
        if (const std::optional<DeltaEFormula> formula = toleranceFormula(limit.quantity)) {
            d[index] = labKnown ? deltaE(*formula, standard, sample) : kNaN;
            continue;
        }
        switch (limit.quantity) {
        case ToleranceQuantity::dL: d[index] = sample.l - standard.l; break;
        case ToleranceQuantity::da: d[index] = sample.a - standard.a; break;
        case ToleranceQuantity::db: d[index] = sample.b - standard.b; break;
        case ToleranceQuantity::dC:
            d[index] = std::hypot(sample.a, sample.b) - std::hypot(standard.a, standard.b);
            break;
        case ToleranceQuantity::dH: {
            // 2 sqrt(C1 C2) sin(dh / 2): signed as the hue difference.
            const double c1 = std::hypot(standard.a, standard.b);
            const double c2 = std::hypot(sample.a, sample.b);
            const double h1 = std::atan2(standard.b, standard.a) * 180.0 / kPi;
            const double h2 = std::atan2(sample.b, sample.a) * 180.0 / kPi;
            const double dh = hueDifference(h1, h2) * kPi / 180.0;
            d[index] = 2.0 * std::sqrt(c1 * c2) * std::sin(dh / 2.0);
            break;
        }
        case ToleranceQuantity::Haze:
            d[index] = record.legacy ? kNaN : record.hazeDifference;
            break;
        case ToleranceQuantity::T:
            d[index] = record.legacy ? kNaN : record.transmittanceDifference;
            break;
        default:
            break;
        }
    }
    return d;
}

Verdict verdictOf(const ComparisonRecord& record, const ComparisonSettings& settings)
{
    if (judgedBySet(record)) {
        return libraryOutcome(record).pass ? Verdict::Pass : Verdict::Ng;
    }
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
    bool pass = false;
    bool warning = false;
    QString decidedBy;
    if (judgedBySet(record)) {
        const ToleranceOutcome outcome = libraryOutcome(record);
        pass = outcome.pass;
        warning = outcome.warning;
        decidedBy = outcome.decidedBy ? toleranceQuantityToken(*outcome.decidedBy) : QString();
    } else {
        pass = verdictOf(record, settings) == Verdict::Pass;
    }
    if (!changed && pass == record.pass && warning == record.library.warning
        && decidedBy == record.library.decidedBy) {
        return false;
    }
    record.pass = pass;
    record.library.warning = warning;
    record.library.decidedBy = decidedBy;
    ++record.version;
    return true;
}

bool judgeRecordWithLibrary(ComparisonRecord& record, const ComparisonSettings& settings,
                            const LibraryJudgement& library)
{
    const LibraryJudgement& was = record.library;
    const bool changed = was.standardId != library.standardId || was.standardVersion != library.standardVersion
                         || was.standardName != library.standardName || was.standardCode != library.standardCode
                         || was.tolerances.id != library.tolerances.id
                         || was.tolerances.version != library.tolerances.version
                         || !was.tolerances.sameLimits(library.tolerances);
    const bool wasWarning = was.warning;
    const QString wasDecidedBy = was.decidedBy;
    record.library = library;
    record.library.warning = wasWarning;
    record.library.decidedBy = wasDecidedBy;
    const bool judged = judgeRecord(record, settings);
    if (changed && !judged) {
        ++record.version;
    }
    return changed || judged;
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
