#pragma once
// The measurement workspace page: the live standard/sample display, the
// display mode, the settings panel, the counters and the comparison table,
// in the current layout and in the legacy layout of first-generation
// colorimeters. The page reaches the instrument only through the link access
// it is given (the transport and the link lock, LinkAccess) and shows boxes
// only through the modal seam it is given (Dialogs), never through a global.
//
// The page's methods live in files by concern: FirstPageForm.cpp (widgets and
// texts), FirstPageFor310.cpp (display mode, language), FirstPageTable.cpp
// (rows, counters, clears, reports), FirstPageIdentify.cpp (who is attached),
// FirstPageSettings.cpp (settings panel), FirstPageImport.cpp (record import),
// FirstPageMeasure.cpp (measuring, pushed results), FirstPageStandardFile.cpp
// (a standard from a file), FirstPageExcel.cpp (export, standard upload),
// FirstPageJournal.cpp, FirstPageStatistics.cpp and FirstPageSpectral.cpp.

#include "InstrumentState.h"
#include "Judgement.h"
#include "LinkAccess.h"
#include "MeasurementReading.h"
#include "MyThread.h"
#include "RecordTable.h"
#include "WorkspaceRules.h"

#include <QList>
#include <QWidget>

#include <array>
#include <memory>

struct ComparisonRecord;
struct ComparisonSettings;
class ComparisonRecordList;
class ComparisonTableModel;
struct CurrentComparisonInput;
struct ImportResult;
struct LegacyComparisonInput;
struct ImportSettings;
class Dialogs;
class FirstPageReport;
class JournalKeeper;
class QButtonGroup;
class QKeyEvent;
class QTableWidget;
class QTimer;
class RbTableHeaderView;
class StatisticsWindow;
struct FirstPageForm;

class FirstPageFor310 : public QWidget
{
    Q_OBJECT
public:
    // Every exchange with the instrument goes through link (the main window's
    // InstrumentLink, or a test's emulated access), every box, question, file
    // and progress dialog through dialogs (the main window's modal seam, or a
    // test's scripted double). Both must outlive the page.
    // The parts that start hidden are built with the page, or Later: until
    // buildHiddenParts() their widgets stay null. They are the legacy layout
    // (first-generation colorimeters: its live display and its table, on the
    // second page of their stacks), the delta-E parameter panel (the second
    // page of the settings stack) and the standard's line edits of the rows
    // the display mode hides.
    enum class HiddenParts { Now, Later };
    FirstPageFor310(LinkAccess& link, Dialogs& dialogs, QWidget* parent = nullptr,
                    HiddenParts hiddenParts = HiddenParts::Now);
    // Builds what is not built yet of the hidden parts. The main window does
    // it right after its first frame, before an instrument is looked for and
    // before anything can show a legacy row.
    void buildHiddenParts();
    ~FirstPageFor310() override;
    // Where "meterno" is read from; default beside the executable. Reloads the table.
    void loadModelTable(const QString& path);
    // The journal that keeps the rows; optional.
    void setJournal(JournalKeeper* keeper);

    // The modal seam the page was given.
    Dialogs& dialogs() const { return m_dialogs; }

    // The link access the page was given.
    LinkAccess& link() const { return m_link; }
    bool isLinkOpen() const;

    // What the page knows of the attached instrument and of the comparison in
    // progress, read and written by measurement, settings and import.
    InstrumentState& state() { return m_state; }
    const InstrumentState& state() const { return m_state; }

    // The start-up language of a page built with its catalogue already in
    // force: the flag and the texts it chooses (no retranslation).
    void setChineseUi(bool chinese);

    const ModelTable& modelTable() const { return m_modelTable; }
    bool isFirstGeneration() const { return m_state.isFirstGeneration(); }
    FirstPageForm& form() { return *ui; }
    FirstPageReport& reports() { return *m_reports; }

    // The records of the current work: the current table's and the legacy
    // table's. The tables, the export and the reports read them.
    ComparisonRecordList& records() { return *m_records; }
    ComparisonRecordList& legacyRecords() { return *m_legacyRecords; }
    // The current table's records through its column mapping (the export reads it).
    ComparisonTableModel& recordModel() { return *m_recordModel; }
    ComparisonTableModel& legacyRecordModel() { return *m_legacyRecordModel; }
    // The records of the table shown (the legacy one for a first-generation
    // colorimeter, or for its rows restored without one).
    const ComparisonRecordList& shownRecords() const;
    // Counters, derived from the records of the table shown (never negative).
    int unqualifiedCount() const;
    int qualifiedCount() const;
    int totalCount() const;
    void showCounters();
    // The settings a new comparison is judged against (current or legacy layout).
    ComparisonSettings judgingSettings(bool legacy) const;
    // Appends one finished comparison as a record (and so as a row).
    void addComparisonRow(const ComparisonRecord& record);
    void addComparisonRow_old(const ComparisonRecord& record);
    // Appends many finished comparisons (an import) at once.
    void addComparisonRows(const QList<ComparisonRecord>& records, bool legacy);

