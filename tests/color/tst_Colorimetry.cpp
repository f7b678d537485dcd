#include "Colorimetry.h"

#include <QtTest>

#include <cmath>

// Expected numbers were worked out separately (by hand or with a short
// independent calculation using the instrument's truncated constants).

class TestColorimetry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatScaled_data();
    void formatScaled();
    void formatValue_neverExponent();
    void formatDifference_data();
    void formatDifference();
    void scaleMeasurement_mapsFieldsInInstrumentOrder();

    void hueAngle_data();
    void hueAngle();
    void displayHue_data();
    void displayHue();

    void labToXyz_data();
    void labToXyz();
    void labToLuv_data();
    void labToLuv();
};

void TestColorimetry::formatScaled_data()
{
    QTest::addColumn<int>("quantity");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("shown");

    QTest::newRow("haze percent") << int(Quantity::Haze) << 1234 << "12.34%";
    QTest::newRow("haze full scale") << int(Quantity::Haze) << 65535 << "655.35%";
    QTest::newRow("transmittance") << int(Quantity::Transmittance) << 9005 << "90.05%";
    QTest::newRow("negative a*") << int(Quantity::A) << -505 << "-5.05";
    QTest::newRow("negative b* below one") << int(Quantity::B) << -7 << "-0.07";
    QTest::newRow("L* zero keeps decimals") << int(Quantity::L) << 0 << "0.00";
    QTest::newRow("L* of LCh") << int(Quantity::LchL) << 10000 << "100.00";
    QTest::newRow("chroma") << int(Quantity::Chroma) << 2530 << "25.30";
    QTest::newRow("hue tenths") << int(Quantity::Hue) << 3591 << "359.1";
    QTest::newRow("legacy hue hundredths") << int(Quantity::LegacyHue) << 35912 << "359.12";
    QTest::newRow("Y") << int(Quantity::LuminanceY) << 4501 << "45.01";
    QTest::newRow("x four decimals") << int(Quantity::ChromaticityX) << 3127 << "0.3127";
    QTest::newRow("y small") << int(Quantity::ChromaticityY) << 5 << "0.0005";
}

void TestColorimetry::formatScaled()
{
    QFETCH(int, quantity);
    QFETCH(int, raw);
    QFETCH(QString, shown);
    QCOMPARE(::formatScaled(static_cast<Quantity>(quantity), raw), shown);
}

void TestColorimetry::formatValue_neverExponent()
{
    QCOMPARE(formatValue(Quantity::L, 1e-7), QStringLiteral("0.00"));
    QCOMPARE(formatValue(Quantity::ChromaticityX, 3e-9), QStringLiteral("0.0000"));
    QCOMPARE(formatValue(Quantity::Haze, 1.5e7), QStringLiteral("15000000.00%"));
    QCOMPARE(formatDeltaE(1.005e-8), QStringLiteral("0.00"));
    QCOMPARE(formatDeltaE(2.345678), QStringLiteral("2.35"));
    QCOMPARE(formatThreshold(1.25 + 1e-9), QStringLiteral("1.3"));
}

void TestColorimetry::formatDifference_data()
{
    QTest::addColumn<double>("difference");
    QTest::addColumn<QString>("shown");

    QTest::newRow("one half") << 0.5 << "0.5";
    QTest::newRow("minus one and a quarter") << -1.25 << "-1.25";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("binary noise of a subtraction") << (10.30 - 10.10) << "0.2";
    QTest::newRow("six significant digits") << 123.456789 << "123.457";
}

void TestColorimetry::formatDifference()
{
    QFETCH(double, difference);
    QFETCH(QString, shown);
    QCOMPARE(::formatDifference(difference), shown);
}

void TestColorimetry::scaleMeasurement_mapsFieldsInInstrumentOrder()
{
    // Distinct integers everywhere, so a shifted index shows.
    const std::array<int, 21> raw{5012, -1234, 2345, 11, 12, 13, 5013, 2647, 3120,
                                  1845, 3127, 3291, 21, 22, 23, 24, 200, 100, 50,
                                  150, 9005};
    const ColorReading r = scaleMeasurement(raw);
    QCOMPARE(r.lab.l, 50.12);
    QCOMPARE(r.lab.a, -12.34);
    QCOMPARE(r.lab.b, 23.45);
    QCOMPARE(r.lchL, 50.13);
    QCOMPARE(r.chroma, 26.47);
    QCOMPARE(r.hue, 312.0);
    QCOMPARE(r.luminanceY, 18.45);
    QCOMPARE(r.chromaticityX, 0.3127);
    QCOMPARE(r.chromaticityY, 0.3291);
    QCOMPARE(r.red, 200);
    QCOMPARE(r.green, 100);
    QCOMPARE(r.blue, 50);
    QCOMPARE(r.haze, 1.5);
    QCOMPARE(r.transmittance, 90.05);
}

