// Measuring on the real workspace page over the emulated instrument,
// offscreen: comparisons from the PC, the fetch paths, a standard typed over,
// results pushed by the instrument's key through the receive worker, failed
// measurements and unplugging while a result waits for its display.
#include "InstrumentPanel.h"
#include "MeasurementSession.h"
#include "ComparisonDisplay.h"
#include "PageFixture.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

const QString kFailed = QStringLiteral("Failed to read measurement data!");
constexpr int kLRow = 3;
constexpr int kVerdictColumn = 28;

} // namespace

namespace {

// The operator types over a shown standard value and finishes the edit.
void typeOver(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class tst_measure_page : public QObject, public PageFixture
{
    Q_OBJECT

    QTableWidget* display() { return ui().tableWidget_colorDiff; }
    QString cell(int row, int column) { return liveText(row, column); }

    void connectTo(const QString& model, int version, int displayMode)
    {
        plug(model, version);
        instrument().setDisplayMode(displayMode);
        QVERIFY(m_page->panel().identifyDevice());
        m_page->state().hazeTolerance = 0.5;
        m_page->state().transmittanceTolerance = 1.0;
        m_page->state().deltaEThreshold = 1.0;
    }
    void measure(QPushButton* button, const EmulatorReading& reading)
    {
        instrument().queueReading(reading);
        button->click();
    }
    void scanStandard(const EmulatorReading& reading) { measure(ui().pushButton_standardMeasurement, reading); }
    void scanSample(const EmulatorReading& reading) { measure(ui().pushButton_sampleMeasurement, reading); }
    void pushKey(const EmulatorReading& reading, bool blockFrames = false)
    {
        instrument().queueReading(reading);
        emulator().pressMeasureKey(blockFrames);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + "/meterno")); }
    void init() { setUpPage(); }
    void cleanup() { tearDownPage(); }

