#include "StandardTexts.h"

#include "ComparisonJudging.h"
#include "Judgement.h"

#include <cmath>

namespace {

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

// "+0.60", "−0.30" (a real minus sign), "0.00".
QString signedNumber(double value)
{
    if (value > 0.0) {
        return QStringLiteral("+") + number(value);
    }
    if (value < 0.0) {
        return QStringLiteral("\u2212") + number(-value);
    }
    return number(0.0);
}

} // namespace

QString StandardTexts::symbol(ToleranceQuantity quantity)
{
    switch (quantity) {
    case ToleranceQuantity::dL:
        return QStringLiteral("\u0394L*");
    case ToleranceQuantity::da:
        return QStringLiteral("\u0394a*");
    case ToleranceQuantity::db:
        return QStringLiteral("\u0394b*");
    case ToleranceQuantity::dC:
        return QStringLiteral("\u0394C*");
    case ToleranceQuantity::dH:
        return QStringLiteral("\u0394H*");
    case ToleranceQuantity::dEab:
        return QStringLiteral("\u0394E*ab");
    case ToleranceQuantity::dEuv:
        return QStringLiteral("\u0394E*uv");
    case ToleranceQuantity::dE94:
        return QStringLiteral("\u0394E*94");
    case ToleranceQuantity::dEcmc21:
        return QStringLiteral("\u0394E CMC 2:1");
    case ToleranceQuantity::dEcmc11:
        return QStringLiteral("\u0394E CMC 1:1");
    case ToleranceQuantity::dEcmc141:
        return QStringLiteral("\u0394E CMC 1.4:1");
    case ToleranceQuantity::dE00:
        return QStringLiteral("\u0394E*00");
    case ToleranceQuantity::Haze:
        return tr("\u0394Haze");
    case ToleranceQuantity::T:
        return tr("\u0394T");
    }
    return QString();
}

QString StandardTexts::limit(const ToleranceLimit& limit)
{
    QString text;
    const bool percent = limit.quantity == ToleranceQuantity::Haze || limit.quantity == ToleranceQuantity::T;
    const QString unit = percent ? QStringLiteral(" %") : QString();
    // Limits on curves: the metamerism index in its formula, the illuminant.
    QString name = limit.metamerism ? tr("MI %1").arg(symbol(limit.quantity)) : symbol(limit.quantity);
    if (!limit.illuminant.isEmpty()) {
        name = tr("%1 under %2").arg(name, limit.illuminant);
    }
    if (limit.metamerism || isDeltaEQuantity(limit.quantity)) {
        text = QStringLiteral("%1 \u2264 %2").arg(name, number(limit.high));
    } else if (limit.low == -limit.high) {
        text = QStringLiteral("%1 \u00B1%2%3").arg(name, number(limit.high), unit);
    } else {
        text = QStringLiteral("%1 %2 \u2026 %3%4").arg(name, signedNumber(limit.low), signedNumber(limit.high), unit);
    }
    return limit.decides ? text : tr("%1 (informs)").arg(text);
}

QString StandardTexts::set(const LibraryToleranceSet& set)
{
    if (set.limits.isEmpty()) {
        return tr("no limits");
    }
    QStringList parts;
    for (const ToleranceLimit& each : set.limits) {
        parts << limit(each);
    }
    QString text = parts.join(QStringLiteral("; "));
    if (set.warnPercent > 0.0) {
        text += tr("; warning beyond %1 % of a limit").arg(set.warnPercent, 0, 'g', 3);
    }
    return text;
}

QString StandardTexts::values(const Standard& standard)
{
    using V = ComparisonRecord;
    QStringList parts;
    if (standard.hasLab()) {
        parts << QStringLiteral("L* %1  a* %2  b* %3")
                     .arg(number(standard.values[V::LabL]), number(standard.values[V::LabA]),
                          number(standard.values[V::LabB]));
    }
    if (standard.hasHaze()) {
        parts << tr("Haze %1 %").arg(number(standard.values[V::Haze]));
    }
    if (standard.hasTransmittance()) {
        parts << tr("T %1 %").arg(number(standard.values[V::Transmittance]));
    }
    return parts.isEmpty() ? tr("no values") : parts.join(QStringLiteral("  "));
}

