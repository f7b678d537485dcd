// The comparison table of the workspace page: appending rows, the counters,
// the rows' Delete and Report buttons, editing a test name and the clears.

#include "FirstPageFor310.h"

#include "ComparisonColumns.h"
#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "JournalKeeper.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>

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

void FirstPageFor310::rowsShown(RecordTableView* table, int first, int last)
{
    // A hidden table (an import appending many rows) scrolls once at the end.
    if (first == last && table->isVisible()) {
        table->scrollToBottom();
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
    if (column == ComparisonColumns::kTestNameColumn) {
        ui->tableWidget_data->edit(m_recordModel->index(row, column));
    }
}

void FirstPageFor310::doubleClickedSlot_old(int row, int column)
{
    if (column == ComparisonColumns::kTestNameColumn) {
        ui->tbData->edit(m_legacyRecordModel->index(row, column));
    }
}

// The row buttons are painted by the table: a press makes its cell current
// and calls these slots, which act on that row only.
int FirstPageFor310::rowOfCurrentButton(const RecordTableView* table, bool report) const
{
    const QModelIndex current = table->currentIndex();
    const RecordTableModel* model = table->recordModel();
    if (!current.isValid() || !(report ? model->isReportColumn(current.column()) : model->isDeleteColumn(current.column()))
        || current.row() >= model->rowCount()) {
        return -1;
    }
    return current.row();
}

void FirstPageFor310::on_DeleteBtn_clicked()
{
    const int row = rowOfCurrentButton(ui->tableWidget_data, false);
    if (row >= 0) {
        m_records->remove(row); // the counters follow the records
    }
}

void FirstPageFor310::on_DeleteBtn_clicked_old()
{
    const int row = rowOfCurrentButton(ui->tbData, false);
    if (row >= 0) {
        m_legacyRecords->remove(row);
    }
}

void FirstPageFor310::on_ReportBtn_clicked()
{
    const int row = rowOfCurrentButton(ui->tableWidget_data, true);
    if (row >= 0) {
        m_reports->openCurrent(m_records->at(row), this);
    }
}

void FirstPageFor310::on_ReportBtn_clicked_old()
{
    const int row = rowOfCurrentButton(ui->tbData, true);
    if (row >= 0) {
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
    if (!m_records->isEmpty()) {
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
