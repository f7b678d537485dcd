#include "DeltaE.h"

#include <QtTest>

#include <cmath>

// Expected values were computed independently with the instrument's truncated
// constants (57.2957805 degrees per radian, 0.0174532 radians per degree).

using Lab = LabColor;
Q_DECLARE_METATYPE(LabColor)

namespace {

constexpr int noFormula = -1;

QString describe(double v)
{
    return QString::number(v, 'f', 10);
}

} // namespace

class TestDeltaE : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formulas_data();
    void formulas();
    void cie2000_publishedPairs_data();
    void cie2000_publishedPairs();
    void identicalColours_giveZero_data();
    void identicalColours_giveZero();
    void neutralLightnessStep_data();
    void neutralLightnessStep();
    void cmc_hueBranchEdges_data();
    void cmc_hueBranchEdges();
    void chromaOnlyDifference_hueTermZeroNotNaN_data();
    void chromaOnlyDifference_hueTermZeroNotNaN();
    void cie2000_huesAcrossZero();

    void formulaFromCode_data();
    void formulaFromCode();
    void formulaCodeAsRead_data();
    void formulaCodeAsRead();
    void formulaText_beginsWithTriangle();
};

void TestDeltaE::formulas_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<LabColor>("standard");
    QTest::addColumn<LabColor>("sample");
    QTest::addColumn<double>("expected");

    const Lab greyish{50, 2.5, 0};
    const Lab orange{58, 24, 15};
    const Lab green{56, -27, -3};
    const Lab olive1{60.2574, -34.0099, 36.2677};
    const Lab olive2{60.4626, -34.1751, 39.4387};
    const Lab blue1{22.7233, 20.0904, -46.6940};
    const Lab blue2{23.0331, 14.9730, -42.5619};
    const Lab pale1{90.9257, -0.5406, -0.9208};
    const Lab pale2{88.6381, -0.8985, -0.7239};
    const Lab dark1{6.7747, -0.2908, -2.4247};
    const Lab dark2{5.8714, -0.0985, -2.2286};
    const Lab neutral{50, 0, 0};
    const Lab yellowGreen{50, -1, 2};

    QTest::newRow("ab orange") << int(DeltaEFormula::CieAb) << greyish << orange << 27.4089401473;
    QTest::newRow("ab blue") << int(DeltaEFormula::CieAb) << blue1 << blue2 << 6.5846798867;

    QTest::newRow("uv orange") << int(DeltaEFormula::CieUv) << greyish << orange << 44.3748650564;
    QTest::newRow("uv green") << int(DeltaEFormula::CieUv) << greyish << green << 38.2110865667;
    QTest::newRow("uv olive") << int(DeltaEFormula::CieUv) << olive1 << olive2 << 3.1107179790;
    QTest::newRow("uv dark") << int(DeltaEFormula::CieUv) << dark1 << dark2 << 0.9223626849;
    QTest::newRow("uv sample clamped") << int(DeltaEFormula::CieUv) << neutral << Lab{50, 200, 0}
                                       << 304.1005876384;

    // The geometric mean of both chromas weights the terms; with the
    // standard's chroma alone "orange" would give 24.94.
    QTest::newRow("94 orange") << int(DeltaEFormula::Cie94) << greyish << orange << 20.7675279403;
    QTest::newRow("94 green") << int(DeltaEFormula::Cie94) << greyish << green << 23.9640925899;
    QTest::newRow("94 olive") << int(DeltaEFormula::Cie94) << olive1 << olive2 << 1.3742818116;
    QTest::newRow("94 blue") << int(DeltaEFormula::Cie94) << blue1 << blue2 << 2.6401547760;
    QTest::newRow("94 neutral standard") << int(DeltaEFormula::Cie94) << neutral << yellowGreen
                                         << 2.2360679775;

    QTest::newRow("cmc 2:1 orange") << int(DeltaEFormula::Cmc2To1) << greyish << orange << 33.3342082332;
    QTest::newRow("cmc 1:1 orange") << int(DeltaEFormula::Cmc1To1) << greyish << orange << 33.9366379455;
    QTest::newRow("cmc 1.4:1 orange") << int(DeltaEFormula::Cmc14To1) << greyish << orange << 33.5444401394;
    QTest::newRow("cmc 2:1 pale") << int(DeltaEFormula::Cmc2To1) << pale1 << pale2 << 0.9900703189;
    QTest::newRow("cmc 1:1 pale") << int(DeltaEFormula::Cmc1To1) << pale1 << pale2 << 1.7025814538;
    QTest::newRow("cmc 1.4:1 pale") << int(DeltaEFormula::Cmc14To1) << pale1 << pale2 << 1.2829094555;
    QTest::newRow("cmc 2:1 dark, L below 16") << int(DeltaEFormula::Cmc2To1) << dark1 << dark2 << 0.9528008262;
    QTest::newRow("cmc 1:1 dark, L below 16") << int(DeltaEFormula::Cmc1To1) << dark1 << dark2 << 1.8031720338;
    QTest::newRow("cmc 1:1 blue") << int(DeltaEFormula::Cmc1To1) << blue1 << blue2 << 3.0869751134;
    QTest::newRow("cmc 1.4:1 olive") << int(DeltaEFormula::Cmc14To1) << olive1 << olive2 << 1.4231786184;
    // Weights come from the standard, so swapping the operands changes CMC.
    QTest::newRow("cmc neutral standard") << int(DeltaEFormula::Cmc1To1) << neutral << yellowGreen
                                          << 3.5048087422;
    QTest::newRow("cmc chromatic standard") << int(DeltaEFormula::Cmc1To1) << yellowGreen << neutral
                                            << 2.8793003179;
    QTest::newRow("cmc L 15.99") << int(DeltaEFormula::Cmc1To1) << Lab{15.99, 10, 10} << Lab{17, 12, 8}
                                 << 4.9603943906;
    QTest::newRow("cmc L 16") << int(DeltaEFormula::Cmc1To1) << Lab{16, 10, 10} << Lab{17, 12, 8}
                              << 4.9522830474;

    QTest::newRow("00 L 15.99") << int(DeltaEFormula::Cie2000) << Lab{15.99, 10, 10} << Lab{17, 12, 8}
                                << 2.7964052346;
}

