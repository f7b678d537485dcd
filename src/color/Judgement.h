#pragma once
#include <QString>
#include <QtGlobal>
#include <array>

#include "DisplayMode.h"

// Deviation words beside the colour differences and the PASS/NG verdict.

enum class DeviationAxis { L, A, B };

// Word for a difference (sample - standard) on one axis, translated in the
// workspace page's context: "More black" below -4, "Slight black" from -4 up
// to -0.2, "Normal" within +-0.2, "Slight white" above 0.2 up to 4 inclusive,
// "More white" above 4 (red/green for a*, yellow/blue for b*). Differences
// of displayed two-decimal values carry binary noise (10.30 - 10.10 is
// 0.2000000000000011); bounds are compared with a 1e-9 margin so such a
// difference falls in the band its displayed value belongs to.
QString deviationWord(DeviationAxis axis, double difference);

enum class Verdict { Pass, Ng };

// The tolerances a comparison is judged against, in displayed units (percent
// for haze and transmittance). -1 means not read from the instrument yet.
struct Tolerances
{
    double haze = -1.0;
    double transmittance = -1.0;
    double deltaE = -1.0;
};

// Verdict of the current layout: NG when a difference that the display mode
// looks at exceeds its tolerance; a difference equal to it passes (with the
// same noise margin as deviationWord); a looked-at difference that is not
// known (NaN) is NG, as what was not compared never passes. No mode (None)
// gives PASS.
Verdict judgeComparison(DisplayMode mode, double hazeDifference,
                        double transmittanceDifference, double deltaE,
                        const Tolerances& tolerances);
// Verdict of the legacy layout: delta-E against its threshold alone, so a
// delta-E of -1 (unknown formula code) passes any threshold from -1 up; an
// unknown one (NaN) is NG.
Verdict judgeLegacy(double deltaE, double deltaEThreshold);

// "PASS" or "NG", translated in the workspace page's context.
QString verdictText(Verdict verdict);
