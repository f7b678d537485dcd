#include "SpectralColourModel.h"

#include "ColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace colorimetry;

namespace {

IlluminantDifference difference(const LabColor& standard, const LabColor& sample, DeltaEFormula formula)
{
    IlluminantDifference d;
    d.standard = standard;
    d.sample = sample;
    d.dL = sample.l - standard.l;
    d.da = sample.a - standard.a;
    d.db = sample.b - standard.b;
    const LchColor s = lchFromLab(standard);
    const LchColor t = lchFromLab(sample);
    d.dC = t.c - s.c;
    d.deltaEab = std::sqrt(d.dL * d.dL + d.da * d.da + d.db * d.db);
    double dh = t.h - s.h;
    if (dh > 180.0) {
        dh -= 360.0;
    } else if (dh <= -180.0) {
        dh += 360.0;
    }
    // What is left of delta-E*ab after lightness and chroma is the hue
    // difference; rounding can leave a tiny negative square.
    const double square = d.deltaEab * d.deltaEab - d.dL * d.dL - d.dC * d.dC;
    d.dH = std::copysign(std::sqrt(std::max(0.0, square)), dh);
    d.deltaE = deltaE(formula, standard, sample);
    return d;
}

// The row's value of a limit; NaN for what a curve pair does not give.
double valueOf(const ToleranceLimit& limit, const IlluminantDifference& d, const MetamerismResult* mi)
{
    // delta-E*uv is not offered for curves (the LIST refuses it under an illuminant).
    const std::optional<DeltaEFormula> formula = toleranceFormula(limit.quantity);
    if (formula && *formula != DeltaEFormula::CieUv) {
        if (limit.metamerism) {
            return mi ? deltaE(*formula, mi->standardTest, mi->correctedSampleTest) : 0.0;
        }
        return deltaE(*formula, d.standard, d.sample);
    }
    switch (limit.quantity) {
    case ToleranceQuantity::dL: return d.dL;
    case ToleranceQuantity::da: return d.da;
    case ToleranceQuantity::db: return d.db;
    case ToleranceQuantity::dC: return d.dC;
    case ToleranceQuantity::dH: return d.dH;
    default: return std::numeric_limits<double>::quiet_NaN();
    }
}

// Judges the row by the set's limits that apply to it: those under its
// illuminant and, on a test row, the metamerism-index limits without an
// illuminant. Without any, the dialog's limit stays in force.
void judgeBySet(IlluminantDifference& d, const QList<ToleranceLimit>& limits, const MetamerismResult* mi)
{
    const QString name = illuminantName(d.illuminant);
    QString firstWarning;
    for (const ToleranceLimit& limit : limits) {
        const bool applies = limit.metamerism ? !d.reference && (limit.illuminant.isEmpty() || limit.illuminant == name)
                                              : limit.illuminant == name;
        if (!applies) {
            continue;
        }
        if (!d.bySet) {
            d.bySet = true;
            d.pass = true;
        }
        const double value = valueOf(limit, d, mi);
        const bool beyond = std::isnan(value) || toleranceLimitExceeded(limit, value);
        if (!beyond) {
            continue;
        }
        if (limit.decides && d.pass) {
            d.pass = false;
            d.decidedBy = toleranceLimitToken(limit);
        } else if (!limit.decides && firstWarning.isEmpty()) {
            firstWarning = toleranceLimitToken(limit);
        }
    }
    if (d.bySet && d.pass && !firstWarning.isEmpty()) {
        d.warning = true;
        d.decidedBy = firstWarning;
    }
}

} // namespace

bool comparisonPasses(double deltaE, double metamerism, double limit)
{
    return deltaE <= limit && metamerism <= limit;
}

const std::vector<DeltaEFormula>& comparisonFormulas()
{
    static const std::vector<DeltaEFormula> formulas{DeltaEFormula::Cie2000, DeltaEFormula::CieAb,
                                                     DeltaEFormula::Cie94,   DeltaEFormula::Cmc2To1,
                                                     DeltaEFormula::Cmc1To1, DeltaEFormula::Cmc14To1};
    return formulas;
}

