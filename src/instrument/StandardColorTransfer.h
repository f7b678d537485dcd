#pragma once
// Sending a checked standard-colour library to the instrument, without a
// window: the card count, the cards, the data stream in blocks and the
// closing empty block. The caller holds the link lock for the whole transfer.

#include "StandardColorLibrary.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class Transport;

// How "Write stdcolor" ended: the transfer's own steps, and before them what
// the command refuses (no link, no file, a file or sheet it will not send).
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

class StandardColorTransfer
{
    // The texts belong to the command the operator runs.
    Q_DECLARE_TR_FUNCTIONS(StandardColorUpload)
public:
    // Written or the step that failed; progress(done, total) after each data
    // block; endWrongReply tells the two EndFailed texts apart.
    static StandardColorUploadResult transfer(Transport& transport, const StandardColorLibrary& library,
                                              const std::function<void(int, int)>& progress,
                                              bool* endWrongReply = nullptr);
    // What the instrument still sends after a transfer, read and dropped.
    static void drainAfterTransfer(Transport& transport);
    // The message of a failed transfer step.
    static QString transferFailureText(StandardColorUploadResult result, bool endWrongReply);
};
