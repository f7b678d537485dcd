#include "CliDevices.h"

#include "CliCommand.h"

#include "CLinkerUSB.h"
#include "Colorimetry.h"
#include "InstrumentState.h"
#include "DataFiles.h"
#include "DeltaE.h"
#include "EmulatorModel.h"
#include "FrameScanner.h"
#include "HidapiBackend.h"
#include "InstrumentEmulator.h"
#include "InstrumentIds.h"
#include "MeasurementReading.h"
#include "SettingsExchange.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLoggingCategory>

#include <cmath>

Q_LOGGING_CATEGORY(lcCli, "tintwell.cli")

namespace {

// With time-out 0 a read returns whatever arrived (as the receive worker polls).
constexpr int kPollExpectedLen = 142090;
// An emulated instrument's measuring key is pressed this long after the wait began.
constexpr int kSimulatedKeyDelayMs = 100;

} // namespace

QString CliFeedback::texts() const
{
    QStringList lines;
    for (const InstrumentMessage& m : messages) {
        lines << m.text;
    }
    return lines.join(QLatin1Char('\n'));
}

const ModelTable& cliModelTable()
{
    static const ModelTable table = loadModelTable(dataFilePath(QStringLiteral("meterno")));
    return table;
}

// ---- CliInstrument -----------------------------------------------------------

CliInstrument::CliInstrument(CliDevice device, std::unique_ptr<CLinker> link)
    : m_device(std::move(device)), m_link(std::move(link))
{
    m_transport.setLink(m_link.get());
}

CliInstrument::~CliInstrument()
{
    m_transport.setLink(nullptr);
    if (m_link) {
        m_link->Close();
    }
}

bool CliInstrument::identify(const ModelTable& table, CliFeedback& feedback)
{
    identity = identifyInstrument(m_transport, table, layoutIndex);
    for (const IdentificationBox& box : identity.boxes) {
        feedback.inform(box);
    }
    using Stage = IdentificationOutcome::Stage;
    if (identity.stage >= Stage::SerialRead) {
        serialNumber = QString::number(identity.serialNumber);
        modelName = QStringLiteral("UnKnow");
    }
    if (identity.stage >= Stage::ModelKnown && identity.model) {
        modelName = identity.model->model;
        layoutIndex = identity.model->layoutIndex;
    }
    if (identity.stage >= Stage::VersionRead) {
        softwareVersion = identity.softwareVersion;
        firstGeneration = identity.firstGeneration;
    }
    displayMode = identity.displayMode;
    return identity.stage == Stage::Complete;
}

bool CliInstrument::readSettings(CliFeedback& feedback)
{
    SettingsExchange exchange(*this, feedback, false);
    if (layoutUsesParameterPage(layoutIndex)) {
        const auto read = exchange.readDeltaEParameter(firstGeneration);
        if (!read) {
            return false;
        }
        if (read->formulaText) {
            formulaText = *read->formulaText;
        }
        formulaCode = read->formulaCode;
        parameterThreshold = tolerances.deltaE = read->threshold;
        return true;
    }
    const auto read = exchange.readTolerances();
    if (!read) {
        return false;
    }
    tolerances = *read;
    return true;
}

ComparisonSettings CliInstrument::comparisonSettings() const
{
    // What the window knows of the same instrument, judged as the window judges.
    InstrumentState state;
    state.modelName = modelName;
    state.softwareVersion = softwareVersion;
    state.layoutIndex = layoutIndex;
    state.hazeTolerance = tolerances.haze;
    state.transmittanceTolerance = tolerances.transmittance;
    state.deltaEThreshold = tolerances.deltaE;
    state.deltaEFormulaIndex = formulaCode;
    state.parameterThreshold = parameterThreshold;
    state.displayMode = displayMode;
    return state.judgingSettings(firstGeneration, formulaText, formatThreshold(tolerances.deltaE));
}

