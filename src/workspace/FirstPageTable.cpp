// The comparison table of the workspace page: appending rows, the counters,
// the rows' Delete and Report buttons, editing a test name and the clears.

#include "FirstPageFor310.h"

#include "ComparisonColumns.h"
#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "JournalKeeper.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

namespace {

QPushButton* rowButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    // Their look, "min-height:12px;padding:0px;", comes from one rule of the
    // application sheet: a sheet of its own on every button costs a tenth of a
    // millisecond per row, which an import of thousands of rows feels.
    return button;
}

} // namespace

int FirstPageFor310::qualifiedCount() const
{
    return m_records->passCount() + m_legacyRecords->passCount();
}

int FirstPageFor310::unqualifiedCount() const
{
    return m_records->ngCount() + m_legacyRecords->ngCount();
}

int FirstPageFor310::totalCount() const
{
    return m_records->size() + m_legacyRecords->size();
}

void FirstPageFor310::showCounters()
{
    ui->lineEdit_unqualNum->setText(QString::number(unqualifiedCount()));
    ui->lineEdit_qualNum->setText(QString::number(qualifiedCount()));
    ui->lineEdit_totalNum->setText(QString::number(totalCount()));
}

void FirstPageFor310::attachRowButtons(QTableWidget* table, int row)
{
    const bool legacy = table == ui->tbData;
    const int deleteColumn = legacy ? ComparisonColumns::kLegacyDeleteColumn : ComparisonColumns::kCurrentDeleteColumn;
    if (table->cellWidget(row, deleteColumn)) {
        return;
    }
    QPushButton* remove = rowButton(tr("Delete"), this);
    QPushButton* report = rowButton(tr("Report"), this);
    connect(remove, &QPushButton::clicked, this,
            legacy ? &FirstPageFor310::on_DeleteBtn_clicked_old : &FirstPageFor310::on_DeleteBtn_clicked);
    connect(report, &QPushButton::clicked, this,
            legacy ? &FirstPageFor310::on_ReportBtn_clicked_old : &FirstPageFor310::on_ReportBtn_clicked);
    for (QPushButton* button : {remove, report}) {
        button->installEventFilter(this); // the table's keys go on from a row button
    }
    table->setCellWidget(row, deleteColumn, remove);
    table->setCellWidget(row, deleteColumn + 1, report);
    nameRowButtons(table, row, row);
}

// What assistive technology calls the row buttons: the row's place (1 the
// first) and its test name. Places change when a row above goes, names when
// a test is renamed, both with the language.
void FirstPageFor310::nameRowButtons(QTableWidget* table, int firstRow, int lastRow)
{
    const bool legacy = table == ui->tbData;
    const int deleteColumn = legacy ? ComparisonColumns::kLegacyDeleteColumn : ComparisonColumns::kCurrentDeleteColumn;
    for (int row = std::max(firstRow, 0); row <= lastRow && row < table->rowCount(); ++row) {
        if (QWidget* remove = table->cellWidget(row, deleteColumn)) {
            remove->setAccessibleName(tr("Delete row %1").arg(row + 1));
        }
        if (QWidget* report = table->cellWidget(row, deleteColumn + 1)) {
            const QTableWidgetItem* name = table->item(row, 1);
            report->setAccessibleName(tr("Report for %1").arg(name ? name->text() : QString()));
        }
    }
}

