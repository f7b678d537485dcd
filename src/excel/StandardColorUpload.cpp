#include "StandardColorUpload.h"

#include "Dialogs.h"
#include "FileFolders.h"
#include "Frames.h"
#include "LinkAccess.h"
#include "RecordCommands.h"
#include "StandardColorExchange.h"
#include "XlsxReader.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcExcel)

namespace {

constexpr auto kLibraryFileName = QLatin1String("StdColor.xlsx");
constexpr int kFinalReadBytes = 1024;
constexpr int kFinalReadTimeoutMs = 1000;

} // namespace

bool StandardColorUpload::readWorkbook(const QString& path, QList<QVariantList>& rows, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    const XlsxLimits limits;
    if (file.size() > limits.maxArchiveBytes) {
        if (error) {
            *error = QStringLiteral("the file is too large");
        }
        return false;
    }
    XlsxSheet sheet;
    if (!readXlsxSheet(file.readAll(), 1, sheet, error, limits)) {
        return false;
    }
    rows = sheet.denseRows();
    return true;
}

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
        if (!readWorkbook(path, rows, &readError)) {
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
    const Result result = transfer(
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
        dialogs.critical(parent, errorTitle, transferFailureText(result, endWrongReply));
        return result;
    }
    dialogs.information(parent, tr("Information"), tr("Write to standard color card library successfully!"));
    drainAfterTransfer(transport);
    return Result::Written;
}

StandardColorUploadResult StandardColorUpload::transfer(Transport& transport, const StandardColorLibrary& library,
                                                        const std::function<void(int, int)>& progress,
                                                        bool* endWrongReply)
{
    using Result = StandardColorUploadResult;
    if (writeStandardColorCount(transport, library.count, library.countChecksum) != ProtocolResult::Success) {
        return Result::CountFailed;
    }
    for (int i = 0; i < library.cards.size(); ++i) {
        const StandardColorCardRow& card = library.cards.at(i);
        if (writeStandardColorRecord(transport, static_cast<int>(kStandardColorCardBase) + kStandardColorCardStride * i,
                                     card.nameA, card.nameB, card.valueA, card.valueB, card.checksum)
            != ProtocolResult::Success) {
            return Result::CardFailed;
        }
    }
    const QByteArray& stream = library.stream;
    const int pages = static_cast<int>((stream.size() + kStandardColorBlockBytes - 1) / kStandardColorBlockBytes);
    if (progress) {
        progress(0, pages);
    }
    quint32 address = kStandardColorStreamBase;
    int blocks = 0;
    for (qsizetype at = 0; at < stream.size(); at += kStandardColorBlockBytes) {
        const QByteArray block = stream.mid(at, kStandardColorBlockBytes);
        if (writeBlock(transport, address, block, static_cast<int>(block.size())) != ProtocolResult::Success) {
            return Result::DataFailed;
        }
        address += static_cast<quint32>(block.size());
        if (progress) {
            progress(++blocks, pages);
        }
    }
    const int end = writeBlock(transport, address, QByteArray(), 0);
    if (end != ProtocolResult::Success) {
        if (endWrongReply) {
            *endWrongReply = end == ProtocolResult::WrongReply;
        }
        return Result::EndFailed;
    }
    if (progress) {
        progress(pages, pages);
    }
    return Result::Written;
}

void StandardColorUpload::drainAfterTransfer(Transport& transport)
{
    QByteArray rest;
    transport.receiveFrame(rest, kFinalReadTimeoutMs, kFinalReadBytes, false);
}

QString StandardColorUpload::transferFailureText(StandardColorUploadResult result, bool endWrongReply)
{
    switch (result) {
    case StandardColorUploadResult::CountFailed:
        return tr("Failed to write the total number of standard color cards!");
    case StandardColorUploadResult::CardFailed:
        return tr("Failed to write standard color card information!");
    case StandardColorUploadResult::DataFailed:
        return tr("Failed to write standard color card data!");
    case StandardColorUploadResult::EndFailed:
        return endWrongReply ? tr("Failed to write!") : tr("Failed to write empty packet!");
    default:
        return QString();
    }
}
