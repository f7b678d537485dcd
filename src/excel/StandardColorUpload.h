#pragma once
// "Write stdcolor": replaces the instrument's standard-colour library with
// the contents of "StdColor.xlsx", or with the standards of a CGATS (.ti3,
// .txt) or CxF3 (.cxf) file of any name. The file is opened for reading only
// and never written; the whole library is checked before the first byte is sent.

#include "StandardColorSheet.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class Dialogs;
class LinkAccess;
class Transport;
class QWidget;

enum class StandardColorUploadResult {
    Written,
    NotConnected,
    NoFileChosen,
    WrongFileName,
    CannotOpen,
    SheetRefused,   // unreadable, another model, too few rows or an invalid row
    CountFailed,
    CardFailed,
    DataFailed,
    EndFailed,
};

class StandardColorUpload
{
    Q_DECLARE_TR_FUNCTIONS(StandardColorUpload)
public:
    // The whole command: the file dialog, the checks, the transfer and its
    // messages (through dialogs), holding the link lock throughout.
    static StandardColorUploadResult run(LinkAccess& link, Dialogs& dialogs, QWidget* parent,
                                         const QString& modelName);

    // The used range of the workbook at path, read without ever opening the
    // file for writing. False, with *error, when it cannot be read.
    static bool readWorkbook(const QString& path, QList<QVariantList>& rows, QString* error);

    // The transfer of a checked library alone, for callers without a window:
    // the card count, the cards, the data stream in blocks (progress(done,
    // total) after each) and the closing empty block. Written or the step
    // that failed; endWrongReply tells the two EndFailed texts apart.
    static StandardColorUploadResult transfer(Transport& transport, const StandardColorLibrary& library,
                                              const std::function<void(int, int)>& progress,
                                              bool* endWrongReply = nullptr);
    // What the instrument still sends after a transfer, read and dropped.
    static void drainAfterTransfer(Transport& transport);
    // The message of a failed transfer step.
    static QString transferFailureText(StandardColorUploadResult result, bool endWrongReply);
};
