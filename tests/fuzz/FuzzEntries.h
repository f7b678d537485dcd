#pragma once
// Entry points shared by the libFuzzer targets and by the corpus replay test,
// so every input that ever crashed is replayed by the ordinary gcc build.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

class Transport;

namespace fuzz {

constexpr int kCommandCount = 19;

// Runs protocol command `command` (0..kCommandCount-1) with a parameter
// derived from `parameter` over the transport.
void runCommand(Transport& transport, int command, int parameter);

// Input: selector byte (command = low 5 bits; bit 7 = repair the frame
// checksum of every reply so the decoders are reached), one parameter byte,
// then replies as [length][bytes...] chunks, handed out one per receive.
void protocolReplies(const std::uint8_t* data, std::size_t size);

// Input: the raw input reports of the byte pipe, 64 bytes each (arbitrary ids
// and length bytes), fed to the link while one reply of the length given by
// the first two bytes is read, then once more by polling.
void linkReassembly(const std::uint8_t* data, std::size_t size);

// Input: format byte (low 2 bits: full record, block, legacy), display-mode
// byte, then read chunks as [length][bytes...], fed to the pushed-frame
// scanner the way the page feeds it; every frame found is decoded. Aborts
// when the scanner keeps more than a frame's beginning or hands out a frame
// that does not start with a header.
void pushedFrames(const std::uint8_t* data, std::size_t size);

// Input: the bytes of a model table file ("meterno"), read as the workspace
// reads it; every entry is then looked up and routed.
void modelTable(const std::uint8_t* data, std::size_t size);

// Input: flag byte (bit 0: fill in the right checksums of row 2 and of the
// card rows, so the checks behind them are reached), then the cells of a
// standard-colour sheet as text, rows split by '\n' and cells by '\t'; a cell
// that reads as a number is a number. The sheet is validated for a TX420.
// Aborts when an accepted library is inconsistent.
void standardColorSheet(const std::uint8_t* data, std::size_t size);

// Input: a CGATS, CxF3 or CSV file, read by the strict reader of that
// format. What a reader accepts is written again and read back: the second
// writing must equal the first (CGATS and CSV) or carry the same samples
// (CxF3); anything else aborts.
void cgatsFile(const std::uint8_t* data, std::size_t size);
void cxfFile(const std::uint8_t* data, std::size_t size);
void csvFile(const std::uint8_t* data, std::size_t size);

// Input: selector byte (bit 0 set: a library-of-standards CSV; clear: a
// tolerance LIST), then the text. A LIST that reads is written and read
// again and must give the same limits; a CSV that reads must hold only
// standards the library would keep (a name, values, 0 or 31 spectral values,
// sound ranges). Anything else aborts.
void standardsFile(const std::uint8_t* data, std::size_t size);

// Builds a protocolReplies input from its parts.
QByteArray protocolInput(int command, bool repairChecksums, int parameter,
                         const QList<QByteArray>& replies);

} // namespace fuzz
