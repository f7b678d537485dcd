// CSV as LibreOffice reads it, the formula guard, and our reader.
#include "CgatsFormat.h"
#include "CsvFormat.h"
#include "FormatsTestData.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

using namespace formats;

namespace {

QList<ComparisonRecord> legacyRecords()
{
    QList<ComparisonRecord> records = testdata::records();
    for (ComparisonRecord& record : records) {
        record.legacy = true;
        for (int i = 0; i < 3; ++i) {
            record.legacyStandard[std::size_t(i)] = record.standard[ComparisonRecord::LabL + i];
            record.legacySample[std::size_t(i)] = record.sample[ComparisonRecord::LabL + i];
        }
        record.legacySample[ComparisonRecord::LegacyH] = 359.9;
        record.settings.formulaText = QStringLiteral("\u25B3E*cmc(2:1)");
        record.settings.thresholdText = QStringLiteral("=1.0");
    }
    return records;
}

QByteArray comparisonCsv(const QList<ComparisonRecord>& records, int mode, bool chinese)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return writeComparisonCsv(records, displayModeFromIndex(mode), chinese, buffer) ? buffer.data() : QByteArray();
}

QByteArray spectralCsv(const QList<NamedSpectrum>& spectra)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return writeSpectralCsv(spectra, buffer) ? buffer.data() : QByteArray();
}

QByteArray legacyHeader()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ComparisonCsvWriter writer(buffer, DisplayMode::Lab, true, false);
    return writer.finish() ? buffer.data() : QByteArray();
}

// A record, or a spectrum, whose every number is value.
ComparisonRecord everyNumber(double value, bool legacy)
{
    ComparisonRecord record;
    record.legacy = legacy;
    record.sequence = value;
    record.standard.fill(value);
    record.sample.fill(value);
    record.legacyStandard.fill(value);
    record.legacySample.fill(value);
    record.hazeDifference = record.transmittanceDifference = record.deltaE = value;
    record.settings.hazeTolerance = record.settings.transmittanceTolerance = record.settings.deltaEThreshold = value;
    return record;
}

// A data row repeated: cells cells of "1" (a number for every column).
QByteArray row(int cells)
{
    QByteArray out("1");
    for (int i = 1; i < cells; ++i) {
        out.append(",1");
    }
    return out + "\r\n";
}

} // namespace