void TestColorimetry::hueAngle_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("hue");

    QTest::newRow("neutral") << 0.0 << 0.0 << 0.0;
    QTest::newRow("a zero, b positive") << 0.0 << 5.0 << 90.0;
    QTest::newRow("a zero, b negative") << 0.0 << -5.0 << 270.0;
    QTest::newRow("b zero, a positive") << 3.0 << 0.0 << 0.0;
    QTest::newRow("b zero, a negative") << -3.0 << 0.0 << 180.0;
    QTest::newRow("first quadrant") << 3.0 << 4.0 << 53.130103269320;
    QTest::newRow("second quadrant") << -3.0 << 4.0 << 126.869896730680;
    QTest::newRow("third quadrant") << -3.0 << -4.0 << 233.130103269320;
    QTest::newRow("fourth quadrant") << 3.0 << -4.0 << 306.869896730680;
    // -45 degrees with the factor 57.2957805 instead of 180/pi, plus 360: just below 315.
    QTest::newRow("truncated factor") << 1.0 << -1.0 << 314.999999224877;
}

void TestColorimetry::hueAngle()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, hue);
    QVERIFY2(std::abs(::hueAngle(a, b) - hue) < 1e-9,
             qPrintable(QString::number(::hueAngle(a, b), 'f', 12)));
}

void TestColorimetry::displayHue_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("hue");

    QTest::newRow("a zero, b positive") << 0.0 << 5.0 << 90.0;
    QTest::newRow("a zero, b negative") << 0.0 << -5.0 << 270.0;
    QTest::newRow("neutral") << 0.0 << 0.0 << 0.0;
    QTest::newRow("b zero, a positive") << 2.0 << 0.0 << 0.0;
    QTest::newRow("b zero, a negative") << -3.0 << 0.0 << 180.0;
    QTest::newRow("exact 315") << 1.0 << -1.0 << 315.0;
    QTest::newRow("exact 225") << -1.0 << -1.0 << 225.0;
    QTest::newRow("exact 135") << -1.0 << 1.0 << 135.0;
    QTest::newRow("exact 45") << 1.0 << 1.0 << 45.0;
}

void TestColorimetry::displayHue()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, hue);
    QVERIFY2(std::abs(::displayHue(a, b) - hue) < 1e-12,
             qPrintable(QString::number(::displayHue(a, b), 'f', 14)));
}

void TestColorimetry::labToXyz_data()
{
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");

    QTest::newRow("white is the reference white") << 100.0 << 0.0 << 0.0 << 94.81 << 100.0 << 107.32;
    QTest::newRow("black is a hair above zero")
        << 0.0 << 0.0 << 0.0 << 0.000000419840 << 0.000000442823 << 0.000000475237;
    QTest::newRow("cube branch") << 50.0 << 20.0 << -30.0 << 21.410768245183 << 18.418651851244
                                 << 39.884563938456;
    QTest::newRow("z below the offset gives zero")
        << 10.0 << 0.0 << 60.0 << 1.067579492804 << 1.126019927016 << 0.0;
}

void TestColorimetry::labToXyz()
{
    QFETCH(double, l);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    const XyzColor xyz = ::labToXyz({l, a, b});
    QVERIFY2(std::abs(xyz.x - x) < 1e-10, qPrintable(QString::number(xyz.x, 'f', 12)));
    QVERIFY2(std::abs(xyz.y - y) < 1e-10, qPrintable(QString::number(xyz.y, 'f', 12)));
    QVERIFY2(std::abs(xyz.z - z) < 1e-10, qPrintable(QString::number(xyz.z, 'f', 12)));
    QVERIFY(xyz.x >= 0.0 && xyz.y >= 0.0 && xyz.z >= 0.0);
}

void TestColorimetry::labToLuv_data()
{
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("v");

    QTest::newRow("black gives zero u and v") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("white differs from zero only by rounding")
        << 100.0 << 0.0 << 0.0 << -0.000024788420 << 0.000003985924;
    QTest::newRow("blue-purple") << 50.0 << 20.0 << -30.0 << 4.781379969520 << -47.022904580248;
    QTest::newRow("green-yellow") << 70.0 << -60.0 << 80.0 << -52.0327804299586 << 88.70378183199693;
    QTest::newRow("u clamped to 300") << 50.0 << 200.0 << 0.0 << 300.0 << -49.771073598050;
    QTest::newRow("v clamped to -300") << 100.0 << 0.0 << -300.0 << -182.79779026091873 << -300.0;
}

void TestColorimetry::labToLuv()
{
    QFETCH(double, l);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, u);
    QFETCH(double, v);
    const LuvColor luv = ::labToLuv({l, a, b});
    QCOMPARE(luv.l, l);
    QVERIFY2(std::abs(luv.u - u) < 1e-9, qPrintable(QString::number(luv.u, 'f', 12)));
    QVERIFY2(std::abs(luv.v - v) < 1e-9, qPrintable(QString::number(luv.v, 'f', 12)));
}

QTEST_GUILESS_MAIN(TestColorimetry)
#include "tst_Colorimetry.moc"
