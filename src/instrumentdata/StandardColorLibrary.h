#pragma once
// The instrument's library of standard colours as plain data: the card count
// and its checksum, the cards, and the data stream of every card's rows. The
// spreadsheet and exchange-file readers build it; the instrument library
// sends it.

#include <QByteArray>
#include <QList>
#include <QString>

constexpr int kStandardColorMaxCards = 47;      // card rows lie above row 50 of the sheet
constexpr int kStandardColorDataNameBytes = 20;
constexpr int kStandardColorDataRowBytes = 26;  // 20-byte name + three 16-bit values

struct StandardColorCardRow
{
    QString nameA;
    QString nameB;
    int valueA = 0; // the card's number of data rows
    int valueB = 0;
    quint16 checksum = 0;
};

struct StandardColorLibrary
{
    int count = 0;
    quint16 countChecksum = 0;
    QList<StandardColorCardRow> cards;
    int dataRows = 0;  // S, the sum of the cards' data-row counts
    QByteArray stream; // all names (20 bytes each), then all values (6 bytes each)
};

// The 36-byte name record of one standard colour: two names in UTF-8, each
// zero-padded to 16 bytes, then the two 16-bit values. Empty (and *fits
// false) when a name takes more than 16 bytes in UTF-8 or a value does not
// fit 16 bits: such a record cannot be stored without damaging it.
constexpr int kStandardColorNameBytes = 16;
constexpr int kStandardColorRecordBytes = 36;
QByteArray standardColorRecord(const QString& nameA, const QString& nameB, int valueA, int valueB,
                               bool* fits = nullptr);
// The data checksum the instrument keeps after a count or record (the
// frames' CRC-16, over the stored bytes).
quint16 standardColorChecksum(const QByteArray& values);
