// The weights and the colour spaces: the Lagrange weights against a direct
// sum over the CIE 5 nm tables, the end bands carrying the wavelengths the
// curve does not reach, and the colour spaces on the sRGB primaries' known
// values.

#include "CieTables.h"
#include "ColorSpaces.h"
#include "TristimulusWeights.h"

#include <QTest>

#include <cmath>

using namespace colorimetry;

namespace {

std::array<double, 3> xyzArray(const XyzColor& xyz)
{
    return {xyz.x, xyz.y, xyz.z};
}

void addIlluminantRows()
{
    QTest::addColumn<int>("illuminant");
    QTest::addColumn<int>("observer");
    const Illuminant illuminants[] = {Illuminant::D65, Illuminant::A, Illuminant::F11, Illuminant::D75};
    for (Illuminant illuminant : illuminants) {
        for (Observer observer : kAllObservers) {
            QTest::newRow(qPrintable(illuminantName(illuminant) + QLatin1Char('/') + observerName(observer)))
                << int(illuminant) << int(observer);
        }
    }
}

} // namespace

class Tristimulus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quadraticCurve_equalsDirectSum_data() { addIlluminantRows(); }
    void quadraticCurve_equalsDirectSum();
    void curveFlatExceptEnds_holdsEndValuesOutward_data() { addIlluminantRows(); }
    void curveFlatExceptEnds_holdsEndValuesOutward();
    void colourSpaces_ofKnownColours_data();
    void colourSpaces_ofKnownColours();
    void colourSpaces_ofBlackAndWhite();
};

void Tristimulus::quadraticCurve_equalsDirectSum()
{
    // The Lagrange polynomials reproduce a quadratic curve exactly at every
    // 5 nm point, so its XYZ from the 360..780 nm weights must equal the sum
    // of S x cmf x R over the CIE 5 nm tables, done here directly.
    QFETCH(int, illuminant);
    QFETCH(int, observer);
    const auto curveAt = [](double nm) {
        const double t = (nm - 570.0) / 210.0;
        return 60.0 + 25.0 * t - 30.0 * t * t;
    };
    const SpectralPowerDistribution spd = standardIlluminant(Illuminant(illuminant));
    const cie::Table& cmf = Observer(observer) == Observer::Cie1931TwoDegree ? cie::observer1931 : cie::observer1964;
    std::array<double, 3> direct{};
    double normaliser = 0.0;
    for (int nm = 360; nm <= 780; nm += 5) {
        const double power = spd.at(nm).value_or(0.0);
        normaliser += power * cmf.at(1, nm);
        for (int row = 0; row < 3; ++row) {
            direct[std::size_t(row)] += power * cmf.at(row, nm) * curveAt(nm);
        }
    }
    const TristimulusWeights& weights = TristimulusWeights::standard(Illuminant(illuminant), Observer(observer));
    for (int row = 0; row < 3; ++row) {
        double fromWeights = 0.0;
        for (int band = 0; band < kTableBandCount; ++band) {
            fromWeights += weights.tableWeights(row)[std::size_t(band)] * curveAt(360 + 10 * band);
        }
        QVERIFY2(std::abs(fromWeights - direct[std::size_t(row)] / normaliser) < 1e-9,
                 qPrintable(QStringLiteral("row %1: %2 against %3")
                                .arg(row)
                                .arg(fromWeights)
                                .arg(direct[std::size_t(row)] / normaliser)));
    }
}

void Tristimulus::curveFlatExceptEnds_holdsEndValuesOutward()
{
    // A dark curve, flat at 4 % but for its ends (85 % at 400 nm, 90 % at
    // 700 nm): its XYZ is that of the 360..780 nm curve holding 85 % below
    // 400 nm and 90 % above 700 nm. Dropping the missing wavelengths (zero
    // tails) gives a visibly different colour.
    QFETCH(int, illuminant);
    QFETCH(int, observer);
    Curve curve;
    curve.fill(4.0);
    curve[0] = 85.0;
    curve[1] = 50.0;
    curve[29] = 45.0;
    curve[30] = 90.0;
    const TristimulusWeights& weights = TristimulusWeights::standard(Illuminant(illuminant), Observer(observer));
    const std::array<double, 3> ours = xyzArray(weights.xyz(curve));
    std::array<double, 3> withZeroTails{};
    for (int row = 0; row < 3; ++row) {
        double held = 0.0;
        double zeroTails = 0.0;
        for (int band = 0; band < kTableBandCount; ++band) {
            const int nm = 360 + 10 * band;
            const int index = std::clamp((nm - kFirstBandNm) / kBandStepNm, 0, kBandCount - 1);
            const double value = curve[std::size_t(index)];
            const double w = weights.tableWeights(row)[std::size_t(band)];
            held += w * value;
            if (nm >= kFirstBandNm && nm <= 700) {
                zeroTails += w * value;
            }
        }
        QVERIFY2(std::abs(ours[std::size_t(row)] - held) < 1e-9,
                 qPrintable(QStringLiteral("row %1: %2 against %3").arg(row).arg(ours[std::size_t(row)]).arg(held)));
        withZeroTails[std::size_t(row)] = zeroTails;
    }
    const LabColor held = labFromXyz(weights.xyz(curve), weights.white());
    const LabColor dropped = labFromXyz({withZeroTails[0], withZeroTails[1], withZeroTails[2]}, weights.white());
    const double tailEffect = std::hypot(held.l - dropped.l, held.a - dropped.a, held.b - dropped.b);
    QVERIFY2(tailEffect > 0.2, qPrintable(QString::number(tailEffect)));
}

