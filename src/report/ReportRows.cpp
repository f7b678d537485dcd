#include "ReportRows.h"

#include "ComparisonColumns.h"
#include "Judgement.h"

#include <QCoreApplication>
#include <QTableWidget>

namespace {

QString cell(const QStringList& cells, int column)
{
    return cells.value(column);
}

double number(const QStringList& cells, int column)
{
    return cell(cells, column).remove(QLatin1Char('%')).trimmed().toDouble();
}

bool isPass(const QString& verdict)
{
    return verdict != QCoreApplication::translate("FirstPageFor310", "NG");
}

void setInformation(ReportSnapshot& s, const TestInformation& information)
{
    s.company = information.company;
    s.tester = information.tester;
    s.auditor = information.auditor;
}

} // namespace

QStringList rowTexts(const QTableWidget& table, int row)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem* item = table.item(row, column);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

ReportSnapshot snapshotFromCurrentRow(const QStringList& cells, const QString& formulaText,
                                      const std::array<bool, 7>& displayFlags,
                                      const TestInformation& information)
{
    ReportSnapshot s;
    s.testName = cell(cells, 1);
    s.dateTime = cell(cells, 2);
    for (int v = 0; v < ReportSnapshot::ValueCount; ++v) {
        s.standard[v] = number(cells, 3 + v);
        s.sample[v] = number(cells, 14 + v);
    }
    s.hazeDifference = number(cells, 25);
    s.transmittanceDifference = number(cells, 26);
    s.deltaE = number(cells, 27);
    s.verdict = cell(cells, 28);
    s.verdictPass = isPass(s.verdict);
    s.hazeToleranceText = cell(cells, 31);
    s.transmittanceToleranceText = cell(cells, 32);
    s.deltaEThresholdText = cell(cells, 33);
    s.formulaText = formulaText;
    s.modelName = cell(cells, 34);
    s.serialNumber = cell(cells, 35);
    s.displayFlags = displayFlags;
    setInformation(s, information);
    return s;
}

ReportSnapshot snapshotFromLegacyRow(const QStringList& cells, const TestInformation& information)
{
    using V = ReportSnapshot;
    const V::Value order[] = {V::LabL, V::LabA, V::LabB, V::LchC, V::LchH};
    ReportSnapshot s;
    s.testName = cell(cells, 1);
    s.dateTime = cell(cells, 2);
    for (int i = 0; i < 5; ++i) {
        s.standard[order[i]] = number(cells, 3 + i);
        s.sample[order[i]] = number(cells, 8 + i);
    }
    s.deltaE = number(cells, 13);
    s.verdict = cell(cells, 14);
    s.verdictPass = isPass(s.verdict);
    s.formulaTextLegacy = cell(cells, 17);
    s.deltaEThresholdText = cell(cells, 18);
    s.modelName = cell(cells, 19);
    s.serialNumber = cell(cells, 20);
    setInformation(s, information);
    return s;
}

ReportSnapshot snapshotFromRecord(const ComparisonRecord& record, const TestInformation& information)
{
    using namespace ComparisonColumns;
    using V = ReportSnapshot;
    const Layout layout = layoutOf(record);
    const auto shown = [&](int column) { return shownNumber(layout, record, column).value_or(0.0); };
    ReportSnapshot s;
    s.testName = record.testName;
    s.dateTime = timeText(record.time);
    s.verdict = cellText(layout, record, verdictColumn(layout));
    s.verdictPass = record.pass;
    s.modelName = record.modelName;
    s.serialNumber = record.serialNumber;
    if (record.legacy) {
        const V::Value order[] = {V::LabL, V::LabA, V::LabB, V::LchC, V::LchH};
        for (int i = 0; i < 5; ++i) {
            s.standard[order[i]] = shown(kLegacyStandardFirst + i);
            s.sample[order[i]] = shown(kLegacySampleFirst + i);
        }
        s.deltaE = shown(13);
        s.formulaTextLegacy = record.settings.formulaText;
        s.deltaEThresholdText = record.settings.thresholdText;
    } else {
        for (int v = 0; v < V::ValueCount; ++v) {
            s.standard[v] = shown(kCurrentStandardFirst + v);
            s.sample[v] = shown(kCurrentSampleFirst + v);
        }
        s.hazeDifference = shown(25);
        s.transmittanceDifference = shown(26);
        s.deltaE = shown(27);
        s.hazeToleranceText = cellText(layout, record, 31);
        s.transmittanceToleranceText = cellText(layout, record, 32);
        s.deltaEThresholdText = cellText(layout, record, 33);
        s.formulaText = record.settings.formulaText;
        s.displayFlags = displayFlagsFor(record.settings.displayMode);
    }
    setInformation(s, information);
    return s;
}
