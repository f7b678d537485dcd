#include "ComparisonColumns.h"

#include "ComparisonJudging.h"
#include "Judgement.h"

#include <cmath>

namespace ComparisonColumns {

namespace {

using R = ComparisonRecord;

// Decimals of the eleven values of the current layout, and of the legacy five.
constexpr int kValueDecimals[R::ValueCount] = {2, 2, 2, 2, 2, 2, 2, 1, 2, 4, 4};
constexpr int kLegacyDecimals[R::LegacyCount] = {2, 2, 2, 2, 1};
constexpr int kLiveLegacyDecimals[R::LegacyCount] = {2, 2, 2, 2, 2};

struct NumberCell
{
    double* value = nullptr;
    int decimals = 2;
    bool percent = false;
};

// The numeric cell of a column, pointing into the record (const_cast-free
// callers get a copy through numberValue).
NumberCell numberCell(Layout layout, R& r, int column)
{
    if (layout == Layout::Current) {
        if (column >= kCurrentStandardFirst && column < kCurrentSampleFirst + R::ValueCount) {
            const bool sample = column >= kCurrentSampleFirst;
            const int i = column - (sample ? kCurrentSampleFirst : kCurrentStandardFirst);
            return {&(sample ? r.sample : r.standard)[static_cast<std::size_t>(i)], kValueDecimals[i],
                    i == R::Haze || i == R::Transmittance};
        }
        switch (column) {
        case 25: return {&r.hazeDifference, 2, true};
        case 26: return {&r.transmittanceDifference, 2, true};
        case 27: return {&r.deltaE, 2, false};
        default: return {};
        }
    }
    if (column >= kLegacyStandardFirst && column < kLegacySampleFirst + R::LegacyCount) {
        const bool sample = column >= kLegacySampleFirst;
        const int i = column - (sample ? kLegacySampleFirst : kLegacyStandardFirst);
        return {&(sample ? r.legacySample : r.legacyStandard)[static_cast<std::size_t>(i)], kLegacyDecimals[i], false};
    }
    return column == 13 ? NumberCell{&r.deltaE, 2, false} : NumberCell{};
}

QString numberText(const NumberCell& cell)
{
    if (std::isnan(*cell.value)) {
        return kUnknownText;
    }
    QString text = QString::number(*cell.value, 'f', cell.decimals);
    return cell.percent ? text + QLatin1Char('%') : text;
}

QString toleranceText(double tolerance)
{
    return QStringLiteral("\u00B1") + QString::number(tolerance, 'f', 2) + QLatin1Char('%');
}

QString verdictCellText(const R& r)
{
    return verdictText(r.pass ? Verdict::Pass : Verdict::Ng);
}

double plainNumber(const QString& text)
{
    QString plain = text;
    plain.remove(QChar(0x00B1));
    return displayedNumber(plain).value_or(0.0);
}

} // namespace

int valueDecimals(int index)
{
    return index >= 0 && index < R::ValueCount ? kValueDecimals[index] : 2;
}

int legacyValueDecimals(int index)
{
    return index >= 0 && index < R::LegacyCount ? kLegacyDecimals[index] : 2;
}

int liveDecimals(Layout layout, int index)
{
    if (layout == Layout::Current) {
        return valueDecimals(index);
    }
    return index >= 0 && index < R::LegacyCount ? kLiveLegacyDecimals[index] : 2;
}

QString liveValueText(Layout layout, int index, double value)
{
    const bool percent = layout == Layout::Current && (index == R::Haze || index == R::Transmittance);
    return numberText({&value, liveDecimals(layout, index), percent});
}

int columnCount(Layout layout)
{
    return layout == Layout::Current ? kCurrentColumns : kLegacyColumns;
}

int verdictColumn(Layout layout)
{
    return layout == Layout::Current ? kCurrentVerdictColumn : kLegacyVerdictColumn;
}

int deleteColumn(Layout layout)
{
    return layout == Layout::Current ? kCurrentDeleteColumn : kLegacyDeleteColumn;
}

int centredLast(Layout layout)
{
    return layout == Layout::Current ? kCurrentCentredLast : kLegacyCentredLast;
}

int firstHiddenColumn(Layout layout)
{
    return layout == Layout::Current ? kCurrentFirstHidden : kLegacyFirstHidden;
}

QString sequenceText(double sequence)
{
    return QString::number(sequence, 'g', 6);
}

QString timeText(const QDateTime& time)
{
    return time.toString(QLatin1String(kComparisonTimeFormat));
}

QString cellText(Layout layout, const ComparisonRecord& record, int column)
{
    switch (column) {
    case 0: return sequenceText(record.sequence);
    case kTestNameColumn: return record.testName;
    case 2: return timeText(record.time);
    default: break;
    }
    const NumberCell number = numberCell(layout, const_cast<ComparisonRecord&>(record), column);
    if (number.value) {
        return numberText(number);
    }
    if (column == verdictColumn(layout)) {
        return verdictCellText(record);
    }
    const ComparisonSettings& s = record.settings;
    if (layout == Layout::Current) {
        switch (column) {
        case 31: return toleranceText(s.hazeTolerance);
        case 32: return toleranceText(s.transmittanceTolerance);
        case 33: return QString::number(s.thresholdInForce(), 'f', 1);
        case 34: return record.modelName;
        case 35: return record.serialNumber;
        default: return {};
        }
    }
    switch (column) {
    case 17: return s.formulaText;
    case 18: return s.thresholdText;
    case 19: return record.modelName;
    case 20: return record.serialNumber;
    default: return {};
    }
}

QStringList rowTexts(Layout layout, const ComparisonRecord& record)
{
    QStringList texts;
    const int columns = columnCount(layout);
    texts.reserve(columns);
    for (int column = 0; column < columns; ++column) {
        texts << cellText(layout, record, column);
    }
    return texts;
}

std::optional<double> shownNumber(Layout layout, const ComparisonRecord& record, int column)
{
    const NumberCell number = numberCell(layout, const_cast<ComparisonRecord&>(record), column);
    if (!number.value) {
        return std::nullopt;
    }
    if (std::isnan(*number.value)) {
        return ComparisonRecord::kUnknown;
    }
    return QString::number(*number.value, 'f', number.decimals).toDouble();
}

ComparisonRecord recordFromTexts(Layout layout, const QStringList& texts, bool pass)
{
    ComparisonRecord r;
    r.legacy = layout == Layout::Legacy;
    r.sequence = texts.value(0).toDouble();
    r.testName = texts.value(kTestNameColumn);
    r.time = QDateTime::fromString(texts.value(2), QLatin1String(kComparisonTimeFormat));
    for (int column = 0; column < columnCount(layout); ++column) {
        const NumberCell number = numberCell(layout, r, column);
        if (number.value) {
            const QString text = texts.value(column);
            // A text that holds no number (empty, damaged) is not known either, never 0.
            *number.value = text == kUnknownText ? R::kUnknown : displayedNumber(text).value_or(R::kUnknown);
        }
    }
    r.pass = pass;
    ComparisonSettings& s = r.settings;
    if (layout == Layout::Current) {
        s.hazeTolerance = plainNumber(texts.value(31));
        s.transmittanceTolerance = plainNumber(texts.value(32));
        s.deltaEThreshold = s.parameterThreshold = plainNumber(texts.value(33));
        r.modelName = texts.value(34);
        r.serialNumber = texts.value(35);
    } else {
        s.formulaText = texts.value(17);
        s.thresholdText = texts.value(18);
        s.deltaEThreshold = plainNumber(s.thresholdText);
        r.modelName = texts.value(19);
        r.serialNumber = texts.value(20);
    }
    return r;
}

} // namespace ComparisonColumns
