// The spectral dialog, opened from the page for one modal visit. It reaches
// the instrument through the page's link access (asked at every exchange), so
// an unplug and replug while it is open is followed;
// "Export Excel" writes its table through the spreadsheet export.

#include "FirstPageFor310.h"
#include "MeterPageFor310.h"
#include "SpreadsheetExport.h"

#include <QTableWidget>

void FirstPageFor310::on_pushButton_spectralTransmittance_clicked()
{
    MeterPageFor310 page(m_link, m_dialogs, {m_state.layoutIndex, m_state.modelName, m_state.chineseUi}, this);
    page.setExportHandler([](MeterPageFor310& dialog) {
        // The exchange formats are written from the records, with the names
        // the table shows.
        QList<NamedSpectrum> spectra;
        for (int i = 0; i < dialog.records().size(); ++i) {
            spectra.append({dialog.records().at(i), dialog.recordName(i)});
        }
        // After a written file the dialog's clear command asks its own
        // question. The colour goes with the illuminant and observer the
        // Colour view shows.
        const ExportOutcome outcome = SpreadsheetExport(dialog.dialogs()).spectral(
            *dialog.table()->model(), &dialog, [&dialog] { dialog.on_pushButton_clearData_clicked(); }, spectra,
            dialog.context().layoutIndex, {dialog.colour().illuminant(), dialog.colour().observer()});
        return outcome == ExportOutcome::Written;
    });
    page.exec();
}
