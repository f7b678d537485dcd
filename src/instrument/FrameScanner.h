#pragma once
// Finding the results the instrument pushes unasked (its measuring key) in the
// bytes the receive worker reads. A plain function over a byte buffer, so it
// can be tested and fuzzed without a thread or a window.

#include <QByteArray>
#include <QList>

// The kind of frame a pushed result arrives in, chosen by the instrument.
enum class PushedFrameFormat {
    FullRecord, // AB 44, byte 3 = 0, byte 6 = 0x36: the 54-byte measurement record
    Block,      // AB 44, byte 3 = 0, byte 6 = 0x18: result block 0x20 + k in byte 2
    Legacy,     // AB 44, byte 2 = 0, byte 6 = 0x36: a first-generation colorimeter's record
};

struct PushedFrame
{
    PushedFrameFormat format = PushedFrameFormat::FullRecord;
    int blockNumber = -1; // byte 2 of a block frame (0x20 + display mode), else -1
    QByteArray bytes;     // from the 0xAB up to the frame's end or the buffer's, whichever is first
};

struct PushedScan
{
    // Bytes at the start of the buffer that are done with (noise and frames
    // found). The rest can still begin a frame and waits for the next chunk.
    int consumed = 0;
    QList<PushedFrame> frames;
};

// Scans buffer from its start. A frame is taken once its last decoded byte is
// there (byte 42 of a full record, 22 of a block, 38 of a legacy record); the
// frame checksum is not verified. A header cut off by the end of the buffer
// (AB, or AB 44, ...) is kept, not consumed, so a frame split across two reads
// is completed by the next one.
PushedScan scanPushedFrames(const QByteArray& buffer, PushedFrameFormat format);

// The format of the frames an instrument pushes: first-generation colorimeters
// send legacy records, TX310 and TX470 below software 1.06 result blocks, all
// others full records. softwareVersion is in hundredths.
PushedFrameFormat pushedFrameFormat(const QString& model, int softwareVersion);
