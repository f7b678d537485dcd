#pragma once
// The rules of the instrument settings panel as plain functions: what the
// operator typed turned into wire values with their range checks and
// messages, the colour-difference parameter as read and the formula buttons of
// both generations. Judging is ComparisonJudging's alone.

#include "Judgement.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <optional>

namespace SettingsRules {

// A box to show: title and text.
struct Message
{
    QString title;
    QString text;
};

// value x scale rounded to the nearest unit of the wire field: 1.15 is sent
// as 115 although its binary value lies just below 1.15.
int toWireUnits(double value, int scale);

// One tolerance input of the panel.
struct ToleranceField
{
    QString text;
    bool visible = true;    // the display mode shows it
    double lastRead = -1.0; // the value last read from or written to the instrument
};

// The three tolerances to write, in wire units, and the values they stand for.
struct ToleranceWrite
{
    int haze = 0;          // x 100
    int transmittance = 0; // x 100
    int deltaE = 0;        // x 10
    Tolerances values;     // the wire values in displayed units
};

// Checks the inputs in the order haze, transmittance, threshold. A visible
// empty field is refused; a hidden field is sent as last read, unchecked.
// Haze and transmittance must lie in 0..100, the threshold in 0.1..50 (the
// limits themselves are accepted). Either the values to write or the box
// that refuses them. A hidden field never read (-1) must be filled in from
// the instrument before calling this.
struct ToleranceCheck
{
    std::optional<ToleranceWrite> write;
    Message refusal;
};
ToleranceCheck checkTolerances(const ToleranceField& haze, const ToleranceField& transmittance,
                               const ToleranceField& deltaEThreshold);

// The threshold of the colour-difference parameter typed by the operator,
// x 10 in wire units, or nothing when it lies outside 0.1..50.
std::optional<int> deltaEParameterThreshold(const QString& text);
// The two boxes of the colour-difference parameter, chosen by the page's
// chineseUi flag rather than by the translation catalogue.
Message deltaEThresholdRangeMessage(bool chineseUi);
Message deltaEWriteFailedMessage(bool chineseUi);

// The colour-difference parameter as the page keeps it after a read.
struct DeltaEParameter
{
    int formulaCode = 0;                // deltaEFormulaIndex
    std::optional<QString> formulaText; // unset: leave the formula field as it is
    double threshold = 0.0;             // parameterThreshold and deltaEThreshold
};
// A first-generation colorimeter's code above 5 is read as 0; a code that
// names no formula keeps the field unchanged but is stored.
DeltaEParameter interpretDeltaEParameter(int code, int threshold, bool firstGeneration);

// Ids of the dialog's seven formula buttons formulaBtn_0..6 (-1: hidden and
// not in the group). The id is the formula code written to the instrument.
std::array<int, 7> formulaButtonIds(bool firstGeneration);

} // namespace SettingsRules