void TestDeltaE::formulas()
{
    QFETCH(int, formula);
    QFETCH(LabColor, standard);
    QFETCH(LabColor, sample);
    QFETCH(double, expected);
    const double got = deltaE(static_cast<DeltaEFormula>(formula), standard, sample);
    QVERIFY2(std::abs(got - expected) < 1e-8, qPrintable(describe(got)));
}

void TestDeltaE::cie2000_publishedPairs_data()
{
    QTest::addColumn<LabColor>("standard");
    QTest::addColumn<LabColor>("sample");
    QTest::addColumn<double>("published");
    QTest::addColumn<double>("instrument");

    // The published CIEDE2000 test pairs (four decimals). The truncated angle
    // factors move results by at most 2e-4 from them; "instrument" is the
    // same pair computed with those factors.
    QTest::newRow("pair 1") << Lab{50.0000, 2.6772, -79.7751} << Lab{50.0000, 0.0000, -82.7485} << 2.0425 << 2.0424078208;
    QTest::newRow("pair 2") << Lab{50.0000, 3.1571, -77.2803} << Lab{50.0000, 0.0000, -82.7485} << 2.8615 << 2.8614481784;
    QTest::newRow("pair 3") << Lab{50.0000, 2.8361, -74.0200} << Lab{50.0000, 0.0000, -82.7485} << 3.4412 << 3.4411341092;
    QTest::newRow("pair 4") << Lab{50.0000, -1.3802, -84.2814} << Lab{50.0000, 0.0000, -82.7485} << 1.0000 << 0.9999730370;
    QTest::newRow("pair 5") << Lab{50.0000, -1.1848, -84.8006} << Lab{50.0000, 0.0000, -82.7485} << 1.0000 << 0.9999824791;
    QTest::newRow("pair 6") << Lab{50.0000, -0.9009, -85.5211} << Lab{50.0000, 0.0000, -82.7485} << 1.0000 << 0.9999960182;
    QTest::newRow("pair 7") << Lab{50.0000, 0.0000, 0.0000} << Lab{50.0000, -1.0000, 2.0000} << 2.3669 << 2.3668588192;
    QTest::newRow("pair 8") << Lab{50.0000, -1.0000, 2.0000} << Lab{50.0000, 0.0000, 0.0000} << 2.3669 << 2.3668588192;
    QTest::newRow("pair 9") << Lab{50.0000, 2.4900, -0.0010} << Lab{50.0000, -2.4900, 0.0009} << 7.1792 << 7.1791549720;
    QTest::newRow("pair 10") << Lab{50.0000, 2.4900, -0.0010} << Lab{50.0000, -2.4900, 0.0010} << 7.1792 << 7.1791456012;
    QTest::newRow("pair 11") << Lab{50.0000, 2.4900, -0.0010} << Lab{50.0000, -2.4900, 0.0011} << 7.2195 << 7.2194737313;
    QTest::newRow("pair 12") << Lab{50.0000, 2.4900, -0.0010} << Lab{50.0000, -2.4900, 0.0012} << 7.2195 << 7.2194757906;
    QTest::newRow("pair 13") << Lab{50.0000, -0.0010, 2.4900} << Lab{50.0000, 0.0009, -2.4900} << 4.8045 << 4.8045203082;
    QTest::newRow("pair 14") << Lab{50.0000, -0.0010, 2.4900} << Lab{50.0000, 0.0010, -2.4900} << 4.8045 << 4.8045231321;
    QTest::newRow("pair 15") << Lab{50.0000, -0.0010, 2.4900} << Lab{50.0000, 0.0011, -2.4900} << 4.7461 << 4.7460713197;
    QTest::newRow("pair 16") << Lab{50.0000, 2.5000, 0.0000} << Lab{50.0000, 0.0000, -2.5000} << 4.3065 << 4.3064746380;
    QTest::newRow("pair 17") << Lab{50.0000, 2.5000, 0.0000} << Lab{73.0000, 25.0000, -18.0000} << 27.1492 << 27.1492285604;
    QTest::newRow("pair 18") << Lab{50.0000, 2.5000, 0.0000} << Lab{61.0000, -5.0000, 29.0000} << 22.8977 << 22.8976572098;
    QTest::newRow("pair 19") << Lab{50.0000, 2.5000, 0.0000} << Lab{56.0000, -27.0000, -3.0000} << 31.9030 << 31.9028083317;
    QTest::newRow("pair 20") << Lab{50.0000, 2.5000, 0.0000} << Lab{58.0000, 24.0000, 15.0000} << 19.4535 << 19.4535179442;
    QTest::newRow("pair 21") << Lab{50.0000, 2.5000, 0.0000} << Lab{50.0000, 3.1736, 0.5854} << 1.0000 << 1.0000251383;
    QTest::newRow("pair 22") << Lab{50.0000, 2.5000, 0.0000} << Lab{50.0000, 3.2972, 0.0000} << 1.0000 << 0.9999728730;
    QTest::newRow("pair 23") << Lab{50.0000, 2.5000, 0.0000} << Lab{50.0000, 1.8634, 0.5757} << 1.0000 << 1.0000474439;
    QTest::newRow("pair 24") << Lab{50.0000, 2.5000, 0.0000} << Lab{50.0000, 3.2592, 0.3350} << 1.0000 << 1.0000343792;
    QTest::newRow("pair 25") << Lab{60.2574, -34.0099, 36.2677} << Lab{60.4626, -34.1751, 39.4387} << 1.2644 << 1.2644181615;
    QTest::newRow("pair 26") << Lab{63.0109, -31.0961, -5.8663} << Lab{62.8187, -29.7946, -4.0864} << 1.2630 << 1.2629550121;
    QTest::newRow("pair 27") << Lab{61.2901, 3.7196, -5.3901} << Lab{61.4292, 2.2480, -4.9620} << 1.8731 << 1.8730698477;
    QTest::newRow("pair 28") << Lab{35.0831, -44.1164, 3.7933} << Lab{35.0232, -40.0716, 1.5901} << 1.8645 << 1.8644882207;
    QTest::newRow("pair 29") << Lab{22.7233, 20.0904, -46.6940} << Lab{23.0331, 14.9730, -42.5619} << 2.0373 << 2.0372587486;
    QTest::newRow("pair 30") << Lab{36.4612, 47.8580, 18.3852} << Lab{36.2715, 50.5065, 21.2231} << 1.4146 << 1.4145738503;
    QTest::newRow("pair 31") << Lab{90.8027, -2.0831, 1.4410} << Lab{91.1528, -1.6435, 0.0447} << 1.4441 << 1.4441238847;
    QTest::newRow("pair 32") << Lab{90.9257, -0.5406, -0.9208} << Lab{88.6381, -0.8985, -0.7239} << 1.5381 << 1.5381163134;
    QTest::newRow("pair 33") << Lab{6.7747, -0.2908, -2.4247} << Lab{5.8714, -0.0985, -2.2286} << 0.6377 << 0.6377269791;
    QTest::newRow("pair 34") << Lab{2.0776, 0.0795, -1.1350} << Lab{0.9033, -0.0636, -0.5514} << 0.9082 << 0.9082325255;
}

