#include "Identification.h"

#include "Frames.h"
#include "IdentificationCommands.h"
#include "InstrumentGeneration.h"
#include "SettingsCommands.h"
#include "Transport.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FirstPageFor310", text);
}

void addBox(IdentificationOutcome& outcome, const QString& title, const QString& text)
{
    outcome.boxes.append({title, text});
}

void addTip(IdentificationOutcome& outcome, const QString& tip)
{
    if (!tip.isEmpty()) {
        addBox(outcome, QStringLiteral("提示"), tip);
    }
}

} // namespace

QString productionInformationFailureTip(int result)
{
    switch (result) {
    case ProtocolResult::SendFailed:
        return QStringLiteral("读取生产信息写端口失败！");
    case ProtocolResult::NoReply:
        return QStringLiteral("读取生产信息接收端口报文失败！");
    case ProtocolResult::WrongReply:
        return QStringLiteral("读取生产信息接收的报文格式错误！");
    case ProtocolResult::BadDataChecksum:
        return QStringLiteral("读取生产信息checksum错误！");
    default:
        return QString();
    }
}

QString softwareVersionFailureTip(int result)
{
    switch (result) {
    case ProtocolResult::SendFailed:
        return QStringLiteral("读取软件版本写端口失败！");
    case ProtocolResult::NoReply:
        return QStringLiteral("读取软件版本接收端口报文失败！");
    case ProtocolResult::WrongReply:
        return QStringLiteral("读取软件版本接收的报文格式错误！");
    default:
        return QString();
    }
}

IdentificationOutcome identifyInstrument(Transport& transport, const ModelTable& table, int layoutIndex)
{
    IdentificationOutcome outcome;
    if (!transport.isLinkOpen()) {
        return outcome;
    }
    outcome.stage = IdentificationOutcome::NoInformation;

    KeyInformation key;
    const int keyResult = readKeyInformation(transport, key);
    if (keyResult == ProtocolResult::Refused) {
        ProductionInformation production;
        const int productionResult = readProductionInformation(transport, production);
        if (productionResult != ProtocolResult::Success) {
            addTip(outcome, productionInformationFailureTip(productionResult));
            addBox(outcome, tr("Error"), tr("Failed to read device information!"));
            return outcome;
        }
        outcome.serialNumber = production.serialNumber;
        outcome.meterNumber = production.meterNumber;
    } else if (keyResult != ProtocolResult::Success) {
        addBox(outcome, tr("Warn"), tr("Read key infomation fail!"));
        return outcome;
    } else {
        outcome.serialNumber = key.serialNumber;
        outcome.meterNumber = key.meterNumber;
    }
    outcome.stage = IdentificationOutcome::SerialRead;

    outcome.model = findModel(table, outcome.meterNumber);
    if (!outcome.model && !table.isEmpty()) {
        addBox(outcome, tr("Error"), tr("Read MeterNo Fail!"));
        return outcome;
    }
    outcome.stage = IdentificationOutcome::ModelKnown;
    const QString model = outcome.model ? outcome.model->model : QString();
    const int layout = outcome.model ? outcome.model->layoutIndex : layoutIndex;

    const int versionResult = readSoftwareVersion(transport, outcome.softwareVersion);
    if (versionResult != ProtocolResult::Success) {
        outcome.softwareVersion = 0;
        addTip(outcome, softwareVersionFailureTip(versionResult));
        addBox(outcome, tr("Error"), tr("Failed to read software version number!"));
        return outcome;
    }
    outcome.stage = IdentificationOutcome::VersionRead;
    outcome.firstGeneration = isFirstGenerationColorimeter(model, outcome.softwareVersion);
    if (outcome.firstGeneration) {
        outcome.stage = IdentificationOutcome::Complete;
        return outcome;
    }

    int displayParameter = -1;
    const bool read = readDisplayParameter(transport, displayParameter) == ProtocolResult::Success;
    const DisplayMode displayMode = displayModeFromIndex(displayParameter);
    if (!read || !layoutAcceptsDisplayMode(layout, displayMode)) {
        addBox(outcome, tr("Error"), tr("Failed to read DisplayParam!"));
        return outcome;
    }
    outcome.displayMode = displayMode;
    outcome.stage = IdentificationOutcome::Complete;
    return outcome;
}
