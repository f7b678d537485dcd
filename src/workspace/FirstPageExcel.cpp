// The page's spreadsheet commands: the comparison exports of both layouts and
// the standard-colour upload (the spectral dialog's export is set up where
// the dialog is opened, FirstPageSpectral.cpp). The work is
// done by SpreadsheetExport and StandardColorUpload; the page hands in its
// records (through their column mappings), its display mode and its clear commands.

#include "FirstPageFor310.h"

#include "ComparisonJudging.h"
#include "ComparisonRecordList.h"
#include "ComparisonTableModel.h"
#include "FirstPageForm.h"
#include "JournalKeeper.h"
#include "SpreadsheetExport.h"
#include "StandardColorUpload.h"

#include <QTableWidget>

bool FirstPageFor310::on_pushButton_exportExcel_clicked()
{
    // The legacy table also when it is the one shown without an instrument
    // (rows restored from the journal): its rows are the ones the operator sees.
    if (showsLegacyTable()) {
        return on_ExportExcelBtn_clicked();
    }
    // A written file is followed by the clear command, which asks first.
    // CSV, CGATS and CxF3 are written from the records themselves.
    // In the columns the table shows: the mode its rows were taken in.
    const bool written = SpreadsheetExport(dialogs()).comparison(*m_recordModel, tableDisplayMode(), this,
                                                                 [this] { on_pushButton_clear_clicked(); },
                                                                 statisticsSheet(false), m_records->records())
                         == ExportOutcome::Written;
    if (written) {
        workExported(*m_records);
    }
    return written;
}

void FirstPageFor310::workExported(const ComparisonRecordList& list)
{
    // Every row is in the file, in whatever format: the work is done with
    // even when the operator keeps the rows on screen.
    if (m_journal && !list.isEmpty()) {
        m_journal->closeWork(&list);
    }
}

bool FirstPageFor310::on_ExportExcelBtn_clicked()
{
    // The legacy layout empties its table without asking.
    const bool written = SpreadsheetExport(dialogs()).legacyComparison(*m_legacyRecordModel, m_state.chineseUi, this,
                                                                       [this] { on_ClearBtn_clicked(); },
                                                                       statisticsSheet(true), m_legacyRecords->records())
                         == ExportOutcome::Written;
    if (written) {
        workExported(*m_legacyRecords);
    }
    return written;
}

void FirstPageFor310::on_pushButton_writeStandardColor_clicked()
{
    StandardColorUpload::run(m_link, dialogs(), this, m_state.modelName);
}
