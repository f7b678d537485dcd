#pragma once
// The settings panel's exchanges with the instrument: read and write the
// tolerances, the colour-difference parameter and the display parameter,
// each under the link lock. The page keeps the values; this class only moves
// them and says what happened, through the caller's InstrumentFeedback.

#include "DisplayMode.h"
#include "InstrumentFeedback.h"
#include "LinkAccess.h"
#include "SettingsRules.h"

#include <QCoreApplication>

#include <functional>
#include <optional>

class SettingsExchange
{
    Q_DECLARE_TR_FUNCTIONS(SettingsExchange)
public:
    SettingsExchange(LinkAccess& link, InstrumentFeedback& feedback, bool chineseUi);

    // Shows "Please connect the device first!" when no instrument is attached.
    bool requireConnection();

    // The stored tolerances in displayed units, handed to onRead and then
    // announced with "Read successful!"; nothing (and the failure box) when
    // the read fails.
    std::optional<Tolerances> readTolerances(const std::function<void(const Tolerances&)>& onRead = {});

    // Writes the three inputs (see SettingsRules::checkTolerances). When an
    // input is hidden, the instrument's values are read first, in the same
    // locked exchange, so a write never overwrites a tolerance the operator
    // cannot see (not even one changed on the keypad since the last read). On success onStored gets
    // the values now stored (before "Setup successfully!" is shown) and they
    // are returned.
    std::optional<Tolerances> setTolerances(SettingsRules::ToleranceField haze,
                                            SettingsRules::ToleranceField transmittance,
                                            SettingsRules::ToleranceField deltaEThreshold,
                                            const std::function<void(const Tolerances&)>& onStored);

    // The colour-difference parameter as the page keeps it; silent on success.
    std::optional<SettingsRules::DeltaEParameter> readDeltaEParameter(bool firstGeneration);

    // Layout 2: the threshold alone, formula code 0.
    bool setDeltaEThreshold(const QString& thresholdText);

    // The write of the parameter dialog (and of layout 2): a threshold out of
    // range is refused with its box before the link is taken; the link lock
    // is held for the write alone, and let go before the write-failure box.
    static bool writeDeltaEParameter(LinkAccess& link, InstrumentFeedback& feedback, bool chineseUi, int formulaCode,
                                     const QString& thresholdText);

    // The display parameter 0..6 (-1 when no mode is chosen, which fails).
    bool setDisplayParameter(DisplayMode displayMode);

private:
    void show(const QString& title, const QString& text);

    LinkAccess& m_link;
    InstrumentFeedback& m_feedback;
    bool m_chineseUi;
};