void Tristimulus::colourSpaces_ofKnownColours_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<QList<double>>("lab");
    QTest::addColumn<QList<double>>("lch");
    QTest::addColumn<QList<double>>("luv");
    QTest::addColumn<QList<double>>("chromaticity");
    // The sRGB primaries (IEC 61966-2-1, matrix to seven decimals) against the D65/2° white 95.047,
    // 100, 108.883: their well-known L*a*b*, L*C*h, L*u*v* and x, y.
    QTest::newRow("red") << 41.24564 << 21.26729 << 1.93339 << QList<double>{53.2408, 80.0925, 67.2032}
                         << QList<double>{53.2408, 104.5518, 39.9990} << QList<double>{53.2408, 175.0151, 37.7564}
                         << QList<double>{0.6400, 0.3300};
    QTest::newRow("green") << 35.75761 << 71.51522 << 11.91920 << QList<double>{87.7347, -86.1827, 83.1793}
                           << QList<double>{87.7347, 119.7759, 136.0160}
                           << QList<double>{87.7347, -83.0776, 107.3985} << QList<double>{0.3000, 0.6000};
    QTest::newRow("blue") << 18.04375 << 7.21750 << 95.03041 << QList<double>{32.2970, 79.1875, -107.8602}
                          << QList<double>{32.2970, 133.8076, 306.2849}
                          << QList<double>{32.2970, -9.4054, -130.3423} << QList<double>{0.1500, 0.0600};
    // Below the cube root's threshold (Y / Yn < 216/24389): the linear part.
    QTest::newRow("dark grey") << 0.5 * 0.95047 << 0.5 << 0.5 * 1.08883 << QList<double>{4.5165, 0.0, 0.0}
                               << QList<double>{4.5165, 0.0, 0.0} << QList<double>{4.5165, 0.0, 0.0}
                               << QList<double>{0.3127, 0.3290};
}

void Tristimulus::colourSpaces_ofKnownColours()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(QList<double>, lab);
    QFETCH(QList<double>, lch);
    QFETCH(QList<double>, luv);
    QFETCH(QList<double>, chromaticity);
    const XyzColor white{95.047, 100.0, 108.883};
    const XyzColor xyz{x, y, z};
    const LabColor ourLab = labFromXyz(xyz, white);
    const LchColor ourLch = lchFromLab(ourLab);
    const LuvColor ourLuv = luvFromXyz(xyz, white);
    const YxyColor ourYxy = yxyFromXyz(xyz, white);
    const auto close = [](double a, double b, double tolerance) { return std::abs(a - b) <= tolerance; };
    QVERIFY2(close(ourLab.l, lab[0], 0.002) && close(ourLab.a, lab[1], 0.002) && close(ourLab.b, lab[2], 0.002),
             qPrintable(QStringLiteral("%1 %2 %3").arg(ourLab.l).arg(ourLab.a).arg(ourLab.b)));
    if (lch[1] > 0.0) {
        QVERIFY2(close(ourLch.c, lch[1], 0.002) && close(ourLch.h, lch[2], 0.002),
                 qPrintable(QStringLiteral("%1 %2").arg(ourLch.c).arg(ourLch.h)));
    } else {
        QVERIFY(ourLch.c < 1e-9);
    }
    QVERIFY2(close(ourLuv.l, luv[0], 0.002) && close(ourLuv.u, luv[1], 0.05) && close(ourLuv.v, luv[2], 0.05),
             qPrintable(QStringLiteral("%1 %2 %3").arg(ourLuv.l).arg(ourLuv.u).arg(ourLuv.v)));
    QVERIFY(close(ourYxy.y, y, 1e-12));
    QVERIFY2(close(ourYxy.cx, chromaticity[0], 0.0005) && close(ourYxy.cy, chromaticity[1], 0.0005),
             qPrintable(QStringLiteral("%1 %2").arg(ourYxy.cx).arg(ourYxy.cy)));
}

void Tristimulus::colourSpaces_ofBlackAndWhite()
{
    const TristimulusWeights& weights = TristimulusWeights::standard(Illuminant::A, Observer::Cie1964TenDegree);
    Curve black{};
    const XyzColor xyz = weights.xyz(black);
    const LabColor lab = labFromXyz(xyz, weights.white());
    QCOMPARE(lab.l, 0.0);
    const LuvColor luv = luvFromXyz(xyz, weights.white());
    QCOMPARE(luv.u, 0.0);
    QCOMPARE(luv.v, 0.0);
    // A black has no chromaticity: it is given the white's, not a division by zero.
    const YxyColor yxy = yxyFromXyz(xyz, weights.white());
    const YxyColor white = yxyFromXyz(weights.white(), weights.white());
    QVERIFY(std::isfinite(yxy.cx) && std::isfinite(yxy.cy));
    QCOMPARE(yxy.cx, white.cx);
    QCOMPARE(yxy.cy, white.cy);
    Curve perfect;
    perfect.fill(100.0);
    const LabColor whiteLab = labFromXyz(weights.xyz(perfect), weights.white());
    QVERIFY(std::abs(whiteLab.l - 100.0) < 1e-9 && std::abs(whiteLab.a) < 1e-9 && std::abs(whiteLab.b) < 1e-9);
}

QTEST_GUILESS_MAIN(Tristimulus)
#include "tst_Tristimulus.moc"
