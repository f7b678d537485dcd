#include "FrameScanner.h"

#include "DeltaE.h"
#include "InstrumentGeneration.h"

#include <QString>

namespace {

constexpr quint8 kStart = 0xAB;
constexpr quint8 kMeasurementFunction = 0x44;
constexpr quint8 kRecordLength = 0x36;
constexpr quint8 kBlockLength = 0x18;
constexpr int kHeaderBytes = 8;
constexpr int kChecksumBytes = 2;

struct FormatRule
{
    int zeroByte;    // byte that must be 0 (the address byte the format does not vary)
    quint8 length;   // byte 6: the data length
    int lastDecoded; // the last byte the values are decoded from
};

FormatRule ruleFor(PushedFrameFormat format)
{
    switch (format) {
    case PushedFrameFormat::FullRecord:
        return {3, kRecordLength, 42};
    case PushedFrameFormat::Block:
        return {3, kBlockLength, 22};
    case PushedFrameFormat::Legacy:
        return {2, kRecordLength, 38};
    }
    return {3, kRecordLength, 42};
}

quint8 byteAt(const QByteArray& buffer, int pos)
{
    return static_cast<quint8>(buffer.at(pos));
}

enum class HeaderMatch { No, Partial, Yes };

// Whether a header starts at pos: Partial when every byte that has arrived
// fits and the buffer ends before the header does.
HeaderMatch headerAt(const QByteArray& buffer, int pos, const FormatRule& rule)
{
    struct Expected
    {
        int offset;
        quint8 value;
    };
    const Expected expected[] = {
        {0, kStart},
        {1, kMeasurementFunction},
        {rule.zeroByte, 0},
        {6, rule.length},
    };
    bool complete = true;
    for (const Expected& e : expected) {
        if (pos + e.offset >= buffer.size()) {
            complete = false;
            continue;
        }
        if (byteAt(buffer, pos + e.offset) != e.value) {
            return HeaderMatch::No;
        }
    }
    return complete ? HeaderMatch::Yes : HeaderMatch::Partial;
}

} // namespace

PushedScan scanPushedFrames(const QByteArray& buffer, PushedFrameFormat format)
{
    const FormatRule rule = ruleFor(format);
    const int frameBytes = kHeaderBytes + rule.length + kChecksumBytes;
    PushedScan scan;
    int pos = 0;
    while (pos < buffer.size()) {
        const HeaderMatch match = headerAt(buffer, pos, rule);
        if (match == HeaderMatch::No) {
            ++pos;
            continue;
        }
        if (match == HeaderMatch::Partial || buffer.size() <= pos + rule.lastDecoded) {
            break; // the rest of this frame comes with the next read
        }
        PushedFrame frame;
        frame.format = format;
        frame.blockNumber = format == PushedFrameFormat::Block ? byteAt(buffer, pos + 2) : -1;
        frame.bytes = buffer.mid(pos, frameBytes);
        scan.frames.append(frame);
        // Its checksum (and a record's unused tail) may still be on the way;
        // arriving later it is scanned past like any other byte that is no header.
        pos = qMin(static_cast<int>(buffer.size()), pos + frameBytes);
    }
    scan.consumed = pos;
    return scan;
}

PushedFrameFormat pushedFrameFormat(const QString& model, int softwareVersion)
{
    if (isFirstGenerationColorimeter(model, softwareVersion)) {
        return PushedFrameFormat::Legacy;
    }
    const bool blockModel = model == QLatin1String("TX310") || model == QLatin1String("TX470");
    return blockModel && softwareVersion < 106 ? PushedFrameFormat::Block
                                               : PushedFrameFormat::FullRecord;
}
