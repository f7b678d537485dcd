#pragma once
// Stored records and the standard-colour library. The caller holds the
// receive worker's mutex (an import holds it across all its pages). Results
// are ProtocolResult codes.

#include "StandardColorLibrary.h"

#include <QByteArray>
#include <QString>

class Transport;

// The count cell of the comparison records for display mode 0..6 and the
// workspace layout: Lab and LCh have their own cells in layouts 0 and 3 and
// share others in every other layout; the other modes' cells are the same for
// all layouts. 0 when the mode is unknown.
quint32 comparisonRecordCountAddress(int displayMode, int layout);
// Unknown mode: ValueDoesNotFit, nothing sent.
int readComparisonRecordCount(Transport& transport, int& count, int displayMode, int layout);
// The legacy colour-difference area.
int readColorDifferenceRecordInfo(Transport& transport, int& count);
// Layouts 0 and 3 at 0x1020, every other layout at 0x1410.
int readSpectralRecordInfo(Transport& transport, int& count, int layout);
// Reads len (0..65535) bytes of memory at address and appends them to out.
int readBlock(Transport& transport, quint32 address, QByteArray& out, int len);

// The library's colour count at 0x2F00. BadDataChecksum, nothing sent, when
// expectedChecksum is not the checksum of the two count bytes.
int writeStandardColorCount(Transport& transport, int count, quint16 expectedChecksum);
// One name record at address. ValueDoesNotFit, nothing sent, when a name is
// longer than 16 bytes in UTF-8 (or a value exceeds 16 bits);
// BadDataChecksum, nothing sent, when expectedChecksum is not the record's.
int writeStandardColorRecord(Transport& transport, int address, const QString& nameA,
                             const QString& nameB, int valueA, int valueB, quint16 expectedChecksum);
// Block transfer: n > 0 sends the first n bytes of data unacknowledged; n = 0
// ends the transfer and waits for its acknowledgement (WrongReply when the
// instrument rejects the transfer with 0xF4 01). n beyond data's size or
// 16 bits: ValueDoesNotFit, nothing sent.
int writeBlock(Transport& transport, quint32 address, const QByteArray& data, int n);
