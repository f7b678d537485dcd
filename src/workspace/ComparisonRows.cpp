#include "ComparisonRows.h"

#include "Judgement.h"

#include <QTableWidget>

namespace ComparisonRows {

namespace {

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString percent(double value)
{
    return fixed(value, 2) + QLatin1Char('%');
}

// The eleven values of a standard or a sample in their column formats.
void appendValues(QStringList& texts, const std::array<double, ComparisonResult::ValueCount>& v)
{
    using R = ComparisonResult;
    texts << percent(v[R::Haze]) << percent(v[R::Transmittance]);
    texts << fixed(v[R::LabL], 2) << fixed(v[R::LabA], 2) << fixed(v[R::LabB], 2);
    texts << fixed(v[R::LchL], 2) << fixed(v[R::LchC], 2) << fixed(v[R::LchH], 1);
    texts << fixed(v[R::Y], 2) << fixed(v[R::X], 4) << fixed(v[R::SmallY], 4);
}

void appendLegacyValues(QStringList& texts, const std::array<double, ComparisonResult::LegacyCount>& v)
{
    using R = ComparisonResult;
    texts << fixed(v[R::LegacyL], 2) << fixed(v[R::LegacyA], 2) << fixed(v[R::LegacyB], 2)
          << fixed(v[R::LegacyC], 2) << fixed(v[R::LegacyH], 1);
}

} // namespace

QString sequenceText(double sequence)
{
    return QString::number(sequence, 'g', 6);
}

QStringList currentRowTexts(const ComparisonResult& result)
{
    QStringList texts{sequenceText(result.sequence), result.testName, result.dateTime};
    appendValues(texts, result.standard);
    appendValues(texts, result.sample);
    texts << percent(result.hazeDifference) << percent(result.transmittanceDifference)
          << fixed(result.deltaE, 2) << verdictText(result.pass ? Verdict::Pass : Verdict::Ng)
          << QString() << QString();
    texts << QStringLiteral("\u00B1") + result.hazeToleranceText + QLatin1Char('%')
          << QStringLiteral("\u00B1") + result.transmittanceToleranceText + QLatin1Char('%')
          << result.deltaEThresholdText << result.modelName << result.serialNumber;
    return texts;
}

QStringList legacyRowTexts(const ComparisonResult& result)
{
    QStringList texts{sequenceText(result.sequence), result.testName, result.dateTime};
    appendLegacyValues(texts, result.legacyStandard);
    appendLegacyValues(texts, result.legacySample);
    texts << fixed(result.deltaE, 2) << verdictText(result.pass ? Verdict::Pass : Verdict::Ng)
          << QString() << QString();
    texts << result.formulaText << result.thresholdText << result.modelName << result.serialNumber;
    return texts;
}

bool rowPasses(const QTableWidget& table, int row, int verdictColumn)
{
    const QTableWidgetItem* item = table.item(row, verdictColumn);
    if (!item) {
        return true;
    }
    const QVariant pass = item->data(kPassRole);
    if (pass.isValid()) {
        return pass.toBool();
    }
    return item->text() != verdictText(Verdict::Ng);
}

} // namespace ComparisonRows
