#include "StatisticsTable.h"

#include <QCoreApplication>

#include <cmath>

namespace {

const char* const kContext = "Statistics";

QString tr(const char* text)
{
    return QCoreApplication::translate(kContext, text);
}

QString fitName(const DistributionFit& fit)
{
    switch (fit.kind) {
    case DistributionFit::Gamma:
        return tr("gamma");
    case DistributionFit::LogNormal:
        return tr("log-normal");
    case DistributionFit::None:
        break;
    }
    return statisticsDash();
}

} // namespace

QString statisticsDash()
{
    return QStringLiteral("—");
}

QString statisticText(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : statisticsDash();
}

QStringList statisticsColumnTitles()
{
    return {tr("Standard"), tr("Difference"), tr("Rows"), tr("PASS"), tr("NG"), tr("Pass rate"), tr("n"),
            tr("Mean"), tr("SD"), tr("Min"), tr("Max"), tr("Median"), tr("P95"), tr("Cp"), tr("Cpk"),
            tr("Pp"), tr("Ppk"), tr("Cpk 95% lower"), tr("Ppk 95% lower"), tr("Percentile index"), tr("Fit"), tr("Warnings")};
}

QString statisticsGroupName(const StatisticsGroup& group, int index)
{
    if (group.overall) {
        return tr("All rows");
    }
    if (!group.libraryName.isEmpty()) {
        return tr("%1 v%2 (%3)").arg(group.libraryName).arg(group.libraryVersion).arg(group.firstTestName);
    }
    return tr("Standard %1 (%2)").arg(index + 1).arg(group.firstTestName);
}

QStringList statisticsRow(const StatisticsGroup& group, int index, StatQuantity quantity)
{
    const QuantitySummary s = group.summary(quantity);
    const CapabilityIndices& c = s.indices;
    QStringList row;
    row << statisticsGroupName(group, index) << quantitySymbol(quantity) << QString::number(group.records)
        << QString::number(group.passed) << QString::number(group.failed())
        << (group.records ? QStringLiteral("%1%").arg(statisticText(100.0 * group.passRate(), 1)) : statisticsDash())
        << QString::number(s.n);
    // Differences carry the display's two decimals; one more for the spread.
    row << statisticText(s.mean, 3) << statisticText(s.standardDeviation, 3) << statisticText(s.minimum, 2)
        << statisticText(s.maximum, 2) << statisticText(s.median, 3) << statisticText(s.percentile95, 3);
    row << statisticText(c.cp, 2) << statisticText(c.cpk, 2) << statisticText(c.pp, 2) << statisticText(c.ppk, 2)
        << statisticText(c.cpkLower, 2) << statisticText(c.ppkLower, 2) << statisticText(c.percentileIndex, 2)
        << (quantity == StatQuantity::DeltaE ? fitName(s.fit) : statisticsDash());
    row << QString::number(group.warnings);
    return row;
}

QList<QStringList> statisticsTableRows(const WorkStatistics& work)
{
    QList<QStringList> rows;
    const auto& groups = work.groups();
    if (groups.size() > 1) {
        for (size_t g = 0; g < groups.size(); ++g) {
            for (const StatQuantity q : work.quantities()) {
                rows << statisticsRow(groups[g], static_cast<int>(g), q);
            }
        }
    }
    for (const StatQuantity q : work.quantities()) {
        rows << statisticsRow(work.overall(), -1, q);
    }
    return rows;
}

QList<QStringList> statisticsSheet(const QList<ComparisonRecord>& records)
{
    if (records.isEmpty()) {
        return {};
    }
    WorkStatistics work(shownQuantities(records));
    work.rebuild(records);
    return QList<QStringList>{statisticsColumnTitles()} + statisticsTableRows(work);
}
