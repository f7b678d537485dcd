#include "SpreadsheetExport.h"

#include "CsvFormat.h"
#include "DeltaE.h"
#include "Dialogs.h"
#include "ExcelEngine.h"
#include "ExportTables.h"
#include "ExtraSheet.h"
#include "FileFolders.h"
#include "InstrumentGeneration.h"
#include "ReadingsSheet.h"
#include "SpectralColourSheet.h"
#include "Readings.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcExcel)

namespace {

constexpr auto kComparisonPrefix = QLatin1String("CompareM");
constexpr auto kSpectralPrefix = QLatin1String("MeterData");

// A colour exchange file is CGATS or CxF3, as its name says.
enum class FileFormat { Workbook, Csv, ColourExchange };

FileFormat formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv")) {
        return FileFormat::Csv;
    }
    if (suffix == QLatin1String("ti3") || suffix == QLatin1String("cxf")) {
        return FileFormat::ColourExchange;
    }
    return FileFormat::Workbook;
}

} // namespace

QString SpreadsheetExport::fileFilter()
{
    return QStringList{QStringLiteral("excel file (*.xlsx)"), tr("CSV, UTF-8 (*.csv)"), tr("CGATS measurement file (*.ti3)"),
                       tr("CxF3 colour exchange (*.cxf)")}
        .join(QStringLiteral(";;"));
}

ExportOutcome SpreadsheetExport::writeExchange(QWidget* parent, const std::function<bool(QString*)>& write,
                                               const std::function<void()>& clear)
{
    QString error;
    if (!write(&error)) {
        qCWarning(lcExcel) << "export not written:" << error;
        m_dialogs.information(parent, tr("Error"), tr("Failed to store data: %1").arg(error));
        return ExportOutcome::Failed;
    }
    if (clear) {
        clear();
    }
    m_dialogs.information(parent, tr("Storing data"), tr("Data stored to file Success"));
    return ExportOutcome::Written;
}

ExportOutcome SpreadsheetExport::comparisonExchange(const QString& path, const QList<ComparisonRecord>& records,
                                                    qsizetype rows, DisplayMode displayMode, bool chineseUi, QWidget* parent,
                                                    const std::function<void()>& clear)
{
    return writeExchange(
        parent,
        [&](QString* error) {
            // Written from the records alone: without them nothing is written
            // rather than a file missing rows.
            if (records.size() != rows) {
                *error = tr("the table's records are not at hand (%1 of %2)").arg(records.size()).arg(rows);
                return false;
            }
            const FileFormat format = formatOf(path);
            if (format == FileFormat::Csv) {
                return formats::writeComparisonCsvFile(records, displayMode, chineseUi, path, error);
            }
            // CGATS may carry one set per reading of rows read several times; CxF3 their mean.
            const bool cgats = QFileInfo(path).suffix().compare(QLatin1String("cxf"), Qt::CaseInsensitive) != 0;
            const bool everyReading =
                cgats && std::any_of(records.begin(), records.end(), hasSeveralReadings)
                && m_dialogs.question(parent, tr("Storing data"),
                                      tr("Some rows were read several times. Write one set per reading to the "
                                         "CGATS file? (No: the mean or median of their readings.)"));
            const formats::ExchangeDocument document =
                formats::documentFromRecords(records, QDateTime::currentDateTime(), everyReading);
            if (document.samples.isEmpty()) {
                *error = tr("the records hold no L*a*b* values, which this format carries; choose CSV or a workbook");
                return false;
            }
            return formats::writeExchangeFile(document, path, error);
        },
        clear);
}

bool SpreadsheetExport::usesLegacyExport(const QString& modelName, int softwareVersion)
{
    return isFirstGenerationColorimeter(modelName, softwareVersion);
}