    // The comparison journal in the file at path: rows are kept from now on,
    // and the rows of sessions left open are offered back. A journal that
    // cannot be used is named in one warning; the work goes on without it.
    void startJournal(const QString& path);
    JournalKeeper* journal() const { return m_journal; }

    // Shows and hides the display rows and table columns of the display mode.
    void applyDisplayMode();
    // "Load standard…" only in the modes a file standard can be judged in.
    void applyLoadStandardState();
    // The display mode of the current table: the one its rows were taken in,
    // else the instrument's. Its columns, its export and new rows follow it.
    int tableDisplayMode() const;
    // Identification of the attached instrument; false when it stopped at a failure.
    bool identifyDevice();

    // How long a result pushed by the instrument shows dashes before its values.
    int pushedDisplayPauseMs = 500;
    // The running receive worker, or null (FirstPageMeasure.cpp).
    MyThread* receiveWorker() const;

public Q_SLOTS:
    void openThreadSlot();
    void closeThreadSlot();
    void clear();
    void clear_old();
    void onDeviceConnected();
    virtual void languageChange();
    virtual void retranslate();
    void onButtonClicked(int id);
    void on_pushButton_clear_clicked();
    void on_ClearBtn_clicked();
    // A row's Delete and Report buttons (FirstPageRows.cpp): each acts on the
    // row of its table's current cell, where the pressed button stands.
    void on_DeleteBtn_clicked();
    void on_DeleteBtn_clicked_old();
    void on_ReportBtn_clicked();
    void on_ReportBtn_clicked_old();
    // A double click on a table's cell: the test name (column 1) is edited.
    void doubleClickedSlot(int row, int column);
    void doubleClickedSlot_old(int row, int column);
    // Opens the statistics of the shown table's records (FirstPageStatistics.cpp).
    void on_pushButton_statistics_clicked();
    // Opens the spectral dialog (FirstPageSpectral.cpp).
    void on_pushButton_spectralTransmittance_clicked();
    // Spreadsheet commands (FirstPageExcel.cpp): the comparison export of the
    // current layout (hands over to the legacy block for a first-generation
    // colorimeter) and of the legacy layout, true when a file was written;
    // the standard-colour upload.
    bool on_pushButton_exportExcel_clicked();
    bool on_ExportExcelBtn_clicked();
    void on_pushButton_writeStandardColor_clicked();
    // Measuring (FirstPageMeasure.cpp).
    void on_pushButton_standardMeasurement_clicked();
    void on_pushButton_sampleMeasurement_clicked();
    void on_stdmeasurementBtn_clicked();
    // A standard from a CGATS (.ti3/.txt) or CxF3 file instead of a scan
    // (FirstPageStandardFile.cpp): true when one was loaded.
    bool on_pushButton_loadStandard_clicked();
    bool on_loadstdBtn_clicked();
    bool loadStandardFile(const QString& path, bool legacy);
    // The standard file the operator chooses; empty when none.
    QString chooseStandardFile();
    void on_samplemeasurementBtn_clicked();
    void standardValueMeasurement();
    void sampleValueMeasurement();
    void readstdmeasurement();
    void readsamplemeasurement();
    void readstdmeasurement_old();
    void readsamplemeasurement_old();
    void SaveData(const QByteArray& chunk);
    void SaveData_old(const QByteArray& chunk);
    // The instrument settings panel (FirstPageSettings.cpp).
    int on_pushButton_readTolerance_clicked();
    void on_pushButton_setTolerance_clicked();
    int on_pushButton_readParameter_clicked();
    void on_pushButton_setParameter_clicked();
    void on_pushButton_setDisplayParameter_clicked();
    // Record import (FirstPageImport.cpp).
    void on_pushButton_readComparisonRecord_clicked();

public:
    // The legacy import, for a first-generation colorimeter (no button of its own).
    void on_readcolordifrecordBtn_clicked();

protected:
    void changeEvent(QEvent* event) override;
    // The tolerance and delta-E parameter reads after identification, by layout.
    void readSettingsAfterConnect();
    // The live displays back to dashes, and the measurement buttons' styles.
    void resetColorDiff();
    // The items of the live display's sample, difference and word columns.
    void resetColorDiffItems();
    void resetColorDiff_old();
    void resetMeasurementStyles();
    void resetMeasurementStyles_old();
    void applyLayout(bool firstGeneration);
    bool applyDisplayParameter(int displayMode);
    void setToleranceInputs(const ToleranceInputs& inputs);
    void setSpectralButtonText();
    void setUpLegacyLayout();
    // Gives these rows of the live display's standard column their line edit
    // ("-----", the delta-E row empty), keeping the edits it already has, and
    // keeps the edits in keyboard order, row after row.
    void completeStandardEdits(const QList<int>& rows);
    void setDisplayHeadings(QTableWidget* display);
    void setUpTableView(RecordTableView* table, bool legacy);
    // A row's Delete (the record goes) or Report button was pressed.
    void rowButtonPressed(const QModelIndex& index, bool legacy);
    void applyColumnWidths(int n);
    // The current table's columns for tableDisplayMode(), when it changed.
    void applyTableColumns();
    void applyLegacyColumnWidths();
    // New rows of a table: a single new row is scrolled into view.
    void rowsShown(RecordTableView* table, int first, int last);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // What every clear resets besides the display: standard, counters,
    // sequence, and the journal's open work.
    void resetComparisonWork();
    void relabelRows();
    // Whether comparisons taken in displayMode may join the table (the current
    // one holds no rows of another mode); says why not when they may not.
    bool joinsTable(bool legacy, int displayMode);
    // Every row of list was written to a file: the journal's work is done with.
    void workExported(const ComparisonRecordList& list);
    // Settings and import (FirstPageSettings.cpp, FirstPageImport.cpp).
    void clearComparisonTable(); // the Clear operation without its question
    void judgeAgain();           // the live comparison and every row, after a settings change
    void judgeLiveAgain();
    void judgeLiveAgain_old();
    void judgeRowsAgain();
    void judgeRowsAgain_old();
    ImportSettings importSettings() const;
    void appendImported(const ImportResult& result, bool legacy);

