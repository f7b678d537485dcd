#include "ReportHtml.h"

#include "ComparisonColumns.h"
#include "HueDifference.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString text(const QString& value)
{
    return value.toHtmlEscaped();
}

QString colorimeter(const char* source)
{
    return QCoreApplication::translate("Colorimeter", source);
}

QString fixed(double value, int decimals)
{
    return std::isnan(value) ? QString(ComparisonColumns::kUnknownText) : QString::number(value, 'f', decimals);
}

QString percent(double value)
{
    return std::isnan(value) ? QString(ComparisonColumns::kUnknownText) : fixed(value, 2) + QLatin1Char('%');
}

// General notation with up to six significant digits.
QString general(double value)
{
    return QStringLiteral("%1").arg(value);
}

// Cells of the information table; the value carries a rule under it.
QString labelCell(int width, const QString& label)
{
    return QStringLiteral("<td width=\"%1%\">").arg(width) + text(label) + QStringLiteral("</td>");
}

QString valueCell(int width, const QString& value)
{
    return QStringLiteral("<td width=\"%1%\">").arg(width) + text(value) + QStringLiteral("<hr/></td>");
}

QString emptyCell(int width)
{
    return QStringLiteral("<td width=\"%1%\"></td>").arg(width);
}

struct InfoWidths
{
    int a, b, c, d;
};

QString twoPairs(const InfoWidths& w, const QString& label1, const QString& value1,
                 const QString& label2, const QString& value2)
{
    return QStringLiteral("<tr>") + labelCell(w.a, label1) + valueCell(w.b, value1) + emptyCell(3)
           + labelCell(w.c, label2) + valueCell(w.d, value2) + QStringLiteral("</tr>");
}

QString onePair(int labelWidth, int valueWidth, const QString& label, const QString& value)
{
    return QStringLiteral("<tr>") + labelCell(labelWidth, label) + valueCell(valueWidth, value)
           + QStringLiteral("</tr>");
}

QString dataRow(const QString& c1, const QString& c2, const QString& c3, const QString& c4)
{
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : {c1, c2, c3, c4}) {
        row += QStringLiteral("<td width=\"21%\" align=\"center\">") + text(cell) + QStringLiteral("</td>");
    }
    return row + QStringLiteral("</tr>");
}

QString head(const QDateTime& builtAt)
{
    return QStringLiteral("<html><head><meta http-equiv=Content-Type "
                          "content=\"text/html;charset=gb2312\"><title>")
           + reportTitle(builtAt) + QStringLiteral("</title></head><body>");
}

QString heading(const QString& title, const QString& size)
{
    return QStringLiteral("<p class=\"MsoNormal\" align=\"center\" style=\"text-align: center\">"
                          "<span lang=\"EN-US\" style=\"font-size: %1\">")
               .arg(size)
           + text(title) + QStringLiteral("</span></p>");
}

const QString infoTableStart = QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=0>");
const QString dataTableStart = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=0>");
const QString br = QStringLiteral("<br />");

struct SignatureCells
{
    int label1, value1, gap, label2, value2;
};

QString signatureTable(const SignatureCells& w, const QString& testerLabel, const QString& tester,
                       const QString& auditorLabel, const QString& auditor)
{
    const QString centred = QStringLiteral("<td width=\"%1%\" align=\"center\">");
    return infoTableStart + QStringLiteral("<tr>") + labelCell(w.label1, testerLabel)
           + centred.arg(w.value1) + text(tester) + QStringLiteral("<hr/></td>") + emptyCell(w.gap)
           + labelCell(w.label2, auditorLabel) + centred.arg(w.value2) + text(auditor)
           + QStringLiteral("<hr/></td>") + QStringLiteral("</tr></table></body></html>");
}

// Sample minus standard; the hue the short way round, as the live display shows it.
double valueDifference(const ReportSnapshot& s, ReportSnapshot::Value v)
{
    return v == ReportSnapshot::LchH ? hueDifference(s.standard[v], s.sample[v]) : s.sample[v] - s.standard[v];
}

// Rows of standard, sample and difference for one value of the current layout.
QString valueRow(const ReportSnapshot& s, const QString& label, ReportSnapshot::Value v, int decimals)
{
    return dataRow(label, fixed(s.standard[v], decimals), fixed(s.sample[v], decimals),
                   fixed(valueDifference(s, v), decimals));
}

QString hazeRow(const ReportSnapshot& s)
{
    using V = ReportSnapshot;
    return dataRow(QStringLiteral("Haze"), percent(s.standard[V::Haze]), percent(s.sample[V::Haze]),
                   percent(s.hazeDifference));
}

