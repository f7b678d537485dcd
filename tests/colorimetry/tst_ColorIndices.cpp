// Whiteness, tint, yellowness and their ranges, the dominant wavelength, and
// the metamerism index of a pair built to match under D65 and not under A.
// Expected indices are worked out here from the published formulae, their
// coefficients and the published white points, apart from the engine.

#include "ColorIndices.h"
#include "DeltaE.h"
#include "Metamers.h"

#include <QTest>

#include <cmath>

using namespace colorimetry;

namespace {

struct Chromaticity
{
    double x;
    double y;
};

Chromaticity chromaticity(double x, double y, double z)
{
    return {x / (x + y + z), y / (x + y + z)};
}

// The perfect white under D65: 95.047, 100, 108.883 (2°); 94.811, 100, 107.304 (10°).
Chromaticity d65White(Observer observer)
{
    return observer == Observer::Cie1931TwoDegree ? chromaticity(95.047, 100.0, 108.883)
                                                  : chromaticity(94.811, 100.0, 107.304);
}

// Published CIE 1931 spectrum locus points.
struct LocusPoint
{
    double nm;
    double x;
    double y;
};
constexpr LocusPoint kLocus[] = {
    {480.0, 0.0913, 0.1327}, {500.0, 0.0082, 0.5384}, {575.0, 0.4788, 0.5202},
    {580.0, 0.5125, 0.4866}, {600.0, 0.6270, 0.3725},
};

YxyColor toward(const LocusPoint& point, double fraction, double luminance,
               const Chromaticity& white = d65White(Observer::Cie1931TwoDegree))
{
    return {luminance, white.x + fraction * (point.x - white.x), white.y + fraction * (point.y - white.y)};
}

XyzColor xyzOf(const YxyColor& yxy)
{
    return {yxy.cx * yxy.y / yxy.cy, yxy.y, (1.0 - yxy.cx - yxy.cy) * yxy.y / yxy.cy};
}

} // namespace

class ColorIndices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void whiteness_followsCieFormula_data();
    void whiteness_followsCieFormula();
    void yellowness_followsE313_data();
    void yellowness_followsE313();
    void yellowness_otherIlluminant_hasNoResult();
    void dominantWavelength_ofColoursTowardTheLocus_data();
    void dominantWavelength_ofColoursTowardTheLocus();
    void metamerismIndex_ofPairMatchingUnderD65_data();
    void metamerismIndex_ofPairMatchingUnderD65();
};

void ColorIndices::whiteness_followsCieFormula_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<int>("observer");
    struct Row
    {
        const char* name;
        double x, y, z;
    };
    const Row rows[] = {
        {"bluish white", 87.5, 91.5, 108.0},
        {"yellowish, W below 40", 85.0, 88.0, 80.0},
        {"greenish, tint below -4", 90.0, 90.0, 101.0},
        {"reddish, tint above 2", 86.5, 91.0, 110.0},
        {"dark, W beyond 5Y - 280", 14.0, 15.0, 19.0},
    };
    for (const Row& row : rows) {
        for (Observer observer : kAllObservers) {
            QTest::newRow(qPrintable(QLatin1String(row.name) + QLatin1Char(' ') + observerName(observer)))
                << row.x << row.y << row.z << int(observer);
        }
    }
}

void ColorIndices::whiteness_followsCieFormula()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(int, observer);
    const Observer view = Observer(observer);
    const Chromaticity white = d65White(view);
    const Chromaticity sample = chromaticity(x, y, z);
    const double w = y + 800.0 * (white.x - sample.x) + 1700.0 * (white.y - sample.y);
    const double t = (view == Observer::Cie1931TwoDegree ? 1000.0 : 900.0) * (white.x - sample.x)
        - 650.0 * (white.y - sample.y);
    const bool inRange = w > 40.0 && w < 5.0 * y - 280.0 && t > -4.0 && t < 2.0;

    const std::optional<WhitenessResult> result = cieWhiteness(XyzColor{x, y, z}, view);
    QVERIFY(result);
    QVERIFY2(std::abs(result->whiteness - w) < 0.1, qPrintable(QStringLiteral("%1 against %2").arg(result->whiteness).arg(w)));
    QVERIFY2(std::abs(result->tint - t) < 0.05, qPrintable(QStringLiteral("%1 against %2").arg(result->tint).arg(t)));
    QCOMPARE(result->inRange, inRange);
}

