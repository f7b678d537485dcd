// The CIE tables against their sources: the compiled-in tables against
// colord-data's files, the daylight series from the S0, S1, S2 basis against
// CIE's tabulated D50, D55, D65, every illuminant's white against CIE's
// published white points, and the reading of a user's distribution.

#include "CieTables.h"
#include "TristimulusWeights.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <cmath>

using namespace colorimetry;

Q_DECLARE_METATYPE(const cie::Table*)

namespace {

const QString kColord = QStringLiteral("/usr/share/colord/");

// The rows of the first data set of a colord CGATS file, read here on its
// own, apart from the build-time generator.
QList<QList<double>> dataRows(const QString& path)
{
    QFile file(path);
    QList<QList<double>> rows;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return rows;
    }
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype begin = text.indexOf(QLatin1String("\nBEGIN_DATA\n"));
    const qsizetype end = text.indexOf(QLatin1String("\nEND_DATA"), begin + 1);
    for (const QString& line : text.mid(begin + 12, end - begin - 12).split(QLatin1Char('\n'))) {
        QList<double> values;
        for (const QString& value : line.split(QLatin1Char('\t'), Qt::SkipEmptyParts)) {
            values << value.trimmed().toDouble();
        }
        if (!values.isEmpty()) {
            rows << values;
        }
    }
    return rows;
}

} // namespace

class CieTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compiledTables_equalColordFiles_data();
    void compiledTables_equalColordFiles();
    void daylightFromBasis_matchesCieTabulation_data();
    void daylightFromBasis_matchesCieTabulation();
    void perfectWhite_isThePublishedWhitePoint_data();
    void perfectWhite_isThePublishedWhitePoint();
    void userDistribution_fromColordFile_weighsAsBuiltIn();
    void userDistribution_coarseGrid_isInterpolated();
    void userDistribution_badFile_isRefused_data();
    void userDistribution_badFile_isRefused();
};

void CieTables::compiledTables_equalColordFiles_data()
{
    QTest::addColumn<const cie::Table*>("table");
    QTest::addColumn<int>("startNm");
    QTest::addColumn<int>("stepNm");
    QTest::addColumn<int>("endNm");
    QTest::addColumn<int>("rows");
    QTest::newRow("1931 2°") << &cie::observer1931 << 360 << 5 << 830 << 3;
    QTest::newRow("1964 10°") << &cie::observer1964 << 360 << 5 << 830 << 3;
    QTest::newRow("daylight basis") << &cie::daylightBasis << 300 << 5 << 830 << 3;
    QTest::newRow("A") << &cie::illuminantA << 300 << 1 << 830 << 1;
    QTest::newRow("C") << &cie::illuminantC << 380 << 5 << 780 << 1;
    QTest::newRow("D50") << &cie::illuminantD50 << 380 << 5 << 780 << 1;
    QTest::newRow("D55") << &cie::illuminantD55 << 380 << 5 << 780 << 1;
    QTest::newRow("D65") << &cie::illuminantD65 << 300 << 5 << 830 << 1;
    QTest::newRow("F2") << &cie::illuminantF2 << 380 << 5 << 780 << 1;
    QTest::newRow("F7") << &cie::illuminantF7 << 380 << 5 << 780 << 1;
    QTest::newRow("F11") << &cie::illuminantF11 << 380 << 5 << 780 << 1;
}

void CieTables::compiledTables_equalColordFiles()
{
    QFETCH(const cie::Table*, table);
    QFETCH(int, startNm);
    QFETCH(int, stepNm);
    QFETCH(int, endNm);
    QFETCH(int, rows);
    const QString path = kColord + QLatin1String(table->file);
    if (!QFile::exists(path)) {
        QSKIP("colord-data is not installed");
    }
    QCOMPARE(table->startNm, startNm);
    QCOMPARE(table->stepNm, stepNm);
    QCOMPARE(table->endNm(), endNm);
    const QList<QList<double>> source = dataRows(path);
    QCOMPARE(source.size(), rows);
    for (int row = 0; row < rows; ++row) {
        QCOMPARE(source.at(row).size(), table->bands);
        for (int i = 0; i < table->bands; ++i) {
            QCOMPARE(table->rows[row][i], source.at(row).at(i));
        }
    }
}

void CieTables::daylightFromBasis_matchesCieTabulation_data()
{
    QTest::addColumn<double>("kelvin");
    QTest::addColumn<const cie::Table*>("tabulated");
    QTest::addColumn<double>("rounding"); // the tabulation's last decimal
    // colord's D50 keeps three decimals, cut rather than rounded; D65 is CIE's
    // own table, whose M1, M2 were not rounded to three decimals.
    QTest::newRow("D50") << 5000.0 << &cie::illuminantD50 << 0.001;
    QTest::newRow("D55") << 5500.0 << &cie::illuminantD55 << 0.00005;
    QTest::newRow("D65") << 6500.0 << &cie::illuminantD65 << 0.00002;
}

