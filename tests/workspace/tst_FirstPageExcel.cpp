// The page's spreadsheet buttons over the emulated instrument: the current
// export in the display mode of the instrument, the hand-over to the legacy
// block for a first-generation colorimeter, the upload, the spectral export.
#include "RecordTables.h"
#include "InstrumentPanel.h"
#include "CgatsFormat.h"
#include "ComparisonRecord.h"
#include "ComparisonRecordList.h"
#include "CsvFormat.h"
#include "CxfFormat.h"
#include "../excel/ExcelTestSheets.h"
#include "JournalKeeper.h"
#include "MeterPageFor310.h"
#include "PageFixture.h"
#include "SampleComparison.h"
#include "SpreadsheetExport.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

// The row of the statistics sheet of all rows for one difference.
QVariantList statisticsRow(const QString& path, const QString& symbol)
{
    const QList<QVariantList> rows = readSheet(path, 2).denseRows();
    for (const QVariantList& row : rows) {
        if (row.size() > 1 && row[0].toString() == QStringLiteral("All rows") && row[1].toString() == symbol) {
            return row;
        }
    }
    return {};
}

// A TX420's comparison with a Chinese name, as the exports show it.
ComparisonRecord result(int n)
{
    ComparisonRecord r = sampleComparison(n, true, QStringLiteral("样品%1"));
    r.modelName = QStringLiteral("TX420");
    return r;
}

} // namespace

