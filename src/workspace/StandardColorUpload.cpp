#include "StandardColorUpload.h"

#include "Dialogs.h"
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
    const QString filter = QStringLiteral("excel file (*.xlsx);;") + tr("CGATS standards (*.ti3 *.txt)")
                           + QStringLiteral(";;") + tr("CxF3 standards (*.cxf)");
    const QString path = dialogs.openFileName(parent, QStringLiteral("Select one Excel files to open"),
                                              QStringLiteral("./"), filter);
    if (path.isEmpty()) {
        return Result::NoFileChosen;
    }
    QList<QVariantList> rows;
    if (StandardColorExchange::isExchangeFile(path)) {
        // Standards from another program: read strictly, under any name.
        QString problem;
        if (!StandardColorExchange::readRows(path, modelName, rows, &problem)) {
            dialogs.critical(parent, errorTitle,
                             tr("The standards in %1 cannot be written: %2").arg(QFileInfo(path).fileName(), problem));
            return Result::SheetRefused;
        }
    } else {
        if (QFileInfo(path).fileName() != kLibraryFileName) {
            dialogs.warning(parent, errorTitle, tr("File error, unable to write!"));
            return Result::WrongFileName;
        }
        QString readError;
        if (!StandardColorSheet::readWorkbook(path, rows, &readError)) {
            qCDebug(lcExcel) << "standard colour workbook" << path << readError;
            dialogs.critical(parent, errorTitle, tr("Can't open file!"));
            return Result::CannotOpen;
        }
    }
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