void CieTables::daylightFromBasis_matchesCieTabulation()
{
    QFETCH(double, kelvin);
    QFETCH(const cie::Table*, tabulated);
    QFETCH(double, rounding);
    const SpectralPowerDistribution spd = daylightIlluminant(kelvin);
    QCOMPARE(spd.startNm, 300);
    QCOMPARE(spd.endNm(), 830);
    // colord divides CIE's values (100 at 560 nm) by 100.
    for (int nm = tabulated->startNm; nm <= tabulated->endNm(); nm += 5) {
        const double ours = spd.at(nm).value() / 100.0;
        const double theirs = tabulated->at(0, nm);
        QVERIFY2(std::abs(ours - theirs) <= rounding + 1e-9,
                 qPrintable(QStringLiteral("%1 nm: %2 against %3").arg(nm).arg(ours).arg(theirs)));
    }
    QVERIFY(daylightIlluminant(3000.0).isEmpty());
}

void CieTables::perfectWhite_isThePublishedWhitePoint_data()
{
    QTest::addColumn<int>("illuminant");
    QTest::addColumn<int>("observer");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("z");
    // CIE's white points of the perfect diffuser (Y = 100), as ASTM E308 lists
    // them beside its tables.
    struct Row
    {
        Illuminant illuminant;
        double x2, z2, x10, z10;
    };
    const Row rows[] = {
        {Illuminant::A, 109.850, 35.585, 111.144, 35.200},
        {Illuminant::C, 98.074, 118.232, 97.285, 116.145},
        {Illuminant::D50, 96.422, 82.521, 96.720, 81.427},
        {Illuminant::D55, 95.682, 92.149, 95.799, 90.926},
        {Illuminant::D65, 95.047, 108.883, 94.811, 107.304},
        {Illuminant::D75, 94.972, 122.638, 94.416, 120.641},
        {Illuminant::F2, 99.187, 67.395, 103.280, 69.026},
        {Illuminant::F7, 95.044, 108.755, 95.792, 107.687},
        {Illuminant::F11, 100.966, 64.370, 103.866, 65.627},
    };
    for (const Row& row : rows) {
        const QString name = illuminantName(row.illuminant);
        QTest::newRow(qPrintable(name + QStringLiteral("/2°")))
            << int(row.illuminant) << int(Observer::Cie1931TwoDegree) << row.x2 << row.z2;
        QTest::newRow(qPrintable(name + QStringLiteral("/10°")))
            << int(row.illuminant) << int(Observer::Cie1964TenDegree) << row.x10 << row.z10;
    }
}

void CieTables::perfectWhite_isThePublishedWhitePoint()
{
    QFETCH(int, illuminant);
    QFETCH(int, observer);
    QFETCH(double, x);
    QFETCH(double, z);
    const TristimulusWeights& weights = TristimulusWeights::standard(Illuminant(illuminant), Observer(observer));
    Curve white;
    white.fill(100.0);
    const XyzColor xyz = weights.xyz(white);
    QVERIFY(std::abs(xyz.y - 100.0) < 1e-9);
    // The published points come from 1 nm sums; the 5 nm tables the weights
    // are built from give them to within 0.03.
    QVERIFY2(std::abs(xyz.x - x) < 0.03, qPrintable(QString::number(xyz.x, 'f', 4)));
    QVERIFY2(std::abs(xyz.z - z) < 0.03, qPrintable(QString::number(xyz.z, 'f', 4)));
    QVERIFY(std::abs(weights.white().x - xyz.x) < 1e-9);
    QVERIFY(std::abs(weights.white().z - xyz.z) < 1e-9);
}

void CieTables::userDistribution_fromColordFile_weighsAsBuiltIn()
{
    const QString path = kColord + QStringLiteral("illuminant/CIE-F11.sp");
    if (!QFile::exists(path)) {
        QSKIP("colord-data is not installed");
    }
    const SpdReadResult read = readSpectralPowerDistribution(path);
    QVERIFY(read.spd);
    QCOMPARE(read.spd->startNm, 380);
    QCOMPARE(read.spd->stepNm, 5);
    for (Observer observer : kAllObservers) {
        const TristimulusWeights custom = TristimulusWeights::forDistribution(*read.spd, observer);
        const TristimulusWeights& builtIn = TristimulusWeights::standard(Illuminant::F11, observer);
        for (int row = 0; row < 3; ++row) {
            for (int i = 0; i < kBandCount; ++i) {
                QVERIFY(std::abs(custom.bandWeights(row)[std::size_t(i)]
                                 - builtIn.bandWeights(row)[std::size_t(i)]) < 1e-12);
            }
        }
    }
}

