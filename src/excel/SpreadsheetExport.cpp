#include "SpreadsheetExport.h"

#include "DeltaE.h"
#include "Dialogs.h"
#include "ExcelEngine.h"
#include "ExportTables.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr auto kComparisonPrefix = QLatin1String("CompareM");
constexpr auto kSpectralPrefix = QLatin1String("MeterData");

} // namespace

bool SpreadsheetExport::usesLegacyExport(const QString& modelName, int softwareVersion)
{
    return isFirstGenerationColorimeter(modelName, softwareVersion);
}

bool SpreadsheetExport::chooseTarget(QWidget* parent, const QString& prefix, QString& path, ExportOutcome& outcome)
{
    // The name checked for replacing is the name written: ".xlsx" is added
    // before that question, never after it.
    path = dialogs().saveFile(parent, tr("Storing data to Excel"),
                              proposedExportName(prefix, QDateTime::currentDateTime()),
                              QStringLiteral("excel file (*.xlsx)"), QStringLiteral("xlsx"));
    if (path.isEmpty()) {
        outcome = ExportOutcome::NoFileChosen;
        return false;
    }
    path = withXlsxSuffix(path);
    // The file is replaced only once the new one is complete; one that may
    // not be replaced is refused before anything is written.
    if (!ExcelEngine::isReplaceable(path)) {
        const QFileInfo info(path);
        if (!info.exists() && info.absoluteDir().exists()) {
            dialogs().information(parent, tr("Error"),
                                  tr("Can't create a file in the folder %1: the folder is read-only. Please choose another folder.")
                                      .arg(QDir::toNativeSeparators(info.absolutePath())));
        } else {
            dialogs().information(parent, tr("Error"), tr("Can't overwrite this file, maybe the file is in use!"));
        }
        outcome = ExportOutcome::CannotReplace;
        return false;
    }
    return true;
}

ExportOutcome SpreadsheetExport::writeTable(const QAbstractItemModel& rows, QWidget* parent, const QString& path,
                                            const std::function<void()>& clear)
{
    ExcelEngine engine(path);
    if (!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate)) {
        dialogs().information(parent, tr("Error"), tr("Failed to store data, can't open file!"));
        return ExportOutcome::CannotOpen;
    }
    const int maximum = rows.rowCount() + 1;
    auto progress = dialogs().progress(parent, tr("Storing data,please wait..."), tr("cancel"), 0, maximum);
    const bool written = engine.writeTable(rows, progress.get(), false) && engine.closeWorkbook();
    if (!written) {
        progress->close();
        dialogs().information(parent, tr("Error"), tr("Failed to export data to excel file"));
        return ExportOutcome::Failed;
    }
    if (engine.wasCancelled()) {
        progress->close();
        // The heading row is the table's first row.
        dialogs().information(parent, tr("Storing data"),
                              tr("Export cancelled: %1 of %2 records were stored to the file, and the records are kept.")
                                  .arg(qMax(0, engine.rowsWritten() - 1)).arg(rows.rowCount() - 1));
        return ExportOutcome::Cancelled;
    }
    progress->setValue(maximum);
    progress->close();
    if (clear) {
        clear();
    }
    dialogs().information(parent, tr("Storing data"), tr("Data stored to file Success"));
    return ExportOutcome::Written;
}

ExportOutcome SpreadsheetExport::comparison(const QAbstractItemModel& table, int displayMode, QWidget* parent,
                                            const std::function<void()>& clear)
{
    if (table.rowCount() < 1) {
        dialogs().information(parent, tr("error"), tr("No data for Storing to Excel!"));
        return ExportOutcome::NoData;
    }
    QString path;
    ExportOutcome outcome = ExportOutcome::Failed;
    if (!chooseTarget(parent, kComparisonPrefix, path, outcome)) {
        return outcome;
    }
    return writeTable(*comparisonExportTable(table, displayMode), parent, path, clear);
}

ExportOutcome SpreadsheetExport::spectral(const QAbstractItemModel& table, QWidget* parent,
                                          const std::function<void()>& clear)
{
    if (table.rowCount() <= 1) { // the first row is the heading row
        dialogs().information(parent, tr("error"), tr("No data for Storing to Excel!"));
        return ExportOutcome::NoData;
    }
    QString path;
    ExportOutcome outcome = ExportOutcome::Failed;
    if (!chooseTarget(parent, kSpectralPrefix, path, outcome)) {
        return outcome;
    }
    return writeTable(*spectralExportTable(table), parent, path, clear);
}

ExportOutcome SpreadsheetExport::legacyComparison(const QAbstractItemModel& table, bool chineseUi, QWidget* parent,
                                                  const std::function<void()>& clear)
{
    if (table.rowCount() < 1) {
        dialogs().information(parent, tr("error"), tr("No data for Storing to Excel!"));
        return ExportOutcome::NoData;
    }
    QString path;
    ExportOutcome outcome = ExportOutcome::Failed;
    if (!chooseTarget(parent, kComparisonPrefix, path, outcome)) {
        return outcome;
    }
    ExcelEngine engine(path);
    if (!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate)) {
        dialogs().information(parent, tr("Error"), tr("Failed to store data, can't open file!"));
        return ExportOutcome::CannotOpen;
    }
    if (!engine.writeRows(legacyExportRows(table, chineseUi)) || !engine.closeWorkbook()) {
        dialogs().information(parent, tr("Error"), tr("Failed to export data to excel file"));
        return ExportOutcome::Failed;
    }
    if (clear) {
        clear();
    }
    // This message follows the page's language flag, not the catalogue.
    if (chineseUi) {
        dialogs().information(parent, QStringLiteral("存储数据"), QStringLiteral("将数据成功存储到文件: \r\n\t%1").arg(path));
    } else {
        dialogs().information(parent, QStringLiteral("Storing data"), QStringLiteral("Data stored to file: \r\n\t%1").arg(path));
    }
    return ExportOutcome::Written;
}
