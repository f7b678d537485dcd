// devices, identify, measure, compare and settings: the exchanges the
// workspace page makes, without a window.

#include "CliContext.h"
#include "CliStandardsCommands.h"
#include "CliSubcommands.h"
#include "CliValues.h"
#include "Comparison.h"

#include "Colorimetry.h"
#include "ComparisonJudging.h"
#include "DeltaE.h"
#include "InstrumentEmulator.h"
#include "MeasurementReading.h"
#include "Readings.h"
#include "SettingsExchange.h"
#include "SettingsRules.h"
#include "StandardLibrary.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace {

using CliValues::Side;

constexpr int kDefaultKeyWaitSeconds = 60;

const char* const kFormulaKeys[] = {"ab", "uv", "94", "cmc2:1", "cmc1:1", "cmc1.4:1", "00"};

QString formulaKey(int code, bool firstGeneration)
{
    const std::optional<DeltaEFormula> formula = formulaFromCode(code, firstGeneration);
    return formula ? QString::fromLatin1(kFormulaKeys[int(*formula)]) : QString();
}

// A formula code of this instrument from a key ("cmc2:1") or a code ("3"); -1 for none.
int formulaCodeFromText(const QString& text, bool firstGeneration)
{
    for (const int code : SettingsRules::formulaButtonIds(firstGeneration)) {
        if (code >= 0 && (text == QString::number(code) || text.compare(formulaKey(code, firstGeneration), Qt::CaseInsensitive) == 0)) {
            return code;
        }
    }
    return -1;
}

QStringList formulaKeys(bool firstGeneration)
{
    QStringList keys;
    for (const int code : SettingsRules::formulaButtonIds(firstGeneration)) {
        if (code >= 0) {
            keys << formulaKey(code, firstGeneration);
        }
    }
    return keys;
}

QString firmwareText(int softwareVersion)
{
    return QString::number(softwareVersion / 100.0, 'f', 2);
}

int failed(CliContext& cli, const CliFeedback& feedback, const QString& text)
{
    cli.message(feedback.texts());
    cli.message(text);
    return ExitRefused;
}

// --mode: the display parameter, set before anything is measured.
int applyMode(CliContext& cli, CliInstrument& instrument)
{
    if (!cli.args().has(QStringLiteral("mode"))) {
        return ExitOk;
    }
    const DisplayMode mode = CliValues::displayModeFromName(cli.args().value(QStringLiteral("mode")));
    if (mode == DisplayMode::None) {
        return cli.usage(Cli::tr("--mode takes one of %1.").arg(CliValues::displayModeKeys()));
    }
    if (instrument.firstGeneration) {
        return cli.usage(Cli::tr("A first-generation colorimeter has no display mode to set."));
    }
    if (!layoutAcceptsDisplayMode(instrument.layoutIndex, mode)) {
        return cli.usage(Cli::tr("The %1 does not offer the display mode %2.")
                             .arg(instrument.modelName, CliValues::displayModeName(mode)));
    }
    if (mode == instrument.displayMode) {
        return ExitOk;
    }
    CliFeedback feedback;
    if (!SettingsExchange(instrument, feedback, false).setDisplayParameter(mode)) {
        return failed(cli, feedback, Cli::tr("The instrument did not take the display mode."));
    }
    instrument.displayMode = mode;
    return ExitOk;
}

int measureOnce(CliContext& cli, CliInstrument& instrument, Side& side)
{
    ColorReading reading;
    const int rc = fetchMeasurement(instrument.transport(), fetchPathFor(instrument.modelName, instrument.softwareVersion),
                                    instrument.displayMode, reading);
    if (rc != 1) {
        cli.message(Cli::tr("The measurement failed (the instrument answered %1).").arg(rc));
        return ExitRefused;
    }
    side = CliValues::sideFromReading(reading);
    return ExitOk;
}

