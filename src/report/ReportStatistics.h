#pragma once
// The statistics page a test report can carry after its first page: the
// table of the work's statistics, the control chart of ΔE (or of the first
// difference shown) and the a*b* plane, as pictures painted by the same
// geometry as the statistics window. The first page's HTML stays exactly as
// it is; the page is added after it, starting on a new sheet.

#include "StatisticsScene.h"
#include "WorkStatistics.h"

#include <QImage>
#include <QString>
#include <QUrl>

class QTextDocument;

struct ReportStatisticsPage
{
    QString html;        // the page as an HTML fragment (starts on a new sheet)
    QImage controlChart;
    QImage plane;        // null when the work has no a*b* values
};

// The URLs the fragment's pictures are named by.
QUrl reportControlChartUrl();
QUrl reportPlaneUrl();

// The page for the work; choice names the group, the charted difference and
// the baseline of the control limits (as the statistics window shows them).
ReportStatisticsPage reportStatisticsPage(const WorkStatistics& work, const ChartChoice& choice);
// The report's HTML with the page added before its closing tags.
QString withStatisticsPage(const QString& reportHtml, const ReportStatisticsPage& page);
// Makes the page's pictures known to the document showing or printing it.
void addStatisticsImages(QTextDocument& document, const ReportStatisticsPage& page);
