// The comparison table of the workspace page: appending rows, the counters,
// the rows' Delete and Report buttons and the clears.

#include "FirstPageFor310.h"

#include "ComparisonJudging.h"
#include "ComparisonRecordList.h"
#include "Dialogs.h"
#include "FirstPageForm.h"
#include "FirstPageReport.h"
#include "JournalKeeper.h"

#include <QLineEdit>
#include <QRadioButton>

// The counters are those of the table shown: rows of the other table (a
// haze meter's rows kept while a first-generation colorimeter is attached)
// are neither counted nor cleared with it.
const ComparisonRecordList& FirstPageFor310::shownRecords() const
{
    return showsLegacyTable() ? *m_legacyRecords : *m_records;
}

int FirstPageFor310::qualifiedCount() const
{
    return shownRecords().passCount();
}

int FirstPageFor310::unqualifiedCount() const
{
    return shownRecords().ngCount();
}

int FirstPageFor310::totalCount() const
{
    return shownRecords().size();
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

bool FirstPageFor310::joinsTable(bool legacy, int displayMode)
{
    // Rows of another mode (restored from another instrument's session) stay
    // as they were taken until they are cleared: a row of this mode beside
    // them would be shown in their columns, with values it does not have.
    const int taken = legacy ? -1 : takenInDisplayMode(m_records->records());
    if (taken < 0 || displayMode < 0 || displayMode == taken) {
        return true;
    }
    dialogs().warning(this, tr("Warn"),
                      tr("The rows in the table were taken in the %1 mode: clear them (export them first if they "
                         "are still needed) before adding comparisons made in the %2 mode.")
                          .arg(ui->radioButton(taken)->text(), ui->radioButton(displayMode)->text()));
    return false;
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

// The row buttons are painted by the table, which says which one was pressed.
void FirstPageFor310::rowButtonPressed(const QModelIndex& index, bool legacy)
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
        m_reports->openLegacy(records->at(index.row()), m_state.chineseUi, this);
    } else {
        m_reports->openCurrent(records->at(index.row()), this);
    }
}

void FirstPageFor310::on_pushButton_clear_clicked()
{
    if (showsLegacyTable()) {
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