int waitForKey(CliContext& cli, CliInstrument& instrument, Side& side, const QString& what)
{
    bool ok = true;
    const int seconds = cli.args().has(QStringLiteral("wait")) ? cli.args().value(QStringLiteral("wait")).toInt(&ok)
                                                                 : kDefaultKeyWaitSeconds;
    if (!ok || seconds <= 0) {
        return cli.usage(Cli::tr("--wait takes a number of seconds."));
    }
    cli.message(Cli::tr("Press the instrument's measuring key for the %1 (waiting %2 s).").arg(what).arg(seconds));
    ColorReading reading;
    if (!instrument.waitForPushedReading(seconds * 1000, reading)) {
        cli.message(Cli::tr("No result came from the measuring key within %1 s.").arg(seconds));
        return ExitRefused;
    }
    side = CliValues::sideFromReading(reading);
    return ExitOk;
}

// --readings N (1 without it), or -1 (after the usage message) for a bad N.
int readingsWanted(CliContext& cli)
{
    if (!cli.args().has(QStringLiteral("readings"))) {
        return 1;
    }
    bool ok = true;
    const int n = cli.args().value(QStringLiteral("readings")).toInt(&ok);
    if (!ok || n < 1 || n > 100) {
        cli.usage(Cli::tr("--readings takes a number of readings from 1 to 100."));
        return -1;
    }
    return n;
}

// The mean (or median) of the readings, rounded as the display shows it.
Side averaged(const QList<Side>& readings, bool median)
{
    Readings values;
    LegacyReadings legacy;
    for (const Side& side : readings) {
        values.append(side.values);
        legacy.append(side.legacy);
    }
    return Side{shownAverageReadings(values, median), shownAverageLegacyReadings(legacy, median)};
}

// One side of a comparison from "measure", "key", a file or VALUES.
int acquire(CliContext& cli, CliInstrument& instrument, const QString& source, const QString& what, Side& side)
{
    const bool legacy = instrument.firstGeneration;
    if (source == QLatin1String("measure")) {
        return measureOnce(cli, instrument, side);
    }
    if (source == QLatin1String("key")) {
        return waitForKey(cli, instrument, side, what);
    }
    QString error;
    const bool looksLikeFile = source.contains(QLatin1Char('/')) || source.endsWith(QLatin1String(".json"))
                               || source.endsWith(QLatin1String(".txt")) || QFileInfo::exists(source);
    if (!looksLikeFile) {
        if (!CliValues::parseSide(source, instrument.displayMode, legacy, side, error)) {
            return cli.usage(Cli::tr("The %1: %2").arg(what, error));
        }
        return ExitOk;
    }
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        cli.message(Cli::tr("%1 cannot be read: %2").arg(source, file.errorString()));
        return ExitFile;
    }
    const QByteArray bytes = file.read(1 << 20).trimmed();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.split('\n').first(), &parseError);
    const bool parsed = document.isObject()
                            ? CliValues::sideFromJson(document.object(), instrument.displayMode, legacy, side, error)
                            : CliValues::parseSide(QString::fromUtf8(bytes).simplified().remove(QLatin1Char(' ')),
                                                   instrument.displayMode, legacy, side, error);
    if (!parsed) {
        cli.message(Cli::tr("%1: %2").arg(source, error));
        return ExitFile;
    }
    return ExitOk;
}

// --tolerance "haze=0.5,t=1,de=1.2" or a bare delta-E threshold.
bool applyToleranceOverride(const QString& text, ComparisonSettings& settings, QString& error)
{
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int equals = part.indexOf(QLatin1Char('='));
        const QString key = equals < 0 ? QStringLiteral("de") : part.left(equals).trimmed().toLower();
        bool ok = false;
        const double value = part.mid(equals + 1).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value) || value < 0) {
            error = Cli::tr("\"%1\" is not a tolerance.").arg(part);
            return false;
        }
        if (key == QLatin1String("haze")) {
            settings.hazeTolerance = value;
        } else if (key == QLatin1String("t")) {
            settings.transmittanceTolerance = value;
        } else if (key == QLatin1String("de")) {
            settings.deltaEThreshold = settings.parameterThreshold = value;
        } else {
            error = Cli::tr("--tolerance takes haze=, t= and de= (or one delta-E threshold).");
            return false;
        }
    }
    return true;
}

