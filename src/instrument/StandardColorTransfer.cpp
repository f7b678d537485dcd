#include "StandardColorTransfer.h"

#include "Frames.h"
#include "RecordCommands.h"
#include "Transport.h"

namespace {

// Where the instrument keeps its library.
constexpr quint32 kStandardColorCardBase = 0x2000;
constexpr int kStandardColorCardStride = 48;
constexpr quint32 kStandardColorStreamBase = 0x40000;
constexpr int kStandardColorBlockBytes = 256;
constexpr int kFinalReadBytes = 1024;
constexpr int kFinalReadTimeoutMs = 1000;

} // namespace

StandardColorUploadResult StandardColorTransfer::transfer(Transport& transport, const StandardColorLibrary& library,
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

void StandardColorTransfer::drainAfterTransfer(Transport& transport)
{
    QByteArray rest;
    transport.receiveFrame(rest, kFinalReadTimeoutMs, kFinalReadBytes, false);
}

QString StandardColorTransfer::transferFailureText(StandardColorUploadResult result, bool endWrongReply)
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