bool CliInstrument::waitForPushedReading(int waitMs, ColorReading& reading)
{
    const PushedFrameFormat format = pushedFrameFormat(modelName, softwareVersion);
    QDeadlineTimer deadline(waitMs);
    QDeadlineTimer keyPress(m_device.emulator ? kSimulatedKeyDelayMs : -1);
    bool pressed = false;
    while (!deadline.hasExpired()) {
        if (!m_transport.isLinkOpen()) {
            return false;
        }
        if (m_device.emulator && !pressed && keyPress.hasExpired()) {
            // Nobody stands at an emulated instrument: its key is pressed for it.
            m_device.emulator->pressMeasureKey(m_device.emulator->model().pushesBlockFrames());
            pressed = true;
        }
        QByteArray chunk;
        if (m_transport.receiveFrame(chunk, 0, kPollExpectedLen, false) > 0) {
            m_pushed += chunk;
        }
        const PushedScan scan = scanPushedFrames(m_pushed, format);
        m_pushed.remove(0, scan.consumed);
        for (const PushedFrame& frame : scan.frames) {
            if (readingFromPushedFrame(frame, displayMode, reading)) {
                return true;
            }
            qCDebug(lcCli) << "a pushed frame of another display mode was left aside";
        }
    }
    return false;
}

// ---- CliDevices --------------------------------------------------------------

bool CliDevices::addSimulated(const QString& modelText, QString& error)
{
    const int colon = modelText.indexOf(QLatin1Char(':'));
    QString model = (colon < 0 ? modelText : modelText.left(colon)).trimmed().toUpper();
    if (model.isEmpty()) {
        model = QStringLiteral("TX310");
    }
    if (!isKnownEmulatorModel(model)) {
        error = Cli::tr("Unknown instrument model \"%1\"; choose one of %2.")
                    .arg(model, emulatorModelNames().join(QStringLiteral(", ")));
        return false;
    }
    int version = 0;
    if (colon >= 0) {
        const QString text = modelText.mid(colon + 1).trimmed();
        bool ok = false;
        version = text.contains(QLatin1Char('.')) ? int(std::lround(text.toDouble(&ok) * 100.0)) : text.toInt(&ok);
        if (!ok || version <= 0 || version > 65535) {
            error = Cli::tr("Invalid software version \"%1\"; write it as 312 or 3.12.").arg(text);
            return false;
        }
    }
    m_simulated << (m_env.makeEmulator ? m_env.makeEmulator(model, version)
                                       : std::make_shared<InstrumentEmulator>(model, version));
    return true;
}

QList<CliDevice> CliDevices::attached() const
{
    QList<CliDevice> devices;
    // --simulate adds to the real instruments: with one of those attached a
    // run needs --device, and so never reaches the wrong one by accident.
    for (const HidInstrumentInterface& hid :
         HidapiBackend::attachedInstruments(kInstrumentVendorId, kInstrumentProductId)) {
        devices << CliDevice{QString::fromStdString(hid.path), QString::fromStdString(hid.serial), nullptr};
    }
    for (int i = 0; i < m_simulated.size(); ++i) {
        if (m_simulated.at(i)->isPlugged()) {
            devices << CliDevice{QStringLiteral("simulated:%1").arg(i + 1), QString(), m_simulated.at(i)};
        }
    }
    return devices;
}

std::unique_ptr<CliInstrument> CliDevices::open(const CliDevice& device) const
{
    std::unique_ptr<HidBackend> backend = device.emulator
                                              ? device.emulator->createBackend()
                                              : std::make_unique<HidapiBackend>(device.path.toStdString());
    auto link = std::make_unique<CLinkerUSB>(std::move(backend));
    if (!link->Open(kInstrumentVendorId, kInstrumentProductId)) {
        return nullptr;
    }
    return std::make_unique<CliInstrument>(device, std::move(link));
}

CliDeviceDescription CliDevices::describe(const CliDevice& device, bool windowRunning) const
{
    CliDeviceDescription description;
    description.serialNumber = device.usbSerial;
    if (!device.emulator && windowRunning) {
        description.state = CliDeviceDescription::HeldByWindow;
        return description;
    }
    const std::unique_ptr<CliInstrument> instrument = open(device);
    if (!instrument) {
        description.state = CliDeviceDescription::CannotOpen;
        return description;
    }
    CliFeedback feedback;
    if (!instrument->identify(cliModelTable(), feedback)) {
        description.state = CliDeviceDescription::NotIdentified;
    }
    if (!instrument->serialNumber.isEmpty()) {
        description.serialNumber = instrument->serialNumber;
    }
    description.modelName = instrument->modelName;
    description.softwareVersion = instrument->softwareVersion;
    return description;
}
