// CxF3 documents as argyll's cxf2ti3 reads them, and our strict reader.
#include "CgatsFormat.h"
#include "CxfFormat.h"
#include "FormatsTestData.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace formats;

class TestCxfFormat : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QDateTime m_created{QDate(2026, 12, 8), QTime(16, 0)};

    ExchangeDocument document(bool spectral, int layout = 0) const
    {
        return spectral ? documentFromSpectra(testdata::spectra(), layout, m_created)
                        : documentFromRecords(testdata::records(), m_created);
    }

    static QByteArray written(const ExchangeDocument& document)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QString error;
        return writeCxf(document, buffer, &error) ? buffer.data() : error.toUtf8();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // cxf2ti3 turns our CxF3 into CGATS; every name and value arrives.
    // (It converts reflectance only: the spectra are a colorimeter's.)
    void argyllConverts_data()
    {
        QTest::addColumn<bool>("spectral");
        QTest::newRow("comparisons") << false;
        QTest::newRow("spectra") << true;
    }

    void argyllConverts()
    {
        QFETCH(bool, spectral);
        const QString cxf2ti3 = testdata::tool("cxf2ti3");
        if (cxf2ti3.isEmpty()) {
            QSKIP("argyll is not installed: CxF3 files are not checked by a real reader");
        }
        const ExchangeDocument original = document(spectral, 1);
        const QString in = m_dir.filePath(QStringLiteral("in.cxf"));
        testdata::writeAll(in, written(original));
        const QString base = m_dir.filePath(spectral ? QStringLiteral("spectra") : QStringLiteral("records"));
        QByteArray log;
        QCOMPARE(testdata::run(cxf2ti3, {in, base}, &log), 0);
        const QByteArray text = testdata::readAll(base + QStringLiteral(".cie"));
        QVERIFY2(!text.isEmpty(), log.constData());
        QStringList names;
        for (const ExchangeSample& sample : original.samples) {
            names << sample.name;
        }
        QCOMPARE(testdata::cgatsColumn(text, "SAMPLE_LOC"), names);
        const QByteArray fields[] = {"LAB_L", "LAB_A", "LAB_B"};
        for (int f = 0; f < (spectral ? kSpectralPointCount : 3); ++f) {
            const QStringList values = testdata::cgatsColumn(text, spectral ? "SPEC_" + QByteArray::number(400 + 10 * f)
                                                                           : fields[f]);
            QCOMPARE(values.size(), original.samples.size());
            for (qsizetype i = 0; i < values.size(); ++i) {
                const ExchangeSample& sample = original.samples.at(i);
                const double want = spectral ? sample.spectrum[f] : f == 0 ? sample.l : f == 1 ? sample.a : sample.b;
                QCOMPARE(values.at(i).toDouble(), want);
            }
        }
    }

    // Each object's computed colour as ColorCIEXYZ and ColorCIELab under a
    // TristimulusSpec naming the illuminant, the observer and E308_Table5:
    // our reader gives the engine's values back and keeps them apart from a
    // measured L*a*b* (under D65/10° too), cxf2ti3 carries them over.
    void computedColour_data() { testdata::computedConditions_data(); }
    void computedColour()
    {
        QFETCH(std::optional<colorimetry::ColourConditions>, conditions);
        ExchangeDocument original = documentFromSpectra(testdata::spectra(), 1, m_created, conditions);
        original.samples[1].hasLab = true; // measured as well
        original.samples[1].l = 50.0;
        ExchangeDocument read;
        const QByteArray xml = written(original);
        QVERIFY(readCxf(xml, read).ok);
        testdata::compareComputed(read, conditions);
        testdata::compareSamples(read, original, false, true);
        if (!conditions) {
            return;
        }
        const QString degrees = conditions->observer == colorimetry::Observer::Cie1931TwoDegree ? QStringLiteral("2") : QStringLiteral("10");
        QVERIFY(QString::fromUtf8(xml).contains(QRegularExpression(
            QStringLiteral("<cc:ColorSpecification Id=\"Tintwell_Computed\">\\s*<cc:TristimulusSpec>\\s*<cc:Illuminant>%1</"
                           "cc:Illuminant>\\s*<cc:Observer>%2_Degree</cc:Observer>\\s*<cc:Method>E308_Table5<")
                .arg(colorimetry::illuminantName(conditions->illuminant), degrees))));
        if (testdata::tool("cxf2ti3").isEmpty()) {
            QSKIP("argyll is not installed: the computed colour is not checked by a real reader");
        }
        original.samples[1].hasLab = false; // else cxf2ti3 takes the measured L*a*b*
        const QString in = m_dir.filePath(QStringLiteral("computed.cxf"));
        testdata::writeAll(in, written(original));
        const QString base = m_dir.filePath(QStringLiteral("computed"));
        QCOMPARE(testdata::run(testdata::tool("cxf2ti3"), {in, base}), 0);
        const QByteArray text = testdata::readAll(base + QStringLiteral(".cie"));
        for (int f = 0; f < 6; ++f) {
            const QList<double> values = cgatstext::numbers(text, testdata::kComputedFields[f]);
            QCOMPARE(values.size(), original.samples.size());
            for (qsizetype i = 0; i < values.size(); ++i) { // cxf2ti3 keeps six significant digits
                QVERIFY(std::abs(values[i] - testdata::six(*original.samples.at(i).computed)[f]) <= 1e-3);
            }
        }
    }

    // The text of each value, against fixed text: L*a*b* to six decimals
    // without trailing zeros, spectra as factors to eight.
    void values_fixedText_data()
    {
        QTest::addColumn<QString>("element"); // L, A, B or the band's wavelength
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("L") << QStringLiteral("L") << 50.1234567 << QStringLiteral("50.123457");
        QTest::newRow("A, zeros dropped") << QStringLiteral("A") << -3.4 << QStringLiteral("-3.4");
        QTest::newRow("B, zero") << QStringLiteral("B") << 0.0 << QStringLiteral("0.0");
        QTest::newRow("400 nm") << QStringLiteral("400") << 12.3456789 << QStringLiteral("0.12345679");
        QTest::newRow("700 nm, whole") << QStringLiteral("700") << 100.0 << QStringLiteral("1.0");
        QTest::newRow("550 nm, small") << QStringLiteral("550") << 0.000001 << QStringLiteral("0.00000001");
    }

    void values_fixedText()
    {
        QFETCH(QString, element);
        QFETCH(double, value);
        QFETCH(QString, text);
        ExchangeSample sample;
        sample.id = QStringLiteral("T1");
        sample.hasLab = sample.hasSpectrum = true;
        sample.l = sample.a = sample.b = value;
        sample.spectrum.fill(value);
        ExchangeDocument document;
        document.created = m_created;
        document.samples << sample;
        const QString xml = QString::fromUtf8(written(document));
        bool band = false;
        const int nm = element.toInt(&band);
        const QRegularExpression pattern(band ? QStringLiteral("StartWL=\"400\">([^<]*)</cc:ReflectanceSpectrum>")
                                              : QStringLiteral("<cc:%1>([^<]*)</cc:%1>").arg(element));
        const QRegularExpressionMatch match = pattern.match(xml);
        QVERIFY2(match.hasMatch(), qPrintable(xml));
        QCOMPARE(band ? match.captured(1).split(QLatin1Char(' ')).value((nm - 400) / 10) : match.captured(1), text);
    }

    void roundTrip_sameValues_data() { argyllConverts_data(); }

    void roundTrip_sameValues()
    {
        QFETCH(bool, spectral);
        const ExchangeDocument original = document(spectral);
        const QByteArray first = written(original);
        ExchangeDocument read;
        const ReadResult result = readCxf(first, read);
        QVERIFY2(result.ok, qPrintable(result.error));
        testdata::compareSamples(read, original, false, true);
        QCOMPARE(read.created, m_created);
        QCOMPARE(read.transmittance, original.transmittance);
        ExchangeDocument again;
        QVERIFY(readCxf(written(read), again).ok);
        testdata::compareSamples(again, original, false, true);
    }

    // A spectrum holds as many values as its range has bands: fewer than
    // 400 … 700 nm needs are refused (below), a wider range than the 31
    // bands is read at the right bands (another program's 380 … 730 nm).
    void widerSpectrum_readsItsBands()
    {
        const ExchangeDocument original = document(true, 1);
        QByteArray bytes = written(original);
        const QByteArray from = "StartWL=\"400\">";
        QCOMPARE(bytes.count(from), original.samples.size());
        bytes.replace(from, "StartWL=\"380\">7 7 ");
        bytes.replace("</cc:ReflectanceSpectrum>", " 7 7 7</cc:ReflectanceSpectrum>");
        ExchangeDocument read;
        const ReadResult result = readCxf(bytes, read);
        QVERIFY2(result.ok, qPrintable(result.error));
        testdata::compareSamples(read, original, false, true);
    }

    // Every fault is refused with the line it is on.
    void malformed_refused_data()
    {
        QTest::addColumn<bool>("spectral");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong namespace") << false << QByteArray("CxF3-core") << QByteArray("CxF2-core")
                                         << QStringLiteral("line 2: the root element is {http://colorexchangeformat.com/"
                                                           "CxF2-core}CxF, not CxF in the namespace");
        QTest::newRow("comma decimal") << false << QByteArray("<cc:L>50.12<") << QByteArray("<cc:L>50,12<")
                                       << QStringLiteral("line 24: L value \"50,12\" has a comma");
        QTest::newRow("missing bands") << true << QByteArray(" 0.9135</") << QByteArray("</")
                                       << QStringLiteral("line 29: Object \"T2\": the spectrum is missing bands from 700 nm on");
        QTest::newRow("other step") << true << QByteArray("Increment=\"10\"") << QByteArray("Increment=\"20\"")
                                    << QStringLiteral("line 13: Object \"T1\": the spectrum (from 400 nm in 20 nm steps)");
        QTest::newRow("conditions not defined") << false << QByteArray("ColorSpecification=\"Tintwell_D65_10\"")
                                                 << QByteArray("ColorSpecification=\"Elsewhere\"")
                                                 << QStringLiteral("line 13: Object \"S1\": ColorSpecification \"Elsewhere\" is not defined");
        QTest::newRow("D50 L*a*b*") << false << QByteArray("<cc:Illuminant>D65") << QByteArray("<cc:Illuminant>D50")
                                    << QStringLiteral("line 10: Object \"S1\": its ColorCIELab is for D50/10_Degree");
        QTest::newRow("document type") << false << QByteArray("<cc:CxF ")
                                       << QByteArray("<!DOCTYPE cc:CxF [<!ENTITY x \"y\">]>\n<cc:CxF ")
                                       << QStringLiteral("line 2: document type declarations are not accepted");
        QTest::newRow("deep nesting") << false << QByteArray("<cc:Creator>")
                                      << QByteArray("<a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a><a>"
                                                    "<a><a><a><a><a><a><a><a><a><a><a><a><a><a></a></a></a></a>"
                                                    "</a></a></a></a></a></a></a></a></a></a></a></a></a></a></a>"
                                                    "</a></a></a></a></a></a></a></a></a></a></a></a></a></a></a><cc:Creator>")
                                      << QStringLiteral("line 4: elements are nested deeper than 32 levels");
        QTest::newRow("cut short") << false << QByteArray("</cc:CxF>\n") << QByteArray()
                                   << QStringLiteral("line 107: Premature end of document");
    }

    void malformed_refused()
    {
        QFETCH(bool, spectral);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        QByteArray bytes = written(document(spectral));
        const qsizetype at = bytes.indexOf(from);
        QVERIFY(at >= 0);
        bytes.replace(at, from.size(), to);
        ExchangeDocument read;
        const ReadResult result = readCxf(bytes, read);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(message), qPrintable(result.error));
        QVERIFY(read.samples.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCxfFormat)
#include "tst_CxfFormat.moc"
