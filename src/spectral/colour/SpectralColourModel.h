#pragma once
// The colour of every curve of the spectral dialog under the chosen
// illuminant and observer (L*a*b*, L*C*h, Yxy; CIE whiteness and tint;
// E313 yellowness), and the comparison of a standard curve with a sample
// curve under a set of illuminants: the differences, the metamerism index
// against the reference illuminant and the verdict against a limit. The
// dialog shows what this class holds; nothing here knows a widget.

#include "ColorIndices.h"
#include "CurveColour.h"
#include "DeltaE.h"
#include "ToleranceSet.h"

#include <QString>

#include <optional>
#include <vector>

// How the values beside each curve are given.
enum class CurveValues { Lab, Lch, Yxy };

using CurveColour = colorimetry::CurveColour;

// The settings a comparison is made with.
struct SpectralComparisonSettings
{
    static constexpr colorimetry::Illuminant kReference = colorimetry::Illuminant::D65;
    colorimetry::Observer observer = colorimetry::Observer::Cie1964TenDegree;
    // The illuminants evaluated besides the reference, in any order.
    std::vector<colorimetry::Illuminant> tests{colorimetry::Illuminant::A, colorimetry::Illuminant::F11};
    // The formula of the verdict and of the metamerism index; delta-E*ab is
    // always given beside it.
    DeltaEFormula formula = DeltaEFormula::Cie2000;
    double limit = 1.0;
    // A library standard's limits on curves (`dE00@A<=2`, `mi00<=0.5`; other
    // limits are ignored): a row with a limit for its illuminant, or a test
    // row with a metamerism-index limit, is judged by these instead of limit.
    QList<ToleranceLimit> setLimits;
};

// The difference of the sample from the standard under one illuminant.
struct IlluminantDifference
{
    colorimetry::Illuminant illuminant = colorimetry::Illuminant::D65;
    bool reference = false;
    LabColor standard;
    LabColor sample;
    double dL = 0.0;
    double da = 0.0;
    double db = 0.0;
    double dC = 0.0;
    double dH = 0.0; // signed with the hue angle difference
    double deltaEab = 0.0;
    double deltaE = 0.0; // the settings' formula
    // Metamerism index for the change from the reference to this illuminant,
    // additive correction, in the settings' formula; 0 under the reference.
    double metamerism = 0.0;
    bool pass = false;
    // Judged by the set's limits (settings.setLimits), not the dialog's limit.
    bool bySet = false;
    // By the set: the limit that decided NG, or on a PASS the first informing
    // limit beyond (warning); its LIST token ("dE00@A", "mi00"). Empty otherwise.
    QString decidedBy;
    bool warning = false;
};

// The one verdict of a comparison row: the colour difference and the
// metamerism index both within the limit.
bool comparisonPasses(double deltaE, double metamerism, double limit);

// The reference first, then each test illuminant once in the order of
// colorimetry::kAllIlluminants (the reference is not repeated).
std::vector<IlluminantDifference> compareCurves(const colorimetry::Curve& standard, const colorimetry::Curve& sample,
                                                const SpectralComparisonSettings& settings);

// The formulas the comparison offers: those that work on L*a*b* alone
// (delta-E*uv needs the instrument's white and is left out).
const std::vector<DeltaEFormula>& comparisonFormulas();

class SpectralColourModel
{
public:
    void appendCurve(const colorimetry::Curve& curve, const QString& name);
    void removeCurve(int index);
    void clear();
    void setName(int index, const QString& name);

    int curveCount() const { return int(m_curves.size()); }
    const colorimetry::Curve& curve(int index) const { return m_curves.at(size_t(index)); }
    const QString& name(int index) const { return m_names.at(size_t(index)); }
    const CurveColour& colour(int index) const { return m_colours.at(size_t(index)); }
    // The three values of the display choice (L*, a*, b* / L*, C*, h / Y, x, y).
    std::array<double, 3> values(int index) const;

    // Each change recomputes every curve and the comparison.
    void setIlluminant(colorimetry::Illuminant illuminant);
    void setObserver(colorimetry::Observer observer);
    void setCurveValues(CurveValues values) { m_values = values; }
    colorimetry::Illuminant illuminant() const { return m_illuminant; }
    colorimetry::Observer observer() const { return m_settings.observer; }
    CurveValues curveValues() const { return m_values; }
    // E313 has coefficients for C and D65 only: C when C is chosen, else D65.
    colorimetry::Illuminant yellownessIlluminant() const;

    // The comparison: standard and sample by curve index (-1 none).
    void setStandard(int index);
    void setSample(int index);
    void setTestIlluminants(const std::vector<colorimetry::Illuminant>& tests);
    void setFormula(DeltaEFormula formula);
    void setLimit(double limit);
    // The chosen library standard's set (its limits on curves judge the rows).
    void setSetLimits(const QList<ToleranceLimit>& limits);
    int standard() const { return m_standard; }
    int sample() const { return m_sample; }
    const SpectralComparisonSettings& settings() const { return m_settings; }
    // Empty while the standard or the sample is missing.
    const std::vector<IlluminantDifference>& comparison() const { return m_comparison; }
    // Every row passes (false when there is no comparison).
    bool comparisonPassed() const;

private:
    CurveColour computeColour(const colorimetry::Curve& curve) const;
    void recomputeColours();
    void recomputeComparison();

    std::vector<colorimetry::Curve> m_curves;
    std::vector<QString> m_names;
    std::vector<CurveColour> m_colours;
    colorimetry::Illuminant m_illuminant = colorimetry::Illuminant::D65;
    CurveValues m_values = CurveValues::Lab;
    SpectralComparisonSettings m_settings;
    int m_standard = -1;
    int m_sample = -1;
    std::vector<IlluminantDifference> m_comparison;
};
