#include "Judgement.h"

#include <QCoreApplication>
#include <cmath>

namespace {

// Differences come from values shown with two decimals, so binary
// subtraction leaves noise around 1e-14 (12.35 - 12.10 = 0.2500000000000018).
// Without this margin a difference the display shows as equal to its bound
// would be judged beyond it; the margin is far below the 0.01 resolution.
constexpr double boundNoise = 1e-9;

bool exceeds(double value, double limit)
{
    return value > limit + boundNoise;
}

// A difference that is not known (NaN) was not compared, so it never passes.
bool judgedOut(double difference, double limit)
{
    return std::isnan(difference) || exceeds(difference, limit);
}

const char* const context = "FirstPageFor310";

// Words per axis, from the most negative band to the most positive one.
const char* const words[3][5] = {
    {QT_TRANSLATE_NOOP("FirstPageFor310", "More black"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Slight black"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Normal"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Slight white"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "More white")},
    {QT_TRANSLATE_NOOP("FirstPageFor310", "More green"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Slight green"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Normal"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Slight red"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "More red")},
    {QT_TRANSLATE_NOOP("FirstPageFor310", "More Blue"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Slight blue"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Normal"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "Slight yellow"),
     QT_TRANSLATE_NOOP("FirstPageFor310", "More yellow")},
};

int deviationBand(double d)
{
    if (exceeds(-4.0, d)) {
        return 0;
    }
    if (exceeds(-0.2, d)) {
        return 1;
    }
    if (!exceeds(d, 0.2)) {
        return 2;
    }
    if (!exceeds(d, 4.0)) {
        return 3;
    }
    return 4;
}

} // namespace

QString deviationWord(DeviationAxis axis, double difference)
{
    const int band = deviationBand(difference);
    return QCoreApplication::translate(context, words[static_cast<int>(axis)][band]);
}

Verdict judgeComparison(DisplayMode mode, double hazeDifference,
                        double transmittanceDifference, double deltaE,
                        const Tolerances& tolerances)
{
    const bool hazeOut = judgedOut(std::abs(hazeDifference), tolerances.haze);
    const bool transmittanceOut = judgedOut(std::abs(transmittanceDifference),
                                            tolerances.transmittance);
    const bool deltaEOut = judgedOut(deltaE, tolerances.deltaE);

    const bool ng = (judgesHaze(mode) && hazeOut) || (judgesTransmittance(mode) && transmittanceOut)
                    || (judgesDeltaE(mode) && deltaEOut);
    return ng ? Verdict::Ng : Verdict::Pass;
}

Verdict judgeLegacy(double deltaE, double deltaEThreshold)
{
    return judgedOut(deltaE, deltaEThreshold) ? Verdict::Ng : Verdict::Pass;
}

QString verdictText(Verdict verdict)
{
    if (verdict == Verdict::Ng) {
        return QCoreApplication::translate(context, QT_TRANSLATE_NOOP("FirstPageFor310", "NG"));
    }
    return QCoreApplication::translate(context, QT_TRANSLATE_NOOP("FirstPageFor310", "PASS"));
}