QJsonObject settingsJson(const CliInstrument& instrument)
{
    QJsonObject object;
    object.insert(QStringLiteral("type"), QStringLiteral("settings"));
    object.insert(QStringLiteral("mode"), instrument.firstGeneration ? QJsonValue() : QJsonValue(CliValues::displayModeName(instrument.displayMode)));
    if (layoutUsesParameterPage(instrument.layoutIndex)) {
        QJsonObject formula;
        formula.insert(QStringLiteral("code"), instrument.formulaCode);
        formula.insert(QStringLiteral("name"), formulaKey(instrument.formulaCode, instrument.firstGeneration));
        formula.insert(QStringLiteral("threshold"), instrument.parameterThreshold);
        object.insert(QStringLiteral("formula"), formula);
    } else {
        QJsonObject tolerances;
        tolerances.insert(QStringLiteral("haze"), instrument.tolerances.haze);
        tolerances.insert(QStringLiteral("t"), instrument.tolerances.transmittance);
        tolerances.insert(QStringLiteral("deltaE"), instrument.tolerances.deltaE);
        object.insert(QStringLiteral("tolerances"), tolerances);
    }
    return object;
}

void printSettings(CliContext& cli, const CliInstrument& instrument)
{
    if (cli.json()) {
        cli.printJson(settingsJson(instrument));
        return;
    }
    if (!instrument.firstGeneration) {
        cli.print(QStringLiteral("mode\t%1").arg(CliValues::displayModeName(instrument.displayMode)));
    }
    if (layoutUsesParameterPage(instrument.layoutIndex)) {
        cli.print(QStringLiteral("formula\t%1 (code %2)")
                      .arg(formulaKey(instrument.formulaCode, instrument.firstGeneration))
                      .arg(instrument.formulaCode));
        cli.print(QStringLiteral("threshold\t%1").arg(instrument.parameterThreshold, 0, 'f', 1));
    } else {
        cli.print(QStringLiteral("haze-tolerance\t%1").arg(instrument.tolerances.haze, 0, 'f', 2));
        cli.print(QStringLiteral("t-tolerance\t%1").arg(instrument.tolerances.transmittance, 0, 'f', 2));
        cli.print(QStringLiteral("threshold\t%1").arg(instrument.tolerances.deltaE, 0, 'f', 1));
    }
}

} // namespace

int runDevices(CliContext& cli)
{
    const QList<CliDevice> devices = cli.devices().attached();
    const bool windowRunning = cli.environment().windowRunning && cli.environment().windowRunning();
    static const char* const kStates[] = {"ready", "held by the window", "cannot be opened", "not identified"};
    QJsonArray list;
    for (const CliDevice& device : devices) {
        const CliDeviceDescription what = cli.devices().describe(device, windowRunning);
        const QString state = QString::fromLatin1(kStates[what.state]);
        const bool known = !what.modelName.isEmpty();
        if (cli.json()) {
            QJsonObject entry;
            entry.insert(QStringLiteral("path"), device.path);
            entry.insert(QStringLiteral("serial"), what.serialNumber);
            entry.insert(QStringLiteral("model"), known ? QJsonValue(what.modelName) : QJsonValue());
            entry.insert(QStringLiteral("firmware"), known ? QJsonValue(what.softwareVersion / 100.0) : QJsonValue());
            entry.insert(QStringLiteral("emulated"), bool(device.emulator));
            entry.insert(QStringLiteral("state"), state);
            list.append(entry);
        } else {
            cli.print(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                          .arg(device.path, what.serialNumber, known ? what.modelName : QStringLiteral("-"),
                               known ? firmwareText(what.softwareVersion) : QStringLiteral("-"), state));
        }
    }
    if (cli.json()) {
        QJsonObject object;
        object.insert(QStringLiteral("type"), QStringLiteral("devices"));
        object.insert(QStringLiteral("devices"), list);
        cli.printJson(object);
    }
    if (devices.isEmpty()) {
        cli.message(Cli::tr("No instrument is attached."));
        return ExitNoInstrument;
    }
    return ExitOk;
}