void ColorIndices::yellowness_followsE313_data()
{
    QTest::addColumn<int>("illuminant");
    QTest::addColumn<int>("observer");
    QTest::addColumn<double>("cx");
    QTest::addColumn<double>("cz");
    QTest::addColumn<double>("sampleX");
    QTest::addColumn<double>("sampleY");
    QTest::addColumn<double>("sampleZ");
    QTest::addColumn<bool>("inRange");
    struct Coefficients
    {
        Illuminant illuminant;
        Observer observer;
        double cx, cz;
        Chromaticity white; // the published white point's
    };
    // ASTM E313's coefficients.
    const Coefficients sets[] = {
        {Illuminant::C, Observer::Cie1931TwoDegree, 1.2769, 1.0592, chromaticity(98.074, 100.0, 118.232)},
        {Illuminant::C, Observer::Cie1964TenDegree, 1.2871, 1.0781, chromaticity(97.285, 100.0, 116.145)},
        {Illuminant::D65, Observer::Cie1931TwoDegree, 1.2985, 1.1335, d65White(Observer::Cie1931TwoDegree)},
        {Illuminant::D65, Observer::Cie1964TenDegree, 1.3013, 1.1498, d65White(Observer::Cie1964TenDegree)},
    };
    for (const Coefficients& set : sets) {
        // Near-white specimens with a dominant wavelength of about 575 nm (in
        // E313's range: toward the 2° locus at 575 nm, or at 580 nm for 10°,
        // whose locus lies about 5 nm further along here), a bluish one
        // (complementary: outside) and an orange one at about 600 nm (outside).
        const LocusPoint& yellow = set.observer == Observer::Cie1931TwoDegree ? kLocus[2] : kLocus[3];
        const XyzColor yellowish = xyzOf(toward(yellow, 0.12, 80.0, set.white));
        const XyzColor bluish = xyzOf(toward(yellow, -0.05, 85.0, set.white));
        const XyzColor orange = xyzOf(toward(kLocus[4], 0.15, 70.0, set.white));
        const QString name = illuminantName(set.illuminant) + QLatin1Char('/') + observerName(set.observer);
        QTest::newRow(qPrintable(name + QStringLiteral(" yellowish")))
            << int(set.illuminant) << int(set.observer) << set.cx << set.cz << yellowish.x << yellowish.y
            << yellowish.z << true;
        QTest::newRow(qPrintable(name + QStringLiteral(" bluish")))
            << int(set.illuminant) << int(set.observer) << set.cx << set.cz << bluish.x << bluish.y << bluish.z
            << false;
        QTest::newRow(qPrintable(name + QStringLiteral(" orange")))
            << int(set.illuminant) << int(set.observer) << set.cx << set.cz << orange.x << orange.y << orange.z
            << false;
    }
}

void ColorIndices::yellowness_followsE313()
{
    QFETCH(int, illuminant);
    QFETCH(int, observer);
    QFETCH(double, cx);
    QFETCH(double, cz);
    QFETCH(double, sampleX);
    QFETCH(double, sampleY);
    QFETCH(double, sampleZ);
    QFETCH(bool, inRange);
    const std::optional<YellownessResult> result =
        yellownessE313(XyzColor{sampleX, sampleY, sampleZ}, Illuminant(illuminant), Observer(observer));
    QVERIFY(result);
    const double expected = 100.0 * (cx * sampleX - cz * sampleZ) / sampleY;
    QVERIFY2(std::abs(result->yellowness - expected) < 1e-9,
             qPrintable(QStringLiteral("%1 against %2").arg(result->yellowness).arg(expected)));
    QCOMPARE(result->inRange, inRange);
}

void ColorIndices::yellowness_otherIlluminant_hasNoResult()
{
    const XyzColor sample{80.0, 82.0, 70.0};
    QVERIFY(!yellownessE313(sample, Illuminant::A, Observer::Cie1931TwoDegree));
    QVERIFY(!yellownessE313(sample, Illuminant::D50, Observer::Cie1964TenDegree));
    QVERIFY(!yellownessE313(XyzColor{0.0, 0.0, 0.0}, Illuminant::D65, Observer::Cie1931TwoDegree));
    QVERIFY(!cieWhiteness(XyzColor{0.0, 0.0, 0.0}, Observer::Cie1931TwoDegree));
}

void ColorIndices::dominantWavelength_ofColoursTowardTheLocus_data()
{
    QTest::addColumn<double>("nm");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<bool>("complementary");
    for (const LocusPoint& point : kLocus) {
        QTest::newRow(qPrintable(QStringLiteral("%1 nm").arg(point.nm))) << point.nm << 0.4 << false;
    }
    // Beyond the white from green lies the purple line.
    QTest::newRow("complementary of 500 nm") << 500.0 << -0.3 << true;
}

