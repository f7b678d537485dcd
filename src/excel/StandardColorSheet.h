#pragma once
// The standard-colour workbook ("StdColor.xlsx") as the instrument's library:
// row 1 the model, row 2 the card count and its checksum, rows 3 … n + 2 the
// cards, rows 50 … the data rows. The whole sheet is checked before anything
// is sent, so a faulty sheet never leaves the instrument half written.

#include "StandardColorLibrary.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

constexpr int kStandardColorFirstDataRow = 50;

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
    // The used range of the workbook at path, read without ever opening the
    // file for writing. False, with *error, when it cannot be read.
    static bool readWorkbook(const QString& path, QList<QVariantList>& rows, QString* error);
};