int runIdentify(CliContext& cli)
{
    int status = ExitOk;
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    if (cli.json()) {
        QJsonObject object;
        object.insert(QStringLiteral("type"), QStringLiteral("identity"));
        object.insert(QStringLiteral("path"), instrument->device().path);
        object.insert(QStringLiteral("model"), instrument->modelName);
        object.insert(QStringLiteral("serial"), instrument->serialNumber);
        object.insert(QStringLiteral("firmware"), instrument->softwareVersion / 100.0);
        object.insert(QStringLiteral("layout"), instrument->layoutIndex);
        object.insert(QStringLiteral("firstGeneration"), instrument->firstGeneration);
        object.insert(QStringLiteral("mode"), instrument->firstGeneration
                                                  ? QJsonValue()
                                                  : QJsonValue(CliValues::displayModeName(instrument->displayMode)));
        cli.printJson(object);
        return ExitOk;
    }
    cli.print(QStringLiteral("model\t%1").arg(instrument->modelName));
    cli.print(QStringLiteral("serial\t%1").arg(instrument->serialNumber));
    cli.print(QStringLiteral("firmware\t%1").arg(firmwareText(instrument->softwareVersion)));
    cli.print(QStringLiteral("layout\t%1%2").arg(instrument->layoutIndex).arg(instrument->firstGeneration ? QStringLiteral(" (first generation)") : QString()));
    if (!instrument->firstGeneration) {
        cli.print(QStringLiteral("mode\t%1").arg(CliValues::displayModeName(instrument->displayMode)));
    }
    return ExitOk;
}

int runMeasure(CliContext& cli)
{
    const int n = readingsWanted(cli);
    if (n < 0) {
        return ExitUsage;
    }
    int status = ExitOk;
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    if ((status = applyMode(cli, *instrument)) != ExitOk) {
        return status;
    }
    QList<Side> readings;
    for (int i = 0; i < n; ++i) {
        Side one;
        if ((status = measureOnce(cli, *instrument, one)) != ExitOk) {
            return status;
        }
        readings.append(one);
    }
    const Side side = n > 1 ? averaged(readings, cli.args().has(QStringLiteral("median"))) : readings.first();
    const bool legacy = instrument->firstGeneration;
    if (cli.json()) {
        QJsonObject object;
        object.insert(QStringLiteral("type"), QStringLiteral("measurement"));
        object.insert(QStringLiteral("model"), instrument->modelName);
        object.insert(QStringLiteral("serial"), instrument->serialNumber);
        object.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODate));
        object.insert(QStringLiteral("mode"), legacy ? QStringLiteral("Lab") : CliValues::displayModeName(instrument->displayMode));
        object.insert(QStringLiteral("values"), CliValues::sideJson(side, instrument->displayMode, legacy));
        if (n > 1) {
            object.insert(QStringLiteral("readings"), CliValues::readingsJson(readings, instrument->displayMode, legacy));
            object.insert(QStringLiteral("spread"), CliValues::spreadJson(readings, instrument->displayMode, legacy));
        }
        cli.printJson(object);
    } else {
        const QJsonObject values = CliValues::sideJson(side, instrument->displayMode, legacy);
        for (const QString& key : CliValues::shownKeys(instrument->displayMode, legacy)) {
            cli.print(QStringLiteral("%1\t%2").arg(key).arg(values.value(key).toDouble()));
        }
    }
    return ExitOk;
}