void ColorIndices::dominantWavelength_ofColoursTowardTheLocus()
{
    QFETCH(double, nm);
    QFETCH(double, fraction);
    QFETCH(bool, complementary);
    const LocusPoint* point = std::find_if(std::begin(kLocus), std::end(kLocus),
                                           [nm](const LocusPoint& p) { return p.nm == nm; });
    const YxyColor color = toward(*point, fraction, 50.0);
    const Chromaticity w = d65White(Observer::Cie1931TwoDegree);
    const std::optional<DominantWavelength> dominant =
        dominantWavelength(color, YxyColor{100.0, w.x, w.y}, Observer::Cie1931TwoDegree);
    QVERIFY(dominant);
    QCOMPARE(dominant->complementary, complementary);
    QVERIFY2(std::abs(dominant->nm - nm) < 0.3, qPrintable(QString::number(dominant->nm)));
    QVERIFY(!dominantWavelength(YxyColor{50.0, w.x, w.y}, YxyColor{100.0, w.x, w.y}, Observer::Cie1931TwoDegree));
}

void ColorIndices::metamerismIndex_ofPairMatchingUnderD65_data()
{
    QTest::addColumn<int>("observer");
    QTest::addColumn<double>("offset"); // percent added to the sample everywhere
    for (Observer observer : kAllObservers) {
        QTest::newRow(qPrintable(QStringLiteral("metameric %1").arg(observerName(observer)))) << int(observer) << 0.0;
        QTest::newRow(qPrintable(QStringLiteral("metameric plus 3 % %1").arg(observerName(observer))))
            << int(observer) << 3.0;
    }
}

void ColorIndices::metamerismIndex_ofPairMatchingUnderD65()
{
    QFETCH(int, observer);
    QFETCH(double, offset);
    const Observer view = Observer(observer);
    const TristimulusWeights& d65 = TristimulusWeights::standard(Illuminant::D65, view);
    const TristimulusWeights& a = TristimulusWeights::standard(Illuminant::A, view);
    // A smooth standard; the sample adds a wiggle with the D65 weights'
    // three rows projected out, so X, Y, Z under D65 stay the same.
    Curve standard;
    Curve wiggle;
    for (int i = 0; i < kBandCount; ++i) {
        standard[std::size_t(i)] = 30.0 + 20.0 * std::sin(i / 6.0);
        wiggle[std::size_t(i)] = 8.0 * std::sin(i / 2.2) + 5.0 * std::cos(i / 1.3);
    }
    const Curve metamer = metamerOf(standard, d65, wiggle);
    const LabColor standardD65 = labFromXyz(d65.xyz(standard), d65.white());
    const LabColor metamerD65 = labFromXyz(d65.xyz(metamer), d65.white());
    QVERIFY(deltaE(DeltaEFormula::CieAb, standardD65, metamerD65) < 1e-9);

    Curve sample = metamer;
    for (double& v : sample) {
        v += offset;
    }
    // Worked out by hand: the sample's difference under D65 taken off its
    // L*a*b* under A.
    const LabColor standardA = labFromXyz(a.xyz(standard), a.white());
    const LabColor sampleA = labFromXyz(a.xyz(sample), a.white());
    const LabColor sampleD65 = labFromXyz(d65.xyz(sample), d65.white());
    const LabColor corrected{sampleA.l - (sampleD65.l - standardD65.l), sampleA.a - (sampleD65.a - standardD65.a),
                             sampleA.b - (sampleD65.b - standardD65.b)};
    const double expected = std::hypot(standardA.l - corrected.l, standardA.a - corrected.a, standardA.b - corrected.b);

    const MetamerismResult result = metamerismIndex(standard, sample, Illuminant::D65, Illuminant::A, view);
    QVERIFY2(std::abs(result.deltaEab - expected) < 1e-9,
             qPrintable(QStringLiteral("%1 against %2").arg(result.deltaEab).arg(expected)));
    QVERIFY2(result.deltaEab > 1.0, qPrintable(QString::number(result.deltaEab))); // A tells them apart
    QCOMPARE(result.deltaE00, deltaE(DeltaEFormula::Cie2000, standardA, corrected));
    if (offset == 0.0) {
        // Matching under D65, the index is the plain difference under A.
        QVERIFY(std::abs(result.deltaEab - deltaE(DeltaEFormula::CieAb, standardA, sampleA)) < 1e-9);
    } else {
        // The correction matters: the uncorrected difference under A is not the index.
        QVERIFY2(std::abs(result.deltaEab - deltaE(DeltaEFormula::CieAb, standardA, sampleA)) > 0.1,
                 qPrintable(QStringLiteral("index %1, uncorrected %2")
                                .arg(result.deltaEab)
                                .arg(deltaE(DeltaEFormula::CieAb, standardA, sampleA))));
    }
    // The same pair under one illuminant has no metamerism left.
    QVERIFY(metamerismIndex(standard, sample, Illuminant::D65, Illuminant::D65, view).deltaEab < 1e-9);
}

QTEST_GUILESS_MAIN(ColorIndices)
#include "tst_ColorIndices.moc"
