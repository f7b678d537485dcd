#include "CellReference.h"

QString columnLetters(int column)
{
    QString letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

int columnNumber(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3) {
        return 0;
    }
    int column = 0;
    for (const QChar ch : letters) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z') {
            return 0;
        }
        column = column * 26 + (u - u'A' + 1);
    }
    return column <= kMaxSheetColumns ? column : 0;
}

bool parseCellReference(QStringView reference, int& row, int& column)
{
    qsizetype i = 0;
    if (i < reference.size() && reference[i] == u'$') {
        ++i;
    }
    const qsizetype lettersStart = i;
    while (i < reference.size() && reference[i].isLetter()) {
        ++i;
    }
    const int col = columnNumber(reference.mid(lettersStart, i - lettersStart));
    if (i < reference.size() && reference[i] == u'$') {
        ++i;
    }
    const QStringView digits = reference.mid(i);
    if (col == 0 || digits.isEmpty() || digits.size() > 7) {
        return false;
    }
    int r = 0;
    for (const QChar ch : digits) {
        if (ch < u'0' || ch > u'9') {
            return false;
        }
        r = r * 10 + (ch.unicode() - u'0');
    }
    if (r < 1 || r > kMaxSheetRows) {
        return false;
    }
    row = r;
    column = col;
    return true;
}

QString blockRange(int rows, int columns)
{
    return QStringLiteral("A1:") + columnLetters(columns) + QString::number(rows);
}

QString cellReference(int row, int column)
{
    return columnLetters(column) + QString::number(row);
}