void TestDeltaE::cie2000_publishedPairs()
{
    QFETCH(LabColor, standard);
    QFETCH(LabColor, sample);
    QFETCH(double, published);
    QFETCH(double, instrument);
    const double got = deltaE(DeltaEFormula::Cie2000, standard, sample);
    QVERIFY2(std::abs(got - published) < 5e-4, qPrintable(describe(got)));
    QVERIFY2(std::abs(got - instrument) < 1e-8, qPrintable(describe(got)));
}

void TestDeltaE::identicalColours_giveZero_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<LabColor>("colour");

    const Lab colours[] = {{36.4612, 47.8580, 18.3852}, {0, 0, 0}, {8.5, -3, 0}};
    const char* const names[] = {"chromatic", "black", "dark, b zero"};
    for (int f = 0; f <= int(DeltaEFormula::Cie2000); ++f) {
        for (int c = 0; c < 3; ++c) {
            QTest::addRow("formula %d, %s", f, names[c]) << f << colours[c];
        }
    }
}

void TestDeltaE::identicalColours_giveZero()
{
    QFETCH(int, formula);
    QFETCH(LabColor, colour);
    QCOMPARE(deltaE(static_cast<DeltaEFormula>(formula), colour, colour), 0.0);
}

void TestDeltaE::neutralLightnessStep_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<double>("standardL");
    QTest::addColumn<double>("expected");

    // One unit of L* between two greys.
    QTest::newRow("ab") << int(DeltaEFormula::CieAb) << 40.0 << 1.0;
    QTest::newRow("94") << int(DeltaEFormula::Cie94) << 40.0 << 1.0;
    QTest::newRow("uv") << int(DeltaEFormula::CieUv) << 40.0 << 1.0;
    // SL = 0.511 just below 16, 0.040975 * 16 / 1.2824 at 16.
    QTest::newRow("cmc 1:1 at 15.99") << int(DeltaEFormula::Cmc1To1) << 15.99 << 1.0 / 0.511;
    QTest::newRow("cmc 2:1 at 15.99") << int(DeltaEFormula::Cmc2To1) << 15.99 << 1.0 / (2 * 0.511);
    QTest::newRow("cmc 1.4:1 at 15.99") << int(DeltaEFormula::Cmc14To1) << 15.99 << 1.0 / (1.4 * 0.511);
    QTest::newRow("cmc 1:1 at 16") << int(DeltaEFormula::Cmc1To1) << 16.0 << 1.9560707749;
    QTest::newRow("cmc 2:1 at 16") << int(DeltaEFormula::Cmc2To1) << 16.0 << 0.9780353874;
    QTest::newRow("cmc 1.4:1 at 16") << int(DeltaEFormula::Cmc14To1) << 16.0 << 1.3971934106;
}

