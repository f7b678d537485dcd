#pragma once
// Spreadsheet cell coordinates: 1-based rows and columns, columns named in
// bijective base 26 ("A" … "Z", "AA" …), within the sheet size every
// spreadsheet program accepts (XFD1048576).

#include <QString>
#include <QStringView>

constexpr int kMaxSheetRows = 1048576;
constexpr int kMaxSheetColumns = 16384; // XFD

// 1 → "A", 26 → "Z", 27 → "AA", 703 → "AAA"; empty for column < 1.
QString columnLetters(int column);
// "AA" → 27; 0 when letters is empty, holds anything but A-Z / a-z, or names
// a column beyond XFD.
int columnNumber(QStringView letters);
// "B3" → row 3, column 2 (a "$" before either part is allowed). False when the
// text is no cell reference or lies outside the sheet (XFD1048577, A0).
bool parseCellReference(QStringView reference, int& row, int& column);
// "A1:" + the last column's letters + the row count: rows 3, columns 28 → "A1:AB3".
QString blockRange(int rows, int columns);
// "B3" for row 3, column 2.
QString cellReference(int row, int column);
