// The spectral dialog, opened from the page for one modal visit. It reaches
// the instrument through the page's link access (asked at every exchange), so
// an unplug and replug while it is open is followed;
// "Export Excel" writes its table through the spreadsheet export;
// "Take as standard…" adds a curve to the library of standards when the
// picker has one.

#include "FirstPageFor310.h"
#include "InstrumentPanel.h"
#include "LibrarySpectrumStandards.h"
#include "MeterPageFor310.h"
#include "SpreadsheetExport.h"
#include "StandardLibrary.h"
#include "StandardPicker.h"
#include "StandardPickerPanel.h"

#include <QTableWidget>

#include <optional>

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
    std::optional<LibrarySpectrumStandards> standards;
    if (StandardLibrary* library = m_panel ? m_panel->standards().picker().library() : nullptr) {
        standards.emplace(*library, m_state.modelName, m_state.serialNumberText);
        page.setSpectrumStandards(&*standards);
        // The Compare view judges by the chosen standard's limits on curves.
        if (const std::optional<Standard>& chosen = m_panel->standards().picker().chosen()) {
            page.setStandardLimits(library->setOf(*chosen).limits);
        }
    }
    page.exec();
}
