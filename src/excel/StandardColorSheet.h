#pragma once
// The standard-colour workbook ("StdColor.xlsx") as the instrument's library:
// row 1 the model, row 2 the card count and its checksum, rows 3 … n + 2 the
// cards, rows 50 … the data rows. The whole sheet is checked before anything
// is sent, so a faulty sheet never leaves the instrument half written.

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

constexpr int kStandardColorMaxCards = 47;      // card rows lie above row 50
constexpr int kStandardColorFirstDataRow = 50;
constexpr int kStandardColorDataNameBytes = 20;
constexpr int kStandardColorDataRowBytes = 26;  // 20-byte name + three 16-bit values
constexpr quint32 kStandardColorCardBase = 0x2000;
constexpr int kStandardColorCardStride = 48;
constexpr quint32 kStandardColorStreamBase = 0x40000;
constexpr int kStandardColorBlockBytes = 256;

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

// A value cell's text as the instrument's integer: the value × 100, cut
// (not rounded) after two decimals: "12.345" → 1234, "-0.05" → -5, "7" → 700.
// ok false when the text is no decimal number.
int standardColorValue(const QString& text, bool* ok = nullptr);
// A cell as text: white space simplified; numbers as the shortest decimal.
QString standardColorCellText(const QVariant& cell);

// Why a sheet was refused; message is the text to show.
struct StandardColorSheetProblem
{
    enum Kind { None, Unreadable, WrongModel, NotEnoughRows, Invalid };
    Kind kind = None;
    QString message;
};

class StandardColorSheet
{
    Q_DECLARE_TR_FUNCTIONS(StandardColorSheet)
public:
    // Checks rows (the used range, row 1 first) for modelName and builds the
    // library; on a fault, problem says which row and why.
    static bool parse(const QList<QVariantList>& rows, const QString& modelName, StandardColorLibrary& library,
                      StandardColorSheetProblem& problem);
};
