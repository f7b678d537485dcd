// records export, spectral export, stdcolor upload and journal export: what
// the instrument or the journal keeps, as files a script can read.

#include "CliContext.h"
#include "CliSubcommands.h"
#include "CliValues.h"

#include "RecordImport.h"
#include "SpectralData.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

// The format an export writes; empty with the usage refusal said.
QString exportFormat(CliContext& cli, int& status)
{
    const QString format = cli.args().has(QStringLiteral("format")) ? cli.args().value(QStringLiteral("format")).toLower()
                                                                    : QStringLiteral("json");
    const QStringList known{QStringLiteral("json")};
    if (!known.contains(format)) {
        status = cli.usage(Cli::tr("--format takes one of %1.").arg(known.join(QStringLiteral(", "))));
        return QString();
    }
    status = ExitOk;
    return format;
}

// The whole export to -o FILE (replaced only once complete) or to standard output.
int writeExport(CliContext& cli, const QByteArray& bytes)
{
    if (!cli.args().has(QStringLiteral("output")) || cli.args().value(QStringLiteral("output")) == QLatin1String("-")) {
        cli.write(bytes);
        return ExitOk;
    }
    const QString path = cli.args().value(QStringLiteral("output"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        cli.message(Cli::tr("%1 cannot be written: %2").arg(path, file.errorString()));
        return ExitFile;
    }
    return ExitOk;
}

QByteArray jsonExport(const QString& type, const CliInstrument& instrument, const QJsonArray& items, const char* key)
{
    QJsonObject object;
    object.insert(QStringLiteral("schema"), 1);
    object.insert(QStringLiteral("type"), type);
    object.insert(QStringLiteral("model"), instrument.modelName);
    object.insert(QStringLiteral("serial"), instrument.serialNumber);
    object.insert(QLatin1String(key), items);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

int runRecordsExport(CliContext& cli)
{
    int status = ExitOk;
    const QString format = exportFormat(cli, status);
    if (format.isEmpty()) {
        return status;
    }
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    CliFeedback feedback([&cli](int value, int maximum) { cli.progress(value, maximum); },
                         [&cli] { cli.progressDone(); });
    ImportSettings settings;
    settings.displayMode = instrument->displayMode;
    settings.layoutIndex = instrument->layoutIndex;
    settings.formulaCode = instrument->formulaCode;
    settings.tolerances = instrument->tolerances;
    settings.parameterThreshold = instrument->parameterThreshold;
    settings.modelName = instrument->modelName;
    settings.serialNumber = instrument->serialNumber;
    settings.formulaText = instrument->formulaText;
    settings.thresholdText = QString::number(instrument->tolerances.deltaE, 'f', 1);
    settings.importTime = QDateTime::currentDateTime();
    RecordImport import(*instrument, feedback);
    const bool legacy = instrument->firstGeneration;
    const ImportResult result = legacy ? import.importLegacy(settings) : import.importCurrent(settings);
    if (result.outcome == ImportResult::Outcome::Failed) {
        cli.message(feedback.texts());
        return ExitRefused;
    }
    const QList<ComparisonRecord>& records = result.rows;
    QJsonArray items;
    for (const ComparisonRecord& record : records) {
        items.append(CliValues::recordJson(record));
    }
    cli.message(Cli::tr("Records read: %1.").arg(records.size()));
    return writeExport(cli, jsonExport(QStringLiteral("records"), *instrument, items, "records"));
}

int runSpectralExport(CliContext& cli)
{
    int status = ExitOk;
    const QString format = exportFormat(cli, status);
    if (format.isEmpty()) {
        return status;
    }
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
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
    cli.message(Cli::tr("Spectral records read: %1.").arg(result.records.size()));
    return writeExport(cli, jsonExport(QStringLiteral("spectra"), *instrument, items, "spectra"));
}