void TestDeltaE::neutralLightnessStep()
{
    QFETCH(int, formula);
    QFETCH(double, standardL);
    QFETCH(double, expected);
    const double got = deltaE(static_cast<DeltaEFormula>(formula), {standardL, 0, 0},
                              {standardL + 1.0, 0, 0});
    // u*, v* of a grey are zero only up to the rounding of the white point.
    QVERIFY2(std::abs(got - expected) < 1e-8, qPrintable(describe(got)));
}

void TestDeltaE::cmc_hueBranchEdges_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("expected");

    // b chosen so that hueAngle lands exactly on the edge. Both ends of
    // 164..345 belong to the 0.56 + |0.2 cos(H + 168)| branch; the other
    // branch would give 2.0135221475 and 2.0051596816.
    QTest::newRow("hue exactly 164") << -20.0 << 5.734907611063782 << 164.0 << 2.0169793581;
    QTest::newRow("hue exactly 345") << 20.0 << -5.358983751957433 << 345.0 << 2.0004018840;
}

void TestDeltaE::cmc_hueBranchEdges()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, hue);
    QFETCH(double, expected);
    QCOMPARE(hueAngle(a, b), hue);
    const double got = deltaE(DeltaEFormula::Cmc1To1, {50, a, b}, {51, a + 1, b + 2});
    QVERIFY2(std::abs(got - expected) < 1e-8, qPrintable(describe(got)));
}

void TestDeltaE::chromaOnlyDifference_hueTermZeroNotNaN_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<double>("expected");

    // Same hue, triple chroma: in binary, da^2 + db^2 comes out 8.9e-16 below
    // dC^2, so the hue term has to be taken as zero.
    QTest::newRow("94") << int(DeltaEFormula::Cie94) << 2.728145874397;
    QTest::newRow("cmc 2:1") << int(DeltaEFormula::Cmc2To1) << 2.997599739531;
    QTest::newRow("cmc 1:1") << int(DeltaEFormula::Cmc1To1) << 3.393888106567;
}