    void standardThenThreeSamples_aRowEach()
    {
        connectTo(QStringLiteral("TX310"), 312, 6);
        scanStandard({50.0, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(cell(kLRow, 1), QStringLiteral("50.00"));
        struct Sample
        {
            EmulatorReading reading;
            QString hazeDifference, lDifference, lWord, deltaE, verdict;
        };
        const Sample samples[] = {
            {{50.1, 1.0, 2.0, 10.2, 90.5}, "0.2%", "0.1", "Normal", "0.10", "PASS"},
            {{50.0, 1.0, 2.0, 10.8, 90.0}, "0.8%", "0", "Normal", "0.00", "NG"},
            {{48.5, 1.0, 2.0, 10.0, 90.0}, "0%", "-1.5", "Slight black", "1.50", "NG"},
        };
        for (const Sample& s : samples) {
            scanSample(s.reading);
            QCOMPARE(cell(1, 3), s.hazeDifference);
            QCOMPARE(cell(kLRow, 3), s.lDifference);
            QCOMPARE(cell(kLRow, 4), s.lWord);
            QCOMPARE(cell(12, 3), s.deltaE);
            QCOMPARE(ui().label_result->text(), s.verdict);
        }
        QCOMPARE(rows(), 3);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(rowText(row, 1), QStringLiteral("Comp%1").arg(row + 1));
            QCOMPARE(rowText(row, kVerdictColumn), samples[row].verdict);
        }
        QCOMPARE(counters(), QStringLiteral("2/1/3"));
    }

    // Three readings per sample through the page: the status line counts
    // them, a discarded one is left out, and the one row says n and the spread.
    void threeReadingsPerSample_oneRow()
    {
        connectTo(QStringLiteral("TX310"), 312, 6);
        const auto reset = qScopeGuard([this] { ui().spinBox_sampleReadings->setValue(1); }); // the settings file is shared
        ui().spinBox_sampleReadings->setValue(3);
        scanStandard({50.0, 1.0, 2.0, 10.0, 90.0});
        scanSample({50.1, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(), 0);
        QVERIFY(!ui().label_readingsStatus->isHidden());
        QVERIFY2(ui().label_readingsStatus->text().contains(QStringLiteral("reading 1 of 3")),
                 qPrintable(ui().label_readingsStatus->text()));
        scanSample({55.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(ui().pushButton_discardReading->isEnabled());
        ui().pushButton_discardReading->click();
        QVERIFY(ui().label_readingsStatus->text().contains(QStringLiteral("reading 1 of 3")));
        scanSample({50.3, 1.0, 2.0, 10.0, 90.0});
        scanSample({50.5, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(), 1);
        QCOMPARE(cell(kLRow, 2), QStringLiteral("50.30"));
        QCOMPARE(rowText(0, 1), QStringLiteral("Comp1 (n=3)"));
        const QAbstractItemModel* model = ui().tableWidget_data->model();
        const QString tip = model->data(model->index(0, 1), Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QStringLiteral("Sample: n = 3")) && tip.contains(QStringLiteral("L*: SD 0.200, range 0.40")),
                 qPrintable(tip));
        QVERIFY(!ui().pushButton_discardReading->isEnabled());
    }

    // A haze meter's rows kept while a first-generation colorimeter is
    // attached belong to the other table: they are neither counted nor
    // numbered with the legacy rows, cleared or not.
    void legacyRows_countedAndNamedInTheirOwnTable_data()
    {
        QTest::addColumn<bool>("clearFirst");
        QTest::newRow("after Clear") << true;
        QTest::newRow("without Clear") << false;
    }
    void legacyRows_countedAndNamedInTheirOwnTable()
    {
        QFETCH(bool, clearFirst);
        connectTo(QStringLiteral("TX310"), 312, 0);
        scanStandard({50.0, 1.0, 2.0, 10.0, 90.0});
        scanSample({50.0, 1.0, 2.0, 10.1, 90.0});
        scanSample({50.0, 1.0, 2.0, 10.2, 90.0});
        QCOMPARE(counters(), QStringLiteral("0/2/2"));
        connectTo(QStringLiteral("TX420"), 200, 3);
        QCOMPARE(counters(), QStringLiteral("0/0/0"));
        if (clearFirst) {
            ui().pushButton_clear->click(); // the legacy table asks nothing
        }
        measure(ui().stdmeasurementBtn, {50.0, 1.0, 2.0, 10.0, 90.0});
        measure(ui().samplemeasurementBtn, {50.1, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(true), 1);
        QCOMPARE(QStringList({rowText(0, 0, true), rowText(0, 1, true)}), QStringList({"1", "Comp1"}));
        QCOMPARE(counters(), QStringLiteral("0/1/1"));
        QCOMPARE(rows(false), 2); // the haze meter's rows stay, in their table
    }

    void sampleBeforeStandard_shownButNoRow()
    {
        connectTo(QStringLiteral("TX310"), 312, 6);
        scanSample({50.0, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(cell(kLRow, 2), QStringLiteral("50.00"));
        QCOMPARE(rows(), 0);
        QCOMPARE(counters(), QStringLiteral("0/0/0"));
    }

    void fetchPath_byModelAndVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<int>("address"); // of the measurement request
        QTest::addColumn<QStringList>("shown"); // Haze, T, Y, x, y of the sample
        QTest::newRow("TX310 1.05, LCh: block 0x24, no haze, T, Y, x, y")
            << 105 << 4 << 0x24 << QStringList{"0.00%", "0.00%", "0.00", "0.0000", "0.0000"};
        QTest::newRow("TX310 1.06, LCh: the full record")
            << 106 << 4 << 0x00 << QStringList{"10.00%", "90.00%", "18.42", "0.3220", "0.3361"};
        QTest::newRow("TX310 1.05, Haze/T/Lab: no block, a failed measurement")
            << 105 << 6 << -1 << QStringList{"-----", "-----", "-----", "-----", "-----"};
    }
    void fetchPath_byModelAndVersion()
    {
        QFETCH(int, version);
        QFETCH(int, displayMode);
        QFETCH(int, address);
        QFETCH(QStringList, shown);
        connectTo(QStringLiteral("TX310"), version, displayMode);
        emulator().clearFaults();
        const int requestsBefore = emulator().receivedFrames().size();
        if (address < 0) {
            m_dialogs->expectMessage(QStringLiteral("Error"), kFailed);
        }
        scanSample({50.0, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(QStringList({cell(1, 2), cell(2, 2), cell(9, 2), cell(10, 2), cell(11, 2)}), shown);
        if (address < 0) {
            QCOMPARE(emulator().receivedFrames().size(), requestsBefore); // nothing was asked
            return;
        }
        QCOMPARE(int(quint8(m_access->link().lastRequest().at(2))), address);
    }

    void typedStandard_usedEverywhere()
    {
        connectTo(QStringLiteral("TX310"), 312, 3);
        scanStandard({52.0, 1.0, 2.0, 10.0, 90.0});
        typeOver(qobject_cast<QLineEdit*>(display()->cellWidget(kLRow, 1)), QStringLiteral("50.00"));
        scanSample({50.3, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(cell(kLRow, 3), QStringLiteral("0.3"));
        QCOMPARE(cell(kLRow, 4), QStringLiteral("Slight white"));
        QCOMPARE(cell(12, 3), QStringLiteral("0.30"));
        QCOMPARE(rowText(0, 5), QStringLiteral("50.00")); // the stored standard L*
    }

    // Refused, and nothing of the comparison before stays beside the new sample.
    void unusableStandard_refusedNotComparedAsZero()
    {
        connectTo(QStringLiteral("TX310"), 312, 3);
        scanStandard({52.0, 1.0, 2.0, 10.0, 90.0});
        scanSample({50.3, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(ui().label_result->text(), QStringLiteral("NG"));
        typeOver(qobject_cast<QLineEdit*>(display()->cellWidget(kLRow, 1)), QString());
        m_dialogs->expectMessage(QStringLiteral("Error"),
                                 QStringLiteral("The standard's L* is empty or not a number; nothing was compared."));
        scanSample({50.3, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(), 1);
        QCOMPARE(counters(), QStringLiteral("1/0/1"));
        QCOMPARE(QStringList({cell(kLRow, 3), cell(kLRow, 4), cell(12, 3), ui().label_result->text()}),
                 QStringList({"-----", "-----", "-----", ""}));
    }

    void failedMeasurement_keepsDashesAndCounters_data()
    {
        QTest::addColumn<bool>("standardFails");
        QTest::newRow("standard") << true;
        QTest::newRow("sample") << false;
    }
    void failedMeasurement_keepsDashesAndCounters()
    {
        QFETCH(bool, standardFails);
        connectTo(QStringLiteral("TX310"), 312, 6);
        scanStandard({50.0, 1.0, 2.0, 10.0, 90.0});
        scanSample({50.5, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(), 1);
        emulator().injectFault(EmulatorFault::Silence);
        m_dialogs->expectMessage(QStringLiteral("Error"), kFailed);
        standardFails ? scanStandard({60.0, 1.0, 2.0, 10.0, 90.0}) : scanSample({60.0, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(cell(kLRow, standardFails ? 1 : 2), QStringLiteral("-----"));
        QCOMPARE(counters(), QStringLiteral("0/1/1"));
        // The next sample is never compared with the dashes of a failed standard.
        scanSample({50.5, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(), standardFails ? 1 : 2);
    }

    void keyPresses_afterScanSample_eachAddARow()
    {
        connectTo(QStringLiteral("TX310"), 312, 6);
        m_page->openThreadSlot();
        pushKey({50.0, 1.0, 2.0, 10.0, 90.0}); // no button pressed yet: the standard
        QVERIFY(waitUntil([this] { return cell(kLRow, 1) == QLatin1String("50.00"); }));
        scanSample({50.1, 1.0, 2.0, 10.0, 90.0});
        pushKey({50.2, 1.0, 2.0, 10.0, 90.0});
        pushKey({53.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([this] { return rows() == 3; }));
        QCOMPARE(rowText(2, 1), QStringLiteral("Comp3"));
        QCOMPARE(rowText(1, kVerdictColumn), QStringLiteral("PASS"));
        QCOMPARE(rowText(2, kVerdictColumn), QStringLiteral("NG"));
        QCOMPARE(cell(kLRow, 2), QStringLiteral("53.00"));
    }

    void pushedChunks_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("displayMode");
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<bool>("taken");
        QTest::newRow("noise before a full record") << 312 << 6 << "noise" << true;
        QTest::newRow("full record split inside its header") << 312 << 6 << "split" << true;
        QTest::newRow("block of the display mode") << 105 << 4 << "block4" << true;
        QTest::newRow("block of another mode: dropped") << 105 << 4 << "block3" << false;
    }
    void pushedChunks()
    {
        QFETCH(int, version);
        QFETCH(int, displayMode);
        QFETCH(QString, chunk);
        QFETCH(bool, taken);
        connectTo(QStringLiteral("TX310"), version, displayMode);
        m_page->openThreadSlot();
        scanStandard({50.0, 1.0, 2.0, 10.0, 90.0});
        m_page->on_pushButton_sampleMeasurement_clicked(); // pushed results are samples from now on
        const int rowsBefore = rows();
        const MeasurementRecord record = recordFromReading({51.0, 1.0, 2.0, 10.0, 90.0}, false);
        if (chunk == QLatin1String("noise")) {
            emulator().queueRawInput(QByteArray("\x01\xAB\x44\x00\xAB", 5) + instrument().fullRecordFrame(record));
        } else if (chunk == QLatin1String("split")) {
            const QByteArray frame = instrument().fullRecordFrame(record);
            emulator().queueRawInput(frame.left(3));
            QTest::qWait(150); // two polls at least: the two parts arrive in two reads
            emulator().queueRawInput(frame.mid(3));
        } else {
            emulator().queueRawInput(instrument().blockFrame(record, chunk.right(1).toInt()));
        }
        if (!taken) { // said as a failed measurement is, and nothing added
            m_dialogs->expectMessage(QStringLiteral("Error"), kFailed);
            QVERIFY(waitUntil([this] { return !m_dialogs->shown.isEmpty() && m_dialogs->shown.last().text == kFailed; }));
            QTest::qWait(50);
            QCOMPARE(rows(), rowsBefore);
            return;
        }
        // A frame that counts follows; it ends the wait.
        pushKey({52.0, 1.0, 2.0, 10.0, 90.0}, version < 106);
        QVERIFY(waitUntil([this] { return cell(kLRow, 2) == QLatin1String("52.00"); }));
        QCOMPARE(rows() - rowsBefore, 2);
    }

    // A result pushed before a scan button was clicked is shown and judged
    // first, against the standard it was taken for: a waiting standard is the
    // one the scanned sample is compared with; a waiting sample is judged
    // against the standard before the new one. Both layouts.
    void pushedResultWaiting_shownBeforeTheScan_data()
    {
        QTest::addColumn<bool>("legacy");
        QTest::addColumn<bool>("waitingStandard");
        QTest::addColumn<QStringList>("lastRow");  // NO, standard L*, sample L*
        QTest::addColumn<QString>("shownStandard"); // L* of the live standard afterwards
        QTest::newRow("pushed standard waits, Scan Sample")
            << false << true << QStringList{"2", "50.00", "50.30"} << "50.00";
        QTest::newRow("pushed sample waits, Scan Standard")
            << false << false << QStringList{"2", "40.00", "40.50"} << "60.00";
        // One row: a legacy fetch waits 1.5 s for the instrument.
        QTest::newRow("legacy layout: pushed standard waits, Scan Sample")
            << true << true << QStringList{"2", "50.00", "50.30"} << "50.00";
    }
    void pushedResultWaiting_shownBeforeTheScan()
    {
        QFETCH(bool, legacy);
        QFETCH(bool, waitingStandard);
        QFETCH(QStringList, lastRow);
        QFETCH(QString, shownStandard);
        legacy ? connectTo(QStringLiteral("TX450"), 200, 3) : connectTo(QStringLiteral("TX310"), 312, 3);
        QPushButton* standardButton = legacy ? ui().stdmeasurementBtn : ui().pushButton_standardMeasurement;
        QPushButton* sampleButton = legacy ? ui().samplemeasurementBtn : ui().pushButton_sampleMeasurement;
        const int lRow = legacy ? 1 : kLRow;
        m_page->openThreadSlot();
        // A standard and a first sample, pushed (as after "Scan Sample").
        pushKey({40.0, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([&] { return liveText(lRow, 1, legacy) == QLatin1String("40.00"); }));
        m_page->session().setNextMeasurement(MeasurementSession::Sample);
        pushKey({40.2, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([&] { return rows(legacy) == 1; }));
        if (waitingStandard) {
            m_page->session().setNextMeasurement(MeasurementSession::Standard); // as after "Scan Standard": pushed results are standards
        }
        m_page->session().pushedDisplayPauseMs = 60000; // the result waits behind its dashes
        pushKey({waitingStandard ? 50.0 : 40.5, 1.0, 2.0, 10.0, 90.0});
        const int waitingColumn = waitingStandard ? 1 : 2;
        QVERIFY(waitUntil([&] { return liveText(lRow, waitingColumn, legacy) == QLatin1String("-----"); }));
        waitingStandard ? measure(sampleButton, {50.3, 1.0, 2.0, 10.0, 90.0})
                        : measure(standardButton, {60.0, 1.0, 2.0, 10.0, 90.0});
        QCOMPARE(rows(legacy), 2);
        const int sampleL = legacy ? 8 : 16;
        const int standardL = legacy ? 3 : 5;
        QCOMPARE(QStringList({rowText(1, 0, legacy), rowText(1, standardL, legacy), rowText(1, sampleL, legacy)}),
                 lastRow);
        QCOMPARE(liveText(lRow, 1, legacy), shownStandard);
    }

    void unplugWhileAResultWaits_noRowLost_andReplugWorks()
    {
        connectTo(QStringLiteral("TX310"), 312, 6);
        m_page->openThreadSlot();
        scanStandard({50.0, 1.0, 2.0, 10.0, 90.0});
        m_page->session().pushedDisplayPauseMs = 60000;
        m_page->on_pushButton_sampleMeasurement_clicked();
        const int rowsBefore = rows();
        pushKey({50.1, 1.0, 2.0, 10.0, 90.0});
        QVERIFY(waitUntil([this] { return cell(kLRow, 2) == QLatin1String("-----"); })); // dashes, values pending
        QTest::qWait(30);
        emulator().unplug();
        m_page->closeThreadSlot(); // as the main window's CloseUSB does, before it frees the link
        m_page->clear();
        QCOMPARE(rows(), rowsBefore + 1);
        QVERIFY(!m_page->session().receiveWorker());

        m_page->session().pushedDisplayPauseMs = 20;
        connectTo(QStringLiteral("TX310"), 312, 6); // plugged in again: a new link
        m_page->openThreadSlot();
        QVERIFY(m_page->session().receiveWorker());
        pushKey({49.0, 1.0, 2.0, 10.0, 90.0});
        // The cleared workspace has no standard: the next pushed result is one.
        QVERIFY(waitUntil([this] { return cell(kLRow, 1) == QLatin1String("49.00"); }));
        QCOMPARE(rows(), rowsBefore + 1);
    }
};

QTEST_MAIN(tst_measure_page)
#include "tst_measure_page.moc"
