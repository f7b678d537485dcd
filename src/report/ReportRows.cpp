#include "ReportRows.h"

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
