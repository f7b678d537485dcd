#include "ReadingsSheet.h"

#include "ComparisonColumns.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("ReadingsSheet", source);
}

QString number(double value, int decimals)
{
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value, 'f', decimals);
}

template <typename List, typename Decimals>
void appendReadings(QList<QStringList>& rows, const QString& name, const QString& side, const List& readings,
                    Decimals decimals)
{
    for (int k = 0; k < readings.size(); ++k) {
        QStringList row{name, side, QString::number(k + 1)};
        const auto& values = readings.at(k);
        for (int i = 0; i < int(values.size()); ++i) {
            row << number(values[std::size_t(i)], decimals(i));
        }
        rows << row;
    }
}

} // namespace

QString readingsSheetName()
{
    return QStringLiteral("Readings");
}

QList<QStringList> readingsSheetRows(const QList<ComparisonRecord>& records)
{
    QList<QStringList> rows;
    bool legacy = false;
    for (const ComparisonRecord& r : records) {
        const ComparisonRecord::ReadingsSummary& s = r.readings;
        const QString standard = text("Standard");
        const QString sample = text("Sample");
        appendReadings(rows, r.testName, standard, s.standard, ComparisonColumns::valueDecimals);
        appendReadings(rows, r.testName, sample, s.sample, ComparisonColumns::valueDecimals);
        appendReadings(rows, r.testName, standard, s.legacyStandard, ComparisonColumns::legacyValueDecimals);
        appendReadings(rows, r.testName, sample, s.legacySample, ComparisonColumns::legacyValueDecimals);
        legacy = legacy || r.legacy;
    }
    if (rows.isEmpty()) {
        return rows;
    }
    QStringList heading{text("Test Name"), text("Side"), text("Reading")};
    heading << (legacy ? QStringList{QStringLiteral("L*"), QStringLiteral("a*"), QStringLiteral("b*"),
                                     QStringLiteral("C*"), QStringLiteral("h")}
                       : QStringList{text("Haze"), QStringLiteral("T"), QStringLiteral("L*"), QStringLiteral("a*"),
                                     QStringLiteral("b*"), QStringLiteral("L*"), QStringLiteral("C*"),
                                     QStringLiteral("h"), QStringLiteral("Y"), QStringLiteral("x"),
                                     QStringLiteral("y")});
    rows.prepend(heading);
    return rows;
}
