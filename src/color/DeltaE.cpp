#include "DeltaE.h"


#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

// 25^7, the CIEDE2000 chroma weighting constant.
constexpr double pow25To7 = 6103515625.0;

double cosDegrees(double degrees)
{
    return std::cos(degrees * ColorConstants::radiansPerDegree);
}

double sinDegrees(double degrees)
{
    return std::sin(degrees * ColorConstants::radiansPerDegree);
}

double square(double v)
{
    return v * v;
}

double pow7(double v)
{
    const double v2 = v * v;
    return v2 * v2 * v2 * v;
}

// Chromas of both colours and the chroma and hue differences shared by the
// 1994 and CMC formulas.
struct ChromaSplit
{
    double c1;
    double c2;
    double dC;
    double dH;
};

ChromaSplit splitChroma(const LabColor& standard, const LabColor& sample)
{
    ChromaSplit s{};
    s.c1 = chroma(standard.a, standard.b);
    s.c2 = chroma(sample.a, sample.b);
    s.dC = s.c2 - s.c1;
    const double q = square(sample.a - standard.a) + square(sample.b - standard.b);
    // For nearly equal colours rounding can leave q a hair below dC^2; the hue
    // difference is then zero, not the root of a negative number.
    const double dC2 = square(s.dC);
    s.dH = q < dC2 ? 0.0 : std::sqrt(q - dC2);
    return s;
}

double deltaEab(const LabColor& s, const LabColor& p)
{
    return std::sqrt(square(p.l - s.l) + square(p.a - s.a) + square(p.b - s.b));
}

double deltaEuv(const LabColor& s, const LabColor& p)
{
    const LuvColor s2 = labToLuv(s);
    const LuvColor p2 = labToLuv(p);
    return std::sqrt(square(p2.l - s2.l) + square(p2.u - s2.u) + square(p2.v - s2.v));
}

double deltaE94(const LabColor& s, const LabColor& p)
{
    const ChromaSplit c = splitChroma(s, p);
    // Symmetric form: the geometric mean of both chromas weights the terms.
    const double cg = std::sqrt(c.c1 * c.c2);
    const double sc = 1.0 + 0.045 * cg;
    const double sh = 1.0 + 0.015 * cg;
    return std::sqrt(square(c.dC / sc) + square(p.l - s.l) + square(c.dH / sh));
}

double deltaECmc(double lightness, const LabColor& s, const LabColor& p)
{
    const ChromaSplit c = splitChroma(s, p);
    // All weights come from the standard.
    const double sl = s.l < 16.0 ? 0.511 : 0.040975 * s.l / (1.0 + 0.01765 * s.l);
    const double sc = 0.0638 * c.c1 / (1.0 + 0.0131 * c.c1) + 0.638;
    const double c4 = square(square(c.c1));
    const double f = std::sqrt(c4 / (c4 + 1900.0));
    const double h1 = hueAngle(s.a, s.b);
    const double t = (h1 >= 164.0 && h1 <= 345.0) ? 0.56 + std::abs(0.2 * cosDegrees(h1 + 168.0))
                                                   : 0.36 + std::abs(0.4 * cosDegrees(h1 + 35.0));
    const double sh = sc * (f * t + 1.0 - f);
    return std::sqrt(square((p.l - s.l) / (lightness * sl)) + square(c.dC / sc) + square(c.dH / sh));
}

