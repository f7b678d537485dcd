#include "ToleranceSet.h"

#include "DeltaE.h"

#include "SpectralPower.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// The noise margin the instrument's tolerances are compared with: differences
// of displayed two-decimal values carry binary noise.
constexpr double kMargin = 1e-9;

const std::array<const char*, kToleranceQuantityCount> kTokens = {
    "dL", "da", "db", "dC", "dH", "dEab", "dEuv", "dE94", "dEcmc21", "dEcmc11", "dEcmc141", "dE00", "haze", "t",
};

// A metamerism index is written "mi" and the formula's part of its delta-E
// token: "mi" (delta-E*ab), "mi00", "mi94", "micmc21", ...
QString metamerismToken(ToleranceQuantity quantity)
{
    if (quantity == ToleranceQuantity::dEab) {
        return QStringLiteral("mi");
    }
    return QStringLiteral("mi") + toleranceQuantityToken(quantity).mid(2);
}

std::optional<ToleranceQuantity> metamerismFromToken(const QString& token)
{
    if (!token.startsWith(QLatin1String("mi"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    const QString formula = token.mid(2);
    if (formula.isEmpty()) {
        return ToleranceQuantity::dEab;
    }
    const std::optional<ToleranceQuantity> quantity = toleranceQuantityFromToken(QStringLiteral("dE") + formula);
    if (!quantity || !isDeltaEQuantity(*quantity) || *quantity == ToleranceQuantity::dEuv) {
        return std::nullopt;
    }
    return quantity;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ToleranceSet", text);
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> finiteNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return value;
}

// How far value lies towards its limit: the fraction of the bound on its
// side (a delta-E: of its limit). 0 for a value on the far side of zero from
// that bound, where no band applies.
double bandFraction(const ToleranceLimit& limit, double value)
{
    if (value > 0.0 && limit.high > 0.0) {
        return value / limit.high;
    }
    if (value < 0.0 && limit.low < 0.0) {
        return value / limit.low;
    }
    return 0.0;
}

} // namespace

bool toleranceLimitExceeded(const ToleranceLimit& limit, double value)
{
    if (limit.metamerism || isDeltaEQuantity(limit.quantity)) {
        return value > limit.high + kMargin;
    }
    return value > limit.high + kMargin || value < limit.low - kMargin;
}

bool hasValueLimits(const QList<ToleranceLimit>& limits)
{
    return std::any_of(limits.begin(), limits.end(), [](const ToleranceLimit& limit) { return !limit.onCurves(); });
}

QString toleranceLimitToken(const ToleranceLimit& limit)
{
    QString token = limit.metamerism ? metamerismToken(limit.quantity) : toleranceQuantityToken(limit.quantity);
    if (!limit.illuminant.isEmpty()) {
        token += QLatin1Char('@') + limit.illuminant;
    }
    return token;
}

QString toleranceQuantityToken(ToleranceQuantity quantity)
{
    // Made once: judging 100 000 records names a limit for most of them.
    static const std::array<QString, kToleranceQuantityCount> tokens = [] {
        std::array<QString, kToleranceQuantityCount> made;
        for (int i = 0; i < kToleranceQuantityCount; ++i) {
            made[std::size_t(i)] = QString::fromLatin1(kTokens[std::size_t(i)]);
        }
        return made;
    }();
    const int index = static_cast<int>(quantity);
    return index >= 0 && index < kToleranceQuantityCount ? tokens[std::size_t(index)] : QString();
}

std::optional<ToleranceQuantity> toleranceQuantityFromToken(const QString& token)
{
    for (int i = 0; i < kToleranceQuantityCount; ++i) {
        if (token.compare(QLatin1String(kTokens[i]), Qt::CaseInsensitive) == 0) {
            return static_cast<ToleranceQuantity>(i);
        }
    }
    return std::nullopt;
}

bool isDeltaEQuantity(ToleranceQuantity quantity)
{
    return quantity >= ToleranceQuantity::dEab && quantity <= ToleranceQuantity::dE00;
}

QString formatToleranceLimits(const QList<ToleranceLimit>& limits)
{
    QStringList items;
    for (const ToleranceLimit& limit : limits) {
        QString item = toleranceLimitToken(limit);
        if (limit.metamerism || isDeltaEQuantity(limit.quantity)) {
            item += QStringLiteral("<=") + number(limit.high);
        } else {
            item += QLatin1Char('=') + number(limit.low) + QStringLiteral("..") + number(limit.high);
        }
        if (!limit.decides) {
            item += QStringLiteral(":info");
        }
        items.append(item);
    }
    return items.join(QLatin1Char(','));
}

ToleranceParse parseToleranceLimits(const QString& text)
{
    ToleranceParse result;
    if (text.trimmed().isEmpty()) {
        return result;
    }
    QSet<QString> seen;
    const QStringList items = text.split(QLatin1Char(','));
    for (const QString& raw : items) {
        QString item = raw.trimmed();
        const auto fail = [&](const char* why) {
            result.limits.clear();
            result.error = tr("Tolerance \"%1\": %2").arg(raw.trimmed(), tr(why));
            return result;
        };
        if (item.isEmpty()) {
            return fail(QT_TRANSLATE_NOOP("ToleranceSet", "empty limit"));
        }
        ToleranceLimit limit;
        const int colon = item.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            const QString suffix = item.mid(colon + 1).trimmed();
            if (suffix.compare(QLatin1String("info"), Qt::CaseInsensitive) != 0) {
                return fail(QT_TRANSLATE_NOOP("ToleranceSet", "only \":info\" may follow a limit"));
            }
            limit.decides = false;
            item = item.left(colon).trimmed();
        }
        const int le = item.indexOf(QStringLiteral("<="));
        const int eq = item.indexOf(QLatin1Char('='));
        const bool isLimitForm = le >= 0 && le < eq;
        const int split = isLimitForm ? le : eq;
        if (split <= 0) {
            return fail(QT_TRANSLATE_NOOP("ToleranceSet", "expected a quantity followed by <= or ="));
        }
        QString name = item.left(split).trimmed();
        const int at = name.indexOf(QLatin1Char('@'));
        if (at >= 0) {
            const std::optional<colorimetry::Illuminant> illuminant =
                colorimetry::illuminantFromName(name.mid(at + 1).trimmed());
            if (!illuminant) {
                return fail(QT_TRANSLATE_NOOP("ToleranceSet",
                                              "unknown illuminant after @ (A C D50 D55 D65 D75 F2 F7 F11)"));
            }
            limit.illuminant = colorimetry::illuminantName(*illuminant);
            name = name.left(at).trimmed();
        }
        std::optional<ToleranceQuantity> quantity = toleranceQuantityFromToken(name);
        if (!quantity) {
            quantity = metamerismFromToken(name);
            limit.metamerism = quantity.has_value();
        }
        if (!quantity) {
            return fail(QT_TRANSLATE_NOOP("ToleranceSet",
                                          "unknown quantity (dL da db dC dH dEab dEuv dE94 dEcmc21 dEcmc11 "
                                          "dEcmc141 dE00 haze t)"));
        }
        limit.quantity = *quantity;
        if (!limit.illuminant.isEmpty() && !limit.metamerism
            && (limit.quantity == ToleranceQuantity::Haze || limit.quantity == ToleranceQuantity::T
                || limit.quantity == ToleranceQuantity::dEuv)) {
            return fail(QT_TRANSLATE_NOOP("ToleranceSet",
                                          "under an illuminant only dL da db dC dH and delta-E other than dEuv "
                                          "can be limited"));
        }
        const QString value = item.mid(split + (isLimitForm ? 2 : 1)).trimmed();
        if (limit.metamerism || isDeltaEQuantity(limit.quantity)) {
            if (!isLimitForm) {
                return fail(limit.metamerism
                                ? QT_TRANSLATE_NOOP("ToleranceSet", "a metamerism index limit is written <=LIMIT")
                                : QT_TRANSLATE_NOOP("ToleranceSet", "a delta-E limit is written <=LIMIT"));
            }
            const std::optional<double> high = finiteNumber(value);
            if (!high || *high < 0.0) {
                return fail(QT_TRANSLATE_NOOP("ToleranceSet", "the limit must be a number from 0 up"));
            }
            limit.high = *high;
        } else {
            if (isLimitForm) {
                return fail(QT_TRANSLATE_NOOP("ToleranceSet", "a difference is limited by a range =LOW..HIGH"));
            }
            const int dots = value.indexOf(QStringLiteral(".."));
            if (dots < 0) {
                const std::optional<double> bound = finiteNumber(value);
                if (!bound || *bound < 0.0) {
                    return fail(QT_TRANSLATE_NOOP("ToleranceSet", "expected a range LOW..HIGH or a number from 0 up"));
                }
                limit.low = -*bound;
                limit.high = *bound;
            } else {
                const std::optional<double> low = finiteNumber(value.left(dots));
                const std::optional<double> high = finiteNumber(value.mid(dots + 2));
                if (!low || !high) {
                    return fail(QT_TRANSLATE_NOOP("ToleranceSet", "expected a range LOW..HIGH of two numbers"));
                }
                if (*low > *high) {
                    return fail(QT_TRANSLATE_NOOP("ToleranceSet", "the low end of the range is above its high end"));
                }
                limit.low = *low;
                limit.high = *high;
            }
        }
        const QString key = toleranceLimitToken(limit).toLower();
        if (seen.contains(key)) {
            return fail(QT_TRANSLATE_NOOP("ToleranceSet", "this quantity is limited twice"));
        }
        seen.insert(key);
        result.limits.append(limit);
    }
    return result;
}

std::optional<double> parseWarnPercent(const QString& text)
{
    const std::optional<double> value = finiteNumber(text);
    if (!value || *value < 0.0 || *value >= 100.0) {
        return std::nullopt;
    }
    return value;
}

ToleranceOutcome judgeAgainstSet(const LibraryToleranceSet& set, const ToleranceDifferences& differences)
{
    ToleranceOutcome outcome;
    std::optional<ToleranceQuantity> firstWarning;
    const double band = set.warnPercent > 0.0 ? set.warnPercent / 100.0 : 0.0;
    for (const ToleranceLimit& limit : set.limits) {
        if (limit.onCurves()) {
            continue;
        }
        const double value = differences[static_cast<int>(limit.quantity)];
        if (std::isnan(value)) {
            if (limit.decides && outcome.pass) {
                outcome.pass = false;
                outcome.decidedBy = limit.quantity;
            }
            continue;
        }
        const bool beyond = toleranceLimitExceeded(limit, value);
        if (limit.decides && beyond) {
            if (outcome.pass) {
                outcome.pass = false;
                outcome.decidedBy = limit.quantity;
            }
            continue;
        }
        const bool warns = (!limit.decides && beyond) || (band > 0.0 && bandFraction(limit, value) > band + kMargin);
        if (warns && !firstWarning) {
            firstWarning = limit.quantity;
        }
    }
    if (outcome.pass && firstWarning) {
        outcome.warning = true;
        outcome.decidedBy = firstWarning;
    }
    return outcome;
}

std::optional<DeltaEFormula> toleranceFormula(ToleranceQuantity quantity)
{
    switch (quantity) {
    case ToleranceQuantity::dEab: return DeltaEFormula::CieAb;
    case ToleranceQuantity::dEuv: return DeltaEFormula::CieUv;
    case ToleranceQuantity::dE94: return DeltaEFormula::Cie94;
    case ToleranceQuantity::dEcmc21: return DeltaEFormula::Cmc2To1;
    case ToleranceQuantity::dEcmc11: return DeltaEFormula::Cmc1To1;
    case ToleranceQuantity::dEcmc141: return DeltaEFormula::Cmc14To1;
    case ToleranceQuantity::dE00: return DeltaEFormula::Cie2000;
    default: return std::nullopt;
    }
}
