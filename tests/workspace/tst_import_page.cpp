// The settings panel and the record import on the workspace page over the
// emulated instrument: imports appended or (failing) not at all, the display
// parameter with one question, rows judged again keeping their instrument.
#include "RecordTables.h"
#include "ComparisonRecordList.h"
#include "ComparisonRecord.h"
#include "PageFixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

ComparisonRecord foreignRow(int n)
{
    ComparisonRecord r;
    r.sequence = n;
    r.standard = {1.25, 91.3, 52.1, 3.2, -14.8, 0, 0, 0, 0, 0, 0};
    r.sample = {1.4, 91.1, 52.4, 3.05, -15.1, 0, 0, 0, 0, 0, 0};
    r.hazeDifference = 0.15;
    r.transmittanceDifference = -0.2;
    r.modelName = QStringLiteral("TX999");
    r.serialNumber = QStringLiteral("OTHER-7");
    return r;
}

} // namespace

class tst_import_page : public QObject, public PageFixture
{
    Q_OBJECT

    QString cell(int row, int column) { return rowText(row, column); }
    // A TX310 showing Haze/T with haze, T and delta-E tolerances 1.00, 1.00, 2.0.
    void connectTx310()
    {
        plug(QStringLiteral("TX310"), 0);
        instrument().setDisplayMode(0);
        instrument().setTolerances(100, 100, 20);
        m_dialogs->expectMessage(QStringLiteral("Information"), QStringLiteral("Read successful!"));
        m_page->onDeviceConnected();
        QCOMPARE(ui().lineEdit_eThresholds->text(), QStringLiteral("2.0"));
        QCOMPARE(m_page->state().hazeTolerance, 1.0);
    }

private Q_SLOTS:
    void init() { setUpPage(); }
    void cleanup() { tearDownPage(); }

    // An import appends every record and counts it; a second import whose
    // last page fails (after No to the question and No to the Clear
    // question) leaves the table exactly as it was.
    void importAppends_failedImportLeavesTableAsItWas()
    {
        connectTx310();
        instrument().fillComparisonRecords(0, 25);
        ui().pushButton_readComparisonRecord->click();
        QCOMPARE(rows(), 25);
        QCOMPARE(QStringList({cell(0, 0), cell(24, 0)}), QStringList({"1", "25"})); // numbered from 1
        QCOMPARE(cell(1, 1), QStringLiteral("Batch 0417 A1"));
        QCOMPARE(cell(0, 31), QStringLiteral("\u00B11.00%"));
        QCOMPARE(cell(0, 35), ui().lineEdit_serialNo->text());
        const QString countedAfterFirst = counters();

        m_dialogs->answerButton(DialogButton::No); // do not save first
        m_dialogs->answerButton(DialogButton::No); // and keep the rows after all
        emulator().injectFault(EmulatorFault::Silence);
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("Failed to read the number of color difference records!"));
        ui().pushButton_readComparisonRecord->click();
        QCOMPARE(rows(), 25);
        QCOMPARE(counters(), countedAfterFirst);
    }

    // A first-generation colorimeter: the button hands over to the legacy
    // import, which reads the delta-E parameter first and fills the legacy table.
    void legacyImport_readsTheParameterAndFillsTheLegacyTable()
    {
        plug(QStringLiteral("TX420"), 200);
        instrument().setDeltaEParameter(6, 15); // code 6 means delta-E*ab on this generation
        m_page->onDeviceConnected();
        instrument().setDeltaEParameter(5, 30); // changed on the keypad since
        ui().pushButton_readComparisonRecord->click();
        QCOMPARE(ui().tbData->model()->rowCount(), instrument().legacyRecordCount());
        QCOMPARE(rowText(0, 17, true), QStringLiteral("\u25B3E*00"));
        QCOMPARE(rowText(0, 18, true), QStringLiteral("3.0"));
    }

    // Layout 2 writes the threshold itself (formula 0), reads the parameter
    // back and judges the rows again against it.
    void deltaEThresholdOnLayout2_judgesRowsAgain()
    {
        plug(QStringLiteral("TX460"), 400);
        instrument().setDeltaEParameter(3, 10);
        m_page->onDeviceConnected();
        QCOMPARE(m_page->state().layoutIndex, 2);
        m_page->tables().addComparisonRow(foreignRow(1)); // delta-E*ab 0.45, within 1.0
        ui().lineEdit_thresholds->setText(QStringLiteral("0.3"));
        ui().pushButton_setParameter->click();
        QCOMPARE(instrument().deltaEFormula(), 0);
        QCOMPARE(instrument().deltaEParameterThreshold(), 3);
        QCOMPARE(ui().lineEdit_formula->text(), QStringLiteral("\u25B3E*ab"));
        QCOMPARE(cell(0, 27), QStringLiteral("0.45"));
        QCOMPARE(cell(0, 28), QStringLiteral("NG"));
        QCOMPARE(cell(0, 33), QStringLiteral("0.3"));
        QCOMPARE(counters(), QStringLiteral("1/0/1"));
    }

    // New tolerances judge every row again: verdict, delta-E and tolerance
    // columns in the format of a new row; model and serial number untouched.
    // Then a new display mode: one question, the rows gone, the mode written.
    void settingTolerancesJudgesRowsAgain_displayParameterClearsThem()
    {
        connectTx310();
        m_page->tables().addComparisonRow(foreignRow(1));
        ComparisonRecord wide = foreignRow(2);
        wide.sample[ComparisonRecord::Haze] = 3.0;
        wide.hazeDifference = 1.75;
        m_page->tables().addComparisonRow(wide);
        ui().lineEdit_hazeTolerance->setText(QStringLiteral("1.15"));
        m_dialogs->expectMessage(QStringLiteral("Information"), QStringLiteral("Setup successfully!"));
        ui().pushButton_setTolerance->click();
        QCOMPARE(instrument().hazeTolerance(), 115);
        QCOMPARE(cell(0, 31), QStringLiteral("\u00B11.15%"));
        QCOMPARE(cell(0, 33), QStringLiteral("2.0"));
        QCOMPARE(cell(0, 28), QStringLiteral("PASS"));
        QCOMPARE(cell(1, 28), QStringLiteral("NG")); // 1.75% beyond 1.15
        QCOMPARE(cell(1, 34), QStringLiteral("TX999"));
        QCOMPARE(cell(1, 35), QStringLiteral("OTHER-7"));
        QCOMPARE(counters(), QStringLiteral("1/1/2"));

        ui().radioButton_Lab->click();
        m_dialogs->answerButton(DialogButton::Yes);
        ui().pushButton_setDisplayParameter->click();
        QCOMPARE(m_dialogs->messages().size(), 3); // two boxes above and the one question
        QCOMPARE(m_dialogs->shown.last().title, QStringLiteral("Warn"));
        QCOMPARE(rows(), 0);
        QCOMPARE(counters(), QStringLiteral("0/0/0"));
        QCOMPARE(instrument().displayMode(), 3);
    }
};

QTEST_MAIN(tst_import_page)
#include "tst_import_page.moc"