// A row button reached from the keyboard: the table's current cell moved onto
// it while the table (or another row button) had the focus.
void FirstPageFor310::focusRowButton(QTableWidget* table, int row, int column)
{
    const bool legacy = table == ui->tbData;
    const int deleteColumn = legacy ? ComparisonColumns::kLegacyDeleteColumn : ComparisonColumns::kCurrentDeleteColumn;
    if (column != deleteColumn && column != deleteColumn + 1) {
        return;
    }
    const auto keyboardInTable = [table] {
        const QWidget* focused = QApplication::focusWidget();
        return focused && (focused == table || focused->parentWidget() == table->viewport());
    };
    if (!keyboardInTable()) {
        return;
    }
    // Later, not now: the current cell also moves while the model removes
    // rows, and a cell widget set then would change the view's editors
    // under its feet.
    QPointer<QTableWidget> guarded(table);
    QMetaObject::invokeMethod(
        this,
        [this, guarded, row, column, keyboardInTable] {
            if (!guarded || guarded->currentRow() != row || guarded->currentColumn() != column || !keyboardInTable()) {
                return;
            }
            attachRowButtons(guarded, row);
            if (QWidget* button = guarded->cellWidget(row, column)) {
                button->setFocus(Qt::TabFocusReason);
            }
        },
        Qt::QueuedConnection);
}

// Keys that move through the table, pressed on a row button, move the
// table's current cell as they would on the table itself.
bool FirstPageFor310::forwardTableKey(QObject* watched, QKeyEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(watched);
    QWidget* viewport = button ? button->parentWidget() : nullptr;
    QTableWidget* table = nullptr;
    for (QTableWidget* candidate : {ui->tableWidget_data, ui->tbData}) {
        if (viewport && viewport == candidate->viewport()) {
            table = candidate;
        }
    }
    if (!table) {
        return false;
    }
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    default:
        return false;
    }
    // From the button's own cell, which a click does not make current.
    const QPoint centre = button->geometry().center();
    const int row = table->rowAt(centre.y());
    const int column = table->columnAt(centre.x());
    if (row >= 0 && column >= 0 && (row != table->currentRow() || column != table->currentColumn())) {
        table->setCurrentCell(row, column);
    }
    table->setFocus(Qt::OtherFocusReason);
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(table, &copy);
    return true;
}

void FirstPageFor310::ensureRowButtons(QTableWidget* table)
{
    // Thousands of button widgets make every later show, hide and move of one
    // of them walk all the others. Rows of a large import get their buttons
    // when they come into view (scrolling, resizing, showing the table).
    constexpr int kMargin = 20;
    constexpr int kHiddenWindow = 60; // a hidden table will show its bottom
    const int rows = table->rowCount();
    if (rows == 0) {
        return;
    }
    int first = 0;
    int last = rows - 1;
    if (table->isVisible()) {
        const int top = table->rowAt(0);
        const int bottom = table->rowAt(table->viewport()->height() - 1);
        first = std::max(0, (top < 0 ? 0 : top) - kMargin);
        last = std::min(rows - 1, (bottom < 0 ? rows - 1 : bottom) + kMargin);
    } else {
        first = std::max(0, rows - kHiddenWindow);
    }
    for (int row = first; row <= last; ++row) {
        attachRowButtons(table, row);
    }
}

void FirstPageFor310::rowsShown(QTableWidget* table, int first, int last)
{
    if (first == last) {
        attachRowButtons(table, first);
        // A hidden table (an import appending many rows) scrolls once at the end:
        // each scroll lays out every row's buttons again.
        if (table->isVisible()) {
            table->scrollToBottom();
        }
    }
    if (first != last) {
        ensureRowButtons(table);
    }
}

void FirstPageFor310::addComparisonRow(const ComparisonRecord& record)
{
    addComparisonRows({record}, false);
}

void FirstPageFor310::addComparisonRow_old(const ComparisonRecord& record)
{
    addComparisonRows({record}, true);
}

void FirstPageFor310::addComparisonRows(const QList<ComparisonRecord>& records, bool legacy)
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

void FirstPageFor310::doubleClickedSlot(int row, int column)
{
    if (column == 1) {
        ui->tableWidget_data->editItem(ui->tableWidget_data->item(row, column));
    }
}

void FirstPageFor310::doubleClickedSlot_old(int row, int column)
{
    if (column == 1) {
        ui->tbData->editItem(ui->tbData->item(row, column));
    }
}

