// The comparison, legacy and spectral exports: columns per display mode,
// where titles and records land, the messages, the clearing after a written
// file, a cancelled export, and a file that may not be replaced.
#include "../formats/FormatsTestData.h"
#include "CgatsFormat.h"
#include "CsvFormat.h"
#include "CxfFormat.h"
#include "../excel/ExcelTestSheets.h"
#include "ExportTables.h"
#include "ScriptedDialogs.h"
#include "SpreadsheetExport.h"
#include "XlsxArchive.h"

#include <QDir>
#include <QProcess>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// A comparison table of rows x columns whose cell (r, c) reads "r:c".
std::unique_ptr<QStandardItemModel> table(int rows, int columns)
{
    auto model = std::make_unique<QStandardItemModel>(rows, columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            model->setItem(r, c, new QStandardItem(QStringLiteral("%1:%2").arg(r).arg(c)));
        }
    }
    return model;
}

QString joined(const QVariantList& cells)
{
    QStringList texts;
    for (const QVariant& cell : cells) {
        texts << cell.toString();
    }
    return texts.join(u'|');
}

} // namespace

class SpreadsheetExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_cleared = 0;
    }
    void cleanup()
    {
        QVERIFY(!m_dialogs->hasUnusedAnswers());
        QCOMPARE(m_dialogs->openProgressDialogs, 0);
        m_dialogs.reset();
    }

    // Every mode's titles and columns, in both languages, are compared byte
    // for byte in tst_comparison_outputs; here where they land in the workbook.
    void columns_data()
    {
        QTest::addColumn<DisplayMode>("mode");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QList<int>>("sources");
        QTest::newRow("Lab: A-N") << DisplayMode::Lab
                                  << "NO|Model|SN|Name|Time|Standard L*|Standard a*|Standard b*|Sample L*|Sample a*|Sample b*|△E Thresholds|△E|Result"
                                  << QList<int>{0, 34, 35, 1, 2, 5, 6, 7, 16, 17, 18, 33, 27, 28};
        QTest::newRow("Haze/T/Lab: A-V")
            << DisplayMode::HazeTLab
            << "NO|Model|SN|Name|Time|Standard Haze|Standard Transmittance|Standard L*|Standard a*|Standard b*|Sample Haze|"
               "Sample Transmittance|Sample L*|Sample a*|Sample b*|Haze Tolerance|△Haze|Transmittance Tolerance|△Transmittance|"
               "△E Thresholds|△E|Result"
            << QList<int>{0, 34, 35, 1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 31, 25, 32, 26, 33, 27, 28};
    }
    // Titles in sheet row 2 (row 1 is the template's), records from row 3.
    void columns()
    {
        QFETCH(DisplayMode, mode);
        QFETCH(QString, titles);
        QFETCH(QList<int>, sources);
        const auto model = table(2, 36);
        const QString path = m_dir.filePath(QStringLiteral("mode%1").arg(displayModeIndex(mode)));
        expectSaved(path);
        QCOMPARE(exporter().comparison(*model, mode, nullptr, clear()), ExportOutcome::Written);
        QCOMPARE(m_cleared, 1);
        const QList<QVariantList> rows = readBack(path + QStringLiteral(".xlsx"));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(joined(rows[1]), titles);
        for (int c = 0; c < sources.size(); ++c) {
            QCOMPARE(rows[3][c].toString(), QStringLiteral("1:%1").arg(sources[c]));
        }
        QVERIFY(!rows[0][0].isValid());
        QCOMPARE(m_dialogs->progressValues.last(), 4);
    }

    void legacy_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("firstTitles");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << false << "NO|Model|SN|Name|Time" << "Storing data" << "Data stored to file: \r\n\t%1";
        QTest::newRow("Chinese") << true << "序号|型号|序列号|名称|时间" << "存储数据" << "将数据成功存储到文件: \r\n\t%1";
    }
    // The legacy block: titles in row 1, records from row 2, columns A-S;
    // the table is emptied without a question.
    void legacy()
    {
        QFETCH(bool, chinese);
        QFETCH(QString, firstTitles);
        const auto model = table(3, 21);
        const QString path = m_dir.filePath(QStringLiteral("legacy%1.xlsx").arg(chinese));
        m_dialogs->answerSaveFile(path);
        QFETCH(QString, title);
        QFETCH(QString, text);
        m_dialogs->expectMessage(title, text.arg(path));
        QCOMPARE(exporter().legacyComparison(*model, chinese, nullptr, clear()), ExportOutcome::Written);
        QCOMPARE(m_cleared, 1);
        const QList<QVariantList> rows = readBack(path);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].size(), 19);
        QCOMPARE(joined(rows[0].mid(0, 5)), firstTitles);
        QCOMPARE(rows[0][15].toString(), chinese ? QStringLiteral("△E公式") : QStringLiteral("△E Formula"));
        const QList<int> sources{0, 19, 20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 18, 13, 14};
        for (int c = 0; c < 19; ++c) {
            QCOMPARE(rows[3][c].toString(), QStringLiteral("2:%1").arg(sources[c]));
        }
    }

    // The legacy block is for first-generation colorimeters only.
    void legacyChoice()
    {
        QVERIFY(SpreadsheetExport::usesLegacyExport(QStringLiteral("TX430"), 350));
        QVERIFY(!SpreadsheetExport::usesLegacyExport(QStringLiteral("TX430"), 400));
        QVERIFY(SpreadsheetExport::usesLegacyExport(QStringLiteral("TX420"), 299));
        QVERIFY(!SpreadsheetExport::usesLegacyExport(QStringLiteral("TX310"), 100));
    }

    // Nothing to export: the spectral table with its heading row only, an
    // empty comparison table.
    void noData()
    {
        for (int i = 0; i < 2; ++i) {
            m_dialogs->expectMessage(QStringLiteral("error"), QStringLiteral("No data for Storing to Excel!"));
        }
        QCOMPARE(exporter().spectral(*table(1, 35), nullptr, clear()), ExportOutcome::NoData);
        QCOMPARE(exporter().comparison(*table(0, 36), DisplayMode::Lab, nullptr, clear()), ExportOutcome::NoData);
        QCOMPARE(m_cleared, 0);
    }

    // The spectral table as shown (heading row in sheet row 2), 33 columns;
    // missing cells are empty.
    void spectral()
    {
        auto model = table(3, 35);
        model->setItem(2, 5, nullptr);
        delete model->takeItem(2, 5);
        const QString path = m_dir.filePath(QStringLiteral("MeterData.xlsx"));
        expectSaved(path);
        QCOMPARE(exporter().spectral(*model, nullptr, clear()), ExportOutcome::Written);
        const QList<QVariantList> rows = readBack(path);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].size(), 33);
        QCOMPARE(rows[1][0].toString(), QStringLiteral("0:0"));
        QCOMPARE(rows[3][32].toString(), QStringLiteral("2:32"));
        QCOMPARE(rows[3][5].toString(), QString());
    }

    // With the records at hand the workbook gets a second sheet, "Colour":
    // the illuminant and observer named, then every curve's colour and
    // indices, the engine's to the four decimals written, as our reader,
    // openpyxl and LibreOffice (as tab-separated text) read the sheet.
    void spectralColourSheet()
    {
        const QString path = m_dir.filePath(QStringLiteral("colour.xlsx"));
        expectSaved(path);
        const colorimetry::ColourConditions conditions{colorimetry::Illuminant::A, colorimetry::Observer::Cie1931TwoDegree};
        const QList<NamedSpectrum> spectra = testdata::spectra();
        QCOMPARE(exporter().spectral(*table(int(spectra.size()) + 1, 35), nullptr, clear(), spectra, 1, conditions),
                 ExportOutcome::Written);
        QList<QList<QStringList>> readings{{}};
        for (const QVariantList& row : readSheet(path, 2).denseRows()) {
            readings[0] << QStringList();
            for (const QVariant& cell : row) {
                readings[0].last() << cell.toString();
            }
        }
        const QString python = QStringLiteral("import openpyxl,sys\nfor r in openpyxl.load_workbook(sys.argv[1])['Colour'].iter_rows("
                                              "values_only=True): print('\\t'.join('' if v is None else str(v) for v in r))");
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        const QString office = m_dir.filePath(QStringLiteral("office"));
        const QList<QPair<QString, QStringList>> readers{
            {QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), python, path}}, // Debian's, with python3-openpyxl
            {soffice, {QStringLiteral("-env:UserInstallation=file://") + m_dir.filePath(QStringLiteral("profile")),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):9,0,76,1,,0,false,true,false,false,false,2"),
                       QStringLiteral("--outdir"), office, path}}};
        for (const auto& [program, arguments] : readers) {
            QProcess process;
            process.start(program, arguments);
            if (!process.waitForFinished(90000) || process.exitCode() != 0) {
                qWarning() << program << "did not read the workbook; the colour sheet is not checked with it";
                continue;
            }
            const QStringList files = QDir(office).entryList(QDir::Files);
            const QByteArray text = program == soffice && !files.isEmpty() ? testdata::readAll(office + u'/' + files.first())
                                                                           : process.readAllStandardOutput();
            readings << QList<QStringList>();
            for (const QString& line : QString::fromUtf8(text).split(u'\n')) {
                readings.last() << line.trimmed().split(u'\t');
            }
        }
        for (const QList<QStringList>& rows : readings) {
            QCOMPARE(rows.value(0).value(1) + rows.value(1).value(1), QStringLiteral("A2°"));
            QCOMPARE(rows.value(5).mid(0, 12).join(u'|'), QStringLiteral("No|Name|X|Y|Z|L*|a*|b*|C*|h|x|y"));
            for (int i = 0; i < spectra.size(); ++i) {
                const QStringList row = rows.value(6 + i);
                const colorimetry::CurveColour c = colorimetry::curveColour(spectra.at(i).record.values, conditions);
                QCOMPARE(row.value(1), i == 2 ? QStringLiteral("spec1") : spectra.at(i).name);
                const double want[] = {c.xyz.x, c.xyz.y, c.xyz.z, c.lab.l, c.lab.a, c.lab.b, c.lch.c, c.lch.h, c.yxy.cx,
                                       c.yxy.cy, c.yellowness->yellowness, 0.0, c.whiteness->whiteness, c.whiteness->tint};
                for (int k = 0; k < 14; ++k) {
                    QVERIFY2(k == 11 || std::abs(row.value(2 + k).toDouble() - want[k]) <= 5e-5, qPrintable(row.join(u' ')));
                }
                QCOMPARE(row.value(13), QLatin1String(c.yellowness->inRange ? "yes" : "no"));
                QCOMPARE(row.value(16), QLatin1String(c.whiteness->inRange ? "yes" : "no"));
            }
        }
    }

    // A name ending in .csv, .ti3 or .cxf is written in that format from the
    // records handed in (not from the table's texts), then cleared as a
    // workbook is; without the records, or without L*a*b* for CGATS and CxF3,
    // nothing is written and nothing cleared.
    void exchangeFormats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind"); // 0 spectral, 1 current, 2 legacy
        QTest::addColumn<QString>("error");
        const QStringList names{QStringLiteral("x.csv"), QStringLiteral("x.ti3"), QStringLiteral("x.cxf")};
        for (const QString& name : names) {
            QTest::addRow("spectral %s", qPrintable(name)) << name << 0 << QString();
            QTest::addRow("comparison %s", qPrintable(name)) << name << 1 << QString();
        }
        QTest::newRow("legacy csv") << QStringLiteral("x.csv") << 2 << QString();
        QTest::newRow("records missing") << QStringLiteral("x.csv") << 3
                                         << QStringLiteral("the table's records are not at hand (0 of 4)");
        QTest::newRow("haze only as CGATS") << QStringLiteral("x.ti3") << 4
                                            << QStringLiteral("the records hold no L*a*b* values, which this format "
                                                              "carries; choose CSV or a workbook");
        // Taken in Haze/T: the zeros in the L*a*b* fields are no colour.
        QTest::newRow("Haze/T records as CxF3") << QStringLiteral("x.cxf") << 5
                                                << QStringLiteral("the records hold no L*a*b* values, which this format "
                                                                  "carries; choose CSV or a workbook");
    }
    void exchangeFormats()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, error);
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QList<ComparisonRecord> records = kind == 3 ? QList<ComparisonRecord>() : testdata::records();
        for (ComparisonRecord& record : records) {
            record.legacy = kind == 2;
            if (kind == 4) {
                record.standard[ComparisonRecord::LabL] = ComparisonRecord::kUnknown;
                record.sample[ComparisonRecord::LabL] = ComparisonRecord::kUnknown;
            }
            if (kind == 5) {
                record.settings.displayMode = DisplayMode::HazeT;
                record.standard.fill(0.0);
                record.sample.fill(0.0);
            }
        }
        if (error.isEmpty()) {
            expectSaved(path);
        } else {
            m_dialogs->answerSaveFile(path);
            m_dialogs->expectMessage(QStringLiteral("Error"), QStringLiteral("Failed to store data: ") + error);
        }
        const ExportOutcome outcome =
            kind == 0   ? exporter().spectral(*table(5, 35), nullptr, clear(), testdata::spectra(), 1)
            : kind == 2 ? exporter().legacyComparison(*table(4, 21), false, nullptr, clear(), {}, records)
                        : exporter().comparison(*table(4, 36), DisplayMode::Lab, nullptr, clear(), {}, records);
        QCOMPARE(outcome, error.isEmpty() ? ExportOutcome::Written : ExportOutcome::Failed);
        QCOMPARE(m_cleared, error.isEmpty() ? 1 : 0);
        QCOMPARE(QFile::exists(path), error.isEmpty());
        if (!error.isEmpty()) {
            return;
        }
        const QByteArray bytes = testdata::readAll(path);
        QStringList names;
        if (name.endsWith(QLatin1String(".csv"))) {
            if (kind == 0) {
                QList<NamedSpectrum> spectra;
                QVERIFY(formats::readSpectralCsv(bytes, spectra).ok);
                for (const NamedSpectrum& spectrum : spectra) {
                    names << spectrum.name;
                }
            } else {
                QList<ComparisonRecord> read;
                DisplayMode mode = DisplayMode::HazeT;
                bool chinese = false;
                QVERIFY(formats::readComparisonCsv(bytes, read, mode, chinese).ok);
                QCOMPARE(mode, kind == 2 ? DisplayMode::None : DisplayMode::Lab);
                for (const ComparisonRecord& record : read) {
                    names << record.testName;
                }
            }
        } else {
            formats::ExchangeDocument document;
            QVERIFY(name.endsWith(QLatin1String(".ti3")) ? formats::readCgats(bytes, document).ok
                                                         : formats::readCxf(bytes, document).ok);
            for (const formats::ExchangeSample& sample : document.samples) {
                if (sample.id.startsWith(u'T')) {
                    names << sample.name;
                }
            }
        }
        QStringList expected;
        if (kind == 0) {
            expected = {QStringLiteral("white"), QStringLiteral("ramp \"one\""), QStringLiteral("spec1"),
                        QStringLiteral("绿色样品")};
        } else {
            for (const ComparisonRecord& record : records) {
                expected << record.testName;
            }
        }
        QCOMPARE(names, expected);
    }

    // The statistics sheet comes second; the data sheet's part is byte for
    // byte what the export without statistics writes. Numbers stay numbers.
    void statisticsSheet_followsTheData_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::newRow("current") << false;
        QTest::newRow("legacy") << true;
    }
    void statisticsSheet_followsTheData()
    {
        QFETCH(bool, legacy);
        const QList<QStringList> statistics{{"Difference", "n", "Mean", "Cpk"}, {"ΔE", "12", "0.523", "—"}};
        const auto model = table(3, 36);
        QByteArray dataSheets[2];
        for (int withStatistics = 0; withStatistics < 2; ++withStatistics) {
            const QString path = m_dir.filePath(QStringLiteral("stat%1%2.xlsx").arg(legacy).arg(withStatistics));
            m_dialogs->answerSaveFile(path);
            if (legacy) {
                m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file: \r\n\t%1").arg(path));
                QCOMPARE(exporter().legacyComparison(*model, false, nullptr, clear(),
                                                             withStatistics ? statistics : QList<QStringList>()),
                         ExportOutcome::Written);
            } else {
                m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
                QCOMPARE(exporter().comparison(*model, DisplayMode::Lab, nullptr, clear(),
                                                       withStatistics ? statistics : QList<QStringList>()),
                         ExportOutcome::Written);
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            XlsxArchive archive;
            QString error;
            QVERIFY2(archive.load(file.readAll(), &error), qPrintable(error));
            dataSheets[withStatistics] = archive.entry(QStringLiteral("xl/worksheets/sheet1.xml"));
            if (withStatistics) {
                QVERIFY(archive.entry(QStringLiteral("xl/workbook.xml"))
                            .contains("<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/><sheet xmlns:r="));
                const QList<QVariantList> rows = readSheet(path, 2).denseRows();
                QCOMPARE(rows.size(), 2);
                QCOMPARE(rows[0][0].toString(), QStringLiteral("Difference"));
                QCOMPARE(rows[1][0].toString(), QStringLiteral("ΔE"));
                QCOMPARE(rows[1][1].typeId(), QMetaType::Double);
                QCOMPARE(rows[1][2].toDouble(), 0.523);
                QCOMPARE(rows[1][3].toString(), QStringLiteral("—"));
            }
        }
        QVERIFY(!dataSheets[0].isEmpty());
        QCOMPARE(dataSheets[1], dataSheets[0]);
        QCOMPARE(m_cleared, 2);
    }
    // A cancel keeps the rows, offers no clearing and says so; the file holds
    // what was written before it, and no statistics.
    void cancelled_isReportedAndKeepsRows()
    {
        const QString path = m_dir.filePath(QStringLiteral("cancel.xlsx"));
        m_dialogs->answerSaveFile(path);
        m_dialogs->cancelProgressAt(2); // after the titles and one record
        m_dialogs->expectMessage(QStringLiteral("Storing data"),
                                 QStringLiteral("Export cancelled: 1 of 5 records were stored to the file, and the records are kept."));
        QCOMPARE(exporter().comparison(*table(5, 36), DisplayMode::Lab, nullptr, clear(), {{"n"}, {"5"}}),
                 ExportOutcome::Cancelled);
        QCOMPARE(m_cleared, 0);
        QCOMPARE(readBack(path).size(), 3);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        XlsxSheet second;
        QString error;
        QVERIFY(!readXlsxSheet(file.readAll(), 2, second, &error));
    }

    // The chosen file exists and may not be replaced: it stays as it was.
    void unreplaceableFile_staysUnchanged()
    {
        const QString path = m_dir.filePath(QStringLiteral("in use.xlsx"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the operator's earlier file");
        file.close();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        const auto model = table(2, 36);
        m_dialogs->answerSaveFile(path);
        m_dialogs->expectMessage(QStringLiteral("Error"), QStringLiteral("Can't overwrite this file, maybe the file is in use!"));
        QCOMPARE(exporter().comparison(*model, DisplayMode::Lab, nullptr, clear()), ExportOutcome::CannotReplace);
        QCOMPARE(m_dialogs->shown.last().icon, MessageIcon::Information); // every export box is an information box
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the operator's earlier file"));
        QCOMPARE(m_cleared, 0);
    }

    // A name typed (or proposed) without ".xlsx" is checked for replacing
    // with the suffix added: the operator is asked before "results.xlsx" is
    // replaced, and declining leaves it as it was.
    void suffixedName_askedBeforeReplacing_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("replace") << true;
        QTest::newRow("keep") << false;
    }
    void suffixedName_askedBeforeReplacing()
    {
        QFETCH(bool, replace);
        const QString typed = m_dir.filePath(QStringLiteral("results%1").arg(replace));
        const QString written = typed + QStringLiteral(".xlsx");
        QFile earlier(written);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("the operator's earlier file");
        earlier.close();
        m_dialogs->answerSaveFile(typed);
        m_dialogs->answerButton(replace ? DialogButton::Yes : DialogButton::No);
        if (replace) {
            m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        }
        QCOMPARE(exporter().comparison(*table(2, 36), DisplayMode::Lab, nullptr, clear()),
                 replace ? ExportOutcome::Written : ExportOutcome::NoFileChosen);
        QCOMPARE(m_dialogs->messages().first(),
                 QStringLiteral("Replace file|%1 already exists.\nDo you want to replace it?").arg(written));
        QCOMPARE(m_cleared, replace ? 1 : 0);
        if (replace) {
            QCOMPARE(readBack(written).size(), 4);
        } else {
            QVERIFY(earlier.open(QIODevice::ReadOnly));
            QCOMPARE(earlier.readAll(), QByteArray("the operator's earlier file"));
        }
    }

    // A new file in a folder that is read-only: the message names the folder.
    void readOnlyFolder_saysSo()
    {
        const QString folder = m_dir.filePath(QStringLiteral("read-only"));
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        m_dialogs->answerSaveFile(folder + QStringLiteral("/new"));
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("Can't create a file in the folder %1: the folder is read-only. "
                                                "Please choose another folder.").arg(folder));
        const ExportOutcome outcome = exporter().spectral(*table(2, 35), nullptr, clear());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(outcome, ExportOutcome::CannotReplace);
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
    }

    // An existing file that may be replaced is replaced by a fresh workbook
    // from the template, never merged with the old contents.
    void existingFile_isReplaced()
    {
        const QString path = m_dir.filePath(QStringLiteral("again.xlsx"));
        for (const int records : {6, 1}) {
            expectSaved(path);
            QCOMPARE(exporter().comparison(*table(records, 36), DisplayMode::Lab, nullptr, {}), ExportOutcome::Written);
        }
        QCOMPARE(readBack(path).size(), 3);
    }

    // ".xlsx" is added to a name without one (the columns test saves so).
    void names()
    {
        QCOMPARE(withXlsxSuffix(QStringLiteral("/tmp/a.xlsx")), QStringLiteral("/tmp/a.xlsx"));
        QCOMPARE(withXlsxSuffix(QStringLiteral("/tmp/a.xls")), QStringLiteral("/tmp/a.xls"));
        QCOMPARE(proposedExportName(QStringLiteral("MeterData"), QDateTime(QDate(2026, 12, 6), QTime(23, 5))),
                 QStringLiteral("MeterData202612062305"));
    }

private:
    std::function<void()> clear()
    {
        return [this] { ++m_cleared; };
    }
    void expectSaved(const QString& path)
    {
        m_dialogs->answerSaveFile(path);
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    SpreadsheetExport exporter() { return SpreadsheetExport(*m_dialogs); }
    int m_cleared = 0;
};

QTEST_MAIN(SpreadsheetExportTest)
#include "tst_SpreadsheetExport.moc"