int runCompare(CliContext& cli)
{
    const CliArguments& args = cli.args();
    const bool fromLibrary = args.has(QStringLiteral("standard-name")) || args.has(QStringLiteral("standard-code"));
    if (args.has(QStringLiteral("standard")) == fromLibrary) {
        return cli.usage(Cli::tr("compare needs --standard VALUES|FILE|measure, --standard-name NAME or "
                                 "--standard-code CODE (one of them)."));
    }
    if (fromLibrary && args.has(QStringLiteral("tolerance"))) {
        return cli.usage(Cli::tr("A library standard is judged by its own tolerances; --tolerance is not taken with it."));
    }
    bool ok = true;
    const int count = args.has(QStringLiteral("count")) ? args.value(QStringLiteral("count")).toInt(&ok) : 1;
    if (!ok || count < 1) {
        return cli.usage(Cli::tr("--count takes a number of samples from 1 up."));
    }
    const int n = readingsWanted(cli);
    if (n < 0) {
        return ExitUsage;
    }
    const QString sampleSpec = args.has(QStringLiteral("sample")) ? args.value(QStringLiteral("sample")) : QStringLiteral("measure");
    if (count > 1 && sampleSpec != QLatin1String("measure") && sampleSpec != QLatin1String("key")) {
        return cli.usage(Cli::tr("--count needs --sample measure or key."));
    }
    int status = ExitOk;
    // The library standard first: a wrong name is said before the instrument is opened.
    std::optional<Standard> libraryStandard;
    LibraryJudgement library;
    if (fromLibrary) {
        const std::unique_ptr<StandardLibrary> standards = CliStandards::openLibrary(cli);
        if (!standards) {
            return ExitFile;
        }
        bool named = false;
        libraryStandard = CliStandards::chosenStandard(cli, *standards, named, status);
        if (!libraryStandard) {
            return status;
        }
        library = standards->judgementFor(*libraryStandard);
    }
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    if ((status = applyMode(cli, *instrument)) != ExitOk) {
        return status;
    }
    ComparisonSettings settings = instrument->comparisonSettings();
    QString error;
    if (args.has(QStringLiteral("tolerance"))
        && !applyToleranceOverride(args.value(QStringLiteral("tolerance")), settings, error)) {
        return cli.usage(error);
    }
    const bool median = args.has(QStringLiteral("median"));
    // Several readings of each measured side: the standard's first, then each sample's.
    const auto acquireReadings = [&](const QString& source, const QString& what, Side& side, QList<Side>& readings) {
        const bool measured = source == QLatin1String("measure") || source == QLatin1String("key");
        const int times = measured ? n : 1;
        readings.clear();
        for (int k = 1; k <= times; ++k) {
            Side one;
            const QString reading = times > 1 ? Cli::tr("%1, reading %2 of %3").arg(what).arg(k).arg(times) : what;
            const int rc = acquire(cli, *instrument, source, reading, one);
            if (rc != ExitOk) {
                return rc;
            }
            readings.append(one);
        }
        side = times > 1 ? averaged(readings, median) : readings.first();
        if (times < 2) {
            readings.clear();
        }
        return int(ExitOk);
    };
    Side standard;
    QList<Side> standardReadings;
    if (libraryStandard) {
        standard.values = libraryStandard->values;
        using R = ComparisonRecord;
        const R::Values& v = libraryStandard->values;
        standard.legacy = {v[R::LabL], v[R::LabA], v[R::LabB], v[R::LchC], v[R::LchH]};
    } else if ((status = acquireReadings(args.value(QStringLiteral("standard")), Cli::tr("standard"), standard,
                                         standardReadings)) != ExitOk) {
        return status;
    }
    int ngCount = 0;
    int warningCount = 0;
    for (int i = 1; i <= count; ++i) {
        Side sample;
        QList<Side> sampleReadings;
        const QString what = count > 1 ? Cli::tr("sample %1 of %2").arg(i).arg(count) : Cli::tr("sample");
        if ((status = acquireReadings(sampleSpec, what, sample, sampleReadings)) != ExitOk) {
            return status;
        }
        // The window's one comparison: the same values and settings, the same record.
        ComparisonRecord record = instrument->firstGeneration
                                      ? compareLegacyValues(standard.legacy, sample.legacy, settings, library)
                                      : compareValues(standard.values, sample.values, settings, library);
        record.id = QUuid::createUuid();
        record.sequence = i;
        record.testName = QStringLiteral("Comp%1").arg(i);
        record.time = QDateTime::currentDateTime();
        record.modelName = instrument->modelName;
        record.serialNumber = instrument->serialNumber;
        record.readings.median = median;
        for (const Side& one : standardReadings) {
            instrument->firstGeneration ? record.readings.legacyStandard.append(one.legacy)
                                        : record.readings.standard.append(one.values);
        }
        for (const Side& one : sampleReadings) {
            instrument->firstGeneration ? record.readings.legacySample.append(one.legacy)
                                        : record.readings.sample.append(one.values);
        }
        ngCount += record.pass ? 0 : 1;
        warningCount += record.pass && record.library.warning ? 1 : 0;
        if (cli.json()) {
            cli.printJson(CliValues::recordJson(record));
        } else {
            cli.print(CliValues::recordText(record));
        }
    }
    const bool warningFails = args.has(QStringLiteral("fail-on-warning")) && warningCount > 0;
    return ngCount > 0 || warningFails ? ExitNg : ExitOk;
}

int runSettingsGet(CliContext& cli)
{
    int status = ExitOk;
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    printSettings(cli, *instrument);
    return ExitOk;
}