bool SpreadsheetExport::chooseTarget(QWidget* parent, const QString& prefix, bool hasRows, QString& path,
                                     ExportOutcome& outcome)
{
    if (!hasRows) {
        m_dialogs.information(parent, tr("error"), tr("No data for Storing to Excel!"));
        outcome = ExportOutcome::NoData;
        return false;
    }
    // The name checked for replacing is the name written: ".xlsx" is added
    // before that question, never after it.
    path = m_dialogs.saveFile(parent, tr("Storing data to Excel"),
                              FileFolders::startPath(FileFolders::Kind::Exports,
                                                     proposedExportName(prefix, QDateTime::currentDateTime())),
                              fileFilter(), QStringLiteral("xlsx"));
    if (path.isEmpty()) {
        outcome = ExportOutcome::NoFileChosen;
        return false;
    }
    FileFolders::remember(FileFolders::Kind::Exports, path);
    if (formatOf(path) == FileFormat::Workbook) {
        path = withXlsxSuffix(path);
    }
    // The file is replaced only once the new one is complete; one that may
    // not be replaced is refused before anything is written.
    if (!ExcelEngine::isReplaceable(path)) {
        const QFileInfo info(path);
        if (!info.exists() && info.absoluteDir().exists()) {
            m_dialogs.information(parent, tr("Error"),
                                  tr("Can't create a file in the folder %1: the folder is read-only. Please choose another folder.")
                                      .arg(QDir::toNativeSeparators(info.absolutePath())));
        } else {
            m_dialogs.information(parent, tr("Error"), tr("Can't overwrite this file, maybe the file is in use!"));
        }
        outcome = ExportOutcome::CannotReplace;
        return false;
    }
    return true;
}

void SpreadsheetExport::addStatistics(QWidget* parent, const QString& path, const QList<QStringList>& statistics)
{
    if (statistics.isEmpty()) {
        return;
    }
    QString error;
    if (!addSheetAfterFirst(path, QStringLiteral("Statistics"), statistics, &error)) {
        qCWarning(lcExcel) << "statistics sheet not added to" << path << error;
        m_dialogs.information(parent, tr("Storing data"),
                              tr("The data were stored, but the statistics sheet could not be added: %1").arg(error));
    }
}

void SpreadsheetExport::addColour(QWidget* parent, const QString& path, const QList<QStringList>& colour)
{
    if (colour.isEmpty()) {
        return;
    }
    QString error;
    if (!addSheetAfterFirst(path, spectralColourSheetName(), colour, &error)) {
        qCWarning(lcExcel) << "colour sheet not added to" << path << error;
        m_dialogs.information(parent, tr("Storing data"),
                              tr("The data were stored, but the colour sheet could not be added: %1").arg(error));
    }
}

void SpreadsheetExport::addReadings(QWidget* parent, const QString& path, const QList<QStringList>& readings)
{
    if (readings.isEmpty()) {
        return;
    }
    QString error;
    if (!addSheetAfterFirst(path, readingsSheetName(), readings, &error)) {
        qCWarning(lcExcel) << "readings sheet not added to" << path << error;
        m_dialogs.information(parent, tr("Storing data"),
                              tr("The data were stored, but the readings sheet could not be added: %1").arg(error));
    }
}

ExportOutcome SpreadsheetExport::writeTable(const QAbstractItemModel& rows, QWidget* parent, const QString& path,
                                            const std::function<void()>& clear, const QList<QStringList>& statistics,
                                            const QList<QStringList>& colour, const QList<QStringList>& readings)
{
    ExcelEngine engine(path);
    if (!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate)) {
        m_dialogs.information(parent, tr("Error"), tr("Failed to store data, can't open file!"));
        return ExportOutcome::CannotOpen;
    }
    const int maximum = rows.rowCount() + 1;
    auto progress = m_dialogs.progress(parent, tr("Storing data,please wait..."), tr("cancel"), 0, maximum);
    const auto step = [&progress](int done) {
        progress->setValue(done);
        return !progress->wasCanceled();
    };
    const bool written = engine.writeTable(rows, step, false) && engine.closeWorkbook();
    if (!written) {
        progress->close();
        m_dialogs.information(parent, tr("Error"), tr("Failed to export data to excel file"));
        return ExportOutcome::Failed;
    }
    if (engine.wasCancelled()) {
        progress->close();
        // The heading row is the table's first row.
        m_dialogs.information(parent, tr("Storing data"),
                              tr("Export cancelled: %1 of %2 records were stored to the file, and the records are kept.")
                                  .arg(qMax(0, engine.rowsWritten() - 1)).arg(rows.rowCount() - 1));
        return ExportOutcome::Cancelled;
    }
    progress->setValue(maximum);
    progress->close();
    // Each sheet goes right after the first: statistics, then readings.
    addReadings(parent, path, readings);
    addColour(parent, path, colour);
    addStatistics(parent, path, statistics);
    if (clear) {
        clear();
    }
    m_dialogs.information(parent, tr("Storing data"), tr("Data stored to file Success"));
    return ExportOutcome::Written;
}

