// The report HTML, built without a window: exact text, the rows each display
// mode adds, decimals, and escaping of every inserted text.
#include "ReportCases.h"
#include "ReportHtml.h"
#include "ReportRows.h"

#include <QTest>
#include <QTextDocument>

#include <limits>

using namespace reportcases;

namespace {

QString dataRow(const QString& a, const QString& b, const QString& c, const QString& d)
{
    const QString cell = QStringLiteral("<td width=\"21%\" align=\"center\">%1</td>");
    return QStringLiteral("<tr>") + cell.arg(a) + cell.arg(b) + cell.arg(c) + cell.arg(d)
           + QStringLiteral("</tr>");
}

const char* const deltaERow = "<td width=\"21%\" align=\"center\">△E</td>";

} // namespace

class tst_ReportHtml : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void currentLayoutLab_exactHtml()
    {
        const QString expected = QStringLiteral(
            "<html><head><meta http-equiv=Content-Type content=\"text/html;charset=gb2312\">"
            "<title>Report_20261206230509</title></head><body>"
            "<p class=\"MsoNormal\" align=\"center\" style=\"text-align: center\">"
            "<span lang=\"EN-US\" style=\"font-size: 25.0pt\">Test Report</span></p><br />"
            "<table width=\"100%\" border=\"0\" cellspacing=0>"
            "<tr><td width=\"15%\">Device: </td><td width=\"33%\">TX310<hr/></td><td width=\"3%\"></td>"
            "<td width=\"20%\">SN:</td><td width=\"25%\">SN001<hr/></td></tr><br />"
            "<tr><td width=\"15%\">Company:</td><td width=\"33%\">ACME<hr/></td><td width=\"3%\"></td>"
            "<td width=\"20%\">Sample Name:</td><td width=\"25%\">Comp1<hr/></td></tr><br />"
            "<tr><td width=\"15%\">△E Thresholds:</td><td width=\"33%\">1.0<hr/></td><td width=\"3%\"></td>"
            "<td width=\"20%\">Test Time:</td><td width=\"25%\">2026/12/06  23:05<hr/></td></tr><br />"
            "</table><br />"
            "<p>Test Data</p>"
            "<table width=\"100%\" border=\"1\" cellspacing=0>")
            + dataRow({}, "Standard", "Sample", "△") + dataRow("L*", "50.12", "51.00", "0.88")
            + dataRow("a*", "1.50", "1.25", "-0.25") + dataRow("b*", "-2.25", "-2.00", "0.25")
            + dataRow("△E", {}, {}, "0.90") + dataRow("Result", {}, {}, "PASS")
            + QStringLiteral(
                "</table><br /><br /><br />"
                "<table width=\"100%\" border=\"0\" cellspacing=0><tr>"
                "<td width=\"10%\"> Tester:</td><td width=\"26%\" align=\"center\">Li<hr/></td>"
                "<td width=\"10%\"></td>"
                "<td width=\"11%\"> Auditor:</td><td width=\"25%\" align=\"center\">Wang<hr/></td>"
                "</tr></table></body></html>");
        QCOMPARE(reportHtmlFor310(labComparison(), 0, builtAt()), expected);
    }

    void legacyChinese_exactHtml()
    {
        ReportSnapshot s = labComparison();
        s.modelName = QStringLiteral("TX420");
        s.verdict = QStringLiteral("合格");
        const QString info = QStringLiteral("<td width=\"13%\">%1</td><td width=\"33%\">%2<hr/></td>");
        const QString pair = QStringLiteral("<tr><td width=\"13%\">%1</td><td width=\"33%\">%2<hr/></td>"
                                            "<td width=\"3%\"></td>"
                                            "<td width=\"13%\">%3</td><td width=\"33%\">%4<hr/></td></tr><br />");
        const QString expected =
            QStringLiteral("<html><head><meta http-equiv=Content-Type content=\"text/html;charset=gb2312\">"
                           "<title>Report_20261206230509</title></head><body>"
                           "<p class=\"MsoNormal\" align=\"center\" style=\"text-align: center\">"
                           "<span lang=\"EN-US\" style=\"font-size: 25.0pt\">Test Report1</span></p>"
                           "<p class=\"MsoNormal\" align=\"center\" style=\"text-align: center\">"
                           "<span lang=\"EN-US\" style=\"font-size: 18.0pt\">Test Report</span></p><br />"
                           "<table width=\"100%\" border=\"0\" cellspacing=0>")
            + pair.arg("测试设备: ", "TX420 Colorimeter", "SN号:", "SN001")
            + pair.arg("公司名称:", "ACME", "样品名称:", "Comp1")
            + pair.arg("△E公式:", "△E*00", "△E阀值:", "1.0")
            + QStringLiteral("<tr>") + info.arg("测试时间:", "2026/12/06  23:05")
            + QStringLiteral("</tr><br /></table><br /><p>测试数据(Test Data)</p>"
                             "<table width=\"100%\" border=\"1\" cellspacing=0>")
            + dataRow({}, "标准色", "样品色", "△") + dataRow("L*", "50.123", "51", "0.877")
            + dataRow("a*", "1.5", "1.25", "-0.25") + dataRow("b*", "-2.25", "-2", "0.25")
            + dataRow("C*", "2.7", "2.4", "-0.3") + dataRow("h", "303.66", "301.92", "-1.74")
            + dataRow("△E", {}, {}, "0.9") + dataRow("结果", {}, {}, "合格")
            + QStringLiteral(
                "</table><br /><br /><br />"
                "<table width=\"100%\" border=\"0\" cellspacing=0><tr>"
                "<td width=\"20%\">测试人(Tester):</td><td width=\"26%\" align=\"center\">Li<hr/></td>"
                "<td width=\"3%\"></td>"
                "<td width=\"20%\">审核人(Auditor):</td><td width=\"25%\" align=\"center\">Wang<hr/></td>"
                "</tr></table></body></html>");
        QCOMPARE(reportHtmlFor420(s, true, builtAt()), expected);
    }

    void legacyEnglish_informationAndValues()
    {
        const QString html = reportHtmlFor420(labComparison(), false, builtAt());
        QVERIFY(html.contains(QStringLiteral("<tr><td width=\"15%\">△E formula:</td><td width=\"33%\">△E*00<hr/></td>"
                                             "<td width=\"3%\"></td><td width=\"20%\">△E Thresholds:</td>"
                                             "<td width=\"25%\">1.0<hr/></td></tr>")));
        QVERIFY(html.contains(QStringLiteral("<tr><td width=\"15%\">Test Time:</td><td width=\"33%\">"
                                             "2026/12/06  23:05<hr/></td></tr></table>")));
        QVERIFY(html.contains(dataRow("h", "303.66", "301.92", "-1.74")));
        QVERIFY(html.contains(dataRow("Result", {}, {}, "PASS")));
        QVERIFY(!html.contains(QStringLiteral("</tr><br />")));
    }

    void currentLayoutRows_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("layoutIndex");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<bool>("hazeUnknown");

        const QString timeOnly = QStringLiteral(
            "<tr><td width=\"20%\">Test Time:</td><td width=\"25%\">2026/12/06  23:05<hr/></td></tr><br />");
        const QString formulaRow = QStringLiteral(
            "<tr><td width=\"15%\">△E formula:</td><td width=\"33%\">△E*ab<hr/></td><td width=\"3%\"></td></tr><br />");
        const QString hazeRow = dataRow("Haze", "12.50%", "13.00%", "0.50%");
        const QString tRow = dataRow("Transparency", "88.25%", "87.50%", "-0.75%");

        QTest::newRow("Lab: L* 50.123 against 51") << int(Lab) << 0
            << QStringList{dataRow("L*", "50.12", "51.00", "0.88"), dataRow("△E", {}, {}, "0.90")}
            << QStringList{formulaRow, hazeRow} << false;
        QTest::newRow("Yxy: x and y with four decimals") << int(Yxy) << 0
            << QStringList{dataRow("Y", "18.40", "19.10", "0.70"), dataRow("x", "0.3123", "0.3120", "-0.0003"),
                           dataRow("y", "0.3300", "0.3305", "0.0005")}
            << QStringList{} << false;
        QTest::newRow("LCh: h with one decimal") << int(LCh) << 0
            << QStringList{dataRow("C*", "2.70", "2.40", "-0.30"), dataRow("h", "303.7", "301.9", "-1.7")}
            << QStringList{} << false;
        QTest::newRow("Haze/T: time alone, no colour difference") << int(HazeT) << 0
            << QStringList{timeOnly, hazeRow + tRow + dataRow("Result", {}, {}, "PASS")}
            << QStringList{deltaERow, QStringLiteral("Thresholds:")} << false;
        QTest::newRow("Haze: tolerance beside the time") << int(Haze) << 0
            << QStringList{QStringLiteral("Haze Tolerance:</td><td width=\"33%\">±1.00%<hr/></td><td width=\"3%\"></td>"
                                          "<td width=\"20%\">Test Time:</td>"), hazeRow}
            << QStringList{tRow, deltaERow} << false;
        QTest::newRow("layout 1 adds the formula row") << int(Lab) << 1
            << QStringList{QStringLiteral("<td width=\"25%\">2026/12/06  23:05<hr/></td></tr><br />") + formulaRow}
            << QStringList{} << false;
        QTest::newRow("layout 1 without a colour mode has no formula row") << int(HazeT) << 1
            << QStringList{timeOnly} << QStringList{QStringLiteral("formula:")} << false;
        QTest::newRow("Haze/T/Lab: haze, transmittance and Lab") << int(HazeTLab) << 1
            << QStringList{hazeRow + tRow + dataRow("L*", "50.12", "51.00", "0.88"),
                           QStringLiteral("△E Thresholds:</td><td width=\"33%\">1.0<hr/>")}
            << QStringList{timeOnly, QStringLiteral("formula:")} << false;
        // A standard taken from a colour file has no haze: dashes, never 0 or "nan".
        QTest::newRow("Haze/T, the standard's haze not known") << int(HazeT) << 0
            << QStringList{dataRow("Haze", "-----", "13.00%", "-----") + tRow}
            << QStringList{QStringLiteral("nan")} << true;
    }

    void currentLayoutRows()
    {
        QFETCH(int, flag);
        QFETCH(int, layoutIndex);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(bool, hazeUnknown);
        ReportSnapshot snapshot = labComparison(Flag(flag));
        if (hazeUnknown) {
            snapshot.standard[ReportSnapshot::Haze] = snapshot.hazeDifference = std::numeric_limits<double>::quiet_NaN();
        }
        const QString html = reportHtmlFor310(snapshot, layoutIndex, builtAt());
        for (const QString& part : present) {
            QVERIFY2(html.contains(part), qPrintable(part));
        }
        for (const QString& part : absent) {
            QVERIFY2(!html.contains(part), qPrintable(part));
        }
    }

    void insertedText_printsLiterally_data()
    {
        QTest::addColumn<int>("report"); // 0 current, 1 legacy English, 2 legacy Chinese
        QTest::addColumn<int>("field");
        const char* const reports[] = {"current", "legacy", "legacy Chinese"};
        const char* const fields[] = {"sample name", "company", "tester", "auditor", "serial number",
                                      "threshold"};
        for (int r = 0; r < 3; ++r) {
            for (int f = 0; f < 6; ++f) {
                QTest::addRow("%s, %s", reports[r], fields[f]) << r << f;
            }
        }
    }

    void insertedText_printsLiterally()
    {
        QFETCH(int, report);
        QFETCH(int, field);
        const QString hostile = QStringLiteral("<b>R&D</b>");
        ReportSnapshot s = labComparison();
        QString* const fields[] = {&s.testName, &s.company, &s.tester, &s.auditor, &s.serialNumber,
                                   &s.deltaEThresholdText};
        *fields[field] = hostile;
        const QString html = report == 0 ? reportHtmlFor310(s, 0, builtAt())
                                         : reportHtmlFor420(s, report == 2, builtAt());
        QVERIFY(!html.contains(hostile));
        QTextDocument document;
        document.setHtml(html);
        QVERIFY2(document.toPlainText().contains(hostile), qPrintable(document.toPlainText()));
    }
};

QTEST_MAIN(tst_ReportHtml)
#include "tst_ReportHtml.moc"
