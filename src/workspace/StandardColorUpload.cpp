#include "StandardColorUpload.h"

#include "Dialogs.h"
#include "Exchange.h"
#include "FileFolders.h"
#include "LinkAccess.h"
#include "StandardColorExchange.h"
#include "StandardColorSheet.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcExcel)

namespace {

constexpr auto kLibraryFileName = QLatin1String("StdColor.xlsx");

} // namespace

StandardColorUploadResult StandardColorUpload::run(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                                   const QString& modelName)
{
    using Result = StandardColorUploadResult;
    const QString errorTitle = tr("Error");
    if (!link.transport().isLinkOpen()) {
        dialogs.critical(parent, errorTitle, tr("Please connect the device first!"));
        return Result::NotConnected;
    }
    // Every format read is offered at once first, then each on its own.
    const QString filter = tr("Standard colours (*.xlsx *.ti3 *.txt *.cxf)") + QStringLiteral(";;excel file (*.xlsx);;")
                           + tr("CGATS standards (*.ti3 *.txt)") + QStringLiteral(";;") + tr("CxF3 standards (*.cxf)");
    const QString path = dialogs.openFileName(parent, QStringLiteral("Select one Excel files to open"),
                                              FileFolders::startFolder(FileFolders::Kind::Standards), filter);
    if (path.isEmpty()) {
        return Result::NoFileChosen;
    }
    FileFolders::remember(FileFolders::Kind::Standards, path);
    QList<QVariantList> rows;
    if (StandardColorExchange::isExchangeFile(path)) {
        // Standards from another program: read strictly, under any name.
        QString problem;
        if (!StandardColorExchange::readRows(path, modelName, rows, &problem)) {
            dialogs.critical(parent, errorTitle,
                             tr("The standards in %1 cannot be read: %2").arg(QFileInfo(path).fileName(), problem));
            return Result::SheetRefused;
        }
    } else {
        if (QFileInfo(path).fileName() != kLibraryFileName) {
            // Nothing was written: the file is refused as one that cannot be read.
            dialogs.warning(parent, errorTitle,
                            tr("File error, cannot read %1: a standard-colour workbook must be named %2.")
                                .arg(QFileInfo(path).fileName(), kLibraryFileName));
            return Result::WrongFileName;
        }
        QString readError;
        if (!StandardColorSheet::readWorkbook(path, rows, &readError)) {
            qCDebug(lcExcel) << "standard colour workbook" << path << readError;
            dialogs.critical(parent, errorTitle, tr("Can't open file!"));
            return Result::CannotOpen;
        }
    }
    return send(link, dialogs, parent, modelName, rows);
}

StandardColorUploadResult StandardColorUpload::runStandards(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                                            const QString& modelName,
                                                            const QList<Standard>& standards)
{
    using Result = StandardColorUploadResult;
    const QString errorTitle = tr("Error");
    if (!link.transport().isLinkOpen()) {
        dialogs.critical(parent, errorTitle, tr("Please connect the device first!"));
        return Result::NotConnected;
    }
    formats::ExchangeDocument document;
    QStringList withoutLab;
    for (const Standard& standard : standards) {
        if (!standard.hasLab()) {
            withoutLab << standard.name;
            continue;
        }
        formats::ExchangeSample sample;
        sample.name = standard.name;
        sample.id = QString::number(document.samples.size() + 1);
        sample.hasLab = true;
        sample.kind = formats::SampleKind::Standard;
        sample.l = standard.values[ComparisonRecord::LabL];
        sample.a = standard.values[ComparisonRecord::LabA];
        sample.b = standard.values[ComparisonRecord::LabB];
        document.samples << sample;
    }
    if (!withoutLab.isEmpty()) {
        // The instrument's standard colours are L*a*b*: nothing is sent rather than a part.
        dialogs.critical(parent, errorTitle,
                         tr("Nothing was written: these standards have no L*a*b* values: %1")
                             .arg(withoutLab.mid(0, 5).join(QStringLiteral(", "))));
        return Result::SheetRefused;
    }
    QList<QVariantList> rows;
    QString problem;
    if (!StandardColorExchange::rowsFromDocument(document, QStringLiteral("Library"), modelName, rows, &problem)) {
        dialogs.critical(parent, errorTitle, tr("The standards cannot be written: %1").arg(problem));
        return Result::SheetRefused;
    }
    return send(link, dialogs, parent, modelName, rows);
}

StandardColorUploadResult StandardColorUpload::send(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                                    const QString& modelName, const QList<QVariantList>& rows)
{
    using Result = StandardColorUploadResult;
    const QString errorTitle = tr("Error");
    StandardColorLibrary library;
    StandardColorSheetProblem problem;
    if (!StandardColorSheet::parse(rows, modelName, library, problem)) {
        if (problem.kind == StandardColorSheetProblem::WrongModel) {
            dialogs.warning(parent, errorTitle, problem.message);
        } else {
            dialogs.critical(parent, errorTitle, problem.message);
        }
        return Result::SheetRefused;
    }

    // The receive worker stays away from the link from the first frame
    // written to the drain of what the instrument sends after it; the file
    // dialog and the refusals above hold nothing.
    LinkLock lock(link);
    Transport& transport = link.transport();
    std::unique_ptr<ProgressDialog> progress;
    bool endWrongReply = false;
    const Result result = StandardColorTransfer::transfer(
        transport, library,
        [&](int done, int total) {
            if (!progress) {
                progress = dialogs.progress(parent, tr("Storing data,please wait..."), tr("cancel"), 0, total);
            }
            progress->setValue(done);
        },
        &endWrongReply);
    if (progress) {
        progress->close();
    }
    if (result != Result::Written) {
        lock.unlock(); // the exchange is over
        dialogs.critical(parent, errorTitle, StandardColorTransfer::transferFailureText(result, endWrongReply));
        return result;
    }
    dialogs.information(parent, tr("Information"), tr("Write to standard color card library successfully!"));
    StandardColorTransfer::drainAfterTransfer(transport);
    return Result::Written;
}