bool SpreadsheetExport::workbookTarget(const QAbstractItemModel& table, const QList<ComparisonRecord>& records,
                                       DisplayMode displayMode, bool chineseUi, QWidget* parent,
                                       const std::function<void()>& clear, QString& path, ExportOutcome& outcome)
{
    if (!chooseTarget(parent, kComparisonPrefix, table.rowCount() >= 1, path, outcome)) {
        return false;
    }
    if (formatOf(path) != FileFormat::Workbook) {
        outcome = comparisonExchange(path, records, table.rowCount(), displayMode, chineseUi, parent, clear);
        return false;
    }
    return true;
}

ExportOutcome SpreadsheetExport::comparison(const QAbstractItemModel& table, DisplayMode displayMode, QWidget* parent,
                                            const std::function<void()>& clear, const QList<QStringList>& statistics,
                                            const QList<ComparisonRecord>& records)
{
    QString path;
    ExportOutcome outcome = ExportOutcome::Failed;
    if (!workbookTarget(table, records, displayMode, false, parent, clear, path, outcome)) {
        return outcome;
    }
    return writeTable(*comparisonExportTable(table, displayMode), parent, path, clear, statistics, {},
                      readingsSheetRows(records));
}

ExportOutcome SpreadsheetExport::spectral(const QAbstractItemModel& table, QWidget* parent,
                                          const std::function<void()>& clear, const QList<NamedSpectrum>& spectra,
                                          int layoutIndex, const colorimetry::ColourConditions& colour)
{
    QString path;
    ExportOutcome outcome = ExportOutcome::Failed;
    // The first row is the heading row.
    if (!chooseTarget(parent, kSpectralPrefix, table.rowCount() > 1, path, outcome)) {
        return outcome;
    }
    if (formatOf(path) != FileFormat::Workbook) {
        return writeExchange(
            parent,
            [&](QString* error) {
                if (spectra.size() != table.rowCount() - 1) { // the first row is the heading row
                    *error = tr("the table's records are not at hand (%1 of %2)").arg(spectra.size()).arg(table.rowCount() - 1);
                    return false;
                }
                if (formatOf(path) == FileFormat::Csv) {
                    return formats::writeSpectralCsvFile(spectra, path, error);
                }
                const formats::ExchangeDocument document =
                    formats::documentFromSpectra(spectra, layoutIndex, QDateTime::currentDateTime(), colour);
                return formats::writeExchangeFile(document, path, error);
            },
            clear);
    }
    // The colour is computed from the records, so without all of them the
    // workbook holds the table alone.
    const bool recordsAtHand = !spectra.isEmpty() && spectra.size() == table.rowCount() - 1;
    return writeTable(*spectralExportTable(table), parent, path, clear, {},
                      recordsAtHand ? spectralColourRows(spectra, colour) : QList<QStringList>());
}

ExportOutcome SpreadsheetExport::legacyComparison(const QAbstractItemModel& table, bool chineseUi, QWidget* parent,
                                                  const std::function<void()>& clear,
                                                  const QList<QStringList>& statistics,
                                                  const QList<ComparisonRecord>& records)
{
    QString path;
    ExportOutcome outcome = ExportOutcome::Failed;
    if (!workbookTarget(table, records, DisplayMode::None, chineseUi, parent, clear, path, outcome)) {
        return outcome;
    }
    ExcelEngine engine(path);
    if (!engine.openWorkbook(1, ExcelEngine::Start::FromTemplate)) {
        m_dialogs.information(parent, tr("Error"), tr("Failed to store data, can't open file!"));
        return ExportOutcome::CannotOpen;
    }
    if (!engine.writeRows(legacyExportRows(table, chineseUi)) || !engine.closeWorkbook()) {
        m_dialogs.information(parent, tr("Error"), tr("Failed to export data to excel file"));
        return ExportOutcome::Failed;
    }
    addReadings(parent, path, readingsSheetRows(records));
    addStatistics(parent, path, statistics);
    if (clear) {
        clear();
    }
    // This message follows the page's language flag, not the catalogue.
    if (chineseUi) {
        m_dialogs.information(parent, QStringLiteral("存储数据"), QStringLiteral("将数据成功存储到文件: \r\n\t%1").arg(path));
    } else {
        m_dialogs.information(parent, QStringLiteral("Storing data"), QStringLiteral("Data stored to file: \r\n\t%1").arg(path));
    }
    return ExportOutcome::Written;
}
