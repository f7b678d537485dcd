#include "RecordTables.h"

#include "BatchReport.h"
#include "ComparisonColumns.h"
#include "ComparisonHeader.h"
#include "ComparisonRecordList.h"
#include "CurrentVersionJudging.h"
#include "ComparisonTableModel.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "InstrumentState.h"
#include "JournalKeeper.h"
#include "JournalPruning.h"
#include "RbTableHeaderView.h"
#include "RecordImport.h"
#include "RecordJournal.h"
#include "RecordTable.h"
#include "StatisticsTable.h"
#include "StatisticsWindow.h"
#include "WorkspaceRules.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSettings>
#include <QStackedWidget>

#include <algorithm>

namespace {

QString page(const char* text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

} // namespace

RecordTables::RecordTables(FirstPageForm& form, Dialogs& dialogs, InstrumentState& state, QWidget* page)
    : QObject(page), ui(form), m_dialogs(dialogs), m_state(state), m_page(page)
{
    // The records behind the tables: the tables are views of the records.
    m_records = new ComparisonRecordList(this);
    m_legacyRecords = new ComparisonRecordList(this);
    m_recordModel = new RecordTableModel(*m_records, ComparisonColumns::Layout::Current, this);
    m_legacyRecordModel = new RecordTableModel(*m_legacyRecords, ComparisonColumns::Layout::Legacy, this);
    m_reports = new FirstPageReport(m_dialogs, this);
}

RecordTables::~RecordTables() = default;

ComparisonTableModel& RecordTables::recordModel()
{
    return *m_recordModel;
}

ComparisonTableModel& RecordTables::legacyRecordModel()
{
    return *m_legacyRecordModel;
}

void RecordTables::setUpCurrent()
{
    // The header first: the view's default header would lay out every column
    // of the model only to be replaced.
    m_header = ComparisonHeader::install(ui.tableWidget_data);
    ui.tableWidget_data->setRecordModel(m_recordModel);
    connect(m_records, &ComparisonRecordList::appended, this,
            [this](int first, int last) { rowsShown(ui.tableWidget_data, first, last); });
    connect(m_legacyRecords, &ComparisonRecordList::appended, this, [this](int first, int last) {
        if (ui.tbData) {
            rowsShown(ui.tbData, first, last);
        }
    });
    for (ComparisonRecordList* list : {m_records, m_legacyRecords}) {
        connect(list, &ComparisonRecordList::countsChanged, this, &RecordTables::showCounters);
    }
    connect(m_records, &ComparisonRecordList::countsChanged, this, &RecordTables::applyTableColumns);
    // The counters are the shown table's.
    connect(ui.stackedWidget_data, &QStackedWidget::currentChanged, this, &RecordTables::showCounters);
    for (int column = ComparisonColumns::kCurrentFirstHidden; column < ComparisonColumns::kCurrentColumns; ++column) {
        ui.tableWidget_data->setColumnHidden(column, true);
    }
    setUpStatistics();
    setUpTableView(ui.tableWidget_data, false);
}

void RecordTables::setUpLegacy()
{
    m_legacyHeader = ComparisonHeader::installLegacy(ui.tbData);
    ui.tbData->setRecordModel(m_legacyRecordModel);
    for (int column = ComparisonColumns::kLegacyFirstHidden; column < ComparisonColumns::kLegacyColumns; ++column) {
        ui.tbData->setColumnHidden(column, true);
    }
    applyLegacyColumnWidths();
    setUpTableView(ui.tbData, true);
}

void RecordTables::setUpTableView(RecordTableView* table, bool legacy)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->viewport()->installEventFilter(this);
    // The pressed button's cell is current: the page's slots find their row there.
    connect(table, &RecordTableView::rowButtonClicked, this, [this, legacy, table](const QModelIndex& index) {
        Q_EMIT rowButtonClicked(legacy, !table->recordModel()->isDeleteColumn(index.column()));
    });
    connect(table, &QAbstractItemView::doubleClicked, this, [this, legacy](const QModelIndex& index) {
        Q_EMIT cellDoubleClicked(legacy, index.row(), index.column());
    });
    // The batch report, from the mouse's right button or the keyboard's menu key.
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this,
            [this, table, legacy](const QPoint& at) { showBatchReportMenu(table, legacy, at); });
}

const ComparisonRecordList& RecordTables::shownRecords() const
{
    return showsLegacyTable() ? *m_legacyRecords : *m_records;
}

int RecordTables::qualifiedCount() const
{
    return shownRecords().passCount();
}

int RecordTables::unqualifiedCount() const
{
    return shownRecords().ngCount();
}

int RecordTables::totalCount() const
{
    return shownRecords().size();
}

