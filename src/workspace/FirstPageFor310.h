#pragma once
// The measurement workspace page: the live standard/sample display, the
// display mode, the settings panel, the counters and the comparison table,
// in the current layout and in the legacy layout of first-generation
// colorimeters. The page reaches the instrument only through the link access
// it is given (the transport and the link lock, LinkAccess) and shows boxes
// only through the modal seam it is given (Dialogs), never through a global.
//
// The page is the view: its slots (the names the form's buttons and the main
// window call) hand over to the plain classes it owns, each of one concern
// and driven by tests without the page: the measuring session
// (MeasurementSession: where a result goes, the live standard and sample as
// numbers, pushed results, the judged comparison), the live display drawn
// from it (LiveDisplay), the tables with their records, counters, journal and
// statistics (RecordTables), and the instrument panel (InstrumentPanel:
// identification, layout, display mode, settings). The slots live in files
// by concern: FirstPageFor310.cpp (building, language, clears),
// FirstPageMeasure.cpp, FirstPageSettings.cpp, FirstPageImport.cpp,
// FirstPageStandardFile.cpp, FirstPageExcel.cpp, FirstPageStatistics.cpp and
// FirstPageSpectral.cpp.

#include "InstrumentState.h"
#include "LinkAccess.h"

#include <QWidget>

#include <memory>

class Dialogs;
class InstrumentPanel;
class LiveDisplay;
class MeasurementSession;
class RecordTables;
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

    FirstPageForm& form() { return *ui; }
    // What the page knows of the attached instrument, read and written by
    // identification, settings, measurement and import.
    InstrumentState& state() { return m_state; }
    // Measuring: where the next result goes, the live comparison, pushed results.
    MeasurementSession& session() { return *m_session; }
    // The records of the current work, their tables, counters, journal and statistics.
    RecordTables& tables() { return *m_tables; }
    // Identification, layout, display mode and the settings panel; the link
    // access and the modal seam the page was given.
    InstrumentPanel& panel() { return *m_panel; }

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
    // Opens the statistics of the shown table's records.
    void on_pushButton_statistics_clicked();
    // Opens the spectral dialog.
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
    void on_samplemeasurementBtn_clicked();
    void standardValueMeasurement();
    void sampleValueMeasurement();
    void readstdmeasurement();
    void readsamplemeasurement();
    void readstdmeasurement_old();
    void readsamplemeasurement_old();
    // Bytes the receive worker read: results the instrument pushed.
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

private:
    // Shared so the page needs no destructor of its own where the form is incomplete.
    std::shared_ptr<FirstPageForm> ui;
    LinkAccess& m_link;
    Dialogs& m_dialogs;
    InstrumentState m_state;
    MeasurementSession* m_session = nullptr;
    LiveDisplay* m_display = nullptr;
    RecordTables* m_tables = nullptr;
    InstrumentPanel* m_panel = nullptr;
};