void CieTables::userDistribution_coarseGrid_isInterpolated()
{
    // D65 given at 10 nm only, with fields named SPEC_nnn: read there and
    // linearly interpolated to 5 nm, its white stays near D65's.
    const SpectralPowerDistribution d65 = standardIlluminant(Illuminant::D65);
    QByteArray text = "SPECT\nDESCRIPTOR \"ten nanometre D65\"\nBEGIN_DATA_FORMAT\nSAMPLE_ID";
    QByteArray values = "1";
    for (int nm = 360; nm <= 780; nm += 10) {
        text += " SPEC_" + QByteArray::number(nm);
        values += ' ' + QByteArray::number(d65.at(nm).value(), 'g', 8);
    }
    text += "\nEND_DATA_FORMAT\nBEGIN_DATA\n" + values + "\nEND_DATA\n";
    QBuffer buffer(&text);
    const SpdReadResult read = readSpectralPowerDistribution(buffer);
    QVERIFY(read.spd);
    QCOMPARE(read.spd->stepNm, 10);
    QCOMPARE(read.spd->at(365.0).value(), (d65.at(360).value() + d65.at(370).value()) / 2.0);
    const TristimulusWeights weights = TristimulusWeights::forDistribution(*read.spd, Observer::Cie1931TwoDegree);
    QVERIFY(std::abs(weights.white().y - 100.0) < 1e-9);
    QVERIFY(std::abs(weights.white().x - 95.047) < 0.5);
    QVERIFY(std::abs(weights.white().z - 108.883) < 0.5);
}

void CieTables::userDistribution_badFile_isRefused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("error");
    const QByteArray keywords = "SPECT\nSPECTRAL_START_NM 400\nSPECTRAL_END_NM 700\nSPECTRAL_BANDS 4\n";
    QTest::newRow("no data") << keywords << int(SpdError::NoData);
    QTest::newRow("too few values") << keywords + "BEGIN_DATA\n1 2 3\nEND_DATA\n" << int(SpdError::CountMismatch);
    QTest::newRow("not a number") << keywords + "BEGIN_DATA\n1 2 x 4\nEND_DATA\n" << int(SpdError::NotANumber);
    QTest::newRow("negative") << keywords + "BEGIN_DATA\n1 2 -3 4\nEND_DATA\n" << int(SpdError::NegativePower);
    QTest::newRow("no power") << keywords + "BEGIN_DATA\n0 0 0 0\nEND_DATA\n" << int(SpdError::NoPower);
    QTest::newRow("no wavelengths") << QByteArray("SPECT\nBEGIN_DATA\n1 2 3 4\nEND_DATA\n")
                                    << int(SpdError::NoWavelengths);
    QTest::newRow("irregular fields")
        << QByteArray("SPECT\nBEGIN_DATA_FORMAT\nSPEC_400 SPEC_500 SPEC_700\nEND_DATA_FORMAT\n"
                      "BEGIN_DATA\n1 2 3\nEND_DATA\n")
        << int(SpdError::IrregularGrid);
    QTest::newRow("short of 700 nm")
        << QByteArray("SPECT\nSPECTRAL_START_NM 380\nSPECTRAL_END_NM 680\nSPECTRAL_BANDS 4\n"
                      "BEGIN_DATA\n1 2 3 4\nEND_DATA\n")
        << int(SpdError::DoesNotCover);
    QTest::newRow("fields and values differ")
        << QByteArray("SPECT\nBEGIN_DATA_FORMAT\nSPEC_400 SPEC_700\nEND_DATA_FORMAT\nBEGIN_DATA\n1\nEND_DATA\n")
        << int(SpdError::CountMismatch);
    QTest::newRow("accepted") << keywords + "BEGIN_DATA\n1 2 3 4\nEND_DATA\n" << int(SpdError::None);
}

void CieTables::userDistribution_badFile_isRefused()
{
    QFETCH(QByteArray, text);
    QFETCH(int, error);
    QBuffer buffer(&text);
    const SpdReadResult read = readSpectralPowerDistribution(buffer);
    QCOMPARE(int(read.error), error);
    QCOMPARE(read.spd.has_value(), error == int(SpdError::None));
}

QTEST_GUILESS_MAIN(CieTables)
#include "tst_CieTables.moc"
