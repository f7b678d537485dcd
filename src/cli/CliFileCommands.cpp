// records export, spectral export, stdcolor upload and journal export: what
// the instrument or the journal keeps, as files a script can read, and a
// standard-colour library sent only once the whole file has been checked.

#include "CliContext.h"
#include "CliSubcommands.h"
#include "CliValues.h"

#include "CgatsFormat.h"
#include "CsvFormat.h"
#include "CxfFormat.h"
#include "ExcelEngine.h"
#include "Exchange.h"
#include "ExportTables.h"
#include "ExtraSheet.h"
#include "RecordImport.h"
#include "RecordJournal.h"
#include "SpectralColourSheet.h"
#include "SpectralData.h"
#include "StandardColorExchange.h"
#include "StandardColorSheet.h"
#include "StandardColorTransfer.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>

#include <optional>

namespace {

const QStringList& knownFormats()
{
    static const QStringList formats{QStringLiteral("csv"), QStringLiteral("json"), QStringLiteral("cgats"),
                                     QStringLiteral("cxf"), QStringLiteral("xlsx")};
    return formats;
}

// The format an export writes (csv unless --format or --json says otherwise);
// empty with the usage refusal said.
QString exportFormat(CliContext& cli, int& status)
{
    status = ExitOk;
    QString format = cli.args().value(QStringLiteral("format")).toLower();
    if (format.isEmpty()) {
        format = cli.json() ? QStringLiteral("json") : QStringLiteral("csv");
    }
    if (!knownFormats().contains(format)) {
        status = cli.usage(Cli::tr("--format takes one of %1.").arg(knownFormats().join(QStringLiteral(", "))));
        return QString();
    }
    const QString output = cli.args().value(QStringLiteral("output"));
    if (format == QLatin1String("xlsx") && (output.isEmpty() || output == QLatin1String("-"))) {
        status = cli.usage(Cli::tr("A workbook is written to a file: add -o FILE."));
        return QString();
    }
    return format;
}

// The whole export to -o FILE (replaced only once complete) or to standard output.
int writeExport(CliContext& cli, const QByteArray& bytes)
{
    const QString path = cli.args().value(QStringLiteral("output"));
    if (path.isEmpty() || path == QLatin1String("-")) {
        cli.write(bytes);
        return ExitOk;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        cli.message(Cli::tr("%1 cannot be written: %2").arg(path, file.errorString()));
        return ExitFile;
    }
    return ExitOk;
}

// A workbook of the same table the CSV holds, from A1.
int writeWorkbook(CliContext& cli, const QByteArray& csv)
{
    QList<QStringList> rows;
    const formats::ReadResult parsed = formats::parseCsv(csv, rows);
    int columns = 0;
    for (const QStringList& row : rows) {
        columns = std::max(columns, int(row.size()));
    }
    const QString path = cli.args().value(QStringLiteral("output"));
    TextTableModel table(rows, columns);
    ExcelEngine engine(path);
    if (!parsed.ok || !engine.openWorkbook(1, ExcelEngine::Start::FromTemplate) || !engine.writeTable(table, {}, false)
        || !engine.closeWorkbook()) {
        cli.message(Cli::tr("%1 cannot be written.").arg(path));
        return ExitFile;
    }
    return ExitOk;
}

// The whole JSON document on one line.
int writeJsonExport(CliContext& cli, const QJsonObject& document)
{
    return writeExport(cli, QJsonDocument(document).toJson(QJsonDocument::Compact) + '\n');
}

// What a format writer left in bytes: a workbook of it for xlsx, else the bytes as they are.
int writeFormatted(CliContext& cli, const QString& format, bool written, const QString& error, const QByteArray& bytes)
{
    if (!written) {
        cli.message(error);
        return ExitFile;
    }
    return format == QLatin1String("xlsx") ? writeWorkbook(cli, bytes) : writeExport(cli, bytes);
}

// A colour exchange file, as CGATS or CxF.
bool writeExchange(const QString& format, const formats::ExchangeDocument& document, QIODevice& device, QString* error)
{
    return format == QLatin1String("cgats") ? formats::writeCgats(document, device, error)
                                            : formats::writeCxf(document, device, error);
}

// The format and the instrument an export from the instrument reads; null
// with the status set and the reason said.
std::unique_ptr<CliInstrument> openForExport(CliContext& cli, QString& format, int& status)
{
    format = exportFormat(cli, status);
    return format.isEmpty() ? nullptr : cli.openInstrument(status);
}

QJsonObject exportHeader(const QString& type, const QString& model, const QString& serial)
{
    QJsonObject object;
    object.insert(QStringLiteral("schema"), 1);
    object.insert(QStringLiteral("type"), type);
    object.insert(QStringLiteral("model"), model);
    object.insert(QStringLiteral("serial"), serial);
    return object;
}

// Records in the chosen format; displayMode picks the CSV columns.
int exportRecords(CliContext& cli, const QString& format, const QList<ComparisonRecord>& records, DisplayMode displayMode,
                  QJsonObject header)
{
    QString error;
    if (format == QLatin1String("json")) {
        QJsonArray items;
        for (const ComparisonRecord& record : records) {
            items.append(CliValues::recordJson(record));
        }
        header.insert(QStringLiteral("records"), items);
        return writeJsonExport(cli, header);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    if (format == QLatin1String("csv") || format == QLatin1String("xlsx")) {
        written = formats::writeComparisonCsv(records, displayMode, cli.chinese(), buffer, &error);
    } else {
        // Haze and transmittance records carry no colour (an import leaves their
        // L*a*b* at 0): they have no place in a colour exchange file.
        QList<ComparisonRecord> coloured;
        for (const ComparisonRecord& record : records) {
            if (record.legacy || judgesDeltaE(record.settings.displayMode)) {
                coloured << record;
            }
        }
        const formats::ExchangeDocument document = formats::documentFromRecords(coloured, QDateTime::currentDateTime());
        if (document.samples.isEmpty() && !records.isEmpty()) {
            return cli.usage(Cli::tr("These records hold no L*a*b* values, which %1 carries; choose csv or json.").arg(format));
        }
        written = writeExchange(format, document, buffer, &error);
    }
    return writeFormatted(cli, format, written, error, buffer.data());
}

} // namespace

int runRecordsExport(CliContext& cli)
{
    int status = ExitOk;
    QString format;
    const std::unique_ptr<CliInstrument> instrument = openForExport(cli, format, status);
    if (!instrument) {
        return status;
    }
    CliFeedback feedback([&cli](int value, int maximum) { cli.progress(value, maximum); },
                         [&cli] { cli.progressDone(); });
    ImportSettings settings;
    settings.judging = instrument->comparisonSettings();
    settings.modelName = instrument->modelName;
    settings.serialNumber = instrument->serialNumber;
    settings.importTime = QDateTime::currentDateTime();
    RecordImport import(*instrument, feedback);
    const ImportResult result =
        instrument->firstGeneration ? import.importLegacy(settings) : import.importCurrent(settings);
    if (result.outcome == ImportResult::Outcome::Failed) {
        cli.message(feedback.texts());
        return ExitRefused;
    }
    cli.message(Cli::tr("Records read: %1.").arg(result.rows.size()));
    return exportRecords(cli, format, result.rows, instrument->displayMode,
                         exportHeader(QStringLiteral("records"), instrument->modelName, instrument->serialNumber));
}

int runSpectralExport(CliContext& cli)
{
    int status = ExitOk;
    QString format;
    const std::optional<colorimetry::ColourConditions> colour = colourConditionsOption(cli);
    if (!colour) {
        return ExitUsage;
    }
    const std::unique_ptr<CliInstrument> instrument = openForExport(cli, format, status);
    if (!instrument) {
        return status;
    }
    int blocks = 0;
    const SpectralImportResult result = importSpectralHistory(
        instrument->transport(), instrument->layoutIndex, [&blocks](int count) { blocks = count; },
        [&cli, &blocks](int position) {
            cli.progress(position + 1, blocks);
            return true;
        });
    cli.progressDone();
    if (result.status != SpectralImportStatus::Done && result.status != SpectralImportStatus::NoRecords) {
        cli.message(Cli::tr("The spectral records could not be read."));
        return ExitRefused;
    }
    cli.message(Cli::tr("Spectral records read: %1.").arg(result.records.size()));
    if (format == QLatin1String("json")) {
        QJsonArray items;
        for (const NamedSpectrum& spectrum : result.records) {
            QJsonArray values;
            for (const double v : spectrum.record.values) {
                values.append(v);
            }
            QJsonObject item;
            item.insert(QStringLiteral("name"), spectrum.name);
            item.insert(QStringLiteral("firstWavelength"), kFirstWavelengthNm);
            item.insert(QStringLiteral("step"), kWavelengthStepNm);
            item.insert(QStringLiteral("values"), values);
            items.append(item);
        }
        QJsonObject object = exportHeader(QStringLiteral("spectra"), instrument->modelName, instrument->serialNumber);
        object.insert(QStringLiteral("spectra"), items);
        return writeJsonExport(cli, object);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    bool written = false;
    if (format == QLatin1String("csv") || format == QLatin1String("xlsx")) {
        written = formats::writeSpectralCsv(result.records, buffer, &error);
    } else {
        const formats::ExchangeDocument document =
            formats::documentFromSpectra(result.records, instrument->layoutIndex, QDateTime::currentDateTime(), colour);
        written = writeExchange(format, document, buffer, &error);
    }
    const int exit = writeFormatted(cli, format, written, error, buffer.data());
    // The workbook gets the colour sheet the window's export adds.
    if (exit == ExitOk && format == QLatin1String("xlsx")) {
        const QString path = cli.args().value(QStringLiteral("output"));
        if (!addSheetAfterFirst(path, spectralColourSheetName(), spectralColourRows(result.records, *colour), &error)) {
            cli.message(Cli::tr("%1 cannot be written: %2").arg(path, error));
            return ExitFile;
        }
    }
    return exit;
}

int runStdcolorUpload(CliContext& cli)
{
    const QString path = cli.args().positionals.value(0);
    if (!QFileInfo(path).isFile()) {
        cli.message(Cli::tr("%1 cannot be read: %2").arg(path, Cli::tr("no such file")));
        return ExitFile;
    }
    int status = ExitOk;
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    if (instrument->layoutIndex != 1 || instrument->firstGeneration) {
        return cli.usage(Cli::tr("The %1 keeps no standard-colour library.").arg(instrument->modelName));
    }
    // The whole file is read and checked before the first byte goes out.
    QList<QVariantList> rows;
    QString problem;
    const bool read = StandardColorExchange::isExchangeFile(path)
                          ? StandardColorExchange::readRows(path, instrument->modelName, rows, &problem)
                          : StandardColorSheet::readWorkbook(path, rows, &problem);
    StandardColorLibrary library;
    StandardColorSheetProblem sheetProblem;
    if (!read || !StandardColorSheet::parse(rows, instrument->modelName, library, sheetProblem)) {
        cli.message(Cli::tr("%1 cannot be written to the instrument: %2")
                        .arg(path, read ? sheetProblem.message : problem));
        return ExitFile;
    }
    bool endWrongReply = false;
    const StandardColorUploadResult result = StandardColorTransfer::transfer(
        instrument->transport(), library, [&cli](int done, int total) { cli.progress(done, total); }, &endWrongReply);
    cli.progressDone();
    if (result != StandardColorUploadResult::Written) {
        cli.message(StandardColorTransfer::transferFailureText(result, endWrongReply));
        return ExitRefused;
    }
    StandardColorTransfer::drainAfterTransfer(instrument->transport());
    cli.message(Cli::tr("Standard colours written: %1 card(s), %2 row(s).").arg(library.count).arg(library.dataRows));
    return ExitOk;
}

int runJournalExport(CliContext& cli)
{
    int status = ExitOk;
    const QString format = exportFormat(cli, status);
    if (format.isEmpty()) {
        return status;
    }
    QDateTime since;
    if (!cli.dateOption(QStringLiteral("since"), since)) {
        return ExitUsage;
    }
    std::optional<DisplayMode> mode;
    if (cli.args().has(QStringLiteral("mode"))) {
        mode = CliValues::displayModeFromName(cli.args().value(QStringLiteral("mode")));
        if (*mode == DisplayMode::None) {
            return cli.usage(Cli::tr("--mode takes one of %1.").arg(CliValues::displayModeKeys()));
        }
    }
    const QString path = cli.environment().journalPath.isEmpty() ? RecordJournal::defaultPath()
                                                                  : cli.environment().journalPath;
    QList<ComparisonRecord> records;
    if (!QFileInfo::exists(path)) {
        cli.message(Cli::tr("No journal at %1: the window has kept nothing yet.").arg(path));
    } else {
        // A second connection, as the station sync opens it: the window may run meanwhile.
        RecordJournal journal(path);
        if (!journal.open(RecordJournal::Role::Shared)) {
            cli.message(journal.errorText());
            return ExitFile;
        }
        QList<JournalSession> sessions = journal.closedSessions();
        sessions += journal.openSessions();
        std::sort(sessions.begin(), sessions.end(),
                  [](const JournalSession& a, const JournalSession& b) { return a.id < b.id; });
        for (const JournalSession& session : sessions) {
            for (const ComparisonRecord& record : journal.records(session.id)) {
                const bool modeChosen = !mode || (!record.legacy && record.settings.displayMode == *mode);
                if ((!since.isValid() || record.time >= since) && modeChosen) {
                    records << record;
                }
            }
        }
    }
    // The tables the records need: one per display mode, legacy records their own (-2).
    QSet<int> modes;
    for (const ComparisonRecord& record : records) {
        modes.insert(record.legacy ? -2 : displayModeIndex(record.settings.displayMode));
    }
    if (modes.size() > 1 && (format == QLatin1String("csv") || format == QLatin1String("xlsx"))) {
        // A table has the columns of one display mode.
        return cli.usage(Cli::tr("The journal holds records of several display modes; choose one with --mode, "
                                 "or --format json or cgats."));
    }
    cli.message(Cli::tr("Records read: %1.").arg(records.size()));
    const DisplayMode tableMode = modes.isEmpty() ? mode.value_or(DisplayMode::HazeT)
                                                  : displayModeFromIndex(std::max(*modes.cbegin(), 0));
    return exportRecords(cli, format, records, tableMode, exportHeader(QStringLiteral("journal"), QString(), QString()));
}