double deltaE2000(const LabColor& s, const LabColor& p)
{
    const double cMean = (chroma(s.a, s.b) + chroma(p.a, p.b)) / 2.0;
    const double cMean7 = pow7(cMean);
    const double g = 0.5 * (1.0 - std::sqrt(cMean7 / (cMean7 + pow25To7)));
    const double a1 = s.a * (1.0 + g);
    const double a2 = p.a * (1.0 + g);
    const double c1 = chroma(a1, s.b);
    const double c2 = chroma(a2, p.b);
    const double h1 = hueAngle(a1, s.b);
    const double h2 = hueAngle(a2, p.b);

    const double dL = p.l - s.l;
    const double dC = c2 - c1;
    double dh = 0.0;
    double hMean = h1 + h2;
    if (c1 * c2 != 0.0) {
        const double diff = h2 - h1;
        if (std::abs(diff) <= 180.0) {
            dh = diff;
        } else if (diff > 180.0) {
            dh = diff - 360.0;
        } else {
            dh = diff + 360.0;
        }
        if (std::abs(diff) <= 180.0) {
            hMean = (h1 + h2) / 2.0;
        } else if (h1 + h2 < 360.0) {
            hMean = (h1 + h2 + 360.0) / 2.0;
        } else {
            hMean = (h1 + h2 - 360.0) / 2.0;
        }
    }
    const double dH = 2.0 * std::sqrt(c1 * c2) * sinDegrees(dh / 2.0);

    const double lMean = (s.l + p.l) / 2.0;
    const double l50 = square(lMean - 50.0);
    const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double cpMean = (c1 + c2) / 2.0;
    const double sc = 1.0 + 0.045 * cpMean;
    const double t = 1.0 - 0.17 * cosDegrees(hMean - 30.0) + 0.24 * cosDegrees(2.0 * hMean)
                     + 0.32 * cosDegrees(3.0 * hMean + 6.0) - 0.20 * cosDegrees(4.0 * hMean - 63.0);
    const double sh = 1.0 + 0.015 * cpMean * t;
    const double dTheta = 30.0 * std::exp(-square((hMean - 275.0) / 25.0));
    const double cpMean7 = pow7(cpMean);
    const double rc = 2.0 * std::sqrt(cpMean7 / (cpMean7 + pow25To7));
    const double rt = -sinDegrees(2.0 * dTheta) * rc;

    const double lTerm = dL / sl;
    const double cTerm = dC / sc;
    const double hTerm = dH / sh;
    // The rotation term keeps the sum non-negative in exact arithmetic; guard
    // the last bit of rounding for colours that are all but equal.
    const double sum = square(lTerm) + square(cTerm) + square(hTerm) + rt * cTerm * hTerm;
    return std::sqrt(std::max(0.0, sum));
}

} // namespace

std::optional<DeltaEFormula> formulaFromCode(int code, bool firstGeneration)
{
    switch (code) {
    case 0:
        return DeltaEFormula::CieAb;
    case 1:
        return DeltaEFormula::CieUv;
    case 2:
        return DeltaEFormula::Cie94;
    case 3:
        return DeltaEFormula::Cmc2To1;
    case 4:
        return DeltaEFormula::Cmc1To1;
    case 5:
        return firstGeneration ? DeltaEFormula::Cie2000 : DeltaEFormula::Cmc14To1;
    case 6:
        return firstGeneration ? DeltaEFormula::Cmc14To1 : DeltaEFormula::Cie2000;
    default:
        return std::nullopt;
    }
}

int formulaCodeAsRead(int code, bool firstGeneration)
{
    return (firstGeneration && code > 5) ? 0 : code;
}

QString formulaText(DeltaEFormula formula)
{
    // The names start with U+25B3 (white up-pointing triangle), not a Greek
    // delta: that is the character the instrument's own display uses.
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("Colorimeter", "△E*ab"),
        QT_TRANSLATE_NOOP("Colorimeter", "△E*uv"),
        QT_TRANSLATE_NOOP("Colorimeter", "△E*94"),
        QT_TRANSLATE_NOOP("Colorimeter", "△E*cmc(2:1)"),
        QT_TRANSLATE_NOOP("Colorimeter", "△E*cmc(1:1)"),
        QT_TRANSLATE_NOOP("Colorimeter", "△E*cmc(1.4:1)"),
        QT_TRANSLATE_NOOP("Colorimeter", "△E*00"),
    };
    return QCoreApplication::translate("Colorimeter", texts[static_cast<int>(formula)]);
}

double deltaE(DeltaEFormula formula, const LabColor& standard, const LabColor& sample)
{
    switch (formula) {
    case DeltaEFormula::CieAb:
        return deltaEab(standard, sample);
    case DeltaEFormula::CieUv:
        return deltaEuv(standard, sample);
    case DeltaEFormula::Cie94:
        return deltaE94(standard, sample);
    case DeltaEFormula::Cmc2To1:
        return deltaECmc(2.0, standard, sample);
    case DeltaEFormula::Cmc1To1:
        return deltaECmc(1.0, standard, sample);
    case DeltaEFormula::Cmc14To1:
        return deltaECmc(1.4, standard, sample);
    case DeltaEFormula::Cie2000:
        return deltaE2000(standard, sample);
    }
    Q_UNREACHABLE();
    return 0.0;
}