class tst_FirstPageExcel : public QObject, public PageFixture
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QTemporaryDir m_settings;

    void connectTo(const QString& model, int version)
    {
        plug(model, version);
        QVERIFY(m_page->panel().identifyDevice());
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The page reads and writes the user's settings: these tests' own.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void init() { setUpPage(); }
    void cleanup() { tearDownPage(); }

    // A TX420 3.20 in Lab mode: 14 columns, titles in row 2, then the
    // clear command asks before it empties the table.
    void currentExport_labColumnsThenClearQuestion()
    {
        connectTo(QStringLiteral("TX420"), 320);
        QCOMPARE(m_page->state().displayMode, DisplayMode::Lab);
        m_page->tables().addComparisonRow(result(1));
        m_page->tables().addComparisonRow(result(2));
        const QString path = m_dir.filePath(QStringLiteral("current"));
        m_dialogs->answerSaveFile(path);
        m_dialogs->answerButton(DialogButton::Yes); // clear the rows
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        m_page->form().pushButton_exportExcel->click(); // the button reaches its slot by name
        QCOMPARE(m_page->form().tableWidget_data->model()->rowCount(), 0);
        const QList<QVariantList> rows = readBack(path + QStringLiteral(".xlsx"));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].size(), 14);
        QCOMPARE(rows[1][13].toString(), QStringLiteral("Result"));
        QCOMPARE(rows[2][3].toString(), QStringLiteral("样品1"));
        QCOMPARE(rows[3][1].toString(), QStringLiteral("TX420"));
        // The statistics of the exported rows follow on a second sheet.
        const QVariantList deltaE = statisticsRow(path + QStringLiteral(".xlsx"), QStringLiteral("ΔE"));
        QVERIFY(!deltaE.isEmpty());
        QCOMPARE(deltaE[2].toDouble(), 2.0); // rows
        QCOMPARE(deltaE[7].toDouble(), 0.447); // mean of 0.44721 twice
    }

    // A TX430 3.50 goes to the legacy block, and its table empties without a question.
    void firstGeneration_exportsLegacyBlock()
    {
        connectTo(QStringLiteral("TX430"), 350);
        QVERIFY(m_page->state().isFirstGeneration());
        ComparisonRecord read = result(1);
        read.readings.legacySample = {read.legacySample, read.legacySample};
        read.readings.legacySample[1][ComparisonRecord::LegacyL] = 52.6;
        m_page->tables().addComparisonRow_old(read);
        const QString path = m_dir.filePath(QStringLiteral("legacy.xlsx"));
        m_dialogs->answerSaveFile(path);
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file: \r\n\t%1").arg(path));
        QVERIFY(m_page->on_pushButton_exportExcel_clicked());
        QCOMPARE(m_page->form().tbData->model()->rowCount(), 0);
        const QList<QVariantList> rows = readBack(path);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].size(), 19);
        QCOMPARE(rows[1][3].toString(), QStringLiteral("样品1 (n=2)")); // n beside the name, as the table shows
        QCOMPARE(statisticsRow(path, QStringLiteral("Δa*")).value(11).toDouble(), -0.15); // median
        // Every reading of the sample read twice, on the sheet after the statistics.
        const QList<QVariantList> readings = readSheet(path, 3).denseRows();
        QCOMPARE(readings.size(), 3);
        QCOMPARE(readings[0].value(2).toString(), QStringLiteral("Reading"));
        QCOMPARE(readings[2].value(0).toString(), QStringLiteral("样品1"));
        QCOMPARE(readings[2].value(1).toString(), QStringLiteral("Sample"));
        QCOMPARE(readings[2].value(2).toDouble(), 2.0);
        QCOMPARE(readings[1].value(3).toDouble(), 52.4);
        QCOMPARE(readings[2].value(3).toDouble(), 52.6);
    }

    // Both layouts hand their records to the exchange formats: the file
    // holds what the rows hold (current CSV in the display mode's columns,
    // legacy CxF3 with the legacy L*a*b*).
    void exchangeExport_fromThePagesRecords()
    {
        connectTo(QStringLiteral("TX420"), 320);
        m_page->tables().addComparisonRow(result(1));
        m_page->tables().addComparisonRow(result(2));
        const CsvExport csv = exportCsvKeepingRows(m_dir.filePath(QStringLiteral("page.csv")));
        QCOMPARE(csv.mode, DisplayMode::Lab);
        const QList<ComparisonRecord>& read = csv.records;
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[1].testName, QStringLiteral("样品2"));
        QCOMPARE(read[1].sample[ComparisonRecord::LabB], -15.1);

        tearDownPage();
        setUpPage();
        connectTo(QStringLiteral("TX430"), 350);
        m_page->tables().addComparisonRow_old(result(1));
        const QString cxf = m_dir.filePath(QStringLiteral("legacy.cxf"));
        m_dialogs->answerSaveFile(cxf);
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        QVERIFY(m_page->on_pushButton_exportExcel_clicked());
        QCOMPARE(m_page->form().tbData->model()->rowCount(), 0); // cleared without a question, as after a workbook
        formats::ExchangeDocument document;
        QVERIFY(formats::readExchangeFile(cxf, document).ok);
        QCOMPARE(document.samples.size(), 2);
        QCOMPARE(document.samples[0].b, -14.8);
        QCOMPARE(document.samples[1].l, 52.4);
    }

    // A file of every row is an export whatever its format, also when the
    // operator keeps the rows: the next start offers nothing back (the
    // strict double fails on the question), and later rows are new work.
    void export_anyFormat_closesTheJournalsWork_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("CSV") << QStringLiteral("rows.csv");
        QTest::newRow("workbook") << QStringLiteral("rows.xlsx");
        QTest::newRow("CGATS") << QStringLiteral("rows.ti3");
    }
    void export_anyFormat_closesTheJournalsWork()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        const QString journal = dir.filePath(QStringLiteral("journal.sqlite"));
        m_page->tables().startJournal(journal);
        m_page->tables().addComparisonRow(result(1));
        m_page->tables().addComparisonRow(result(2));
        m_dialogs->answerSaveFile(dir.filePath(fileName));
        m_dialogs->answerButton(DialogButton::No); // keep the rows on screen
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        QVERIFY(m_page->on_pushButton_exportExcel_clicked());
        QCOMPARE(m_page->tables().records().size(), 2);
        QTest::qWait(1); // the rows of the other table join the next session at the next turn
        m_page->tables().addComparisonRow(result(3));
        m_page.reset();

        m_page = std::make_unique<FirstPageFor310>(*m_access, *m_dialogs);
        m_dialogs->answerButton(DialogButton::No); // the one row after the export is offered
        m_page->tables().startJournal(journal);
        QCOMPARE(m_dialogs->shown.last().kind, QStringLiteral("question"));
        QVERIFY2(m_dialogs->shown.last().text.startsWith(QStringLiteral("1 comparison rows")),
                 qPrintable(m_dialogs->shown.last().text));
    }

    // The save dialog proposes its name in the home folder, then in the
    // folder of the last export; never in the program's folder.
    void export_dialogStartsInTheLastExportFolder()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"), QStringLiteral("Tintwell"))
            .remove(QStringLiteral("folders"));
        for (const QString& folder : {QDir::homePath(), m_dir.path()}) {
            m_page->tables().addComparisonRow(result(1));
            m_dialogs->answerSaveFile(m_dir.filePath(QStringLiteral("rows.csv")));
            m_dialogs->answerButton(DialogButton::Yes); // clear the rows
            m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
            QVERIFY(m_page->on_pushButton_exportExcel_clicked());
            const ScriptedDialogs::Shown save = m_dialogs->shown.at(m_dialogs->shown.size() - 3);
            QCOMPARE(save.kind, QStringLiteral("save"));
            QCOMPARE(QFileInfo(save.dir).absolutePath(), folder);
            QVERIFY(QFileInfo(save.dir).fileName().startsWith(QStringLiteral("CompareM")));
        }
    }

    void upload_throughThePage()
    {
        connectTo(QStringLiteral("TX420"), 320);
        const QString path = m_dir.filePath(QStringLiteral("StdColor.xlsx"));
        saveSheet(path, librarySheet(QStringLiteral("TX420"), {{QStringLiteral("A"), QStringLiteral("B"), 1, 0}}, 50));
        m_dialogs->answerOpenFile(path);
        m_dialogs->expectMessage(QStringLiteral("Information"), QStringLiteral("Write to standard color card library successfully!"));
        m_page->form().pushButton_writeStandardColor->click();
        // Its dialog shows every format it reads at once.
        QCOMPARE(m_dialogs->shown.first().kind, QStringLiteral("open"));
        QVERIFY2(m_dialogs->shown.first().text.startsWith(QStringLiteral("Standard colours (*.xlsx *.ti3 *.txt *.cxf);;")),
                 qPrintable(m_dialogs->shown.first().text));
        QCOMPARE(instrument().standardColorCount(), 1);
        QCOMPARE(instrument().standardColorStream().size(), 26);
    }

    // The spectral dialog's export: its table as shown; declining the clear keeps it.
    void spectralExport_keepsRowsWhenClearDeclined()
    {
        connectTo(QStringLiteral("TX310"), 312);
        MeterPageFor310 spectral(*m_access, *m_dialogs, MeterPageFor310::Context{0, QStringLiteral("TX310"), false});
        spectral.setExportHandler([](MeterPageFor310& dialog) { // as the page sets it up
            return SpreadsheetExport(dialog.dialogs()).spectral(*dialog.table()->model(), &dialog,
                                               [&dialog] { dialog.on_pushButton_clearData_clicked(); })
                   == ExportOutcome::Written;
        });
        SpectralRecord record;
        record.values.fill(42.5);
        spectral.appendRecord(record, QStringLiteral("曲线"));
        const QString path = m_dir.filePath(QStringLiteral("MeterData.xlsx"));
        m_dialogs->answerSaveFile(path);
        m_dialogs->answerButton(DialogButton::No); // keep the list
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        QVERIFY(spectral.on_pushButton_exportExcel_clicked());
        QCOMPARE(spectral.records().size(), 1);
        const QList<QVariantList> rows = readBack(path);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].size(), 33);
        QCOMPARE(rows[2][1].toString(), QStringLiteral("曲线"));
        QCOMPARE(rows[2][2].toString(), spectral.table()->item(1, 2)->text());
    }
};

QTEST_MAIN(tst_FirstPageExcel)
#include "tst_FirstPageExcel.moc"