int FirstPageFor310::deleteRowOfSender(QTableWidget* table, ComparisonRecordList& records)
{
    const auto* button = qobject_cast<QPushButton*>(sender());
    if (!button) {
        return -1;
    }
    const int row = FirstPageReport::rowOfCellButton(*table, button);
    // The counters follow the records: only a record that is removed is uncounted.
    if (row < 0 || row >= records.size()) {
        return -1;
    }
    if (button->hasFocus()) {
        // The keyboard stays in the table; and a focused button that goes
        // would hand the focus on from inside the removal.
        table->setFocus(Qt::OtherFocusReason);
    }
    records.remove(row);
    nameRowButtons(table, row, table->rowCount() - 1);
    return row;
}

void FirstPageFor310::on_DeleteBtn_clicked()
{
    deleteRowOfSender(ui->tableWidget_data, *m_records);
}

void FirstPageFor310::on_DeleteBtn_clicked_old()
{
    deleteRowOfSender(ui->tbData, *m_legacyRecords);
}

void FirstPageFor310::on_ReportBtn_clicked()
{
    const int row = FirstPageReport::rowOfCellButton(*ui->tableWidget_data, qobject_cast<QWidget*>(sender()));
    if (row >= 0 && row < m_records->size()) {
        m_reports->openCurrent(m_records->at(row), this);
    }
}

void FirstPageFor310::on_ReportBtn_clicked_old()
{
    const int row = FirstPageReport::rowOfCellButton(*ui->tbData, qobject_cast<QWidget*>(sender()));
    if (row >= 0 && row < m_legacyRecords->size()) {
        m_reports->openLegacy(m_legacyRecords->at(row), m_state.chineseUi, this);
    }
}

void FirstPageFor310::on_pushButton_clear_clicked()
{
    // The legacy table also when it is the one shown without an instrument
    // (rows restored from the journal).
    if (isFirstGeneration() || ui->stackedWidget_data->currentWidget() == ui->page_oldData) {
        on_ClearBtn_clicked();
        return;
    }
    if (ui->tableWidget_data->rowCount() > 0) {
        const DialogButton answer = dialogs().message(
            this, MessageIcon::Question, tr("Tip"),
            tr("Clearing data will clear all comparison records. Are you sure you want to clear it?"),
            static_cast<int>(DialogButton::Yes) | static_cast<int>(DialogButton::No));
        if (answer != DialogButton::Yes) {
            return;
        }
    }
    clearComparisonTable();
}

void FirstPageFor310::on_ClearBtn_clicked()
{
    resetColorDiff_old();
    resetMeasurementStyles_old();
    resetComparisonWork();
    m_legacyRecords->clear();
}

void FirstPageFor310::resetComparisonWork()
{
    m_state.standardTaken = false;
    m_state.nextMeasurement = 1;
    m_state.comparisonSequence = 0;
    if (m_journal) {
        m_journal->closeWork();
    }
}

void FirstPageFor310::clear()
{
    if (isFirstGeneration()) {
        clear_old();
        return;
    }
    ui->lineEdit_serialNo->clear();
    ui->lineEdit_firmwareVersion->clear();
    resetColorDiff();
    resetMeasurementStyles();
    m_state.hazeTolerance = m_state.transmittanceTolerance = m_state.deltaEThreshold = -1.0;
    m_state.standardTaken = false;
    m_state.nextMeasurement = 1; // with no standard, the next pushed result is one
    ui->lineEdit_hazeTolerance->clear();
    ui->lineEdit_tTolerance->clear();
    ui->lineEdit_eThresholds->clear();
}

void FirstPageFor310::clear_old()
{
    ui->lineEdit_serialNo->clear();
    ui->lineEdit_firmwareVersion->clear();
    resetColorDiff_old();
    resetMeasurementStyles_old();
    m_state.deltaEThreshold = -1.0;
    m_state.standardTaken = false;
    m_state.nextMeasurement = 1;
}