int RecordTables::warningCount() const
{
    const QList<ComparisonRecord>& shown = shownRecords().records();
    return int(std::count_if(shown.begin(), shown.end(),
                             [](const ComparisonRecord& r) { return r.pass && r.library.warning; }));
}

void RecordTables::showCounters()
{
    ui.lineEdit_unqualNum->setText(QString::number(unqualifiedCount()));
    ui.lineEdit_qualNum->setText(QString::number(qualifiedCount()));
    ui.lineEdit_totalNum->setText(QString::number(totalCount()));
    ui.lineEdit_warningNum->setText(QString::number(warningCount()));
}

void RecordTables::rowsShown(RecordTableView* table, int first, int last)
{
    // A hidden table (an import appending many rows) scrolls once at the end.
    if (first == last && table->isVisible()) {
        table->scrollToBottom();
    }
}

void RecordTables::addComparisonRow(const ComparisonRecord& record)
{
    addComparisonRows({record}, false);
}

void RecordTables::addComparisonRow_old(const ComparisonRecord& record)
{
    addComparisonRows({record}, true);
}

void RecordTables::addComparisonRows(const QList<ComparisonRecord>& records, bool legacy)
{
    // All rows in one insertion: every row inserted one by one makes the
    // model move the persistent indexes of every row button before it, which
    // grows with the square of the rows.
    QList<ComparisonRecord> taken = records;
    for (ComparisonRecord& record : taken) {
        record.legacy = legacy; // the table decides the layout the record is shown in
    }
    (legacy ? m_legacyRecords : m_records)->append(std::move(taken));
}

void RecordTables::addCompared(ComparisonRecord record)
{
    const bool legacy = record.legacy;
    if (!joinsTable(legacy, record.settings.displayMode)) {
        return;
    }
    // NO and name follow the table the row joins, not the other one's rows.
    ComparisonRecordList& list = legacy ? *m_legacyRecords : *m_records;
    record.sequence = list.size() + 1;
    record.testName = QStringLiteral("Comp%1").arg(list.takeNameNumber());
    record.serialNumber = ui.lineEdit_serialNo->text();
    addComparisonRows({record}, legacy);
}

bool RecordTables::joinsTable(bool legacy, DisplayMode displayMode)
{
    // Rows of another mode (restored from another instrument's session) stay
    // as they were taken until they are cleared: a row of this mode beside
    // them would be shown in their columns, with values it does not have.
    const DisplayMode taken = legacy ? DisplayMode::None : takenInDisplayMode(m_records->records());
    if (taken == DisplayMode::None || displayMode == DisplayMode::None || displayMode == taken) {
        return true;
    }
    m_dialogs.warning(m_page, page("Warn"),
                      page("The rows in the table were taken in the %1 mode: clear them (export them first if they "
                           "are still needed) before adding comparisons made in the %2 mode.")
                          .arg(ui.radioButton(displayModeIndex(taken))->text(),
                               ui.radioButton(displayModeIndex(displayMode))->text()));
    return false;
}

DisplayMode RecordTables::tableDisplayMode() const
{
    const DisplayMode taken = takenInDisplayMode(m_records->records());
    return taken != DisplayMode::None ? taken : m_state.displayMode;
}

void RecordTables::workExported(bool legacy)
{
    // Every row is in the file, in whatever format: the work is done with
    // even when the operator keeps the rows on screen.
    const ComparisonRecordList& list = legacy ? *m_legacyRecords : *m_records;
    if (m_journal && !list.isEmpty()) {
        m_journal->closeWork(&list);
    }
}

void RecordTables::appendImported(const ImportResult& result, bool legacy)
{
    if (result.rows.isEmpty() || !joinsTable(legacy, result.rows.first().settings.displayMode)) {
        return;
    }
    // One journal transaction and one insertion for the whole import.
    if (m_journal) {
        m_journal->beginBatch();
    }
    addComparisonRows(result.rows, legacy);
    (legacy ? ui.tbData : ui.tableWidget_data)->scrollToBottom();
    if (m_journal) {
        m_journal->endBatch();
    }
}

void RecordTables::judgeRowsAgain(const ComparisonSettings& settings, bool legacy)
{
    // The one judging rule over every record; the table follows the changed ones.
    (legacy ? m_legacyRecords : m_records)->judgeAgain(settings);
}

void RecordTables::clearRows(bool legacy)
{
    if (m_journal) {
        m_journal->closeWork();
    }
    (legacy ? m_legacyRecords : m_records)->clear();
}

