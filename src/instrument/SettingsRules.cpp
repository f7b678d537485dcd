#include "SettingsRules.h"

#include "DeltaE.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace SettingsRules {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SettingsRules", text);
}

// The number typed into a field, in the operator's locale or the C locale.
std::optional<double> typedNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok) {
        value = QLocale::c().toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A visible field: its number when typed and within lo..hi.
enum class FieldState { Empty, OutOfRange, Ok };
FieldState checkField(const ToleranceField& field, double lo, double hi, double& value)
{
    if (!field.visible) {
        value = field.lastRead;
        return FieldState::Ok;
    }
    if (field.text.trimmed().isEmpty()) {
        return FieldState::Empty;
    }
    const std::optional<double> typed = typedNumber(field.text);
    if (!typed || *typed < lo || *typed > hi) {
        return FieldState::OutOfRange;
    }
    value = *typed;
    return FieldState::Ok;
}

} // namespace

int toWireUnits(double value, int scale)
{
    return static_cast<int>(std::llround(value * scale));
}

ToleranceCheck checkTolerances(const ToleranceField& haze, const ToleranceField& transmittance,
                               const ToleranceField& deltaEThreshold)
{
    struct Rule
    {
        const ToleranceField& field;
        double lo;
        double hi;
        const char* emptyText;
        const char* rangeText;
    };
    const Rule rules[] = {
        {haze, 0.0, 100.0, QT_TRANSLATE_NOOP("SettingsRules", "Please enter the haze tolerance!"),
         QT_TRANSLATE_NOOP("SettingsRules", "Haze Tolerance must between 0-100!")},
        {transmittance, 0.0, 100.0,
         QT_TRANSLATE_NOOP("SettingsRules", "Please enter the transmittance tolerance!"),
         QT_TRANSLATE_NOOP("SettingsRules", "Transmittance  Tolerance must between 0-100!")},
        {deltaEThreshold, 0.1, 50.0, QT_TRANSLATE_NOOP("SettingsRules", "Please enter the △E threshold!"),
         QT_TRANSLATE_NOOP("SettingsRules", "Thresholds must between 0.1-50!")},
    };
    double values[3] = {0.0, 0.0, 0.0};
    ToleranceCheck check;
    for (int i = 0; i < 3; ++i) {
        const Rule& rule = rules[i];
        const FieldState state = checkField(rule.field, rule.lo, rule.hi, values[i]);
        if (state != FieldState::Ok) {
            check.refusal = {tr("information"), tr(state == FieldState::Empty ? rule.emptyText : rule.rangeText)};
            return check;
        }
    }
    ToleranceWrite write;
    // A hidden field goes back as it was read; one never read cannot go at all.
    write.haze = std::max(0, toWireUnits(values[0], 100));
    write.transmittance = std::max(0, toWireUnits(values[1], 100));
    write.deltaE = std::max(0, toWireUnits(values[2], 10));
    write.values = {write.haze / 100.0, write.transmittance / 100.0, write.deltaE / 10.0};
    check.write = write;
    return check;
}

std::optional<int> deltaEParameterThreshold(const QString& text)
{
    const double t = typedNumber(text).value_or(0.0); // an empty field is 0, out of range
    if (t < 0.1 || t > 50.0) {
        return std::nullopt;
    }
    return toWireUnits(t, 10);
}

Message deltaEThresholdRangeMessage(bool chineseUi)
{
    if (chineseUi) {
        return {QStringLiteral("提示"), QStringLiteral("阀值必须介于0.1-50之间！")};
    }
    return {QStringLiteral("information"), QStringLiteral("Thresholds must between 0.1\u201450!")};
}

Message deltaEWriteFailedMessage(bool chineseUi)
{
    if (chineseUi) {
        return {QStringLiteral("错误"), QStringLiteral("写入△E参数信息失败！")};
    }
    return {QStringLiteral("Error"), QStringLiteral("Failed to write △E parameter information!")};
}

DeltaEParameter interpretDeltaEParameter(int code, int threshold, bool firstGeneration)
{
    DeltaEParameter p;
    p.formulaCode = formulaCodeAsRead(code, firstGeneration);
    if (const std::optional<DeltaEFormula> formula = formulaFromCode(p.formulaCode, firstGeneration)) {
        p.formulaText = formulaText(*formula);
    }
    p.threshold = threshold / 10.0;
    return p;
}

std::array<int, 7> formulaButtonIds(bool firstGeneration)
{
    if (firstGeneration) {
        return {0, 1, 2, 3, 4, -1, 5};
    }
    return {0, 1, 2, 3, 4, 5, 6};
}

} // namespace SettingsRules