QString transmittanceRow(const ReportSnapshot& s)
{
    using V = ReportSnapshot;
    return dataRow(QStringLiteral("Transparency"), percent(s.standard[V::Transmittance]),
                   percent(s.sample[V::Transmittance]), percent(s.transmittanceDifference));
}

QString labRows(const ReportSnapshot& s)
{
    using V = ReportSnapshot;
    return valueRow(s, QStringLiteral("L*"), V::LabL, 2) + valueRow(s, QStringLiteral("a*"), V::LabA, 2)
           + valueRow(s, QStringLiteral("b*"), V::LabB, 2);
}

QString deltaERow310(const ReportSnapshot& s)
{
    return dataRow(colorimeter("△E"), QString(), QString(), fixed(s.deltaE, 2));
}


} // namespace

QString reportTitle(const QDateTime& builtAt)
{
    return QStringLiteral("Report_") + builtAt.toString(QStringLiteral("yyyyMMddhhmmss"));
}

QString legacyDeviceText(const ReportSnapshot& snapshot)
{
    return snapshot.modelName + QStringLiteral(" Colorimeter");
}

QString reportHtmlFor310(const ReportSnapshot& s, int layoutIndex, const QDateTime& builtAt)
{
    using V = ReportSnapshot;
    const DisplayMode mode = s.displayMode;
    const InfoWidths w{15, 33, 20, 25};
    const QString hazeTol = QStringLiteral("Haze Tolerance:");
    const QString tTol = QStringLiteral("Transmittance Tolerance:");
    const QString testTime = QStringLiteral("Test Time:");
    const QString thresholds = colorimeter("△E ") + QStringLiteral("Thresholds:");

    QStringList info;
    info << twoPairs(w, QStringLiteral("Device: "), s.modelName, QStringLiteral("SN:"), s.serialNumber)
         << twoPairs(w, QStringLiteral("Company:"), s.company, QStringLiteral("Sample Name:"), s.testName);
    if (mode == DisplayMode::HazeT) {
        info << twoPairs(w, hazeTol, s.hazeToleranceText, tTol, s.transmittanceToleranceText)
             << onePair(w.c, w.d, testTime, s.dateTime);
    }
    if (mode == DisplayMode::Haze) {
        info << twoPairs(w, hazeTol, s.hazeToleranceText, testTime, s.dateTime);
    }
    if (mode == DisplayMode::Transmittance) {
        info << twoPairs(w, tTol, s.transmittanceToleranceText, testTime, s.dateTime);
    }
    if (judgesByDeltaEAlone(mode)) {
        info << twoPairs(w, thresholds, s.deltaEThresholdText, testTime, s.dateTime);
        if (layoutIndex == 1) {
            info << QStringLiteral("<tr>") + labelCell(w.a, colorimeter("△E ") + QStringLiteral("formula:"))
                        + valueCell(w.b, s.formulaText) + emptyCell(3) + QStringLiteral("</tr>");
        }
    }
    if (mode == DisplayMode::HazeTLab) {
        info << twoPairs(w, hazeTol, s.hazeToleranceText, tTol, s.transmittanceToleranceText)
             << twoPairs(w, thresholds, s.deltaEThresholdText, testTime, s.dateTime);
    }

    QString values;
    if (mode == DisplayMode::HazeT) {
        values += hazeRow(s) + transmittanceRow(s);
    }
    if (mode == DisplayMode::Haze) {
        values += hazeRow(s);
    }
    if (mode == DisplayMode::Transmittance) {
        values += transmittanceRow(s);
    }
    if (mode == DisplayMode::Lab) {
        values += labRows(s) + deltaERow310(s);
    }
    if (mode == DisplayMode::LCh) {
        values += valueRow(s, QStringLiteral("L*"), V::LchL, 2) + valueRow(s, QStringLiteral("C*"), V::LchC, 2)
                  + valueRow(s, QStringLiteral("h"), V::LchH, 1) + deltaERow310(s);
    }
    if (mode == DisplayMode::Yxy) {
        values += valueRow(s, QStringLiteral("Y"), V::Y, 2) + valueRow(s, QStringLiteral("x"), V::X, 4)
                  + valueRow(s, QStringLiteral("y"), V::SmallY, 4) + deltaERow310(s);
    }
    if (mode == DisplayMode::HazeTLab) {
        values += hazeRow(s) + transmittanceRow(s) + labRows(s) + deltaERow310(s);
    }

    return head(builtAt) + heading(QStringLiteral("Test Report"), QStringLiteral("25.0pt")) + br
           + infoTableStart + info.join(br) + br + QStringLiteral("</table>") + br
           + QStringLiteral("<p>Test Data</p>") + dataTableStart
           + dataRow(QString(), QStringLiteral("Standard"), QStringLiteral("Sample"), colorimeter("△"))
           + values + dataRow(QStringLiteral("Result"), QString(), QString(), s.verdict)
           + QStringLiteral("</table>") + br + br + br
           + signatureTable({10, 26, 10, 11, 25},
                            QCoreApplication::translate("ReportPageFor310", " Tester:"), s.tester,
                            QCoreApplication::translate("ReportPageFor310", " Auditor:"), s.auditor);
}

