// The workspace page over the emulated instrument, offscreen: identification
// and routing of every model, display modes, rows, counters, clears and
// re-translation.
#include "RecordTables.h"
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "ComparisonRecord.h"
#include "ComparisonRecordList.h"
#include "CsvFormat.h"
#include "JournalKeeper.h"
#include "PageFixture.h"
#include "RecordJournal.h"
#include "ReportPage.h"
#include "SampleComparison.h"

#include <algorithm>

#include <QButtonGroup>
#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <cmath>
#include <memory>

namespace {

QStringList rowTexts(const QTableView& table, int row)
{
    const QAbstractItemModel* model = table.model();
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column) {
        texts << model->index(row, column).data().toString();
    }
    return texts;
}

// A press of the mouse on a row's painted button, scrolled into view first.
void clickRowButton(QTableView* table, int row, int column)
{
    const QModelIndex index = table->model()->index(row, column);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
}

} // namespace

class tst_workspace_page : public QObject, public PageFixture
{
    Q_OBJECT
    QTranslator m_chinese;
    QTemporaryDir m_settings;

    void switchLanguage(bool chinese)
    {
        chinese ? QCoreApplication::installTranslator(&m_chinese) : QCoreApplication::removeTranslator(&m_chinese);
        m_page->state().chineseUi = chinese;
        m_page->languageChange();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_chinese.load(QStringLiteral("Tintwell_zh"), QCoreApplication::applicationDirPath()));
        // The journal reads the user's settings: these tests' own, never the machine's.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
        qputenv("XDG_CONFIG_HOME", m_settings.path().toLocal8Bit()); // for the child processes
    }
    void init() { setUpPage(); }
    void cleanup()
    {
        QCoreApplication::removeTranslator(&m_chinese);
        tearDownPage();
    }

    void identification_routesEveryModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<bool>("hazeTLab");
        QTest::addColumn<bool>("spectral");
        QTest::addColumn<bool>("stdColor");
        QTest::addColumn<bool>("loadStandard"); // a haze meter cannot use a standard from a colour file
        QTest::newRow("TX310 1.13") << "TX310" << 113 << 0 << false << false << true << false << true;
        QTest::newRow("TX310 1.14") << "TX310" << 114 << 0 << false << true << true << false << true;
        QTest::newRow("TX420 2.99") << "TX420" << 299 << 1 << true << false << false << true << true;
        QTest::newRow("TX420 3.00") << "TX420" << 300 << 1 << false << false << true << true << true;
        QTest::newRow("TX430 3.99") << "TX430" << 399 << 1 << true << false << false << true << true;
        QTest::newRow("TX430 4.00") << "TX430" << 400 << 1 << false << false << true << true << true;
        QTest::newRow("TX450 2.99") << "TX450" << 299 << 1 << true << false << false << true << true;
        QTest::newRow("TX460 3.99") << "TX460" << 399 << 2 << true << false << true << false << true;
        QTest::newRow("TX460 4.10") << "TX460" << 410 << 2 << false << false << true << false << true;
        QTest::newRow("TX470 (production information)") << "TX470" << 215 << 3 << false << false << false << false << false;
    }
    void identification_routesEveryModel()
    {
        QFETCH(QString, model);
        QFETCH(int, version);
        QFETCH(int, layout);
        QFETCH(bool, legacy);
        QFETCH(bool, hazeTLab);
        QFETCH(bool, spectral);
        QFETCH(bool, stdColor);
        QFETCH(bool, loadStandard);
        plug(model, version);
        m_page->show();
        QVERIFY(m_page->panel().identifyDevice());
        QCOMPARE(m_page->state().modelName, model);
        QCOMPARE(m_page->state().layoutIndex, layout);
        QCOMPARE(m_page->state().softwareVersion, version);
        QCOMPARE(ui().lineEdit_firmwareVersion->text(), QString::number(version / 100.0, 'f', 2));
        // From the key information, or the production information where the key is refused (TX470).
        QCOMPARE(ui().lineEdit_serialNo->text(), QString::number(instrument().model().serialNumber));
        QCOMPARE(ui().stackedWidget_data->currentWidget() == ui().page_oldData, legacy);
        QCOMPARE(ui().stackedWidget_comparisonMeasurement->currentWidget() == ui().page_oldComparisonMeasurement,
                 legacy);
        QCOMPARE(ui().groupBox_setDisplayParameter->isVisible(), !legacy);
        QCOMPARE(ui().radioButton_hazeTLab->isVisible() && !legacy, hazeTLab);
        QCOMPARE(ui().pushButton_spectralTransmittance->isVisible(), spectral);
        QCOMPARE(ui().pushButton_writeStandardColor->isVisible(), stdColor);
        QCOMPARE((legacy ? ui().loadstdBtn : ui().pushButton_loadStandard)->isVisible(), loadStandard);
        QCOMPARE(ui().stackedWidget->currentWidget(),
                 layout == 1 || layout == 2 ? ui().page_eParameter : ui().page_tolerance);
        if (!legacy) {
            const int mode = instrument().displayMode();
            QCOMPARE(m_page->state().displayMode, displayModeFromIndex(mode));
            QVERIFY(ui().radioButton(mode)->isChecked());
        }
        // The page fits a 900-pixel-high screen with a panel, the window's title
        // and top row: the display's hidden rows take no room.
        QVERIFY2(m_page->minimumSizeHint().height() <= 720, qPrintable(QString::number(m_page->minimumSizeHint().height())));
    }

    void identification_failures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("model");
        QTest::newRow("layout 2 refuses display value 4") << "display4" << "Error" << "Failed to read DisplayParam!"
                                                          << "TX460";
        QTest::newRow("meter number not in the table") << "meter" << "Error" << "Read MeterNo Fail!" << "UnKnow";
        QTest::newRow("no model table") << "notable" << QString() << QString() << "UnKnow";
        QTest::newRow("key refused, production refused")
            << "noinfo" << "Error" << "Failed to read device information!" << QString();
    }
    void identification_failures()
    {
        QFETCH(QString, fault);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, model);
        plug(QStringLiteral("TX460"), 410);
        if (fault == QLatin1String("display4")) {
            instrument().setDisplayMode(4);
        } else if (fault == QLatin1String("meter")) {
            instrument().setIdentity(999, 5);
        } else if (fault == QLatin1String("notable")) {
            m_page->panel().loadModelTable(QStringLiteral("/nonexistent/meterno"));
        } else {
            instrument().setKeyInformationOffered(false);
            instrument().setProductionInformationOffered(false);
        }
        if (!text.isEmpty()) {
            m_dialogs->expectMessage(title, text);
        }
        const DisplayMode before = m_page->state().displayMode;
        QCOMPARE(m_page->panel().identifyDevice(), fault == QLatin1String("notable"));
        QCOMPARE(m_page->state().modelName, model);
        if (fault == QLatin1String("display4")) {
            QCOMPARE(m_page->state().displayMode, before);
        }
        if (fault == QLatin1String("notable")) {
            QCOMPARE(m_page->state().softwareVersion, 410); // version and display parameter still read
            QCOMPARE(m_page->state().displayMode, DisplayMode::Lab);
        }
        // One display-mode flag is set, and its button is the group's checked one.
        const DisplayFlags flags = m_page->state().displayFlags();
        QCOMPARE(std::count(flags.begin(), flags.end(), true), 1);
        QCOMPARE(m_page->panel().displayModeGroup()->checkedId(), displayModeIndex(m_page->state().displayMode));
    }

    // A second instrument after a TX310 1.14 that showed Haze/T/Lab: what an
    // identification stopped early leaves, and a layout the page does not know.
    void identification_afterAnotherInstrument_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("softwareVersion");
        QTest::addColumn<bool>("hazeTLab");
        QTest::addColumn<int>("requests"); // sent by the connection
        QTest::newRow("version unreadable: 0, not the TX310's")
            << "TX460" << 410 << "version"
            << QStringList{QStringLiteral("提示|读取软件版本接收端口报文失败！"),
                           "Error|Failed to read software version number!"}
            << 0 << false << 3; // key, version, delta-E parameter
        QTest::newRow("display parameter unreadable: no Haze/T/Lab")
            << "TX310" << 114 << "display"
            << QStringList{"Error|Failed to read DisplayParam!", "Information|Read successful!"} << 114 << false
            << 4; // key, version, display parameter, tolerances
        QTest::newRow("layout 4: nothing read after identification")
            << "TX310" << 114 << "layout4" << QStringList{} << 114 << true << 3;
    }
    void identification_afterAnotherInstrument()
    {
        QFETCH(QString, model);
        QFETCH(int, version);
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        QFETCH(int, softwareVersion);
        QFETCH(bool, hazeTLab);
        QFETCH(int, requests);
        m_page->show();
        plug(QStringLiteral("TX310"), 114);
        instrument().setDisplayMode(6);
        QVERIFY(m_page->panel().identifyDevice());
        QVERIFY(ui().radioButton_hazeTLab->isVisible());

        plug(model, version);
        instrument().setDisplayMode(3);
        QTemporaryDir dir;
        if (fault == QLatin1String("version")) {
            emulator().injectFaultAtRequest(2, EmulatorFault::Silence);
        } else if (fault == QLatin1String("display")) {
            emulator().injectFaultAtRequest(3, EmulatorFault::Silence);
        } else {
            QFile table(dir.filePath(QStringLiteral("meterno")));
            QVERIFY(table.open(QIODevice::WriteOnly));
            table.write("[Device1]\nMeterNo=310\nModel=TX310\nUIIndex=4\n");
            table.close();
            m_page->panel().loadModelTable(table.fileName());
        }
        for (const QString& box : boxes) {
            m_dialogs->expectMessage(box.section(QLatin1Char('|'), 0, 0), box.section(QLatin1Char('|'), 1));
        }
        m_page->onDeviceConnected();
        QCOMPARE(m_page->state().softwareVersion, softwareVersion);
        QCOMPARE(ui().lineEdit_firmwareVersion->text(),
                 softwareVersion ? QString::number(softwareVersion / 100.0, 'f', 2) : QString());
        QCOMPARE(ui().radioButton_hazeTLab->isVisible(), hazeTLab);
        QCOMPARE(emulator().receivedFrames().size(), requests);
    }

    void rows_formats()
    {
        m_page->tables().addComparisonRow(sampleComparison(7, false));
        const QStringList current = rowTexts(*ui().tableWidget_data, 0);
        QCOMPARE(current.mid(0, 15),
                 QStringList({"7", "Comp7", "2026/12/08  09:30", "1.25%", "91.30%", "52.10", "3.20", "-14.80",
                              "52.10", "15.14", "282.2", "20.50", "0.3123", "0.3300", "1.40%"}));
        QCOMPARE(current.mid(25), QStringList({"0.15%", "-0.20%", "0.45", "NG", "", "", "\u00B10.50%",
                                               "\u00B11.00%", "1.0", "TX310", "23100158"}));
        const QAbstractItemModel* model = ui().tableWidget_data->model();
        QCOMPARE(model->index(0, 28).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::red));
        QCOMPARE(model->index(0, 5).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

        m_page->tables().addComparisonRow_old(sampleComparison(1234567, true));
        QCOMPARE(rowTexts(*ui().tbData, 0),
                 QStringList({"1.23457e+06", "Comp1234567", "2026/12/08  09:30", "52.10", "3.20", "-14.80",
                              "15.14", "282.2", "52.40", "3.05", "-15.10", "15.40", "281.4", "0.45", "PASS", "",
                              "", "\u25B3E*ab", "1.0", "TX310", "23100158"}));
        QCOMPARE(ui().tbData->model()->index(0, 14).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::darkGreen));
    }

    void counters_deleteLowersOnlyItsVerdict()
    {
        m_page->show();
        for (bool pass : {true, false, true}) {
            m_page->tables().addComparisonRow(sampleComparison(m_page->tables().totalCount() + 1, pass));
        }
        QCOMPARE(counters(), QStringLiteral("1/2/3"));
        // After a switch to Chinese the verdict is still known: deleting the NG row lowers NG.
        switchLanguage(true);
        QCOMPARE(rowText(1, 28), QStringLiteral("不合格"));
        clickRowButton(ui().tableWidget_data, 1, 29);
        QCOMPARE(counters(), QStringLiteral("0/2/2"));
        clickRowButton(ui().tableWidget_data, 0, 29);
        QCOMPARE(counters(), QStringLiteral("0/1/1"));
        QCOMPARE(rowText(0, 1), QStringLiteral("Comp3"));
    }

    // After an import, a row's buttons act on their own row wherever the
    // table is scrolled; a press beside a button presses nothing.
    void importedRows_buttonsActOnTheirRow()
    {
        m_page->show();
        QList<ComparisonRecord> results;
        for (int i = 0; i < 500; ++i) {
            results << sampleComparison(i + 1, i != 0);
        }
        m_page->tables().addComparisonRows(results, false);
        RecordTableView* table = ui().tableWidget_data;
        clickRowButton(table, 0, 29);
        QCOMPARE(rows(), 499);
        QCOMPARE(rowText(0, 1), QStringLiteral("Comp2"));
        QCOMPARE(m_page->tables().unqualifiedCount(), 0); // row 0 was the NG one
        clickRowButton(table, 497, 29);
        QCOMPARE(rows(), 498);
        QCOMPARE(rowText(497, 1), QStringLiteral("Comp500"));
        // A double click on Delete deletes its row only, not the next one moving up.
        table->scrollTo(table->model()->index(5, 29));
        const QPoint centre = table->visualRect(table->model()->index(5, 29)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(rows(), 497);
        QCOMPARE(rowText(5, 1), QStringLiteral("Comp8"));
        // Pressed on Delete, released on the verdict: no delete.
        const QModelIndex remove = table->model()->index(10, 29);
        table->scrollTo(remove);
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, table->visualRect(remove).center());
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {},
                            table->visualRect(table->model()->index(10, 28)).center());
        QCOMPARE(rows(), 497);
    }

    // The row buttons as assistive technology and the keyboard find them.
    void rowButtons_namedAndReachableByKeyboard()
    {
        m_page->show();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        for (int n = 1; n <= 3; ++n) {
            m_page->tables().addComparisonRow(sampleComparison(n, n != 2));
        }
        RecordTableView* table = ui().tableWidget_data;
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(table);
        QVERIFY(view && view->tableInterface());
        const auto names = [view](int row) {
            QStringList out;
            for (int column : {29, 30}) {
                QAccessibleInterface* cell = view->tableInterface()->cellAt(row, column);
                out << (cell ? cell->text(QAccessible::Name) : QString());
            }
            return out;
        };
        QCOMPARE(names(2), QStringList({"Delete row 3", "Report for Comp3"}));
        QCOMPARE(view->tableInterface()->cellAt(2, 29)->text(QAccessible::Description), QStringLiteral("Delete"));
        // Places follow a deleted row; names follow a renamed test and the language.
        clickRowButton(table, 0, 29);
        // A double click on the test name edits it; Enter renames the record.
        const QRect name = table->visualRect(table->model()->index(1, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, name.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, name.center());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Batch A"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m_page->tables().records().at(1).testName, QStringLiteral("Batch A")); // committed at the next turn
        QCOMPARE(names(1), QStringList({"Delete row 2", "Report for Batch A"}));
        switchLanguage(true);
        QCOMPARE(names(1), QStringList({QStringLiteral("删除第2行"), QStringLiteral("Batch A的报告")}));
        switchLanguage(false);

        // From the verdict cell Tab reaches Delete, then Report, Backtab goes
        // back, and Space on Delete removes the row; the keyboard stays in the
        // table. Enter presses as Space does.
        table->setFocus();
        table->setCurrentIndex(table->model()->index(0, 28));
        QTest::keyClick(table, Qt::Key_Tab);
        QCOMPARE(table->currentIndex().column(), 29);
        QTest::keyClick(table, Qt::Key_Tab);
        QCOMPARE(table->currentIndex().column(), 30);
        QTest::keyClick(table, Qt::Key_Backtab);
        QCOMPARE(table->currentIndex(), table->model()->index(0, 29));
        QAccessibleInterface* focused = view->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("Delete row 1"));
        QTest::keyClick(table, Qt::Key_Space);
        QCOMPARE(counters(), QStringLiteral("0/1/1"));
        QCOMPARE(rowText(0, 1), QStringLiteral("Batch A"));
        QCOMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(table, Qt::Key_Enter);
        QCOMPARE(counters(), QStringLiteral("0/0/0"));
    }

    // Through assistive technology a row button is a button that presses:
    // Delete removes its row, Report opens the report of its row.
    void rowButtons_pressedThroughAccessibility()
    {
        m_page->show();
        for (int n = 1; n <= 2; ++n) {
            m_page->tables().addComparisonRow(sampleComparison(n, true));
        }
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(table());
        QVERIFY(view && view->tableInterface());
        const QStringList press{QAccessibleActionInterface::pressAction()};
        QAccessibleInterface* remove = view->tableInterface()->cellAt(0, 29);
        QVERIFY(remove && remove->actionInterface());
        QCOMPARE(remove->role(), QAccessible::Button);
        QCOMPARE(remove->actionInterface()->actionNames(), press);
        QCOMPARE(view->tableInterface()->cellAt(0, 30)->actionInterface()->actionNames(), press);
        // Cells keep their place among the children as the view numbers them.
        QCOMPARE(view->child(view->indexOfChild(remove)), remove);
        QCOMPARE(remove->tableCellInterface()->rowIndex(), 0);

        remove->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(rows(), 1);
        QCOMPARE(rowText(0, 1), QStringLiteral("Comp2"));

        view->tableInterface()->cellAt(0, 30)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(m_page->findChild<ReportPage*>());
        std::unique_ptr<ReportPage> report(m_page->findChild<ReportPage*>());
        QCOMPARE(report->snapshot().testName, QStringLiteral("Comp2"));
    }

    // The named entry points of the rows' buttons act on the row of the
    // table's current cell; a double click edits the test name only.
    void rowEntryPoints_actOnTheCurrentRow_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::newRow("current") << false;
        QTest::newRow("legacy") << true;
    }

    void rowEntryPoints_actOnTheCurrentRow()
    {
        QFETCH(bool, legacy);
        m_page->show();
        for (int n = 1; n <= 3; ++n) {
            legacy ? m_page->tables().addComparisonRow_old(sampleComparison(n, true)) : m_page->tables().addComparisonRow(sampleComparison(n, true));
        }
        RecordTableView* view = table(legacy);
        view->setCurrentIndex(view->model()->index(1, 5));
        legacy ? m_page->on_DeleteBtn_clicked_old() : m_page->on_DeleteBtn_clicked();
        QCOMPARE(rows(legacy), 2);
        QCOMPARE(rowText(1, 1, legacy), QStringLiteral("Comp3"));

        view->setCurrentIndex(view->model()->index(0, 2));
        legacy ? m_page->on_ReportBtn_clicked_old() : m_page->on_ReportBtn_clicked();
        std::unique_ptr<ReportPage> report(m_page->findChild<ReportPage*>());
        QVERIFY(report);
        QCOMPARE(report->snapshot().testName, QStringLiteral("Comp1"));
        report.reset();

        legacy ? m_page->doubleClickedSlot_old(0, 3) : m_page->doubleClickedSlot(0, 3);
        QVERIFY(view->viewport()->findChildren<QLineEdit*>().isEmpty());
        legacy ? m_page->doubleClickedSlot_old(1, 1) : m_page->doubleClickedSlot(1, 1);
        QCOMPARE(view->viewport()->findChildren<QLineEdit*>().size(), 1);
    }

    void clear_asksBeforeLosingRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("yes") << 2 << int(DialogButton::Yes) << 0;
        QTest::newRow("no") << 2 << int(DialogButton::No) << 2;
        QTest::newRow("empty table, no question") << 0 << int(DialogButton::None) << 0;
    }
    void clear_asksBeforeLosingRows()
    {
        QFETCH(int, rows);
        QFETCH(int, answer);
        QFETCH(int, rowsAfter);
        for (int i = 0; i < rows; ++i) {
            m_page->tables().addComparisonRow(sampleComparison(i + 1, true));
        }
        m_page->tables().records().setComparisonSequence(rows);
        m_page->session().takeStandard(ColorReading(), false);
        if (answer != int(DialogButton::None)) {
            m_dialogs->answerButton(DialogButton(answer));
        }
        m_page->on_pushButton_clear_clicked();
        QCOMPARE(ui().tableWidget_data->model()->rowCount(), rowsAfter);
        QCOMPARE(m_page->tables().totalCount(), rowsAfter);
        QCOMPARE(m_page->tables().records().comparisonSequence(), rowsAfter);
        QCOMPARE(m_page->session().standardTaken(), rowsAfter > 0);
        if (answer != int(DialogButton::None)) {
            QCOMPARE(m_dialogs->shown.last().title, QStringLiteral("Tip"));
        }
    }

    void disconnection_keepsRowsAndCounters()
    {
        plug(QStringLiteral("TX310"), 0);
        QVERIFY(m_page->panel().identifyDevice());
        m_page->tables().addComparisonRow(sampleComparison(1, false));
        m_page->state().hazeTolerance = 0.5;
        m_page->session().setNextMeasurement(MeasurementSession::Sample);
        m_page->clear();
        QCOMPARE(m_page->session().nextMeasurement(), 1); // the next pushed result is a standard
        QCOMPARE(ui().tableWidget_data->model()->rowCount(), 1);
        QCOMPARE(counters(), QStringLiteral("1/0/1"));
        QVERIFY(ui().lineEdit_serialNo->text().isEmpty());
        QCOMPARE(m_page->state().hazeTolerance, -1.0);
    }

    void retranslation_wordsAndVerdict()
    {
        // A comparison shown: a* 0.50 over the standard, NG (no tolerance read).
        ColorReading standard;
        standard.lab = {50.0, 1.0, 2.0};
        ColorReading sample = standard;
        sample.lab.a = 1.5;
        m_page->session().takeStandard(standard, false);
        m_page->session().takeSample(sample, false);
        QCOMPARE(ui().label_result->text(), QStringLiteral("NG"));
        switchLanguage(true);
        QCOMPARE(ui().label_result->text(), QStringLiteral("不合格"));
        QCOMPARE(ui().tableWidget_colorDiff->item(4, 4)->text(), QStringLiteral("稍红"));
        QCOMPARE(ui().tableWidget_colorDiff->item(3, 4)->text(), QStringLiteral("正常"));
        QCOMPARE(ui().pushButton_spectralTransmittance->text(), QStringLiteral("光谱透过率"));
        switchLanguage(false);
        QCOMPARE(ui().label_result->text(), QStringLiteral("NG"));
        QCOMPARE(ui().tableWidget_colorDiff->item(4, 4)->text(), QStringLiteral("Slight red"));
    }

    void journal_restoresRowsIntoTheirLayout_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::newRow("current layout") << false;
        QTest::newRow("legacy layout") << true;
    }
    void journal_restoresRowsIntoTheirLayout()
    {
        QFETCH(bool, legacy);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
        m_page->tables().startJournal(path);
        for (bool pass : {true, false}) {
            (legacy ? m_page->tables().legacyRecords() : m_page->tables().records()).takeNameNumber();
            legacy ? m_page->tables().addComparisonRow_old(sampleComparison(m_page->tables().totalCount() + 1, pass))
                   : m_page->tables().addComparisonRow(sampleComparison(m_page->tables().totalCount() + 1, pass));
        }
        RecordTableView* table = legacy ? ui().tbData : ui().tableWidget_data;
        QVERIFY(table->model()->setData(table->model()->index(0, 1), QStringLiteral("Renamed")));
        QTest::qWait(1); // edits reach the journal at the next turn of the event loop
        m_page.reset();  // the window closes with the rows still open

        // A new start, in Chinese: the rows come back as they were.
        QCoreApplication::installTranslator(&m_chinese);
        m_page = std::make_unique<FirstPageFor310>(*m_access, *m_dialogs);
        m_page->state().chineseUi = true;
        m_dialogs->answerButton(DialogButton::Yes);
        m_page->tables().startJournal(path);
        table = legacy ? ui().tbData : ui().tableWidget_data;
        QCOMPARE(rows(legacy), 2);
        QCOMPARE(rowText(0, 1, legacy), QStringLiteral("Renamed"));
        const int verdict = legacy ? 14 : 28;
        QCOMPARE(rowText(1, verdict, legacy), QStringLiteral("不合格"));
        QCOMPARE(counters(), QStringLiteral("1/1/2"));
        QCOMPARE((legacy ? m_page->tables().legacyRecords() : m_page->tables().records()).comparisonSequence(), 2);
        QCOMPARE(ui().stackedWidget_data->currentWidget(), legacy ? ui().page_oldData : ui().page_newData);
        // Restored rows have working buttons.
        m_page->show();
        clickRowButton(table, 1, verdict + 1);
        QCOMPARE(counters(), QStringLiteral("0/1/1"));
        // Clearing closes them: the next start offers nothing (the strict double
        // would fail on a question).
        if (!legacy) {
            m_dialogs->answerButton(DialogButton::Yes);
        }
        ui().pushButton_clear->click();
        QCOMPARE(table->model()->rowCount(), 0);
        m_page = std::make_unique<FirstPageFor310>(*m_access, *m_dialogs);
        m_page->tables().startJournal(path);
        QCOMPARE(ui().tableWidget_data->model()->rowCount() + ui().tbData->model()->rowCount(), 0);
    }

    // Rows a TX460 took in L*a*b*, restored with a TX470 in Haze/T attached:
    // shown and exported as they were taken, never with a haze and T they do
    // not have; a comparison of the other mode waits for their export or clear.
    void journal_restoredRowsOfAnotherMode_keepTheirValues()
    {
        QTemporaryDir dir;
        const QString journal = dir.filePath(QStringLiteral("journal.sqlite"));
        m_page->tables().startJournal(journal);
        ComparisonRecord lab = sampleComparison(1, true);
        for (auto* values : {&lab.standard, &lab.sample}) {
            (*values)[ComparisonRecord::Haze] = (*values)[ComparisonRecord::Transmittance] = 0.0;
        }
        lab.hazeDifference = lab.transmittanceDifference = 0.0;
        lab.settings.displayMode = DisplayMode::Lab;
        lab.settings.layoutIndex = 2;
        lab.modelName = QStringLiteral("TX460");
        m_page->tables().addComparisonRow(lab);
        m_page.reset();

        m_page = std::make_unique<FirstPageFor310>(*m_access, *m_dialogs);
        m_page->panel().loadModelTable(QCoreApplication::applicationDirPath() + QStringLiteral("/meterno"));
        plug(QStringLiteral("TX470"), 320);
        instrument().setDisplayMode(0);
        QVERIFY(m_page->panel().identifyDevice());
        m_dialogs->answerButton(DialogButton::Yes);
        m_page->tables().startJournal(journal);
        QCOMPARE(rows(), 1);
        QVERIFY(!table()->isColumnHidden(5));  // the standard's L*
        QVERIFY(table()->isColumnHidden(3));   // not its haze
        QVERIFY(table()->isColumnHidden(25));  // nor a haze difference

        const CsvExport csv = exportCsvKeepingRows(dir.filePath(QStringLiteral("rows.csv")));
        QCOMPARE(csv.mode, DisplayMode::Lab);
        QCOMPARE(csv.records.size(), 1);
        QCOMPARE(csv.records[0].sample[ComparisonRecord::LabB], -15.1);
        const QByteArray& bytes = csv.bytes;
        QVERIFY2(!bytes.contains("Haze"), bytes.constData()); // no haze column of zeros

        // A Haze/T comparison of the TX470 does not join them.
        m_dialogs->expectMessage(QStringLiteral("Warn"),
                                 QStringLiteral("The rows in the table were taken in the Lab mode: clear them (export "
                                                "them first if they are still needed) before adding comparisons made "
                                                "in the Haze/T mode."));
        instrument().queueReading({50.0, 1.0, 2.0, 10.0, 90.0});
        ui().pushButton_standardMeasurement->click();
        instrument().queueReading({50.0, 1.0, 2.0, 10.5, 90.0});
        ui().pushButton_sampleMeasurement->click();
        QCOMPARE(rows(), 1);
    }

    // Legacy rows shown without an instrument (restored from the journal) are
    // the ones exported, as they are the ones counted and cleared.
    void export_legacyRowsShownWithoutInstrument()
    {
        m_page->tables().addComparisonRow_old(sampleComparison(1, true));
        ui().stackedWidget_data->setCurrentWidget(ui().page_oldData);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("legacy.cxf"));
        m_dialogs->answerSaveFile(path);
        m_dialogs->expectMessage(QStringLiteral("Storing data"), QStringLiteral("Data stored to file Success"));
        QVERIFY(m_page->on_pushButton_exportExcel_clicked());
        QVERIFY(QFile(path).size() > 0);
        QCOMPARE(rows(true), 0); // emptied without a question, as after every legacy export
    }

    // A new process, as after a restart or a crash: every record comes back
    // into its table, with the comparison counter.
    void journal_freshProcessRestoresEveryRecord_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("ending");
        QTest::newRow("current layout, window closed") << QStringLiteral("current") << QStringLiteral("exit");
        QTest::newRow("legacy layout, process died") << QStringLiteral("legacy") << QStringLiteral("crash");
    }
    void journal_freshProcessRestoresEveryRecord()
    {
        QFETCH(QString, layout);
        QFETCH(QString, ending);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
        const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/journal_page_child");
        QProcess fill;
        fill.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        fill.start(child, {QStringLiteral("fill"), path, QStringLiteral("100"), layout, ending});
        QVERIFY(fill.waitForFinished(60000));
        QCOMPARE(fill.exitCode(), 0);
        QProcess restore;
        restore.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        restore.start(child, {QStringLiteral("restore"), path});
        QVERIFY(restore.waitForFinished(60000));
        QCOMPARE(restore.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(restore.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 102);
        QCOMPARE(lines.first(), layout == QLatin1String("legacy") ? QStringLiteral("rows 0 100, table rows 0 100")
                                                                 : QStringLiteral("rows 100 0, table rows 100 0"));
        for (int n = 1; n <= 100; ++n) {
            QCOMPARE(lines.at(n), QStringLiteral("Comp%1").arg(n));
        }
        QCOMPARE(lines.last(), QStringLiteral("sequence 100"));
    }

    // History past the age the settings give is removed at the start, and the
    // operator is told so; the open work is never touched.
    void journal_pruningOldHistorySaysSo()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
        {
            RecordJournal journal(path);
            QVERIFY(journal.open());
            ComparisonRecord first = sampleComparison(1, true);
            ComparisonRecord second = sampleComparison(2, false);
            first.id = QUuid::createUuid();
            second.id = QUuid::createUuid();
            QVERIFY(journal.append({first, second}));
            QVERIFY(journal.closeCurrentSession());
            QVERIFY(QSqlQuery(QSqlDatabase::database(journal.connectionName()))
                        .exec(QStringLiteral("UPDATE sessions SET closed_at = %1")
                                  .arg(QDateTime::currentDateTime().addDays(-31).toMSecsSinceEpoch())));
            ComparisonRecord third = sampleComparison(3, true);
            third.id = QUuid::createUuid();
            QVERIFY(journal.append({third}));
            QVERIFY(journal.closeCurrentSession()); // closed today: kept
        }
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"),
                           QStringLiteral("Tintwell"));
        settings.setValue(QStringLiteral("journal/pruneClosedAfterDays"), 30);
        settings.sync();
        m_dialogs->answerButton(DialogButton::Ok);
        m_page->tables().startJournal(path);
        settings.remove(QStringLiteral("journal"));
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY2(m_dialogs->shown.last().text.contains(QStringLiteral("30 days ago")
                                                       + QStringLiteral(" were removed from the comparison journal: ")
                                                       + QStringLiteral("1 sessions, 2 comparisons")),
                 qPrintable(m_dialogs->shown.last().text));
        QCOMPARE(m_page->tables().journal()->journal().closedSessions().size(), 1);
    }

    void journal_unusableFolder_warnsAndTableWorks()
    {
        m_dialogs->answerButton(DialogButton::Ok);
        m_page->tables().startJournal(QStringLiteral("/proc/tintwell-no-such-place/journal.sqlite"));
        QCOMPARE(m_dialogs->shown.last().title, QStringLiteral("Warn"));
        QVERIFY(m_dialogs->shown.last().text.contains(QStringLiteral("/proc/tintwell-no-such-place")));
        m_page->tables().addComparisonRow(sampleComparison(1, true));
        QCOMPARE(ui().tableWidget_data->model()->rowCount(), 1);
    }

    void displayModes_rowsColumnsAndWidths_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<int>("n");
        QTest::newRow("Haze/T") << 0 << QList<int>{1, 2} << QList<int>{3, 4, 14, 15, 25, 26} << 11;
        QTest::newRow("Haze") << 1 << QList<int>{1} << QList<int>{3, 14, 25} << 8;
        QTest::newRow("T") << 2 << QList<int>{2} << QList<int>{4, 15, 26} << 8;
        QTest::newRow("Lab") << 3 << QList<int>{3, 4, 5, 12} << QList<int>{5, 6, 7, 16, 17, 18, 27} << 11;
        QTest::newRow("LCh") << 4 << QList<int>{6, 7, 8, 12} << QList<int>{8, 9, 10, 19, 20, 21, 27} << 11;
        QTest::newRow("Yxy") << 5 << QList<int>{9, 10, 11, 12} << QList<int>{11, 12, 13, 22, 23, 24, 27} << 11;
        QTest::newRow("Haze/T/Lab") << 6 << QList<int>{1, 2, 3, 4, 5, 12}
                                    << QList<int>{3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 25, 26, 27} << 18;
    }
    void displayModes_rowsColumnsAndWidths()
    {
        QFETCH(int, mode);
        QFETCH(QList<int>, rows);
        QFETCH(QList<int>, columns);
        QFETCH(int, n);
        m_page->state().displayMode = displayModeFromIndex(mode);
        m_page->panel().applyDisplayMode();
        QList<int> shownRows, shownColumns;
        for (int row = 1; row <= 12; ++row) {
            if (!ui().tableWidget_colorDiff->isRowHidden(row)) {
                shownRows << row;
            }
        }
        for (int column = 3; column <= 27; ++column) {
            if (!ui().tableWidget_data->isColumnHidden(column)) {
                shownColumns << column;
            }
        }
        QCOMPARE(shownRows, rows);
        QCOMPARE(shownColumns, columns);
        QCOMPARE(displayModeView(m_page->state().displayMode).n, n);
        const QList<int> widths = currentColumnWidths(n, 2300);
        if (n == 18) { // u = 2300 / 23 = 100
            QCOMPARE(widths.mid(0, 4), QList<int>({68, 200, 215, 100}));
            QCOMPARE(widths.mid(25), QList<int>({100, 120, 110, 115, 110, 115}));
        }
        // The widths share the table's own width, in a window narrower than
        // the desktop too, and again after a resize: the last column in view.
        RecordTableView* table = ui().tableWidget_data;
        m_page->show();
        const int least = std::max(m_page->minimumSizeHint().width(), m_page->minimumWidth());
        for (int windowWidth : {least + 400, least}) {
            m_page->resize(windowWidth, 900);
            QTRY_VERIFY(m_page->width() == windowWidth);
            const int viewport = table->viewport()->width();
            QVERIFY(viewport < windowWidth);
            QCOMPARE(table->columnWidth(1), currentColumnWidths(n, viewport)[1]);
            QVERIFY2(table->columnViewportPosition(30) + table->columnWidth(30) <= viewport,
                     qPrintable(QStringLiteral("Report column ends past %1").arg(viewport)));
        }
    }

    // Every text of the page's widgets has its Chinese (catalogue merges have
    // lost entries before); symbols and names of colour spaces stay as they are.
    void chinese_everyWidgetTextTranslated()
    {
        QCoreApplication::installTranslator(&m_chinese);
        FirstPageFor310 page(*m_access, *m_dialogs);
        page.state().chineseUi = true; // the spectral button follows the flag
        page.languageChange();
        const QStringList same = {"Lab", "LCh", "Yxy", "%", "0", "-----", "L*", "a*", "b*", "C*", "h", "Y", "x",
                                  "y", "△", "△E", "\u2715", ""};
        QStringList untranslated;
        const auto check = [&](const QString& text, const QString& where) {
            const bool hasChinese = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x2E80; });
            if (!hasChinese && !same.contains(text.trimmed())) {
                untranslated << where + QStringLiteral(": ") + text;
            }
        };
        for (auto* w : page.findChildren<QAbstractButton*>()) {
            check(w->text(), w->objectName());
        }
        for (auto* w : page.findChildren<QLabel*>()) {
            if (w->pixmap().isNull() && w->objectName() != QLatin1String("label_result")) {
                check(w->text(), w->objectName());
            }
        }
        for (auto* w : page.findChildren<QGroupBox*>()) {
            check(w->title(), w->objectName());
        }
        for (QTableWidget* table : {page.form().tableWidget_colorDiff, page.form().tbColorDiff}) {
            for (int row = 0; row < table->model()->rowCount(); ++row) {
                check(table->item(row, 0) ? table->item(row, 0)->text() : QString(), table->objectName());
            }
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral("; "))));
    }

    // Each display-mode button shows its own tolerance inputs and sends nothing.
    void radioButton_changesOnlyToleranceInputs_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<bool>>("shown"); // haze, transmittance, delta-E threshold
        QTest::newRow("Haze/T") << 0 << QList<bool>{true, true, false};
        QTest::newRow("Haze") << 1 << QList<bool>{true, false, false};
        QTest::newRow("T") << 2 << QList<bool>{false, true, false};
        QTest::newRow("Lab") << 3 << QList<bool>{false, false, true};
        QTest::newRow("LCh") << 4 << QList<bool>{false, false, true};
        QTest::newRow("Yxy") << 5 << QList<bool>{false, false, true};
        QTest::newRow("Haze/T/Lab") << 6 << QList<bool>{true, true, true};
    }
    void radioButton_changesOnlyToleranceInputs()
    {
        QFETCH(int, mode);
        QFETCH(QList<bool>, shown);
        plug(QStringLiteral("TX310"), 114);
        m_page->show();
        for (int other = 0; other < 7; ++other) {
            ui().radioButton(other)->show();
        }
        ui().radioButton((mode + 1) % 7)->click(); // from another mode's inputs
        ui().radioButton(mode)->click();
        const QList<bool> visible{ui().lineEdit_hazeTolerance->isVisible() && ui().label_hazeTolerance->isVisible(),
                                  ui().lineEdit_tTolerance->isVisible() && ui().label_tTolerance->isVisible(),
                                  ui().lineEdit_eThresholds->isVisible() && ui().label_eThresholds->isVisible()};
        QCOMPARE(visible, shown);
        QCOMPARE(m_page->state().displayMode, DisplayMode::HazeT); // nothing set until the instrument takes it
        QVERIFY(emulator().receivedFrames().isEmpty());
    }
};

QTEST_MAIN(tst_workspace_page)
#include "tst_workspace_page.moc"