// The row buttons are painted by the table, which says which one was pressed.
void RecordTables::rowButtonPressed(const QModelIndex& index, bool legacy)
{
    ComparisonRecordList* records = legacy ? m_legacyRecords : m_records;
    const RecordTableModel* model = legacy ? m_legacyRecordModel : m_recordModel;
    if (!index.isValid() || index.row() >= records->size()) {
        return;
    }
    if (model->isDeleteColumn(index.column())) {
        records->remove(index.row()); // the counters follow the records
    } else if (!model->isReportColumn(index.column())) {
        return;
    } else if (legacy) {
        m_reports->openLegacy(records->at(index.row()), m_state.chineseUi, m_page);
    } else {
        m_reports->openCurrent(records->at(index.row()), m_page);
    }
}

void RecordTables::pressCurrentRowButton(bool legacy, bool report)
{
    const RecordTableView* table = legacy ? ui.tbData : ui.tableWidget_data;
    if (!table || !table->recordModel() || !table->currentIndex().isValid()) {
        return;
    }
    const RecordTableModel* model = table->recordModel();
    rowButtonPressed(model->index(table->currentIndex().row(),
                                  ComparisonColumns::deleteColumn(model->layout()) + (report ? 1 : 0)),
                     legacy);
}

void RecordTables::editTestName(bool legacy, int row, int column)
{
    RecordTableView* table = legacy ? ui.tbData : ui.tableWidget_data;
    if (table && column == ComparisonColumns::kTestNameColumn && row >= 0 && row < table->model()->rowCount()) {
        table->edit(table->model()->index(row, column)); // nothing else is edited
    }
}

// ---- display mode, widths, language --------------------------------------------

void RecordTables::applyDisplayMode()
{
    m_columnsShown = false; // the columns again
    applyTableColumns();
}

void RecordTables::applyTableColumns()
{
    // The table shows its rows in the mode they were taken in (rows restored
    // from another instrument's session), until they are exported or cleared.
    const DisplayMode mode = tableDisplayMode();
    if (m_columnsShown && mode == m_tableDisplayMode) {
        return;
    }
    m_columnsShown = true;
    m_tableDisplayMode = mode;
    const DisplayModeView view = displayModeView(mode);
    for (int column = 3; column <= 27; ++column) {
        ui.tableWidget_data->setColumnHidden(column, !view.dataColumns.contains(column));
    }
    applyColumnWidths(view.n);
}

// The columns share the width the table has inside its window (not the
// desktop's), so the verdict and the buttons stay in view; again at each resize.
void RecordTables::applyColumnWidths(int n)
{
    m_widthCount = n;
    const QList<int> widths = currentColumnWidths(n, ui.tableWidget_data->viewport()->width());
    for (int column = 0; column < widths.size(); ++column) {
        ui.tableWidget_data->setColumnWidth(column, widths.at(column));
    }
}

void RecordTables::applyLegacyColumnWidths()
{
    const QList<int> widths = legacyColumnWidths(ui.tbData->viewport()->width());
    for (int column = 0; column < widths.size(); ++column) {
        ui.tbData->setColumnWidth(column, widths.at(column));
    }
}

