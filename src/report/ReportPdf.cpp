#include "ReportPdf.h"

#include "FileReplace.h"
#include "ReportLog.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTextDocument>

bool writeReportPdf(const QTextDocument& document, const QString& path, const QString& title)
{
    // Printed into a temporary file beside the target and renamed over it
    // once complete: a report that fails half way never costs the file
    // already there.
    const QFileInfo target(path);
    QTemporaryFile staging(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!staging.open()) {
        qCWarning(lcReport) << "cannot write in" << target.absolutePath() << staging.errorString();
        return false;
    }
    staging.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(staging.fileName());
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Tintwell"));
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error || QFileInfo(staging.fileName()).size() <= 0) {
        qCWarning(lcReport) << "cannot print the report into" << staging.fileName();
        return false;
    }
    QFile::setPermissions(staging.fileName(), target.exists() ? target.permissions()
                                                              : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                                    | QFile::ReadOther);
    QString error;
    if (!replaceFileWith(staging.fileName(), path, &error)) {
        qCWarning(lcReport) << error;
        return false;
    }
    staging.setAutoRemove(false); // renamed: it is the target now
    return true;
}
