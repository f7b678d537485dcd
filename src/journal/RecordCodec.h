#pragma once
// A ComparisonRecord as a few dozen bytes and back, for the journal: what the
// record holds, without its id and version (the journal keeps those as
// columns). Lossless: a value comes back as the same double, NaN as NaN, a
// time as the same instant on the same wall clock. Values that are decimals of up to seven places (as
// the instrument and the tables round them) take two to four bytes; any other
// double its eight.
//
// The first byte is the format. Later formats may append fields: a decoder
// reads what it knows and leaves newer fields at their defaults. Format 2
// appends the library standard and tolerance set a record was judged against;
// a record judged by the instrument's tolerances is still written as format 1.

#include "ComparisonRecord.h"

#include <QByteArray>
#include <QHash>

namespace RecordCodec {

// 1: a record judged by the instrument's tolerances, read once; 2 adds the
// library standard and tolerance set it was judged against; 3 adds the
// readings of a specimen read several times (and the library block, when its
// flag says so). Records of formats 1 and 2 come back with one reading of each.
inline constexpr quint8 kFormat = 1;
inline constexpr quint8 kLibraryFormat = 2;
inline constexpr quint8 kReadingsFormat = 3;

QByteArray encode(const ComparisonRecord& record);

// Decodes many records in a row: texts that repeat from one record to the next
// (model, serial number, formula) share one copy, which keeps a restored
// session of 100 000 records small. A local time comes back as the same
// instant with the local offset of that instant (Qt::OffsetFromUTC): it shows
// the same wall-clock time, and costs no lookup of the system's zone per record.
class Decoder
{
public:
    // Fills every field but id and version. false when the bytes are not a
    // record (the record is then left partly filled).
    bool decode(const QByteArray& bytes, ComparisonRecord& record);

private:
    struct Shared
    {
        QByteArray bytes;
        QString text;
    };
    static QString shared(Shared& last, const char* data, int size);
    int localOffset(qint64 msecs);

    QHash<qint64, int> m_hourOffsets; // hour since the epoch -> local offset in seconds

    Shared m_model;
    Shared m_serial;
    Shared m_formula;
    Shared m_threshold;
    // Records of one session share a few sets: the last limits read.
    QByteArray m_limitsText;
    QList<ToleranceLimit> m_limits;
};

} // namespace RecordCodec