QString reportHtmlFor420(const ReportSnapshot& s, bool chinese, const QDateTime& builtAt)
{
    using V = ReportSnapshot;
    const V::Value order[] = {V::LabL, V::LabA, V::LabB, V::LchC, V::LchH};
    const char* const labels[] = {"L*", "a*", "b*", "C*", "h"};
    QString values;
    for (int i = 0; i < 5; ++i) {
        const V::Value v = order[i];
        values += dataRow(QLatin1String(labels[i]), general(s.standard[v]), general(s.sample[v]),
                          general(valueDifference(s, v)));
    }
    const QString device = legacyDeviceText(s);

    if (!chinese) {
        const InfoWidths w{15, 33, 20, 25};
        return head(builtAt) + heading(QStringLiteral("Test Report"), QStringLiteral("25.0pt")) + br
               + infoTableStart
               + twoPairs(w, QStringLiteral("Device: "), device, QStringLiteral("SN:"), s.serialNumber)
               + twoPairs(w, QStringLiteral("Company:"), s.company, QStringLiteral("Sample Name:"), s.testName)
               + twoPairs(w, QStringLiteral("△E formula:"), s.formulaTextLegacy,
                          QStringLiteral("△E Thresholds:"), s.deltaEThresholdText)
               + onePair(w.a, w.b, QStringLiteral("Test Time:"), s.dateTime) + QStringLiteral("</table>")
               + br + QStringLiteral("<p>Test Data</p>") + dataTableStart
               + dataRow(QString(), QStringLiteral("Standard"), QStringLiteral("Sample"), QStringLiteral("△"))
               + values + dataRow(QStringLiteral("△E"), QString(), QString(), general(s.deltaE))
               + dataRow(QStringLiteral("Result"), QString(), QString(), s.verdict)
               + QStringLiteral("</table>") + br + br + br
               + signatureTable({10, 26, 10, 11, 25}, QStringLiteral(" Tester:"), s.tester,
                                QStringLiteral(" Auditor:"), s.auditor);
    }

    const InfoWidths w{13, 33, 13, 33};
    const QStringList info{
        twoPairs(w, QStringLiteral("测试设备: "), device, QStringLiteral("SN号:"), s.serialNumber),
        twoPairs(w, QStringLiteral("公司名称:"), s.company, QStringLiteral("样品名称:"), s.testName),
        twoPairs(w, QStringLiteral("△E公式:"), s.formulaTextLegacy, QStringLiteral("△E阀值:"),
                 s.deltaEThresholdText),
        onePair(w.a, w.b, QStringLiteral("测试时间:"), s.dateTime)};
    return head(builtAt)
           + heading(QCoreApplication::translate("ReportPageFor420", "Test Report1"), QStringLiteral("25.0pt"))
           + heading(QCoreApplication::translate("ReportPageFor420", "Test Report"), QStringLiteral("18.0pt"))
           + br + infoTableStart + info.join(br) + br + QStringLiteral("</table>") + br
           + QStringLiteral("<p>") + text(QStringLiteral("测试数据(Test Data)")) + QStringLiteral("</p>")
           + dataTableStart
           + dataRow(QString(), QStringLiteral("标准色"), QStringLiteral("样品色"), QStringLiteral("△"))
           + values + dataRow(QStringLiteral("△E"), QString(), QString(), general(s.deltaE))
           + dataRow(QStringLiteral("结果"), QString(), QString(), s.verdict) + QStringLiteral("</table>")
           + br + br + br
           + signatureTable({20, 26, 3, 20, 25}, QStringLiteral("测试人(Tester):"), s.tester,
                            QStringLiteral("审核人(Auditor):"), s.auditor);
}
