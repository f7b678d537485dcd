#pragma once
// The comparison tables of the workspace page and what they show: the
// records of the current work (current and legacy layout), their table
// models and views, the counters, the rows' Delete and Report buttons, the
// journal that keeps the rows, the statistics of the table shown and the
// column widths. The page owns one and hands its commands to it.

#include "ComparisonRecord.h"
#include "DisplayMode.h"

#include <QList>
#include <QObject>
#include <QStringList>

class ComparisonRecordList;
class ComparisonTableModel;
class Dialogs;
class FirstPageReport;
class JournalKeeper;
class QModelIndex;
class QPoint;
class QWidget;
class RbTableHeaderView;
class RecordTableModel;
class RecordTableView;
class StandardLibrary;
class StatisticsWindow;
struct ComparisonSettings;
struct FirstPageForm;
struct ImportResult;
struct InstrumentState;

class RecordTables final : public QObject
{
    Q_OBJECT
public:
    // form, dialogs and state must outlive the tables; boxes open over page.
    RecordTables(FirstPageForm& form, Dialogs& dialogs, InstrumentState& state, QWidget* page);
    ~RecordTables() override;

    // The current table, built with the page; the legacy one once its widgets are.
    void setUpCurrent();
    void setUpLegacy();

    // The records of the current work: the current table's and the legacy
    // table's. The tables, the export and the reports read them.
    ComparisonRecordList& records() { return *m_records; }
    ComparisonRecordList& legacyRecords() { return *m_legacyRecords; }
    // The tables' records through their column mappings (the export reads them).
    ComparisonTableModel& recordModel();
    ComparisonTableModel& legacyRecordModel();
    FirstPageReport& reports() { return *m_reports; }

    // The records of the table shown (the legacy one for a first-generation
    // colorimeter, or for its rows restored without one).
    const ComparisonRecordList& shownRecords() const;
    // Counters, derived from the records of the table shown (never negative).
    int unqualifiedCount() const;
    int qualifiedCount() const;
    int totalCount() const;
    // PASS rows with a warning (judged against a library standard's set).
    int warningCount() const;

    // Appends one finished comparison as a record (and so as a row).
    void addComparisonRow(const ComparisonRecord& record);
    void addComparisonRow_old(const ComparisonRecord& record);
    // Appends many finished comparisons (an import) at once.
    void addComparisonRows(const QList<ComparisonRecord>& records, bool legacy);
    // A comparison just judged: numbered and named after the rows of the
    // table of its layout, stamped with the serial number shown, into that
    // table (unless rows of another display mode are there).
    void addCompared(ComparisonRecord record);
    // Whether comparisons taken in displayMode may join the table (the current
    // one holds no rows of another mode); says why not when they may not.
    bool joinsTable(bool legacy, DisplayMode displayMode);
    // The display mode of the current table: the one its rows were taken in,
    // else the instrument's. Its columns, its export and new rows follow it.
    DisplayMode tableDisplayMode() const;
    // Every row of a table was written to a file: the journal's work is done with.
    void workExported(bool legacy);
    // The rows of an import, in one journal transaction, scrolled to the end.
    void appendImported(const ImportResult& result, bool legacy);
    // Every row judged again against settings (the one judging rule).
    void judgeRowsAgain(const ComparisonSettings& settings, bool legacy);
    // The rows of a layout go; the journal's open work is closed.
    void clearRows(bool legacy);

    // The columns of the table's display mode (tableDisplayMode()), and their widths.
    void applyDisplayMode();
    // The verdict cells, the rows' buttons and the headings, in the language in force.
    void retranslate();

    // The Delete (or Report) button of the row of a table's current cell
    // pressed: the record goes (or its report opens). Nothing without a current row.
    void pressCurrentRowButton(bool legacy, bool report);
    // A double click on a cell: the test name (column 1) is edited, nothing else.
    void editTestName(bool legacy, int row, int column);

    // The legacy table is the one shown (a first-generation colorimeter, or
    // its rows restored without one).
    bool showsLegacyTable() const;
    // The statistics window of the table shown.
    void showStatistics();
    QList<QStringList> statisticsSheet(bool legacy) const;
    // The batch report of a table's rows: all of them, those compared with
    // one standard (its index among the statistics' standards), or the rows
    // selected in the table. Offered by the tables' context menu.
    enum class BatchRows { All, Standard, Selected };
    void openBatchReport(bool legacy, BatchRows rows, int standard = -1);
    // The library of standards "Judge again with the current standards" reads; optional.
    void setStandards(const StandardLibrary* library) { m_standards = library; }
    // The selected rows of a table (all of them when none is selected) that
    // were judged against a library standard, judged again with each
    // standard's current version; a message says what changed.
    void judgeWithCurrentStandards(bool legacy);

    // The comparison journal in the file at path: rows are kept from now on,
    // and the rows of sessions left open are offered back. A journal that
    // cannot be used is named in one warning; the work goes on without it.
    void startJournal(const QString& path);
    // The journal that keeps the rows; optional.
    void setJournal(JournalKeeper* keeper);
    JournalKeeper* journal() const { return m_journal; }

Q_SIGNALS:
    // A row's button was pressed (its cell is current now), or a cell double-clicked.
    void rowButtonClicked(bool legacy, bool report);
    void cellDoubleClicked(bool legacy, int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpTableView(RecordTableView* table, bool legacy);
    void rowButtonPressed(const QModelIndex& index, bool legacy);
    void rowsShown(RecordTableView* table, int first, int last);
    void showCounters();
    void applyColumnWidths(int n);
    // The current table's columns for tableDisplayMode(), when it changed.
    void applyTableColumns();
    void applyLegacyColumnWidths();
    void setUpStatistics();
    void showBatchReportMenu(RecordTableView* table, bool legacy, const QPoint& at);
    QList<int> selectedRows(bool legacy) const;

    FirstPageForm& ui;
    Dialogs& m_dialogs;
    InstrumentState& m_state;
    QWidget* m_page;
    RbTableHeaderView* m_header = nullptr;
    RbTableHeaderView* m_legacyHeader = nullptr;
    ComparisonRecordList* m_records = nullptr;
    ComparisonRecordList* m_legacyRecords = nullptr;
    RecordTableModel* m_recordModel = nullptr;
    RecordTableModel* m_legacyRecordModel = nullptr;
    FirstPageReport* m_reports = nullptr;
    JournalKeeper* m_journal = nullptr;
    StatisticsWindow* m_statisticsWindow = nullptr;
    const StandardLibrary* m_standards = nullptr;
    int m_widthCount = 11; // n of the column widths in force
    bool m_columnsShown = false;                      // the current table's columns are set
    DisplayMode m_tableDisplayMode = DisplayMode::None; // the mode they show
};