class TestCsvFormat : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // LibreOffice opens path as UTF-8 CSV, evaluating formulas, and saves
    // it as CSV again: its rows.
    QList<QStringList> throughLibreOffice(const QString& path)
    {
        const QString soffice = testdata::tool("soffice");
        const QString out = m_dir.filePath(QStringLiteral("out"));
        QByteArray log;
        const int code = testdata::run(soffice, {QStringLiteral("-env:UserInstallation=file://") + m_dir.filePath(QStringLiteral("profile")),
                                                 QStringLiteral("--headless"),
                                                 QStringLiteral("--infilter=CSV:44,34,76,1,,0,false,true,false,false,false,false,true"),
                                                 QStringLiteral("--convert-to"),
                                                 QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                                                 QStringLiteral("--outdir"), out, path},
                                       &log);
        const QByteArray bytes = testdata::readAll(out + QLatin1Char('/') + QFileInfo(path).fileName());
        QList<QStringList> rows;
        if (code != 0 || !parseCsv(bytes, rows).ok) {
            qWarning("LibreOffice: %s", log.constData());
        }
        return rows;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // LibreOffice shows the Chinese names and reads every number as the
    // number written; the guarded name stays text although it evaluates
    // formulas (an unguarded one is computed, so the check can fail).
    void libreOfficeReadsBack()
    {
        if (testdata::tool("soffice").isEmpty()) {
            QSKIP("soffice (libreoffice-calc-nogui) is not installed: CSV is not checked by a real reader");
        }
        const QList<ComparisonRecord> records = testdata::records();
        const QString path = m_dir.filePath(QStringLiteral("records.csv"));
        testdata::writeAll(path, comparisonCsv(records, 3, false));
        const QList<QStringList> rows = throughLibreOffice(path);
        QCOMPARE(rows.size(), records.size() + 1);
        QCOMPARE(rows.at(0).at(11), QStringLiteral("\u25B3E Thresholds"));
        for (qsizetype r = 0; r < records.size(); ++r) {
            const ComparisonRecord& record = records.at(r);
            const QStringList& row = rows.at(r + 1);
            QCOMPARE(row.at(3), r == 2 ? QLatin1Char('\'') + record.testName : record.testName);
            QCOMPARE(row.at(4), record.time.toString(QLatin1String(kComparisonTimeFormat)));
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(row.at(5 + i).toDouble(), record.standard[ComparisonRecord::LabL + i]);
                QCOMPARE(row.at(8 + i).toDouble(), record.sample[ComparisonRecord::LabL + i]);
            }
            QCOMPARE(row.at(12).toDouble(), record.deltaE);
        }
        const QString spectraPath = m_dir.filePath(QStringLiteral("spectra.csv"));
        testdata::writeAll(spectraPath, spectralCsv(testdata::spectra()));
        const QList<QStringList> spectral = throughLibreOffice(spectraPath);
        QCOMPARE(spectral.size(), 5);
        QCOMPARE(spectral.at(4).at(1), QStringLiteral("绿色样品"));
        QCOMPARE(spectral.at(3).at(1), QStringLiteral("spec1"));
        for (int k = 0; k < kSpectralPointCount; ++k) {
            QCOMPARE(spectral.at(2).at(2 + k).toDouble(), testdata::spectra().at(1).record.values[k]);
        }
        const QString control = m_dir.filePath(QStringLiteral("control.csv"));
        testdata::writeAll(control, "=SUM(1+1)\r\n");
        QCOMPARE(throughLibreOffice(control).value(0).value(0), QStringLiteral("2"));
    }

    void textCells_guarded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("formula") << QStringLiteral("=1+1") << QByteArray("\"'=1+1\"");
        QTest::newRow("plus") << QStringLiteral("+49 30") << QByteArray("\"'+49 30\"");
        QTest::newRow("at") << QStringLiteral("@cmd") << QByteArray("\"'@cmd\"");
        QTest::newRow("tab") << QStringLiteral("\tx") << QByteArray("\"'\tx\"");
        QTest::newRow("apostrophe before formula") << QStringLiteral("'=x") << QByteArray("\"''=x\"");
        QTest::newRow("apostrophe alone") << QStringLiteral("'x") << QByteArray("'x");
        QTest::newRow("minus text") << QStringLiteral("-5") << QByteArray("-5");
        QTest::newRow("comma and quote") << QStringLiteral("a,\"b\"") << QByteArray("\"a,\"\"b\"\"\"");
        QTest::newRow("line break") << QStringLiteral("a\nb") << QByteArray("\"a\nb\"");
    }

    void textCells_guarded()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, cell);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CsvWriter csv(buffer);
        csv.text(text);
        csv.number(-3.456, 2);
        QVERIFY(csv.endRow() && csv.finish());
        QCOMPARE(buffer.data(), "\xEF\xBB\xBF" + cell + ",-3.46\r\n");
        // The reader takes back exactly the text written.
        QList<ComparisonRecord> records = testdata::records().mid(0, 1);
        records[0].testName = text;
        QList<ComparisonRecord> read;
        DisplayMode mode = DisplayMode::HazeT;
        bool chinese = true;
        const ReadResult result = readComparisonCsv(comparisonCsv(records, 3, false), read, mode, chinese);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(read.value(0).testName, text);
    }

    // The cell each numeric column gets, against fixed text: the table's
    // decimals (ΔE 2, threshold 1, h 1, x and y 4), NaN as an empty cell,
    // "-0.00" without its sign, whole sequence numbers in full, spectra to six
    // significant digits.
    void numericCells_fixedText_data()
    {
        QTest::addColumn<int>("mode"); // -1 legacy layout, -2 spectral table
        QTest::addColumn<QString>("column");
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("cell");
        const double nan = ComparisonRecord::kUnknown;
        QTest::newRow("NO") << 3 << QStringLiteral("NO") << 12.0 << QByteArray("12");
        QTest::newRow("NO past a million") << 3 << QStringLiteral("NO") << 1234567.0 << QByteArray("1234567");
        QTest::newRow("Standard Haze") << 0 << QStringLiteral("Standard Haze") << 12.3456 << QByteArray("12.35");
        QTest::newRow("Sample Transmittance") << 0 << QStringLiteral("Sample Transmittance") << 89.996
                                              << QByteArray("90.00");
        QTest::newRow("Haze Tolerance") << 1 << QStringLiteral("Haze Tolerance") << 1.23456 << QByteArray("1.23");
        QTest::newRow("Transmittance Tolerance") << 2 << QStringLiteral("Transmittance Tolerance") << 1.23456
                                                 << QByteArray("1.23");
        QTest::newRow("tolerance unknown") << 1 << QStringLiteral("Haze Tolerance") << -1.0 << QByteArray();
        QTest::newRow("ΔHaze") << 0 << QStringLiteral("\u25B3Haze") << -1.23456 << QByteArray("-1.23");
        QTest::newRow("ΔHaze rounding to zero") << 1 << QStringLiteral("\u25B3Haze") << -0.004 << QByteArray("0.00");
        QTest::newRow("ΔTransmittance") << 2 << QStringLiteral("\u25B3Transmittance") << 1.23456 << QByteArray("1.23");
        QTest::newRow("Standard L*") << 3 << QStringLiteral("Standard L*") << 12.3456 << QByteArray("12.35");
        QTest::newRow("Sample b*, Haze/T/Lab") << 6 << QStringLiteral("Sample b*") << -12.3456 << QByteArray("-12.35");
        QTest::newRow("ΔE Thresholds") << 3 << QStringLiteral("\u25B3E Thresholds") << 1.23456 << QByteArray("1.2");
        QTest::newRow("ΔE") << 3 << QStringLiteral("\u25B3E") << 1.23456 << QByteArray("1.23");
        QTest::newRow("ΔE never measured") << 3 << QStringLiteral("\u25B3E") << nan << QByteArray();
        QTest::newRow("Standard C*") << 4 << QStringLiteral("Standard C*") << 12.3456 << QByteArray("12.35");
        QTest::newRow("Sample h") << 4 << QStringLiteral("Sample h") << 123.456 << QByteArray("123.5");
        QTest::newRow("Standard Y") << 5 << QStringLiteral("Standard Y") << 12.3456 << QByteArray("12.35");
        QTest::newRow("Standard x") << 5 << QStringLiteral("Standard x") << 0.312749 << QByteArray("0.3127");
        QTest::newRow("Sample y") << 5 << QStringLiteral("Sample y") << 0.329051 << QByteArray("0.3291");
        QTest::newRow("legacy Standard L*") << -1 << QStringLiteral("Standard L*") << 12.3456 << QByteArray("12.35");
        QTest::newRow("legacy Sample C*") << -1 << QStringLiteral("Sample C*") << 12.3456 << QByteArray("12.35");
        QTest::newRow("legacy Standard h") << -1 << QStringLiteral("Standard h") << 123.456 << QByteArray("123.5");
        QTest::newRow("legacy ΔE") << -1 << QStringLiteral("\u25B3E") << 1.23456 << QByteArray("1.23");
        QTest::newRow("spectral No") << -2 << QStringLiteral("No") << 0.0 << QByteArray("1");
        QTest::newRow("spectral 400nm") << -2 << QStringLiteral("400nm") << 12.3456789 << QByteArray("12.3457");
        QTest::newRow("spectral 700nm, whole") << -2 << QStringLiteral("700nm") << 100.0 << QByteArray("100");
        QTest::newRow("spectral 550nm, small") << -2 << QStringLiteral("550nm") << 0.0123456789
                                               << QByteArray("0.0123457");
    }

    void numericCells_fixedText()
    {
        QFETCH(int, mode);
        QFETCH(QString, column);
        QFETCH(double, value);
        QFETCH(QByteArray, cell);
        QByteArray bytes;
        if (mode == -2) {
            QList<NamedSpectrum> spectra(1);
            spectra[0].record.values.fill(value);
            bytes = spectralCsv(spectra);
        } else {
            bytes = comparisonCsv({everyNumber(value, mode == -1)}, mode, false);
        }
        QList<QStringList> rows;
        QVERIFY(parseCsv(bytes, rows).ok);
        QCOMPARE(rows.size(), 2);
        const qsizetype at = rows.at(0).indexOf(column);
        QVERIFY2(at >= 0, qPrintable(rows.at(0).join(QLatin1Char('|'))));
        QCOMPARE(rows.at(1).value(at).toUtf8(), cell);
    }

    // Records read several times add n and the spread of every value shown;
    // the reader takes such a file back.
    void readings_nAndSpreadColumns_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("n of the sample") << false << QStringLiteral("Sample n") << QByteArray("3");
        QTest::newRow("n of a standard read once") << false << QStringLiteral("Standard n") << QByteArray("1");
        QTest::newRow("SD of L*") << false << QStringLiteral("Sample L* SD") << QByteArray("0.100");
        QTest::newRow("range of b*") << false << QStringLiteral("Sample b* range") << QByteArray("0.00");
        QTest::newRow("SD of a standard read once") << false << QStringLiteral("Standard L* SD") << QByteArray();
        QTest::newRow("legacy range of L*") << true << QStringLiteral("Sample L* range") << QByteArray("0.20");
        QTest::newRow("legacy SD of h") << true << QStringLiteral("Sample h SD") << QByteArray("0.00");
    }
    void readings_nAndSpreadColumns()
    {
        QFETCH(bool, legacy);
        QFETCH(QString, column);
        QFETCH(QByteArray, cell);
        QList<ComparisonRecord> records = legacy ? legacyRecords() : testdata::records();
        ComparisonRecord& first = records.first();
        for (int k = 0; k < 3; ++k) {
            if (legacy) {
                first.readings.legacySample.append(first.legacySample);
                first.readings.legacySample.last()[ComparisonRecord::LegacyL] += 0.1 * k;
            } else {
                first.readings.sample.append(first.sample);
                first.readings.sample.last()[ComparisonRecord::LabL] += 0.1 * k;
            }
        }
        const QByteArray bytes = comparisonCsv(records, 3, false);
        QList<QStringList> rows;
        QVERIFY(parseCsv(bytes, rows).ok);
        const qsizetype at = rows.at(0).indexOf(column);
        QVERIFY2(at >= 0, qPrintable(rows.at(0).join(QLatin1Char('|'))));
        QCOMPARE(rows.at(1).value(at).toUtf8(), cell);
        QList<ComparisonRecord> read;
        DisplayMode mode = DisplayMode::None;
        bool chinese = true;
        const ReadResult result = readComparisonCsv(bytes, read, mode, chinese);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(read.size(), records.size());
    }

    void roundTrip_sameBytes_data()
    {
        QTest::addColumn<int>("mode"); // -1 spectral
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<bool>("library"); // judged against a library standard: its columns follow
        for (int mode = 0; mode <= 6; ++mode) {
            QTest::addRow("display mode %d", mode) << mode << false << false << false;
        }
        // The current layout's titles and verdicts through the Chinese catalogue.
        QTest::newRow("display mode 3, Chinese catalogue") << 3 << false << true << false;
        QTest::newRow("legacy English") << 3 << true << false << false;
        QTest::newRow("legacy Chinese") << 3 << true << true << false;
        QTest::newRow("display mode 6, library standard") << 6 << false << false << true;
        QTest::newRow("display mode 3, library standard, Chinese") << 3 << false << true << true;
        QTest::newRow("legacy Chinese, library standard") << 3 << true << true << true;
        QTest::newRow("spectral") << -1 << false << false << false;
    }

    void roundTrip_sameBytes()
    {
        QFETCH(int, mode);
        QFETCH(bool, legacy);
        QFETCH(bool, chinese);
        QFETCH(bool, library);
        if (mode < 0) {
            const QByteArray first = spectralCsv(testdata::spectra());
            QList<NamedSpectrum> read;
            const ReadResult result = readSpectralCsv(first, read);
            QVERIFY2(result.ok, qPrintable(result.error));
            QCOMPARE(spectralCsv(read), first);
            return;
        }
        QTranslator catalogue;
        const bool translated = chinese && !legacy;
        if (translated) {
            QVERIFY(catalogue.load(QCoreApplication::applicationDirPath() + QStringLiteral("/Tintwell_zh.qm")));
            QCoreApplication::installTranslator(&catalogue);
        }
        QList<ComparisonRecord> records = legacy ? legacyRecords() : testdata::records();
        if (library) {
            records[0].library.standardName = QStringLiteral("红 12, \"=A1\"");
            records[0].library.standardVersion = 3;
            records[0].library.warning = true;
            records[0].library.decidedBy = QStringLiteral("dE00");
            records[1].library.standardName = QStringLiteral("Blue");
            records[1].library.standardVersion = 1;
            records[1].library.decidedBy = QStringLiteral("db");
        }
        const QByteArray first = comparisonCsv(records, mode, chinese);
        QCOMPARE(first.contains(chinese ? "库标准" : "Library standard"), library);
        QList<ComparisonRecord> read;
        auto readMode = static_cast<DisplayMode>(-2); // neither a mode nor none: the reader sets it
        bool readChinese = !chinese;
        const ReadResult result = readComparisonCsv(first, read, readMode, readChinese);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(displayModeIndex(readMode), legacy ? -1 : mode);
        QCOMPARE(readChinese, chinese && legacy);
        QCOMPARE(first.contains("合格"), chinese);
        QCOMPARE(read.value(1).pass, false);
        QCOMPARE(read.value(0).library.standardName, records[0].library.standardName);
        QCOMPARE(read.value(0).library.warning, library);
        QCOMPARE(read.value(1).library.decidedBy, records[1].library.decidedBy);
        QCOMPARE(comparisonCsv(read, mode, chinese), first);
    }

    // Every writer reports a device that takes nothing, with its reason.
    void writers_reportRefusingDevice_data()
    {
        QTest::addColumn<int>("writer");
        QTest::newRow("comparison CSV") << 0;
        QTest::newRow("spectral CSV") << 1;
        QTest::newRow("CGATS") << 2;
    }

    void writers_reportRefusingDevice()
    {
        QFETCH(int, writer);
        QFile device(QStringLiteral("/dev/full")); // takes nothing, as a full disk does
        QVERIFY(device.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QString error;
        const bool ok = writer == 0   ? writeComparisonCsv(testdata::records(), DisplayMode::Haze, false, device, &error)
                        : writer == 1 ? writeSpectralCsv(testdata::spectra(), device, &error)
                                      : writeCgats(documentFromRecords(testdata::records(), {}), device, &error);
        QVERIFY(!ok);
        QCOMPARE(error, QStringLiteral("Cannot write the file: No space left on device"));
    }

    // Every count is refused on both sides, naming the line and the counts:
    // a data row shorter or longer than its header (a comma at the end is one
    // cell more), and a spectral header of another width.
    void malformed_refused_data()
    {
        QTest::addColumn<bool>("spectral");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray header = comparisonCsv({}, 1, false);
        const QByteArray legacy = legacyHeader();
        const QByteArray spectral = spectralCsv({});
        const QByteArray good = "1,TX420,1,n,,1.5,2.0,0.5,0.5,PASS\r\n";
        QTest::newRow("open quote") << false << QByteArray(header + "1,\"TX\r\n2,x\r\n") << QStringLiteral("line 2: a quoted cell is never closed");
        QTest::newRow("after quote") << false << QByteArray(header + "1,\"TX\"x,\r\n") << QStringLiteral("line 2: text after a closing quote");
        QTest::newRow("bare quote") << false << QByteArray(header + "1,T\"X\r\n") << QStringLiteral("line 2: a quote inside an unquoted cell");
        QTest::newRow("unknown header") << false << QByteArray("NO,Model\r\n") << QStringLiteral("line 1: the header row is not that of a comparison table");
        QTest::newRow("short row") << false << QByteArray(header + "1,TX420\r\n") << QStringLiteral("line 2: 2 cells, the header has 10");
        QTest::newRow("long row") << false << QByteArray(header + good + row(11))
                                  << QStringLiteral("line 3: 11 cells, the header has 10");
        QTest::newRow("comma at the end") << false << QByteArray(header + good.chopped(2) + ",\r\n")
                                          << QStringLiteral("line 2: 11 cells, the header has 10");
        QTest::newRow("legacy short row") << false << QByteArray(legacy + row(18))
                                          << QStringLiteral("line 2: 18 cells, the header has 19");
        QTest::newRow("legacy long row") << false << QByteArray(legacy + row(20))
                                         << QStringLiteral("line 2: 20 cells, the header has 19");
        QTest::newRow("comma decimal") << false << QByteArray(header + "1,TX420,1,n,,\"1,5\",2.0,0.5,0.5,PASS\r\n")
                                       << QStringLiteral("line 2: Standard Haze: \"1,5\" is not a number");
        QTest::newRow("verdict") << false << QByteArray(header + "1,TX420,1,n,,1.5,2.0,0.5,0.5,maybe\r\n")
                                 << QStringLiteral("line 2: Result: \"maybe\" is neither PASS nor NG");
        QTest::newRow("spectral short header") << true << QByteArray(spectral.chopped(8) + "\r\n")
                                               << QStringLiteral("line 1: the header row is not that of a spectral table");
        QTest::newRow("spectral long header") << true << QByteArray(spectral.chopped(2) + ",710nm\r\n")
                                              << QStringLiteral("line 1: the header row is not that of a spectral table");
        QTest::newRow("spectral short row") << true << QByteArray(spectral + row(32))
                                            << QStringLiteral("line 2: 32 cells, the header has 33");
        QTest::newRow("spectral long row") << true << QByteArray(spectral + row(33) + row(34))
                                           << QStringLiteral("line 3: 34 cells, the header has 33");
        QTest::newRow("spectral comma at the end") << true << QByteArray(spectral + row(33).chopped(2) + ",\r\n")
                                                   << QStringLiteral("line 2: 34 cells, the header has 33");
    }

    void malformed_refused()
    {
        QFETCH(bool, spectral);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        ReadResult result;
        bool empty = false;
        if (spectral) {
            QList<NamedSpectrum> read;
            result = readSpectralCsv(bytes, read);
            empty = read.isEmpty();
        } else {
            QList<ComparisonRecord> read;
            DisplayMode mode = DisplayMode::HazeT;
            bool chinese = false;
            result = readComparisonCsv(bytes, read, mode, chinese);
            empty = read.isEmpty();
        }
        QVERIFY(!result.ok);
        QCOMPARE(result.error, message);
        QVERIFY(empty);
    }
};

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "tst_CsvFormat.moc"