void TestDeltaE::chromaOnlyDifference_hueTermZeroNotNaN()
{
    QFETCH(int, formula);
    QFETCH(double, expected);
    const double got = deltaE(static_cast<DeltaEFormula>(formula), {50, 0.01, 1.0}, {52, 0.03, 3.0});
    QVERIFY2(std::abs(got - expected) < 1e-9, qPrintable(describe(got)));
}

void TestDeltaE::cie2000_huesAcrossZero()
{
    // Hue of the standard 359 degrees, sample 1 degree (after the a'
    // correction), same L* and chroma: as close as any pair 2 degrees apart.
    const Lab justBelow{50, 20, -0.35};
    const Lab justAbove{50, 20, 0.35};
    const double across = deltaE(DeltaEFormula::Cie2000, justBelow, justAbove);
    QVERIFY2(std::abs(across - 0.4630656074) < 1e-8, qPrintable(describe(across)));
    const double reversed = deltaE(DeltaEFormula::Cie2000, justAbove, justBelow);
    QVERIFY2(std::abs(reversed - 0.4630656074) < 1e-8, qPrintable(describe(reversed)));
    // The same pair mirrored around 180 degrees, where no wrap is involved.
    const double mirrored = deltaE(DeltaEFormula::Cie2000, {50, -20, 0.35}, {50, -20, -0.35});
    QVERIFY2(std::abs(mirrored - 0.5075748597) < 1e-8, qPrintable(describe(mirrored)));
}

void TestDeltaE::formulaFromCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("firstGeneration");
    QTest::addColumn<int>("formula");

    const int current[] = {int(DeltaEFormula::CieAb),   int(DeltaEFormula::CieUv),
                           int(DeltaEFormula::Cie94),   int(DeltaEFormula::Cmc2To1),
                           int(DeltaEFormula::Cmc1To1), int(DeltaEFormula::Cmc14To1),
                           int(DeltaEFormula::Cie2000)};
    for (int code = 0; code <= 6; ++code) {
        QTest::addRow("current code %d", code) << code << false << current[code];
    }
    for (int code = 0; code <= 4; ++code) {
        QTest::addRow("first generation code %d", code) << code << true << current[code];
    }
    QTest::newRow("first generation code 5") << 5 << true << int(DeltaEFormula::Cie2000);
    QTest::newRow("first generation code 6") << 6 << true << int(DeltaEFormula::Cmc14To1);
    QTest::newRow("current code 7") << 7 << false << noFormula;
    QTest::newRow("first generation code 7") << 7 << true << noFormula;
    QTest::newRow("code 255") << 255 << false << noFormula;
    QTest::newRow("negative code") << -1 << false << noFormula;
}

void TestDeltaE::formulaFromCode()
{
    QFETCH(int, code);
    QFETCH(bool, firstGeneration);
    QFETCH(int, formula);
    const std::optional<DeltaEFormula> got = ::formulaFromCode(code, firstGeneration);
    QCOMPARE(got ? int(*got) : noFormula, formula);
}

void TestDeltaE::formulaCodeAsRead_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("firstGeneration");
    QTest::addColumn<int>("stored");

    QTest::newRow("first generation 5 kept") << 5 << true << 5;
    QTest::newRow("first generation 6 becomes 0") << 6 << true << 0;
    QTest::newRow("first generation 200 becomes 0") << 200 << true << 0;
    QTest::newRow("current 6 kept") << 6 << false << 6;
    QTest::newRow("current 9 kept") << 9 << false << 9;
}

void TestDeltaE::formulaCodeAsRead()
{
    QFETCH(int, code);
    QFETCH(bool, firstGeneration);
    QFETCH(int, stored);
    QCOMPARE(::formulaCodeAsRead(code, firstGeneration), stored);
}

void TestDeltaE::formulaText_beginsWithTriangle()
{
    // U+25B3, not the Greek capital delta the formulas are usually written with.
    QSet<QString> texts;
    for (int f = 0; f <= int(DeltaEFormula::Cie2000); ++f) {
        const QString text = ::formulaText(static_cast<DeltaEFormula>(f));
        QCOMPARE(text.at(0), QChar(0x25B3));
        texts.insert(text);
    }
    QCOMPARE(texts.size(), 7);
    QCOMPARE(::formulaText(DeltaEFormula::Cmc14To1), QString::fromUtf8("△E*cmc(1.4:1)"));
    // A first-generation colorimeter's code 6 is stored as 0 (formulaCodeAsRead), which reads as ΔE*ab.
    QCOMPARE(::formulaText(DeltaEFormula::CieAb), QString::fromUtf8("△E*ab"));
}

QTEST_GUILESS_MAIN(TestDeltaE)
#include "tst_DeltaE.moc"
