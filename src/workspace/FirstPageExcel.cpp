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
#include "RecordTables.h"
#include "SpreadsheetExport.h"
#include "StandardColorUpload.h"

#include <QTableWidget>

bool FirstPageFor310::on_pushButton_exportExcel_clicked()
{
    // The legacy table also when it is the one shown without an instrument
    // (rows restored from the journal): its rows are the ones the operator sees.
    if (m_tables->showsLegacyTable()) {
        return on_ExportExcelBtn_clicked();
    }
    // A written file is followed by the clear command, which asks first.
    // CSV, CGATS and CxF3 are written from the records themselves.
    // In the columns the table shows: the mode its rows were taken in.
    const bool written = SpreadsheetExport(m_dialogs).comparison(m_tables->recordModel(), m_tables->tableDisplayMode(),
                                                                 this, [this] { on_pushButton_clear_clicked(); },
                                                                 m_tables->statisticsSheet(false),
                                                                 m_tables->records().records())
                         == ExportOutcome::Written;
    if (written) {
        m_tables->workExported(false);
    }
    return written;
}

bool FirstPageFor310::on_ExportExcelBtn_clicked()
{
    // The legacy layout empties its table without asking.
    const bool written = SpreadsheetExport(m_dialogs).legacyComparison(m_tables->legacyRecordModel(), m_state.chineseUi,
                                                                       this, [this] { on_ClearBtn_clicked(); },
                                                                       m_tables->statisticsSheet(true),
                                                                       m_tables->legacyRecords().records())
                         == ExportOutcome::Written;
    if (written) {
        m_tables->workExported(true);
    }
    return written;
}

void FirstPageFor310::on_pushButton_writeStandardColor_clicked()
{
    StandardColorUpload::run(m_link, m_dialogs, this, m_state.modelName);
}
