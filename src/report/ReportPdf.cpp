#include "ReportPdf.h"

#include "ReportLog.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>

bool writeReportPdf(const QTextDocument& document, const QString& path, const QString& title)
{
    // QPrinter does not tell whether its file could be opened; find out first.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            qCWarning(lcReport) << "cannot write" << path << probe.errorString();
            return false;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Tintwell"));
    document.print(&printer);
    return printer.printerState() != QPrinter::Error && QFileInfo(path).size() > 0;
}