bool RecordTables::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->size().width() != resize->oldSize().width()) {
            if (watched == ui.tableWidget_data->viewport()) {
                applyColumnWidths(m_widthCount);
            } else if (ui.tbData && watched == ui.tbData->viewport()) {
                applyLegacyColumnWidths();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecordTables::retranslate()
{
    // The verdict cells, from the verdict kept as data, and the rows' buttons
    // and their names.
    m_recordModel->relabel();
    m_legacyRecordModel->relabel();
    ComparisonHeader::retranslate(m_header);
    if (m_legacyHeader) {
        ComparisonHeader::retranslateLegacy(m_legacyHeader);
    }
    for (RecordTableView* table : {ui.tableWidget_data, ui.tbData}) {
        if (table) {
            table->horizontalHeader()->viewport()->update();
        }
    }
}

// ---- statistics -------------------------------------------------------------

bool RecordTables::showsLegacyTable() const
{
    return m_state.isFirstGeneration() || ui.stackedWidget_data->currentWidget() == ui.page_oldData;
}

void RecordTables::setUpStatistics()
{
    // An open window follows the table shown (another instrument, restored legacy rows).
    connect(ui.stackedWidget_data, &QStackedWidget::currentChanged, this, [this] {
        if (m_statisticsWindow) {
            m_statisticsWindow->setRecordList(showsLegacyTable() ? m_legacyRecords : m_records);
        }
    });
    m_reports->setStatisticsSource([this] {
        const ComparisonRecordList& list = showsLegacyTable() ? *m_legacyRecords : *m_records;
        WorkStatistics work(shownQuantities(list.records()));
        work.rebuild(list.records());
        // The window's choice when it is open, so the page shows what the operator looks at.
        const ChartChoice choice = m_statisticsWindow && m_statisticsWindow->isVisible()
                                       ? m_statisticsWindow->choice()
                                       : defaultChartChoice(work);
        return reportStatisticsPage(work, choice);
    });
}

void RecordTables::showStatistics()
{
    if (!m_statisticsWindow) {
        m_statisticsWindow = new StatisticsWindow(m_page);
        connect(m_statisticsWindow, &StatisticsWindow::rowActivated, this, [this](int row) {
            RecordTableView* table = showsLegacyTable() ? ui.tbData : ui.tableWidget_data;
            if (row >= 0 && row < table->model()->rowCount()) {
                table->selectRow(row);
                table->scrollTo(table->model()->index(row, 0));
            }
        });
    }
    m_statisticsWindow->setRecordList(showsLegacyTable() ? m_legacyRecords : m_records);
    m_statisticsWindow->show();
    m_statisticsWindow->raise();
    m_statisticsWindow->activateWindow();
}

QList<QStringList> RecordTables::statisticsSheet(bool legacy) const
{
    return ::statisticsSheet(legacy ? m_legacyRecords->records() : m_records->records());
}

// ---- the journal ----------------------------------------------------------------

void RecordTables::setJournal(JournalKeeper* keeper)
{
    m_journal = keeper;
    if (m_journal) {
        m_journal->watch(m_records, false);
        m_journal->watch(m_legacyRecords, true);
        m_journal->setCounter([this] { return std::max(m_records->comparisonSequence(), m_legacyRecords->comparisonSequence()); });
    }
}

// Pruning old history as the settings ask (and saying so), and offering back
// the records of sessions a crash or a closed window left open.
void RecordTables::startJournal(const QString& path)
{
    auto journal = std::make_unique<RecordJournal>(path);
    if (!journal->open()) {
        m_dialogs.warning(m_page, page("Warn"),
                          page("The comparison journal cannot be used: %1\nTintwell goes on without it; "
                               "the rows of this session are kept in memory only.")
                              .arg(journal->errorText()));
        return;
    }
    if (!journal->movedAsideTo().isEmpty()) {
        m_dialogs.warning(m_page, page("Warn"),
                          page("The comparison journal %1 was damaged. It was moved to %2 and a new one started.")
                              .arg(journal->fileName(), journal->movedAsideTo()));
    }
    journal->setFailureHandler([this](const QString& error) {
        m_dialogs.warning(m_page, page("Warn"),
                          page("The comparison journal stopped working: %1\nTintwell goes on without it; "
                               "the rows of this session are kept in memory only.")
                              .arg(error));
    });
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tintwell"),
                       QStringLiteral("Tintwell"));
    const JournalPruning pruning = JournalPruning::load(settings);
    const RecordJournal::Pruned pruned = pruning.apply(*journal, QDateTime::currentDateTime());
    if (pruned.sessions > 0) {
        m_dialogs.information(m_page, page("Tip"),
                              page("Sessions closed more than %3 days ago were removed from the comparison journal: "
                                   "%2 sessions, %1 comparisons (setting journal/pruneClosedAfterDays in %4).")
                                  .arg(pruned.records)
                                  .arg(pruned.sessions)
                                  .arg(pruning.closedAfterDays)
                                  .arg(settings.fileName()));
    }
    auto* keeper = new JournalKeeper(std::move(journal), this);
    setJournal(keeper);
    // Sessions left open are offered one by one; each one restored joins the
    // work, each one declined stays as closed history.
    bool restoredAny = false;
    bool restoredLegacy = false;
    for (const JournalSession& session : keeper->openSessions()) {
        const QString when = session.started.toString(QStringLiteral("yyyy/MM/dd  hh:mm"));
        const QString model = session.model.isEmpty() ? page("UnKnow") : session.model;
        const bool yes = m_dialogs.question(
            m_page, page("Tip"),
            page("%1 comparison rows of the session of %2 (%3) were not cleared or exported. Restore them?")
                .arg(session.recordCount)
                .arg(when, model));
        if (!yes) {
            keeper->keepAsHistory(session);
            continue;
        }
        const JournalKeeper::Restored restored = keeper->restore(session);
        // The names go on from the session's counter in the tables it filled.
        for (auto [list, count] : {std::pair{m_records, restored.current}, {m_legacyRecords, restored.legacy}}) {
            if (count > 0) {
                list->setComparisonSequence(std::max(list->comparisonSequence(), restored.counter));
            }
        }
        restoredAny = true;
        restoredLegacy = restoredLegacy || (restored.legacy > 0 && restored.current == 0);
    }
    if (restoredAny) {
        // The rows come back into the table they were taken in, shown until an
        // instrument is identified.
        ui.stackedWidget_data->setCurrentWidget(restoredLegacy ? ui.page_oldData : ui.page_newData);
        ui.stackedWidget_comparisonMeasurement->setCurrentWidget(
            restoredLegacy ? ui.page_oldComparisonMeasurement : ui.page_newComparisonMeasurement);
    }
}