int runSettingsSet(CliContext& cli)
{
    const CliArguments& args = cli.args();
    const QStringList settable{QStringLiteral("haze-tolerance"), QStringLiteral("t-tolerance"), QStringLiteral("threshold"),
                               QStringLiteral("formula"), QStringLiteral("mode")};
    if (std::none_of(settable.cbegin(), settable.cend(), [&](const QString& o) { return args.has(o); })) {
        return cli.usage(Cli::tr("settings set needs at least one of --%1.").arg(settable.join(QStringLiteral(", --"))));
    }
    int status = ExitOk;
    const std::unique_ptr<CliInstrument> instrument = cli.openInstrument(status);
    if (!instrument) {
        return status;
    }
    CliInstrument& device = *instrument;
    CliFeedback feedback;
    SettingsExchange exchange(device, feedback, false);
    if (layoutUsesParameterPage(device.layoutIndex)) {
        if (args.has(QStringLiteral("haze-tolerance")) || args.has(QStringLiteral("t-tolerance"))) {
            return cli.usage(Cli::tr("The %1 keeps a colour-difference formula and threshold, no haze or transmittance tolerance.").arg(device.modelName));
        }
        const QString thresholdText = args.has(QStringLiteral("threshold")) ? args.value(QStringLiteral("threshold"))
                                                                            : QString::number(device.parameterThreshold, 'f', 1);
        if (!SettingsRules::deltaEParameterThreshold(thresholdText)) {
            return cli.usage(SettingsRules::deltaEThresholdRangeMessage(false).text);
        }
        if (args.has(QStringLiteral("formula")) && device.layoutIndex == 2) {
            return cli.usage(Cli::tr("The %1 judges with a fixed formula; set --threshold alone.").arg(device.modelName));
        }
        int code = device.formulaCode;
        if (args.has(QStringLiteral("formula"))) {
            code = formulaCodeFromText(args.value(QStringLiteral("formula")), device.firstGeneration);
            if (code < 0) {
                return cli.usage(Cli::tr("--formula takes one of %1.").arg(formulaKeys(device.firstGeneration).join(QStringLiteral(", "))));
            }
        }
        if (args.has(QStringLiteral("threshold")) || args.has(QStringLiteral("formula"))) {
            const bool written = device.layoutIndex == 2
                                     ? exchange.setDeltaEThreshold(thresholdText)
                                     : SettingsExchange::writeDeltaEParameter(device, feedback, false, code, thresholdText);
            if (!written) {
                return failed(cli, feedback, Cli::tr("The instrument did not take the colour-difference parameter."));
            }
        }
    } else if (args.has(QStringLiteral("formula"))) {
        return cli.usage(Cli::tr("The %1 judges with a fixed formula; it takes no --formula.").arg(device.modelName));
    } else if (args.has(QStringLiteral("haze-tolerance")) || args.has(QStringLiteral("t-tolerance")) || args.has(QStringLiteral("threshold"))) {
        // Values not given go back as they are stored.
        auto field = [&](const char* option, double stored) {
            const QString name = QString::fromLatin1(option);
            return SettingsRules::ToleranceField{args.has(name) ? args.value(name) : QString(), args.has(name), stored};
        };
        const SettingsRules::ToleranceField haze = field("haze-tolerance", device.tolerances.haze);
        const SettingsRules::ToleranceField transmittance = field("t-tolerance", device.tolerances.transmittance);
        const SettingsRules::ToleranceField threshold = field("threshold", device.tolerances.deltaE);
        const SettingsRules::ToleranceCheck check = SettingsRules::checkTolerances(haze, transmittance, threshold);
        if (!check.write) {
            return cli.usage(check.refusal.text);
        }
        if (!exchange.setTolerances(haze, transmittance, threshold, {})) {
            return failed(cli, feedback, Cli::tr("The instrument did not take the tolerances."));
        }
    }
    if ((status = applyMode(cli, device)) != ExitOk) {
        return status;
    }
    feedback.messages.clear();
    if (!device.readSettings(feedback)) {
        return failed(cli, feedback, Cli::tr("The settings could not be read back."));
    }
    printSettings(cli, device);
    return ExitOk;
}
