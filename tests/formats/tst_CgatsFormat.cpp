// CGATS (.ti3) files as argyll's tools read them, and our strict reader.
#include "CgatsFormat.h"
#include "FormatsTestData.h"

#include <QBuffer>
#include <QTemporaryDir>

using namespace formats;

class TestCgatsFormat : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QDateTime m_created{QDate(2026, 12, 8), QTime(16, 0)};

    ExchangeDocument recordsDocument() const { return documentFromRecords(testdata::records(), m_created); }
    ExchangeDocument spectraDocument() const { return documentFromSpectra(testdata::spectra(), 1, m_created); }

    static QByteArray written(const ExchangeDocument& document)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QString error;
        const bool ok = writeCgats(document, buffer, &error);
        return ok ? buffer.data() : error.toUtf8();
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        testdata::writeAll(path, bytes);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // argyll reads what we write: splitti3 splits our comparison file (all
    // sets into its second output), spec2cie keeps our spectra and adds their
    // colour for D65 and the 10° observer. Every name and value survives; the
    // neutral standard and the flat 100 % spectrum are exactly white.
    void argyllReads_data()
    {
        QTest::addColumn<bool>("spectral");
        QTest::newRow("comparisons, splitti3") << false;
        QTest::newRow("spectra, spec2cie") << true;
    }

    void argyllReads()
    {
        QFETCH(bool, spectral);
        const QString tool = testdata::tool(spectral ? "spec2cie" : "splitti3");
        if (tool.isEmpty()) {
            QSKIP("argyll is not installed: CGATS files are not checked by a real reader");
        }
        const ExchangeDocument document = spectral ? spectraDocument() : recordsDocument();
        const QString in = file(QStringLiteral("in.ti3"), written(document));
        const QString out = m_dir.filePath(QStringLiteral("argyll.ti3"));
        const QStringList arguments = spectral ? QStringList{QStringLiteral("-i"), QStringLiteral("D65"), QStringLiteral("-o"),
                                                             QStringLiteral("1964_10"), in, out}
                                               : QStringList{QStringLiteral("-n"), QStringLiteral("0"), in,
                                                             m_dir.filePath(QStringLiteral("none.ti3")), out};
        QByteArray log;
        QCOMPARE(testdata::run(tool, arguments, &log), 0);
        ExchangeDocument read;
        const QByteArray text = testdata::readAll(out);
        const ReadResult result = readCgats(text, read);
        QVERIFY2(result.ok, qPrintable(result.error + QLatin1Char('\n') + QString::fromUtf8(log)));
        testdata::compareSamples(read, document, spectral, false);
        QCOMPARE(read.samples.at(0).l, 100.0);
        QCOMPARE(read.samples.at(0).a, 0.0);
        QCOMPARE(read.samples.at(0).b, 0.0);
        if (spectral) {
            QCOMPARE(read.samples.at(2).name, QStringLiteral("spec1"));
        } else { // the D50 white of the neutral standard as well
            QCOMPARE(testdata::cgatsColumn(text, "LAB_L").value(0).toDouble(), 100.0);
            QCOMPARE(testdata::cgatsColumn(text, "LAB_A").value(0).toDouble(), 0.0);
            QCOMPARE(testdata::cgatsColumn(text, "LAB_B").value(0).toDouble(), 0.0);
            QCOMPARE(testdata::cgatsColumn(text, "XYZ_Y").value(0).toDouble(), 100.0);
        }
    }

    // The colour computed from the spectra, beside them: the header names
    // the illuminant and observer; our reader gives the engine's values
    // back, and spec2cie, computing from the same curves its own way, agrees
    // within 0.2 (its <illuminant>LAB_ against our LAB_). Without
    // conditions the file has the older form and reads without.
    void computedColour_data() { testdata::computedConditions_data(); }
    void computedColour()
    {
        QFETCH(std::optional<colorimetry::ColourConditions>, conditions);
        QFETCH(QString, argyll);
        const QByteArray text = written(documentFromSpectra(testdata::spectra(), 1, m_created, conditions));
        ExchangeDocument read;
        QVERIFY(readCgats(text, read).ok);
        testdata::compareComputed(read, conditions);
        QCOMPARE(testdata::cgatsColumn(text, "LAB_L").size(), conditions ? read.samples.size() : 0);
        if (!conditions) {
            return;
        }
        const QByteArray degrees = conditions->observer == colorimetry::Observer::Cie1931TwoDegree ? "2" : "10";
        QVERIFY(text.contains("\nILLUMINANT \"" + colorimetry::illuminantName(conditions->illuminant).toLatin1()
                              + "\"\nKEYWORD \"OBSERVER\"\nOBSERVER \"" + degrees + "\"\n"));
        if (argyll.isEmpty() || testdata::tool("spec2cie").isEmpty()) {
            return;
        }
        const QString in = file(QStringLiteral("computed.ti3"), text);
        const QString out = m_dir.filePath(QStringLiteral("computed-argyll.ti3"));
        const QString error = cgatstext::runSpec2cie(argyll, degrees == "2" ? QStringLiteral("1931_2") : QStringLiteral("1964_10"),
                                                     in, out);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QByteArray theirs = testdata::readAll(out);
        for (int f = 0; f < 6; ++f) {
            const QByteArray field = testdata::kComputedFields[f];
            const QList<double> spec2cie = cgatstext::numbers(theirs, f < 3 ? field : argyll.toLatin1() + field);
            QCOMPARE(spec2cie.size(), read.samples.size());
            for (qsizetype i = 0; i < spec2cie.size(); ++i) {
                QVERIFY2(std::abs(testdata::six(*read.samples.at(i).computed)[f] - spec2cie[i]) < 0.2, field.constData());
            }
        }
    }

    // The text of each numeric field, against fixed text: D65/10° L*a*b* and
    // spectra to six decimals without trailing zeros, the derived D50 XYZ and
    // L*a*b* to four (the neutral standard is the D50 white exactly).
    void numericFields_fixedText_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("l");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("spectrum"); // every band
        QTest::addColumn<QString>("text");
        QTest::newRow("D65LAB_L") << QByteArray("D65LAB_L") << 50.1234567 << 0.0 << 0.0 << 1.0 << QStringLiteral("50.123457");
        QTest::newRow("D65LAB_A, zeros dropped") << QByteArray("D65LAB_A") << 50.0 << -3.4 << 0.0 << 1.0 << QStringLiteral("-3.4");
        QTest::newRow("D65LAB_B, zero") << QByteArray("D65LAB_B") << 50.0 << 0.0 << 0.0 << 1.0 << QStringLiteral("0.0");
        QTest::newRow("XYZ_X") << QByteArray("XYZ_X") << 100.0 << 0.0 << 0.0 << 1.0 << QStringLiteral("96.4200");
        QTest::newRow("XYZ_Y") << QByteArray("XYZ_Y") << 100.0 << 0.0 << 0.0 << 1.0 << QStringLiteral("100.0000");
        QTest::newRow("XYZ_Z") << QByteArray("XYZ_Z") << 100.0 << 0.0 << 0.0 << 1.0 << QStringLiteral("82.4900");
        QTest::newRow("LAB_L") << QByteArray("LAB_L") << 100.0 << 0.0 << 0.0 << 1.0 << QStringLiteral("100.0000");
        QTest::newRow("LAB_A, no minus zero") << QByteArray("LAB_A") << 100.0 << 0.0 << 0.0 << 1.0 << QStringLiteral("0.0000");
        QTest::newRow("LAB_B, D50") << QByteArray("LAB_B") << 50.12 << -3.45 << 7.8 << 1.0 << QStringLiteral("7.8142");
        QTest::newRow("SPEC_400") << QByteArray("SPEC_400") << 50.0 << 0.0 << 0.0 << 12.3456789 << QStringLiteral("12.345679");
        QTest::newRow("SPEC_700, whole") << QByteArray("SPEC_700") << 50.0 << 0.0 << 0.0 << 100.0 << QStringLiteral("100.0");
        QTest::newRow("SPEC_550, small") << QByteArray("SPEC_550") << 50.0 << 0.0 << 0.0 << 0.0000004 << QStringLiteral("0.0");
    }

    void numericFields_fixedText()
    {
        QFETCH(QByteArray, field);
        QFETCH(double, l);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, spectrum);
        QFETCH(QString, text);
        ExchangeSample sample;
        sample.id = QStringLiteral("T1");
        sample.hasLab = sample.hasSpectrum = true;
        sample.l = l;
        sample.a = a;
        sample.b = b;
        sample.spectrum.fill(spectrum);
        ExchangeDocument document;
        document.created = m_created;
        document.samples << sample;
        QCOMPARE(testdata::cgatsColumn(written(document), field), QStringList{text});
    }

    void roundTrip_sameBytes_data()
    {
        QTest::addColumn<bool>("spectral");
        QTest::newRow("comparisons") << false;
        QTest::newRow("spectra") << true;
    }

    void roundTrip_sameBytes()
    {
        QFETCH(bool, spectral);
        const QByteArray first = written(spectral ? spectraDocument() : recordsDocument());
        ExchangeDocument read;
        const ReadResult result = readCgats(first, read);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(read.created, m_created);
        QCOMPARE(written(read), first);
    }

    // One set per reading: a side read three times gives three samples of
    // its own readings' L*a*b* (the file reads back), a side read once its one.
    void everyReading_oneSetPerReading()
    {
        QList<ComparisonRecord> records = testdata::records();
        ComparisonRecord& first = records.first();
        for (int k = 0; k < 3; ++k) {
            first.readings.sample.append(first.sample);
            first.readings.sample.last()[ComparisonRecord::LabL] += 0.5 * k;
        }
        const ExchangeDocument mean = documentFromRecords(records, m_created);
        const ExchangeDocument every = documentFromRecords(records, m_created, true);
        QCOMPARE(every.samples.size(), mean.samples.size() + 2);
        QStringList ids;
        for (const ExchangeSample& sample : every.samples.mid(0, 4)) {
            ids << sample.id;
        }
        QCOMPARE(ids, (QStringList{"S1", "T1.1", "T1.2", "T1.3"}));
        QCOMPARE(every.samples.at(3).l, first.sample[ComparisonRecord::LabL] + 1.0);
        QCOMPARE(every.samples.at(3).name, first.testName + QStringLiteral(" (3/3)"));
        ExchangeDocument read;
        const ReadResult result = readCgats(written(every), read);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(read.samples.size(), every.samples.size());
    }

    // Each fault is refused by our reader, naming its line, and where argyll
    // is strict about it, by argyll's reader too.
    void malformed_refused_data()
    {
        QTest::addColumn<bool>("spectral");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("argyllRefuses");
        QTest::newRow("more sets announced") << false << QByteArray("NUMBER_OF_SETS 8") << QByteArray("NUMBER_OF_SETS 9")
                                             << QStringLiteral("line 18: NUMBER_OF_SETS says 9, the data holds 8") << true;
        QTest::newRow("fewer sets announced") << false << QByteArray("NUMBER_OF_SETS 8") << QByteArray("NUMBER_OF_SETS 7")
                                              << QStringLiteral("line 27: more sets than NUMBER_OF_SETS (7)") << true;
        QTest::newRow("more fields announced") << false << QByteArray("NUMBER_OF_FIELDS 11") << QByteArray("NUMBER_OF_FIELDS 12")
                                               << QStringLiteral("line 13: NUMBER_OF_FIELDS says 12, the field list has 11") << false;
        QTest::newRow("fewer fields announced") << false << QByteArray("NUMBER_OF_FIELDS 11") << QByteArray("NUMBER_OF_FIELDS 10")
                                                << QStringLiteral("line 13: NUMBER_OF_FIELDS says 10, the field list has 11") << false;
        QTest::newRow("no END_DATA") << false << QByteArray("END_DATA\n") << QByteArray()
                                     << QStringLiteral("the file ends without END_DATA") << true;
        QTest::newRow("comma decimal") << false << QByteArray(" 50.1722 ") << QByteArray(" 50,1722 ")
                                       << QStringLiteral("line 21: LAB_L value \"50,1722\" has a comma") << true;
        QTest::newRow("short set") << false << QByteArray(" -3.45 7.8\n") << QByteArray(" -3.45\n")
                                   << QStringLiteral("line 21: 10 values, NUMBER_OF_FIELDS is 11") << true;
        QTest::newRow("long set") << false << QByteArray(" -3.45 7.8\n") << QByteArray(" -3.45 7.8 1.0\n")
                                  << QStringLiteral("line 21: 12 values, NUMBER_OF_FIELDS is 11") << true;
        QTest::newRow("long set, an empty string") << false << QByteArray(" -3.45 7.8\n") << QByteArray(" -3.45 7.8 \"\"\n")
                                                   << QStringLiteral("line 21: 12 values, NUMBER_OF_FIELDS is 11") << true;
        QTest::newRow("short spectral set") << true << QByteArray(" 100.0\n") << QByteArray("\n")
                                            << QStringLiteral("line 27: 38 values, NUMBER_OF_FIELDS is 39") << true;
        QTest::newRow("long spectral set") << true << QByteArray(" 100.0\n") << QByteArray(" 100.0 100.0\n")
                                           << QStringLiteral("line 27: 40 values, NUMBER_OF_FIELDS is 39") << true;
        QTest::newRow("beyond any colour") << false << QByteArray(" -3.45 7.8\n") << QByteArray(" -3.45 7.8e9\n")
                                           << QStringLiteral("line 21: D65LAB_B value \"7.8e9\" is out of range") << false;
        QTest::newRow("open quote") << false << QByteArray("\"T1\"") << QByteArray("\"T1")
                                    << QStringLiteral("line 21: a quoted string is not closed") << true;
        QTest::newRow("missing band") << true << QByteArray(" SPEC_550 ") << QByteArray(" SPEC_555 ")
                                      << QStringLiteral("line 21: SPEC_550 is missing") << true;
        QTest::newRow("D50 only") << false << QByteArray(" D65LAB_L D65LAB_A D65LAB_B") << QByteArray()
                                  << QStringLiteral("no D65LAB_L/A/B fields and no spectrum") << false;
    }

    void malformed_refused()
    {
        QFETCH(bool, spectral);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        QFETCH(bool, argyllRefuses);
        QByteArray bytes = written(spectral ? spectraDocument() : recordsDocument());
        const qsizetype at = bytes.indexOf(from);
        QVERIFY(at >= 0);
        bytes.replace(at, from.size(), to);
        if (!spectral && to.isEmpty() && from.startsWith(" D65LAB")) {
            bytes.replace("NUMBER_OF_FIELDS 11", "NUMBER_OF_FIELDS 8");
            // Drop the last three values of every set.
            QList<QByteArray> lines = bytes.split('\n');
            for (QByteArray& line : lines) {
                if (line.startsWith("\"S") || line.startsWith("\"T")) {
                    QList<QByteArray> words = line.split(' ');
                    line = words.mid(0, words.size() - 3).join(' ');
                }
            }
            bytes = lines.join('\n');
        }
        ExchangeDocument read;
        const ReadResult result = readCgats(bytes, read);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(message), qPrintable(result.error));
        QVERIFY(result.error.startsWith(QLatin1String("line ")));
        QVERIFY(read.samples.isEmpty());
        const QString reader = testdata::tool(spectral ? "spec2cie" : "splitti3");
        if (argyllRefuses && !reader.isEmpty()) {
            const QString in = file(QStringLiteral("bad.ti3"), bytes);
            const QString out = m_dir.filePath(QStringLiteral("bad-out.ti3"));
            QVERIFY(testdata::run(reader, spectral ? QStringList{in, out}
                                                   : QStringList{QStringLiteral("-n"), QStringLiteral("0"), in,
                                                                 m_dir.filePath(QStringLiteral("bad-none.ti3")), out})
                    != 0);
        }
    }

    // Reading streams: the sink sees each set and can stop the reading.
    void sinkStops_readingFails()
    {
        const QByteArray bytes = written(recordsDocument());
        ExchangeDocument header;
        int seen = 0;
        const ReadResult result = readCgats(bytes, header, [&seen](const ExchangeSample&) { return ++seen < 3; });
        QVERIFY(!result.ok);
        QCOMPARE(seen, 3);
        QCOMPARE(header.description, QStringLiteral("Tintwell comparisons"));
    }
};

QTEST_GUILESS_MAIN(TestCgatsFormat)
#include "tst_CgatsFormat.moc"
