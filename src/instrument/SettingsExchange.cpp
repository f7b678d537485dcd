#include "SettingsExchange.h"

#include "Frames.h"
#include "SettingsCommands.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSettings, "tintwell.instrument.settings")

using namespace SettingsRules;

SettingsExchange::SettingsExchange(LinkAccess& link, InstrumentFeedback& feedback, bool chineseUi)
    : m_link(link), m_feedback(feedback), m_chineseUi(chineseUi)
{
}

void SettingsExchange::show(const QString& title, const QString& text)
{
    m_feedback.inform({title, text});
}

bool SettingsExchange::requireConnection()
{
    if (m_link.transport().isLinkOpen()) {
        return true;
    }
    show(tr("Error"), tr("Please connect the device first!"));
    return false;
}

std::optional<Tolerances> SettingsExchange::readTolerances(const std::function<void(const Tolerances&)>& onRead)
{
    LinkLock lock(m_link);
    ToleranceSet stored;
    const int rc = readTolerance(m_link.transport(), stored);
    lock.unlock();
    if (rc != ProtocolResult::Success) {
        qCDebug(lcSettings) << "reading the tolerances failed:" << rc;
        show(tr("Error"), tr("Failed to Read Tolerance information!"));
        return std::nullopt;
    }
    const Tolerances read{stored.hazeTolerance / 100.0, stored.transmittanceTolerance / 100.0,
                          stored.deltaEThreshold / 10.0};
    if (onRead) {
        onRead(read);
    }
    show(tr("Information"), tr("Read successful!"));
    return read;
}

std::optional<Tolerances> SettingsExchange::setTolerances(ToleranceField haze, ToleranceField transmittance,
                                                          ToleranceField deltaEThreshold,
                                                          const std::function<void(const Tolerances&)>& onStored)
{
    LinkLock lock(m_link);
    Transport& transport = m_link.transport();
    const bool anyHidden = !haze.visible || !transmittance.visible || !deltaEThreshold.visible;
    if (anyHidden) {
        // A hidden tolerance goes back unchanged. What was read earlier may
        // have been changed on the keypad since: read it again under this lock.
        ToleranceSet stored;
        if (readTolerance(transport, stored) != ProtocolResult::Success) {
            lock.unlock();
            show(tr("Error"), tr("Failed to Setup  Tolerance information!"));
            return std::nullopt;
        }
        haze.lastRead = stored.hazeTolerance / 100.0;
        transmittance.lastRead = stored.transmittanceTolerance / 100.0;
        deltaEThreshold.lastRead = stored.deltaEThreshold / 10.0;
    }
    const ToleranceCheck check = checkTolerances(haze, transmittance, deltaEThreshold);
    if (!check.write) {
        lock.unlock();
        show(check.refusal.title, check.refusal.text);
        return std::nullopt;
    }
    const ToleranceWrite& write = *check.write;
    const int rc = setTolerance(transport, write.haze, write.transmittance, write.deltaE);
    lock.unlock();
    if (rc != ProtocolResult::Success) {
        qCDebug(lcSettings) << "setting the tolerances failed:" << rc;
        show(tr("Error"), tr("Failed to Setup  Tolerance information!"));
        return std::nullopt;
    }
    if (onStored) {
        onStored(write.values);
    }
    show(tr("Information"), tr("Setup successfully!"));
    return write.values;
}

std::optional<DeltaEParameter> SettingsExchange::readDeltaEParameter(bool firstGeneration)
{
    LinkLock lock(m_link);
    int code = 0;
    int threshold = 0;
    const int rc = ::readDeltaEParameter(m_link.transport(), code, threshold);
    lock.unlock();
    if (rc != ProtocolResult::Success) {
        qCDebug(lcSettings) << "reading the delta-E parameter failed:" << rc;
        show(tr("Error"), tr("Failed to read △E parameter information!"));
        return std::nullopt;
    }
    return interpretDeltaEParameter(code, threshold, firstGeneration);
}

bool SettingsExchange::setDeltaEThreshold(const QString& thresholdText)
{
    return writeDeltaEParameter(m_link, m_feedback, m_chineseUi, 0, thresholdText);
}

bool SettingsExchange::writeDeltaEParameter(LinkAccess& link, InstrumentFeedback& feedback, bool chineseUi,
                                            int formulaCode, const QString& thresholdText)
{
    // A threshold out of range is refused before the link is taken.
    const std::optional<int> threshold = deltaEParameterThreshold(thresholdText);
    if (!threshold) {
        const Message m = deltaEThresholdRangeMessage(chineseUi);
        feedback.inform({m.title, m.text});
        return false;
    }
    LinkLock lock(link);
    const int rc = ::setDeltaEParameter(link.transport(), formulaCode, *threshold);
    lock.unlock();
    if (rc != ProtocolResult::Success) {
        qCDebug(lcSettings) << "writing the delta-E parameter failed:" << rc;
        const Message m = deltaEWriteFailedMessage(chineseUi);
        feedback.inform({m.title, m.text});
        return false;
    }
    return true;
}

bool SettingsExchange::setDisplayParameter(DisplayMode displayMode)
{
    LinkLock lock(m_link);
    const int rc = ::setDisplayParameter(m_link.transport(), displayModeIndex(displayMode));
    lock.unlock();
    if (rc != ProtocolResult::Success) {
        qCDebug(lcSettings) << "setting the display parameter to" << displayModeIndex(displayMode) << "failed:" << rc;
        show(tr("Error"), tr("Failed to Setup  DisplayParam information!"));
        return false;
    }
    return true;
}
