// The batch report as HTML for the preview: the same blocks as the pages,
// tables with a <thead> so a printed copy repeats the headings, the charts as
// pictures painted by the statistics' own painting.

#include "BatchReport.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

namespace {

const QSize kControlSize(900, 430);
const QSize kPlaneSize(620, 560);

QUrl imageUrl(const char* name)
{
    return QUrl(QStringLiteral("tintwell-batch:%1.png").arg(QLatin1String(name)));
}

QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

QString tableHtml(const BatchTable& t)
{
    QString html;
    html.reserve(64 * t.rows.size() * t.headings.size() / 4 + 256);
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\" "
                           "style=\"font-size: 7pt; border-collapse: collapse\"><thead><tr>");
    for (const QString& h : t.headings) {
        html += QStringLiteral("<th bgcolor=\"#e6e8ec\">") + esc(h) + QStringLiteral("</th>");
    }
    html += QStringLiteral("</tr></thead><tbody>");
    for (int r = 0; r < t.rows.size(); ++r) {
        html += QStringLiteral("<tr>");
        const QStringList& row = t.rows.at(r);
        for (int c = 0; c < row.size(); ++c) {
            const bool red = c == t.verdictColumn && r < static_cast<int>(t.ng.size()) && t.ng[r];
            html += c < t.leftColumns ? QStringLiteral("<td>") : QStringLiteral("<td align=\"right\">");
            html += red ? QStringLiteral("<font color=\"#c80000\">") + esc(row.at(c)) + QStringLiteral("</font>")
                        : esc(row.at(c));
            html += QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table>");
    return html;
}

} // namespace

QString batchReportHtml(const BatchReportDocument& document)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>")
                       .arg(esc(document.title));
    for (const BatchBlock& b : document.blocks) {
        switch (b.kind) {
        case BatchBlock::Title:
            html += QStringLiteral("<h2 align=\"center\">%1</h2>").arg(esc(b.text));
            break;
        case BatchBlock::Heading:
            html += QStringLiteral("<h3>%1</h3>").arg(esc(b.text));
            break;
        case BatchBlock::Text:
            html += QStringLiteral("<p style=\"font-size: 8pt\">%1</p>").arg(esc(b.text));
            break;
        case BatchBlock::Fields:
            html += QStringLiteral("<table cellpadding=\"1\">");
            for (const auto& f : b.fields) {
                html += QStringLiteral("<tr><td><b>%1:</b></td><td>%2</td></tr>").arg(esc(f.first), esc(f.second));
            }
            html += QStringLiteral("</table>");
            break;
        case BatchBlock::Table:
            html += tableHtml(b.table);
            break;
        case BatchBlock::Charts:
            html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"620\"/></p>")
                        .arg(imageUrl("control").toString());
            html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"300\"/> <img src=\"%2\" width=\"300\"/></p>")
                        .arg(imageUrl("plane").toString(), imageUrl("histogram").toString());
            break;
        case BatchBlock::Signatures:
            html += QStringLiteral("<br/><table width=\"100%\" cellpadding=\"6\"><tr>");
            for (const auto& f : b.fields) {
                html += QStringLiteral("<td width=\"50%\">%1: ____________________<br/>%2</td>")
                            .arg(esc(f.first), esc(f.second));
            }
            html += QStringLiteral("</tr></table>");
            break;
        }
    }
    html += QStringLiteral("</body></html>");
    return html;
}

void addBatchReportImages(QTextDocument& textDocument, const BatchReportDocument& document)
{
    if (!document.work) {
        return;
    }
    StatisticsScene scene;
    scene.build(*document.work, document.choice,
                {QRectF(QPointF(0, 0), QSizeF(kControlSize)), QRectF(QPointF(0, 0), QSizeF(kPlaneSize)),
                 QRectF(QPointF(0, 0), QSizeF(kPlaneSize))});
    textDocument.addResource(QTextDocument::ImageResource, imageUrl("control"),
                             chartImage(kControlSize, [&](QPainter& p) { paintControlChart(p, scene.control()); }));
    QImage plane(kPlaneSize, QImage::Format_RGB32);
    plane.fill(Qt::white);
    if (scene.hasPlane()) {
        plane = chartImage(kPlaneSize, [&](QPainter& p) { paintAbPlane(p, scene.plane()); });
    }
    textDocument.addResource(QTextDocument::ImageResource, imageUrl("plane"), plane);
    textDocument.addResource(QTextDocument::ImageResource, imageUrl("histogram"),
                             chartImage(kPlaneSize, [&](QPainter& p) { paintHistogram(p, scene.histogram()); }));
}