QString StandardTexts::decidedBySymbol(const QString& token)
{
    const std::optional<ToleranceQuantity> quantity = toleranceQuantityFromToken(token);
    return quantity ? symbol(*quantity) : token;
}

QString StandardTexts::verdictToolTip(const ComparisonRecord& record)
{
    const LibraryJudgement& library = record.library;
    if (library.inUse() && hasValueLimits(library.tolerances.limits)) {
        const LibraryToleranceSet& set = library.tolerances;
        QString limitShown;
        for (const ToleranceLimit& each : set.limits) {
            if (toleranceQuantityToken(each.quantity).compare(library.decidedBy, Qt::CaseInsensitive) == 0) {
                limitShown = limit(each);
            }
        }
        QString first;
        if (!record.pass) {
            first = tr("NG: %1 is beyond its limit %2.").arg(decidedBySymbol(library.decidedBy), limitShown);
        } else if (library.warning) {
            first = tr("PASS with a warning: %1 is beyond %2 % of its limit %3.")
                        .arg(decidedBySymbol(library.decidedBy))
                        .arg(set.warnPercent, 0, 'g', 3)
                        .arg(limitShown);
        } else {
            first = tr("PASS: within every limit.");
        }
        const QString standard = library.standardCode.isEmpty()
                                     ? library.standardName
                                     : QStringLiteral("%1 [%2]").arg(library.standardName, library.standardCode);
        return first + QLatin1Char('\n')
               + tr("Library standard %1, version %2").arg(standard).arg(library.standardVersion)
               + QLatin1Char('\n') + tr("Tolerances: %1").arg(StandardTexts::set(set));
    }

    // The instrument's tolerances: which one the one rule finds exceeded,
    // asked of it one tolerance at a time.
    const Tolerances tolerances = judgedTolerances(record.settings, record.legacy);
    const auto exceeded = [&](int which) {
        constexpr double kNone = 1e300;
        Tolerances only{kNone, kNone, kNone};
        double haze = 0.0;
        double t = 0.0;
        double deltaE = 0.0;
        if (which == 0) {
            only.haze = tolerances.haze;
            haze = record.hazeDifference;
        } else if (which == 1) {
            only.transmittance = tolerances.transmittance;
            t = record.transmittanceDifference;
        } else {
            only.deltaE = tolerances.deltaE;
            deltaE = record.deltaE;
        }
        if (record.legacy) {
            return which == 2 && judgeLegacy(deltaE, tolerances.deltaE) == Verdict::Ng;
        }
        return judgeComparison(record.settings.displayMode, haze, t, deltaE, only) == Verdict::Ng;
    };
    QStringList beyond;
    if (exceeded(0)) {
        beyond << tr("\u0394Haze beyond \u00B1%1 %").arg(number(tolerances.haze));
    }
    if (exceeded(1)) {
        beyond << tr("\u0394T beyond \u00B1%1 %").arg(number(tolerances.transmittance));
    }
    if (exceeded(2)) {
        beyond << tr("\u0394E beyond %1").arg(number(tolerances.deltaE));
    }
    QString first;
    if (record.pass) {
        first = tr("PASS: within the instrument's tolerances.");
    } else if (beyond.isEmpty()) {
        first = tr("NG: a value the verdict needs is not known.");
    } else {
        first = tr("NG: %1.").arg(beyond.join(QStringLiteral(", ")));
    }
    QString judged = tr("Judged by the instrument's tolerances.");
    if (library.inUse()) {
        // A library standard whose set has no limits yet.
        judged = tr("Library standard %1, version %2, has no limits yet: judged by the instrument's tolerances.")
                     .arg(library.standardName)
                     .arg(library.standardVersion);
    }
    return first + QLatin1Char('\n') + judged;
}