std::vector<IlluminantDifference> compareCurves(const Curve& standard, const Curve& sample,
                                                const SpectralComparisonSettings& settings)
{
    const TristimulusWeights& reference = TristimulusWeights::standard(settings.kReference, settings.observer);
    std::vector<IlluminantDifference> rows;
    {
        IlluminantDifference d = difference(labFromXyz(reference.xyz(standard), reference.white()),
                                            labFromXyz(reference.xyz(sample), reference.white()), settings.formula);
        d.illuminant = settings.kReference;
        d.reference = true;
        d.pass = comparisonPasses(d.deltaE, d.metamerism, settings.limit);
        judgeBySet(d, settings.setLimits, nullptr);
        rows.push_back(d);
    }
    for (const Illuminant illuminant : kAllIlluminants) {
        if (illuminant == settings.kReference
            || std::find(settings.tests.begin(), settings.tests.end(), illuminant) == settings.tests.end()) {
            continue;
        }
        const TristimulusWeights& test = TristimulusWeights::standard(illuminant, settings.observer);
        IlluminantDifference d = difference(labFromXyz(test.xyz(standard), test.white()),
                                            labFromXyz(test.xyz(sample), test.white()), settings.formula);
        d.illuminant = illuminant;
        const MetamerismResult mi = metamerismIndex(standard, sample, reference, test);
        d.metamerism = deltaE(settings.formula, mi.standardTest, mi.correctedSampleTest);
        d.pass = comparisonPasses(d.deltaE, d.metamerism, settings.limit);
        judgeBySet(d, settings.setLimits, &mi);
        rows.push_back(d);
    }
    return rows;
}

void SpectralColourModel::appendCurve(const Curve& curve, const QString& name)
{
    m_curves.push_back(curve);
    m_names.push_back(name);
    m_colours.push_back(computeColour(curve));
}

void SpectralColourModel::removeCurve(int index)
{
    if (index < 0 || index >= curveCount()) {
        return;
    }
    m_curves.erase(m_curves.begin() + index);
    m_names.erase(m_names.begin() + index);
    m_colours.erase(m_colours.begin() + index);
    // The comparison follows its curves; a removed one leaves it unset.
    for (int* chosen : {&m_standard, &m_sample}) {
        if (*chosen == index) {
            *chosen = -1;
        } else if (*chosen > index) {
            --*chosen;
        }
    }
    recomputeComparison();
}

void SpectralColourModel::clear()
{
    m_curves.clear();
    m_names.clear();
    m_colours.clear();
    m_standard = -1;
    m_sample = -1;
    m_comparison.clear();
}

void SpectralColourModel::setName(int index, const QString& name)
{
    if (index >= 0 && index < curveCount()) {
        m_names[size_t(index)] = name;
    }
}

std::array<double, 3> SpectralColourModel::values(int index) const
{
    const CurveColour& c = colour(index);
    switch (m_values) {
    case CurveValues::Lch:
        return {c.lch.l, c.lch.c, c.lch.h};
    case CurveValues::Yxy:
        return {c.yxy.y, c.yxy.cx, c.yxy.cy};
    case CurveValues::Lab:
        break;
    }
    return {c.lab.l, c.lab.a, c.lab.b};
}

void SpectralColourModel::setIlluminant(Illuminant illuminant)
{
    m_illuminant = illuminant;
    recomputeColours();
}

void SpectralColourModel::setObserver(Observer observer)
{
    m_settings.observer = observer;
    recomputeColours();
    recomputeComparison();
}

Illuminant SpectralColourModel::yellownessIlluminant() const
{
    return colorimetry::yellownessIlluminant(m_illuminant);
}

void SpectralColourModel::setStandard(int index)
{
    m_standard = index >= 0 && index < curveCount() ? index : -1;
    recomputeComparison();
}

void SpectralColourModel::setSample(int index)
{
    m_sample = index >= 0 && index < curveCount() ? index : -1;
    recomputeComparison();
}

void SpectralColourModel::setTestIlluminants(const std::vector<Illuminant>& tests)
{
    m_settings.tests = tests;
    recomputeComparison();
}

void SpectralColourModel::setFormula(DeltaEFormula formula)
{
    m_settings.formula = formula;
    recomputeComparison();
}

void SpectralColourModel::setLimit(double limit)
{
    m_settings.limit = limit;
    recomputeComparison();
}

void SpectralColourModel::setSetLimits(const QList<ToleranceLimit>& limits)
{
    m_settings.setLimits.clear();
    for (const ToleranceLimit& limit : limits) {
        if (limit.onCurves()) {
            m_settings.setLimits.append(limit);
        }
    }
    recomputeComparison();
}

bool SpectralColourModel::comparisonPassed() const
{
    return !m_comparison.empty()
           && std::all_of(m_comparison.begin(), m_comparison.end(),
                          [](const IlluminantDifference& d) { return d.pass; });
}

CurveColour SpectralColourModel::computeColour(const Curve& curve) const
{
    return curveColour(curve, {m_illuminant, m_settings.observer});
}

void SpectralColourModel::recomputeColours()
{
    for (size_t i = 0; i < m_curves.size(); ++i) {
        m_colours[i] = computeColour(m_curves[i]);
    }
}

void SpectralColourModel::recomputeComparison()
{
    if (m_standard < 0 || m_sample < 0) {
        m_comparison.clear();
        return;
    }
    m_comparison = compareCurves(curve(m_standard), curve(m_sample), m_settings);
}