    // Measuring (FirstPageMeasure.cpp).
    struct PushedResult
    {
        int target = 0; // nextMeasurement when it arrived: 1 standard, 2 sample
        bool legacy = false;
        ColorReading reading;
    };
    bool startMeasurement(int target, bool legacy);
    void measure(int target, FetchPath path);
    void prepareColumn(int target, bool legacy);
    void showStandard(const ColorReading& reading);
    void showSample(const ColorReading& reading);
    void showStandard_old(const ColorReading& reading);
    void showSample_old(const ColorReading& reading);
    void compareSample();
    void compareSample_old();
    // The comparison just judged as a new row: its number, its "Comp" name,
    // the time, and the instrument that measured it.
    void addCompared(ComparisonRecord record, bool legacy);
    // The live displays' texts and the settings in force, as a comparison takes them.
    CurrentComparisonInput liveComparisonInput() const;
    LegacyComparisonInput liveLegacyComparisonInput() const;
    void clearJudgement(bool legacy);
    void refuseComparison(QTableWidget* display, int badStandardIndex, int badSampleIndex);
    void takePushedFrames(const QByteArray& chunk, int format, bool legacy);
    void showNextPushed();
    void showPushed(const PushedResult& result);
    // Shows every pushed result that has arrived, in order, without the pause.
    void showArrivedPushed();
    // The same when the worker stops; a partial frame left is dropped.
    void flushPushed();

    // Statistics (FirstPageStatistics.cpp): the legacy table is the one shown
    // (a first-generation colorimeter, or its rows restored without one).
    bool showsLegacyTable() const;
    void setUpStatistics();
    QList<QStringList> statisticsSheet(bool legacy) const;

    std::unique_ptr<FirstPageForm> ui;
    LinkAccess& m_link;
    Dialogs& m_dialogs;
    InstrumentState m_state;
    QButtonGroup* displayModeGroup = nullptr;
    RbTableHeaderView* dataHeader = nullptr;
    RbTableHeaderView* legacyDataHeader = nullptr;
    ModelTable m_modelTable;
    FirstPageReport* m_reports = nullptr;
    ComparisonRecordList* m_records = nullptr;
    ComparisonRecordList* m_legacyRecords = nullptr;
    RecordTableModel* m_recordModel = nullptr;
    RecordTableModel* m_legacyRecordModel = nullptr;
    JournalKeeper* m_journal = nullptr;
    StatisticsWindow* m_statisticsWindow = nullptr;
    std::unique_ptr<ReceiveWorker> m_receiver;
    QByteArray pushedData;              // pushed bytes that may still begin a frame
    QList<PushedResult> m_pushedQueue;  // pushed results waiting for their display
    QTimer* m_pushedTimer = nullptr;    // the dashes' pause of the first waiting result
    int m_widthCount = 11;              // n of the column widths in force
    int m_tableDisplayMode = -2;        // the mode the table's columns show (-2: none yet)
};
