#include "ReportStatistics.h"

#include "StatisticsTable.h"

#include <QCoreApplication>
#include <QPainter>
#include <functional>
#include <QTextDocument>

namespace {

const char* const kContext = "ReportStatistics";
// Logical sizes of the pictures; they are painted at twice the resolution
// so that they print sharply.
const QSize kControlSize(900, 470);
const QSize kPlaneSize(660, 560);

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

QUrl reportControlChartUrl()
{
    return QUrl(QStringLiteral("tintwell-statistics:control-chart.png"));
}

QUrl reportPlaneUrl()
{
    return QUrl(QStringLiteral("tintwell-statistics:ab-plane.png"));
}

ReportStatisticsPage reportStatisticsPage(const WorkStatistics& work, const ChartChoice& choice)
{
    ReportStatisticsPage page;
    StatisticsScene scene;
    const ChartAreas areas{QRectF(QPointF(0, 0), QSizeF(kControlSize)), QRectF(QPointF(0, 0), QSizeF(kPlaneSize)),
                           QRectF(0, 0, 10, 10)};
    scene.build(work, choice, areas);
    page.controlChart = chartImage(kControlSize, [&](QPainter& p) { paintControlChart(p, scene.control()); });
    if (scene.hasPlane()) {
        page.plane = chartImage(kPlaneSize, [&](QPainter& p) { paintAbPlane(p, scene.plane()); });
    }

    const StatisticsGroup& group = StatisticsScene::groupOf(work, choice);
    QList<int> columns{StatStandard, StatQuantityColumn, StatN, StatMean, StatSd, StatMin, StatMax, StatMedian,
                             StatP95, StatCp, StatCpk, StatPp, StatPpk, StatCpkLower, StatPpkLower,
                             StatPercentileIndex};
    if (work.groups().size() < 2) {
        columns.removeFirst(); // one standard: every row is of all rows
    }
    const QStringList titles = statisticsColumnTitles();
    QString html = QStringLiteral("<div style=\"page-break-before: always\"><h3 align=\"center\">%1</h3>")
                       .arg(escaped(QCoreApplication::translate(kContext, "Statistics of the work")));
    html += QStringLiteral("<p>%1</p>")
                .arg(escaped(QCoreApplication::translate(kContext, "Rows: %1    PASS: %2    NG: %3")
                                 .arg(group.records)
                                 .arg(group.passed)
                                 .arg(group.failed())));
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\" "
                           "style=\"font-size: 7pt; border-collapse: collapse\"><tr>");
    for (const int column : columns) {
        html += QStringLiteral("<th>%1</th>").arg(escaped(titles.at(column)));
    }
    html += QStringLiteral("</tr>");
    for (const QStringList& row : statisticsTableRows(work)) {
        html += QStringLiteral("<tr>");
        for (const int column : columns) {
            html += QStringLiteral("<td align=\"center\">%1</td>").arg(escaped(row.at(column)));
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"620\"/></p>").arg(reportControlChartUrl().toString());
    if (!page.plane.isNull()) {
        html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"330\"/></p>").arg(reportPlaneUrl().toString());
    }
    html += QStringLiteral("</div>");
    page.html = html;
    return page;
}

QString withStatisticsPage(const QString& reportHtml, const ReportStatisticsPage& page)
{
    const QString closing = QStringLiteral("</body></html>");
    if (!reportHtml.endsWith(closing)) {
        return reportHtml + page.html;
    }
    return reportHtml.left(reportHtml.size() - closing.size()) + page.html + closing;
}

void addStatisticsImages(QTextDocument& document, const ReportStatisticsPage& page)
{
    document.addResource(QTextDocument::ImageResource, reportControlChartUrl(), page.controlChart);
    if (!page.plane.isNull()) {
        document.addResource(QTextDocument::ImageResource, reportPlaneUrl(), page.plane);
    }
}
