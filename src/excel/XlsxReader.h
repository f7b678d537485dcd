#pragma once
// Reading .xlsx workbooks: a plain function over bytes, so that any file,
// damaged or hostile, can be fed to it (and fuzzed). Every size it takes
// from the file is checked against XlsxLimits; a file that breaks one gives
// an error text and false, never a crash or unbounded memory.

#include "XlsxArchive.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Where the parts of one workbook live inside its archive.
struct XlsxParts
{
    QString sheetPath;         // the worksheet asked for, e.g. "xl/worksheets/sheet1.xml"
    QString sharedStringsPath; // empty when the workbook has none
    QString stylesPath;        // empty when the workbook has none
};

// One used cell.
struct XlsxCell
{
    int row = 0;
    int column = 0;
    QVariant value; // QString, double or bool
};

struct XlsxSheet
{
    QList<XlsxCell> cells; // in the order the sheet lists them
    int rowCount = 0;      // the last row holding a value
    int columnCount = 0;   // the last column holding a value

    // Rows 1 … rowCount, each with columnCount values (an empty cell is an
    // invalid QVariant).
    QList<QVariantList> denseRows() const;
};

// Finds the parts of worksheet sheetNumber (1-based, in the workbook's order).
bool findXlsxParts(const XlsxArchive& archive, int sheetNumber, XlsxParts& parts, QString* error);
// The shared-string table (rich-text runs joined).
bool readSharedStrings(const QByteArray& xml, QStringList& strings, QString* error,
                       const XlsxLimits& limits = {});
// The used cells of one worksheet part.
bool readSheetCells(const QByteArray& xml, const QStringList& sharedStrings, XlsxSheet& sheet,
                    QString* error, const XlsxLimits& limits = {});

// All of it: the used range of worksheet sheetNumber of the workbook in bytes.
bool readXlsxSheet(const QByteArray& bytes, int sheetNumber, XlsxSheet& sheet, QString* error,
                   const XlsxLimits& limits = {});
